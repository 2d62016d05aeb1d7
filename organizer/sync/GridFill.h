// Filling a whole grid: the phone grid from PhoneEntryTable, the PC grid from the calendar's
// appointments and occurrences in the range; and whether an appointment can still be saved.
#pragma once

#include "organizer/link/PhoneEntry.h"
#include "organizer/link/VbDate.h"

#include "platform/outlook/Application.h"
#include "platform/outlook/AppointmentItem.h"
#include "platform/outlook/OutlookError.h"

#include <optional>

namespace tessaro {

namespace outlook = torvane::outlook;

// Text offsets of the fillings' progress.
constexpr int TxtEntry = 105;
constexpr int TxtMobile = 114;
constexpr int TxtSearchingCalendar = 122;

// A row in FG1(ActiveGridIndexFG1) for every occupied location. False when an entry could not be
// inserted; the table keeps every record (their objects are still on the phone).
bool FillGridMobileEntry(const EntryTable& table, int textColumn, int otherTextColumn, int markColumn,
                         int locationColumn);

// The filter text of the calendar search: starts from `from` to `to`, to the minute.
QString CalendarFilter(VbDate from, VbDate to);

// A row in FG2(ActiveGridIndexFG2) for every appointment and occurrence starting in the range,
// under the status window, which may cancel after any of them. OrganizerEntryCount becomes the
// number of rows inserted and OrganizerEntriesRead is set, also after a cancel. True when
// something was found and the user did not cancel.
bool FillGridOutlookEntry(const outlook::Application& application, int firstRow, int textColumn,
                          int otherTextColumn, int markColumn, int idColumn, VbDate from, VbDate to);

enum class SaveOutcome {
    Saved,
    Deleted, // the appointment no longer exists
    Failed,  // it exists, but the calendar could not store it (`failure` says why)
};

// Saves the appointment without showing anything. Only the calendar's "deleted" answer means the
// appointment is gone: a full disk or an unreadable file is a failure, not a deletion.
SaveOutcome TrySaveOutlookItem(outlook::AppointmentItem& item,
                               std::optional<outlook::Error>* failure = nullptr);

} // namespace tessaro
