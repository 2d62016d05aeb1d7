#include "organizer/sync/Transfer.h"

#include "organizer/daterange/Calendar.h"
#include "organizer/daterange/DateArithmetic.h"
#include "organizer/link/MainWindowSeams.h"
#include "organizer/link/MessageBox.h"
#include "organizer/link/MobileStatus.h"
#include "organizer/link/PublicVar.h"
#include "organizer/link/TessaroStrings.h"
#include "organizer/sync/Deleting.h"
#include "organizer/sync/GridFill.h"
#include "organizer/sync/GridLookups.h"
#include "organizer/sync/PhoneCalls.h"
#include "organizer/sync/RowInsert.h"
#include "organizer/sync/SyncErrors.h"
#include "organizer/sync/SyncMarks.h"
#include "organizer/sync/TIVOutlook.h"

#include "platform/outlook/NameSpace.h"

#include <bit>
#include <optional>

namespace tessaro {

namespace {

constexpr int kPhoneTextLength = 16;

Flag16 flag(bool on)
{
    return on ? FlagTrue : FlagFalse;
}

} // namespace

bool WriteNewMobileEntry(controls::Grid& phoneGrid, EntryTable& table, int slot, const PhoneEntry& entry)
{
    const PhoneEntry previous = table.Entries(slot);
    table.Entries(slot) = entry;
    InsertGridEntryMobile(phoneGrid, table.Entries(slot), GetFirstEntryRow(phoneGrid), ColPhoneText, ColPcText,
                          ColDateText, ColMark, ColPhoneLocation);
    ++table.Count;
    if (!Phone().SendSingleEntry(table.Entries(slot))) {
        RemoveMobileRows(entry.Location);
        table.Entries(slot) = previous;
        --table.Count;
        return false;
    }
    MobileEntryCount = table.Count;
    ShowMobileStatus();
    return true;
}

bool EntryOutlookToMobile(controls::Grid& grid, EntryTable& table, const outlook::Application& application)
{
    const int row = grid.row();
    const QString phoneText = grid.textMatrix(row, ColPhoneText);
    try {
        std::int16_t slot = -1;
        if (!FindFreeMobileSlot(table, slot))
            return false;
        const outlook::NameSpace ns = application.GetNamespace(QStringLiteral("Mapi"));
        const outlook::AppointmentItem item = ns.GetItemFromID(grid.textMatrix(row, ColEntryId));
        grid.setTextMatrix(row, ColPhoneText, item.Subject().left(kPhoneTextLength));

        // The row's own start: for an occurrence of a series, that occurrence's.
        const VbDate start = SortKeyDate(grid.textMatrix(row, ColSortKey));
        PhoneEntry e;
        e.Description = item.Subject().left(kPhoneTextLength);
        e.DisplayText = e.Description;
        e.Summary = item.Body().left(kPhoneTextLength);
        const int meeting = item.MeetingStatus();
        e.IsMeeting = flag(meeting == outlook::Meeting || meeting == outlook::MeetingReceived);
        e.IsMemo = flag(e.IsMeeting == FlagFalse);
        const int type = item.IsRecurring() ? item.GetRecurrencePattern().RecurrenceType() : -1;
        e.IsSerie = flag(type == 0 || type == 1 || type == 5 || type == 6);
        if (type == 0)
            e.RRule = QStringLiteral("D1");
        else if (type == 1)
            e.RRule = QStringLiteral("W1");
        else if (type == 5 || type == 6)
            e.RRule = QStringLiteral("Y1");
        if (type == 1)
            e.WeekdayMask = item.GetRecurrencePattern().DayOfWeekMask();
        if (item.ReminderSet()) {
            e.DAlarmSet = FlagTrue;
            e.DAlarm = start;
        } else {
            e.DtStartSet = FlagTrue;
            e.DtStart = start;
        }
        e.StartTime = start;

        if (type == 1) {
            SplitWeeklySerie(VisibleFG1(), table, e);
            // No entry of the week took this row: it shows no phone text either.
            if (grid.textMatrix(row, ColPhoneLocation).isEmpty())
                grid.setTextMatrix(row, ColPhoneText, phoneText);
            return false;
        }
        std::int32_t location = -1;
        if (!FindFreeMobileLocation(table, location)) {
            grid.setTextMatrix(row, ColPhoneText, phoneText);
            return false;
        }
        e.Location = QString::number(slot);
        e.LocationIndex = slot;
        grid.setTextMatrix(row, ColPhoneLocation, e.Location);
        const bool written = WriteNewMobileEntry(VisibleFG1(), table, slot, e);
        if (!written)
            grid.setTextMatrix(row, ColPhoneText, phoneText);
        return written;
    } catch (...) {
        ShowSyncError(QStringLiteral("EntryOutlookToMobile"));
        return false;
    }
}

namespace {

// An appointment of the calendar that already stands for the entry: at its very start, with a
// matching text. Found anywhere in the calendar, not only in the range the grid shows.
std::optional<outlook::AppointmentItem> copyOf(const outlook::Application& application, const PhoneEntry& entry)
{
    outlook::Items items =
        application.GetNamespace(QStringLiteral("MAPI")).GetDefaultFolder(outlook::CalendarFolder).Items();
    items.setIncludeRecurrences(true);
    items.Sort(QStringLiteral("[Start]"));
    const std::int64_t start = vbDateSeconds(entry.StartTime);
    for (auto item = items.Find(CalendarFilter(entry.StartTime, entry.StartTime)); item; item = items.FindNext())
        if (vbDateSeconds(fromDateTime(item->Start())) == start && CellCompare(entry.Description, item->Subject()))
            return item;
    return std::nullopt;
}

// The phone entry's rows show the appointment, also when it starts outside the range and no PC
// row matched them, so its copy is not offered again.
void showCopy(const PhoneEntry& entry, const QString& entryId, const QString& subject)
{
    controls::Grid& phoneGrid = VisibleFG1();
    for (int row = GetFirstEntryRow(phoneGrid); row < phoneGrid.rows(); ++row) {
        if (entry.Location.isEmpty() || phoneGrid.textMatrix(row, ColPhoneLocation) != entry.Location ||
            !phoneGrid.textMatrix(row, ColEntryId).isEmpty())
            continue;
        phoneGrid.setTextMatrix(row, ColEntryId, entryId);
        phoneGrid.setTextMatrix(row, ColPcText, subject);
        FillCellControll(phoneGrid, row, ColPcText, ColPhoneText, ColMark);
        FillCellPicture(phoneGrid, row, ColSyncPicture, ColMark);
    }
}

} // namespace

bool EntryMobileToOutlook(controls::Grid& grid, const PhoneEntry& entry, const outlook::Application& application)
{
    try {
        // Copied before (the grid may have been read again since): no second appointment.
        if (const auto existing = copyOf(application, entry)) {
            showCopy(entry, existing->EntryID(), existing->Subject());
            return true;
        }
        outlook::Items items =
            application.GetNamespace(QStringLiteral("MAPI")).GetDefaultFolder(outlook::CalendarFolder).Items();
        outlook::AppointmentItem item = items.Add();
        item.setSubject(entry.Description);
        item.setBody(entry.Description);
        item.setReminderSet(entry.DAlarmSet != FlagFalse || entry.AAlarmSet != FlagFalse);
        if (entry.IsMeeting != FlagFalse)
            item.setMeetingStatus(outlook::Meeting);
        item.setStart(toDateTime(entry.StartTime));
        if (entry.IsSerie != FlagFalse) {
            outlook::RecurrencePattern pattern = item.GetRecurrencePattern();
            pattern.setPatternStartDate(item.Start().date());
            pattern.setInterval(1);
            if (entry.RRule == QLatin1String("D1"))
                pattern.setRecurrenceType(0);
            else if (entry.RRule == QLatin1String("D7") || entry.RRule == QLatin1String("W1"))
                pattern.setRecurrenceType(1);
            else if (entry.RRule == QLatin1String("Y1"))
                pattern.setRecurrenceType(5);
        }
        item.Save();

        if (item.IsRecurring()) {
            MainForm().SetBusyPointer();
            ReadOutlook(true);
            MainForm().SetNormalPointer();
        } else {
            bool added = false;
            InsertGridEntry(grid, item, grid.fixedRows(), ColPcText, ColPhoneText, ColDateText, ColMark, ColEntryId,
                            &added);
            CompareGrids(VisibleFG1(), VisibleFG2(), ColPhoneText, ColPcText, ColMark);
            if (added)
                ++OrganizerEntryCount;
        }

        showCopy(entry, item.EntryID(), item.Subject());
        return true;
    } catch (...) {
        ShowSyncError(QStringLiteral("EntryMobileToOutlook"));
        return false;
    }
}

bool SplitWeeklySerie(controls::Grid& grid, EntryTable& table, const PhoneEntry& entry)
{
    PhoneEntry work = entry;
    const int days = entry.WeekdayMask & 0x7f;
    const int wanted = std::popcount(unsigned(days));
    const int startWeekday = vbWeekday(entry.StartTime);

    int allowance = 7;
    if (table.Count + wanted > MobileCapacity) {
        if (table.Count >= MobileCapacity)
            return false;
        const int free = MobileCapacity - table.Count;
        const QString question = LangText(TxtFreeEntries) + QStringLiteral(": ") + QString::number(free) + vbCrLf +
                                 LangText(TxtTooManySerieEntries);
        if (MsgBox(question, vbYesNo + vbExclamation, AppTitle) != vbYes)
            return false;
        // As many entries as the question announced (counted by entries written, not by days).
        allowance = free;
    }

    for (int k = 1; k <= 7; ++k) {
        work.StartTime = DateAdd(QStringLiteral("d"), k - 1, entry.StartTime);
        if (work.DAlarmSet != FlagFalse)
            work.DAlarm = work.StartTime;
        else if (work.AAlarmSet != FlagFalse)
            work.AAlarm = work.StartTime;
        const int weekday = ((startWeekday + k - 2) % 7) + 1;
        if (!(days & (1 << (weekday - 1))))
            continue;
        // Both the location and the slot first: nothing is counted or shown for an entry that has
        // no room.
        std::int32_t location = -1;
        std::int16_t slot = -1;
        if (!FindFreeMobileLocation(table, location) || !FindFreeMobileSlot(table, slot))
            break;
        work.Location = QString::number(location);
        work.LocationIndex = slot;
        if (!WriteNewMobileEntry(grid, table, slot, work))
            break;
        if (--allowance == 0)
            break;
    }
    return false;
}

} // namespace tessaro
