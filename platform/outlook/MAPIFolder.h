// The default calendar folder.
#pragma once

#include "platform/outlook/Items.h"

#include <memory>

namespace torvane::outlook {

namespace detail {
struct Session;
}

class MAPIFolder {
public:
    // A new collection of the folder's appointments on every call.
    outlook::Items Items() const;

private:
    friend class NameSpace;
    explicit MAPIFolder(std::shared_ptr<detail::Session> session);
    std::shared_ptr<detail::Session> d;
};

} // namespace torvane::outlook
