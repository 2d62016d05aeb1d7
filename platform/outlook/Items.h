// The appointments of the calendar folder.
#pragma once

#include "platform/outlook/AppointmentItem.h"

#include <QString>

#include <memory>
#include <optional>

namespace torvane::outlook {

namespace detail {
struct Session;
struct ItemsState;
} // namespace detail

// The item type of an appointment for Items::Add.
constexpr int AppointmentItemType = 1;

class Items {
public:
    // With true every occurrence of a series in Find's range is an item of its own: its own
    // Start, the series' EntryID, IsRecurring true, read-only (open the series with
    // GetItemFromID to change or delete it). Occurrences come in ascending Start whether
    // sorted or not; ties keep the calendar file's order.
    bool IncludeRecurrences() const;
    void setIncludeRecurrences(bool include);
    // "[Start]" (any letter case, blanks inside the brackets free): ascending by start.
    // Anything else throws ErrInvalidArgument.
    void Sort(const QString& property);
    // The first item whose start matches the filter (ItemFilter.h: "[Start]>=" ... "and"
    // "[Start] <=" ..., to the minute, bounds inclusive), nothing when none does; the calendar
    // as it is now. A filter that cannot be read throws ErrInvalidArgument.
    std::optional<AppointmentItem> Find(const QString& filter);
    // The next item of the last Find; nothing after the last one or without a Find.
    std::optional<AppointmentItem> FindNext();
    // A new appointment, not in the calendar before its first Save. Item type 1 only; other
    // types throw ErrInvalidArgument. It starts at the next full half hour.
    AppointmentItem Add();
    AppointmentItem Add(int itemType);

private:
    friend class MAPIFolder;
    explicit Items(std::shared_ptr<detail::Session> session);
    std::shared_ptr<detail::ItemsState> d;
};

} // namespace torvane::outlook
