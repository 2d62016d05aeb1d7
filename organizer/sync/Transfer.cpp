#include "organizer/sync/Transfer.h"

#include "organizer/daterange/Calendar.h"
#include "organizer/daterange/DateArithmetic.h"
#include "organizer/link/MainWindowSeams.h"
#include "organizer/link/MessageBox.h"
#include "organizer/link/MobileStatus.h"
#include "organizer/link/PublicVar.h"
#include "organizer/link/TessaroStrings.h"
#include "organizer/link/VCalCodec.h"
#include "organizer/sync/Deleting.h"
#include "organizer/sync/GridFill.h"
#include "organizer/sync/GridLookups.h"
#include "organizer/sync/PhoneCalls.h"
#include "organizer/sync/RowInsert.h"
#include "organizer/sync/SyncErrors.h"
#include "organizer/sync/SyncMarks.h"
#include "organizer/sync/TIVOutlook.h"

#include "platform/outlook/NameSpace.h"

#include <algorithm>
#include <optional>
#include <vector>

namespace tessaro {

namespace {

constexpr int kPhoneTextLength = 16;

Flag16 flag(bool on)
{
    return on ? FlagTrue : FlagFalse;
}

// The repetition a phone series' rule gives ("D7" is read as weekly).
QString ruleOf(const PhoneEntry& e)
{
    return e.RRule == QLatin1String("D7") ? QStringLiteral("W1") : e.RRule;
}

// Whether two phone series with matching texts repeat on the same days at the same time: the
// one that starts later is then one of the other's occurrences.
bool sameRepetition(const PhoneEntry& a, const PhoneEntry& b)
{
    if (a.IsSerie == FlagFalse || b.IsSerie == FlagFalse || ruleOf(a) != ruleOf(b) ||
        !CellCompare(a.DisplayText, b.DisplayText))
        return false;
    const DateParts x = vbDateParts(a.StartTime);
    const DateParts y = vbDateParts(b.StartTime);
    if (x.hour != y.hour || x.minute != y.minute || x.second != y.second)
        return false;
    const QString rule = ruleOf(a);
    if (rule == QLatin1String("W1"))
        return vbWeekday(a.StartTime) == vbWeekday(b.StartTime);
    if (rule == QLatin1String("Y1"))
        return x.month == y.month && x.day == y.day;
    return rule == QLatin1String("D1");
}

// The slot of a phone series that already repeats as `entry` does; -1 when none.
int heldSeries(const EntryTable& table, const PhoneEntry& entry)
{
    for (int slot = table.LBound(); slot <= table.UBound(); ++slot)
        if (!table.Entries(slot).Location.isEmpty() && sameRepetition(table.Entries(slot), entry))
            return slot;
    return -1;
}

// The series held in `slot` covers `entry` from its start on: a series that began later is
// moved back to that start (its alarms with it) on the phone, in the table and in the grid.
// Nothing is added. False when the phone refused the change, which then changes nothing.
bool coverFrom(controls::Grid& phoneGrid, EntryTable& table, int slot, const PhoneEntry& entry)
{
    PhoneEntry moved = table.Entries(slot);
    const std::int64_t seconds = vbDateSeconds(entry.StartTime) - vbDateSeconds(moved.StartTime);
    if (seconds >= 0)
        return true;
    const double days = double(seconds / 86400);
    moved.StartTime = entry.StartTime;
    if (moved.DtStartSet != FlagFalse)
        moved.DtStart = DateAdd(QStringLiteral("d"), days, moved.DtStart);
    if (moved.DAlarmSet != FlagFalse)
        moved.DAlarm = DateAdd(QStringLiteral("d"), days, moved.DAlarm);
    if (moved.AAlarmSet != FlagFalse)
        moved.AAlarm = DateAdd(QStringLiteral("d"), days, moved.AAlarm);
    if (!Phone().SendSingleEntry(moved))
        return false;
    RemoveMobileRows(moved.Location);
    table.Entries(slot) = moved;
    InsertGridEntryMobile(phoneGrid, table.Entries(slot), GetFirstEntryRow(phoneGrid), ColPhoneText, ColPcText,
                          ColDateText, ColMark, ColPhoneLocation);
    return true;
}

// The weekday walk of SplitWeeklySerie. With `keepHeld` a weekday the phone already repeats on
// (copied before from another row of the same appointment) gets no second entry.
void splitWeek(controls::Grid& grid, EntryTable& table, const PhoneEntry& entry, bool keepHeld)
{
    const int days = entry.WeekdayMask & 0x7f;
    const int startWeekday = vbWeekday(entry.StartTime);

    // The week's repeating days from the start on, each with the series the phone may already
    // hold for it (from a split made from another row of the same appointment).
    struct Day {
        PhoneEntry work;
        int held;
    };
    std::vector<Day> week;
    PhoneEntry work = entry;
    for (int k = 1; k <= 7; ++k) {
        work.StartTime = DateAdd(QStringLiteral("d"), k - 1, entry.StartTime);
        if (work.DAlarmSet != FlagFalse)
            work.DAlarm = work.StartTime;
        else if (work.AAlarmSet != FlagFalse)
            work.AAlarm = work.StartTime;
        const int weekday = ((startWeekday + k - 2) % 7) + 1;
        if (days & (1 << (weekday - 1)))
            week.push_back(Day{work, keepHeld ? heldSeries(table, work) : -1});
    }
    const int wanted = int(std::count_if(week.begin(), week.end(), [](const Day& d) { return d.held < 0; }));

    int allowance = 7;
    if (wanted > 0 && table.Count + wanted > MobileCapacity) {
        if (table.Count >= MobileCapacity)
            return;
        const int free = MobileCapacity - table.Count;
        const QString question = LangText(TxtFreeEntries) + QStringLiteral(": ") + QString::number(free) + vbCrLf +
                                 LangText(TxtTooManySerieEntries);
        if (MsgBox(question, vbYesNo + vbExclamation, AppTitle) != vbYes)
            return;
        // As many entries as the question announced (counted by entries written, not by days).
        allowance = free;
    }

    for (Day& day : week) {
        if (day.held >= 0) {
            if (!coverFrom(grid, table, day.held, day.work))
                break;
            continue;
        }
        // Both the location and the slot first: nothing is counted or shown for an entry that has
        // no room.
        std::int32_t location = -1;
        std::int16_t slot = -1;
        if (!FindFreeMobileLocation(table, location) || !FindFreeMobileSlot(table, slot))
            break;
        day.work.Location = QString::number(location);
        day.work.LocationIndex = slot;
        if (!WriteNewMobileEntry(grid, table, slot, day.work))
            break;
        if (--allowance == 0)
            break;
    }
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
        // The texts as the phone will hold them, so that the grid shows and matches what it reads back.
        e.Description = PhoneText(item.Subject()).left(kPhoneTextLength);
        e.DisplayText = e.Description;
        e.Summary = PhoneText(item.Body()).left(kPhoneTextLength);
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
            splitWeek(VisibleFG1(), table, e, true);
            // No entry of the week took this row: it shows no phone text either.
            if (grid.textMatrix(row, ColPhoneLocation).isEmpty())
                grid.setTextMatrix(row, ColPhoneText, phoneText);
            return false;
        }
        // A series the phone already holds (copied from another of its rows) is not added twice.
        if (const int held = heldSeries(table, e); held >= 0) {
            const bool covered = coverFrom(VisibleFG1(), table, held, e);
            CompareGrids(VisibleFG1(), VisibleFG2(), ColPhoneText, ColPcText, ColMark);
            if (grid.textMatrix(row, ColPhoneLocation).isEmpty())
                grid.setTextMatrix(row, ColPhoneText, phoneText);
            return covered;
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
    // A start the clock skips stands in the calendar at the time it becomes.
    const VbDate at = onTheClock(entry.StartTime);
    const std::int64_t start = vbDateSeconds(at);
    for (auto item = items.Find(CalendarFilter(at, at)); item; item = items.FindNext())
        if (vbDateSeconds(fromDateTime(item->Start())) == start && CellCompare(entry.DisplayText, item->Subject()))
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
        // The text the grid shows: an entry may carry it in its summary alone.
        item.setSubject(entry.DisplayText);
        item.setBody(entry.DisplayText);
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
    splitWeek(grid, table, entry, false);
    return false;
}

} // namespace tessaro
