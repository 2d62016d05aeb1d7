#include "organizer/sync/TIVOutlook.h"

#include "organizer/daterange/Calendar.h"
#include "organizer/link/MainWindowSeams.h"
#include "organizer/link/PublicVar.h"
#include "organizer/link/StatusDisplay.h"
#include "organizer/link/TessaroStrings.h"
#include "organizer/mainwindow/MainFormControls.h"
#include "organizer/sync/Deleting.h"
#include "organizer/sync/GridFill.h"
#include "organizer/sync/GridLookups.h"
#include "organizer/sync/RowInsert.h"
#include "organizer/sync/SyncErrors.h"
#include "organizer/sync/SyncMarks.h"

#include "platform/outlook/NameSpace.h"

namespace tessaro {

outlook::Application& OutlookApplication()
{
    if (!OutlookApp) {
        outlook::ApplicationOptions options = OutlookOptions;
        options.shortDateTimeFormat = ShortDateTimeFormat;
        options.dateNames = RegionalDateNames();
        QString whyNot;
        OutlookApp = outlook::Application::create(options, &whyNot);
        if (!OutlookApp)
            throw outlook::Error(outlook::ErrCalendarUnreadable, whyNot);
    }
    return *OutlookApp;
}

namespace {

void matchVisibleGrids()
{
    CompareGrids(VisibleFG1(), VisibleFG2(), ColPhoneText, ColPcText, ColMark);
}

void readAgain()
{
    MainForm().SetBusyPointer();
    ReadOutlook(true);
    MainForm().SetNormalPointer();
}

void recomputeMarks(controls::Grid& grid)
{
    FillGridControll(grid, FirstEntryRow, ColPcText, ColPhoneText, ColMark);
    FillGridPicture(grid, FirstEntryRow, ColSyncPicture, ColMark);
}

bool inRange(const outlook::AppointmentItem& item)
{
    const std::int64_t at = vbDateSeconds(fromDateTime(item.Start()));
    return at >= vbDateSeconds(RangeStart) && at <= vbDateSeconds(RangeEnd);
}

} // namespace

bool ReadOutlook(bool silent)
{
    if (!OrganizerAvailable)
        return false;
    StatusDisplay& status = StatusWindow();
    bool started = false;
    bool flipped = false;
    bool swapped = false;
    try {
        status.Start(LangText(TxtAppointments), silent);
        started = true;
        ActiveGridIndexFG2 = std::int16_t((ActiveGridIndexFG2 + 1) % 2);
        flipped = true;
        controls::Grid& fresh = VisibleFG2();
        controls::Grid& old = Main_Form().FG2[std::size_t(1 - ActiveGridIndexFG2)];
        fresh.clear();

        const bool filled = FillGridOutlookEntry(OutlookApplication(), FirstEntryRow, ColPcText, ColPhoneText,
                                                 ColMark, ColEntryId, RangeStart, RangeEnd);
        if (MobileEntriesRead && OrganizerEntriesRead) {
            controls::Grid& phoneGrid = VisibleFG1();
            ClearGridColumnCells(phoneGrid, ColPcText, phoneGrid.fixedRows(), -1, false);
            recomputeMarks(phoneGrid);
            recomputeMarks(fresh);
            if (filled)
                CompareGrids(phoneGrid, fresh, ColPhoneText, ColPcText, ColMark);
        }
        MainForm().GridHeadlines();
        fresh.setVisible(true);
        old.setVisible(false);
        swapped = true;
        fresh.setCol(ColPcText);
        fresh.setRow(fresh.fixedRows());
        fresh.setFocus();
        MainForm().FG2_Click(ActiveGridIndexFG2);
        RefreshDateRange();
        MainForm().TIVResize();
        status.Quit();
    } catch (...) {
        ShowSyncError(QStringLiteral("ReadOutlook"));
        // The half-filled twin stays hidden, and the window waits for nobody.
        if (flipped && !swapped)
            ActiveGridIndexFG2 = std::int16_t((ActiveGridIndexFG2 + 1) % 2);
        if (started)
            status.Quit();
    }
    return false;
}

bool NewOutlookEntry(controls::Grid& grid)
{
    if (!OrganizerAvailable)
        return false;
    try {
        outlook::Items items =
            OutlookApplication().GetNamespace(QStringLiteral("MAPI")).GetDefaultFolder(outlook::CalendarFolder).Items();
        outlook::AppointmentItem item = items.Add(outlook::AppointmentItemType);
        item.Save();
        // Saved by the user means saved again: however long the window stayed open afterwards.
        const QDateTime firstSave = item.LastModificationTime();
        item.Display(true);
        if (item.LastModificationTime() == firstSave) {
            try {
                item.Delete();
            } catch (const outlook::Error& e) {
                // Deleted in its own window already.
                if (e.number() != outlook::ErrItemDeleted)
                    throw;
            }
            return false;
        }
        OrganizerEntriesRead = true;
        if (item.IsRecurring()) {
            readAgain();
            return true;
        }
        bool shown = false;
        if (inRange(item)) {
            bool added = false;
            InsertGridEntry(grid, item, FirstEntryRow, ColPcText, ColPhoneText, ColDateText, ColMark, ColEntryId,
                            &added);
            if (added)
                ++OrganizerEntryCount;
            OrganizerEntriesRead = true;
            matchVisibleGrids();
            MainForm().SetProgressStatus(OrganizerName, OrganizerEntryCount, false);
            shown = true;
        }
        VisibleFG2().setFocus();
        MainForm().FG2_Click(ActiveGridIndexFG2);
        return shown;
    } catch (...) {
        ShowSyncError(QStringLiteral("NewOutlookEntry"));
        return false;
    }
}

void OpenOutlookEntry(controls::Grid& grid)
{
    if (grid.col() != ColPcText)
        return;
    try {
        const outlook::NameSpace ns = OutlookApplication().GetNamespace(QStringLiteral("MAPI"));
        const int row = grid.row();
        const int column = grid.col();
        GridSelection.FG2Col = std::int16_t(column);
        GridSelection.FG2Row = std::int16_t(row);
        GridSelection.FG2Cell = std::int16_t(grid.cols() * row + column);

        std::optional<outlook::AppointmentItem> found;
        try {
            found = ns.Session().GetItemFromID(grid.textMatrix(row, ColEntryId));
        } catch (const outlook::Error& e) {
            // Not there (any more): the row goes. A calendar that cannot be read says nothing of it.
            if (e.number() != outlook::ErrItemNotFound && e.number() != outlook::ErrItemDeleted)
                throw;
        }
        if (!found) {
            DeleteGridEntry(grid, ColPcText);
        } else {
            outlook::AppointmentItem& item = *found;
            const QDateTime start = item.Start();
            const bool wasRecurring = item.IsRecurring();
            int pattern = 0;
            if (wasRecurring)
                pattern = item.GetRecurrencePattern().RecurrenceType();
            else
                item.ClearRecurrencePattern();
            const QDateTime modified = item.LastModificationTime();
            item.Display(true);

            std::optional<outlook::Error> failure;
            const SaveOutcome saved = TrySaveOutlookItem(item, &failure);
            if (saved == SaveOutcome::Failed)
                throw *failure;
            if (saved == SaveOutcome::Deleted) {
                if (wasRecurring)
                    readAgain();
                else
                    DeleteGridEntry(grid, ColPcText);
            } else if (item.LastModificationTime() != modified) {
                const bool recurring = item.IsRecurring();
                if (wasRecurring && recurring && item.GetRecurrencePattern().RecurrenceType() == pattern &&
                    item.Start() == start) {
                    // A series whose days stayed: its rows stay.
                } else if (wasRecurring || recurring) {
                    readAgain();
                } else {
                    DeleteGridEntry(grid, ColPcText);
                    if (IsDateInRange(fromDateTime(item.Start()))) {
                        InsertGridEntry(grid, item, grid.fixedRows(), ColPcText, ColPhoneText, ColDateText, ColMark,
                                        ColEntryId);
                        matchVisibleGrids();
                    }
                }
            }
        }
        MainForm().SetProgressStatus(OrganizerName, OrganizerEntryCount, false);
    } catch (const outlook::Error& e) {
        throw AsOrgError(e);
    }
}

} // namespace tessaro
