#include "platform/outlook/MAPIFolder.h"

namespace torvane::outlook {

MAPIFolder::MAPIFolder(std::shared_ptr<detail::Session> session) : d(std::move(session))
{
}

outlook::Items MAPIFolder::Items() const
{
    return outlook::Items(d);
}

} // namespace torvane::outlook
