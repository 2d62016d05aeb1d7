#include "platform/outlook/Items.h"

#include "platform/outlook/ItemFilter.h"
#include "platform/outlook/ItemState.h"
#include "platform/outlook/OccurrenceCursor.h"
#include "platform/outlook/OutlookError.h"

namespace torvane::outlook {

namespace detail {

struct ItemsState {
    std::shared_ptr<Session> session;
    bool includeRecurrences = false;
    bool sorted = false;
    std::unique_ptr<OccurrenceCursor> cursor;
};

} // namespace detail

Items::Items(std::shared_ptr<detail::Session> session) : d(std::make_shared<detail::ItemsState>())
{
    d->session = std::move(session);
}

bool Items::IncludeRecurrences() const
{
    return d->includeRecurrences;
}

void Items::setIncludeRecurrences(bool include)
{
    d->includeRecurrences = include;
}

void Items::Sort(const QString& property)
{
    const QString key = property.trimmed();
    if (!key.startsWith(u'[') || !key.endsWith(u']')
        || key.mid(1, key.size() - 2).trimmed().compare(u"Start", Qt::CaseInsensitive) != 0)
        throw Error(ErrInvalidArgument, QStringLiteral("The items cannot be sorted by \"%1\".").arg(property));
    d->sorted = true;
}

std::optional<AppointmentItem> Items::Find(const QString& filter)
{
    const StartRange range = parseStartFilter(filter, d->session->dateTimePicture, d->session->names);
    d->cursor = std::make_unique<OccurrenceCursor>(d->session->file->data(), range, d->includeRecurrences, d->sorted);
    return FindNext();
}

std::optional<AppointmentItem> Items::FindNext()
{
    if (!d->cursor)
        return std::nullopt;
    const auto found = d->cursor->next();
    if (!found)
        return std::nullopt;
    return AppointmentItem(detail::ItemState::fromFound(d->session, *d->cursor->data(), *found));
}

AppointmentItem Items::Add()
{
    return AppointmentItem(detail::ItemState::added(d->session));
}

AppointmentItem Items::Add(int itemType)
{
    if (itemType != AppointmentItemType)
        throw Error(ErrInvalidArgument, QStringLiteral("The calendar holds appointments only (item type %1).").arg(itemType));
    return Add();
}

} // namespace torvane::outlook
