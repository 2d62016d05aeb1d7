#include "organizer/sync/GridFill.h"

#include "organizer/daterange/DateTexts.h"
#include "organizer/link/MainWindowSeams.h"
#include "organizer/link/PublicVar.h"
#include "organizer/link/StatusDisplay.h"
#include "organizer/link/TessaroStrings.h"
#include "organizer/mainwindow/MainFormControls.h"
#include "organizer/sync/GridRows.h"
#include "organizer/sync/RowInsert.h"
#include "organizer/sync/SyncErrors.h"

#include "platform/outlook/NameSpace.h"
#include "platform/ui/datetext/DatePicture.h"

namespace tessaro {

bool FillGridMobileEntry(const EntryTable& table, int textColumn, int otherTextColumn, int markColumn,
                         int locationColumn)
{
    try {
        controls::Grid& grid = GridOf({GridName::FG1, ActiveGridIndexFG1});
        StatusDisplay& status = StatusWindow();
        int count = 0;
        for (int location = FirstLocation; location <= LastLocation; ++location) {
            if (!table.contains(location))
                continue;
            const PhoneEntry& entry = table.Entries(location);
            if (entry.Location.isEmpty())
                continue;
            ++count;
            status.SetText(LangText(TxtMobile) + QLatin1Char(' ') + LangText(TxtEntry) + QStringLiteral(": ") +
                           QString::number(count));
            // An entry without a row stays in the table: its object is on the phone, and a
            // location dropped here would look free to the next write.
            if (!InsertGridEntryMobile(grid, entry, grid.fixedRows(), textColumn, otherTextColumn, ColDateText,
                                       markColumn, locationColumn))
                return false;
        }
        return true;
    } catch (...) {
        ShowSyncError(QStringLiteral("FillGridMobileEntry"));
        return false;
    }
}

QString CalendarFilter(VbDate from, VbDate to)
{
    // The regional picture with the year in full: a two-digit year would be read back in a
    // century window and miss every appointment from 2030 on.
    const QString picture = torvane::datetext::withFullYears(ShortDateTimeFormat);
    const QChar quote(u'"');
    return QStringLiteral("[Start]>=") + quote + FormatDate(from, picture) + quote + QStringLiteral(" and [Start] <=") +
           quote + FormatDate(to, picture) + quote;
}

bool FillGridOutlookEntry(const outlook::Application& application, int firstRow, int textColumn,
                          int otherTextColumn, int markColumn, int idColumn, VbDate from, VbDate to)
{
    try {
        const QString filter = CalendarFilter(from, to);
        outlook::Items items =
            application.GetNamespace(QStringLiteral("MAPI")).GetDefaultFolder(outlook::CalendarFolder).Items();
        items.setIncludeRecurrences(true);
        items.Sort(QStringLiteral("[Start]"));
        StatusDisplay& status = StatusWindow();
        status.SetText(LangText(TxtSearchingCalendar));
        controls::Grid& grid = GridOf({GridName::FG2, ActiveGridIndexFG2});

        bool goOn = true;
        bool found = false;
        int inserted = 0;
        int n = 1;
        for (auto item = items.Find(filter); item; item = items.FindNext(), ++n) {
            found = true;
            status.SetText(OrganizerName + LangText(TxtSearchingCalendar) + QStringLiteral(": ") +
                           QString::number(n));
            bool added = false;
            InsertGridEntry(grid, *item, firstRow, textColumn, otherTextColumn, ColDateText, markColumn, idColumn,
                            &added);
            // The count is of the rows shown: one inserted just before a cancel is shown too.
            if (added)
                ++inserted;
            goOn = status.GetState();
            if (!goOn)
                break;
        }
        OrganizerEntryCount = std::int16_t(inserted);
        OrganizerEntriesRead = true;
        MainForm().SetProgressStatus(OrganizerName, OrganizerEntryCount, false);
        return goOn && found;
    } catch (...) {
        ShowSyncError(QStringLiteral("FillGridOutlookEntry"));
        return false;
    }
}

SaveOutcome TrySaveOutlookItem(outlook::AppointmentItem& item, std::optional<outlook::Error>* failure)
{
    try {
        item.Save();
        return SaveOutcome::Saved;
    } catch (const outlook::Error& e) {
        if (e.number() == outlook::ErrItemDeleted)
            return SaveOutcome::Deleted;
        if (failure)
            *failure = e;
        return SaveOutcome::Failed;
    }
}

} // namespace tessaro
