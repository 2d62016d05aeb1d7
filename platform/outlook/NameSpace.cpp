#include "platform/outlook/NameSpace.h"

#include "platform/outlook/ItemState.h"
#include "platform/outlook/OutlookError.h"

namespace torvane::outlook {

NameSpace::NameSpace(std::shared_ptr<detail::Session> session) : d(std::move(session))
{
}

MAPIFolder NameSpace::GetDefaultFolder(int folderType) const
{
    if (folderType != CalendarFolder)
        throw Error(ErrInvalidArgument, QStringLiteral("There is no default folder of kind %1.").arg(folderType));
    return MAPIFolder(d);
}

AppointmentItem NameSpace::GetItemFromID(const QString& entryId, const QString& storeId) const
{
    Q_UNUSED(storeId);
    const auto data = d->file->data();
    icalcomponent* event = entryId.isEmpty() ? nullptr : data->master(entryId);
    if (!event)
        throw Error(ErrItemNotFound, QStringLiteral("No appointment has the entry id \"%1\".").arg(entryId));
    return AppointmentItem(detail::ItemState::fromEvent(d, event, data->root()));
}

NameSpace NameSpace::Session() const
{
    return *this;
}

} // namespace torvane::outlook
