#include "organizer/mainwindow/GridInteraction.h"

#include "organizer/mainwindow/CommandWindows.h"
#include "organizer/mainwindow/EntryCommands.h"
#include "organizer/mainwindow/MainFormControls.h"
#include "organizer/mainwindow/MainFormState.h"

#include "organizer/daterange/Calendar.h"
#include "organizer/link/ComDrv.h"
#include "organizer/link/MainWindowSeams.h"
#include "organizer/link/MessageBox.h"
#include "organizer/link/MobileStatus.h"
#include "organizer/link/OrgError.h"
#include "organizer/link/PhoneEntry.h"
#include "organizer/link/PublicVar.h"
#include "organizer/link/ReadMobile.h"
#include "organizer/link/StatusDisplay.h"
#include "organizer/link/TessaroStrings.h"
#include "organizer/sync/GridLookups.h"
#include "organizer/sync/GridRows.h"
#include "organizer/sync/SyncMarks.h"
#include "organizer/sync/TIVOutlook.h"
#include "organizer/sync/Transfer.h"

namespace tessaro {

namespace {

constexpr int TxtTooManyEntries = 113;
constexpr int TxtSourceEntryNotFound = 166;

// Which side of GridSelection a grid's click fills.
struct SelectionFields {
    std::int16_t& cell;
    std::int16_t& row;
    std::int16_t& col;
};

void recordClick(controls::Grid& grid, SelectionFields fields, GridInstance current)
{
    const int row = grid.row();
    const int col = grid.col();
    fields.col = std::int16_t(col);
    fields.row = std::int16_t(row);
    fields.cell = std::int16_t(FGIndex(row, col, grid));
    CurrentGrid = current;
    controls::Grid& target = GridOf(current);
    target.setCol(col);
    target.setRow(row);
}

// Marks and pictograms of a grid's rows once one side's cells are gone.
void markAgain(controls::Grid& grid)
{
    FillGridControll(grid, FirstEntryRow, ColPcText, ColPhoneText, ColMark);
    FillGridPicture(grid, FirstEntryRow, ColSyncPicture, ColMark);
}

// Flips a pair's index to its hidden twin and empties it; the caller shows it once it is ready.
controls::Grid& takeHiddenTwin(GridName pair)
{
    std::int16_t& index = pair == GridName::FG1 ? ActiveGridIndexFG1 : ActiveGridIndexFG2;
    index = std::int16_t(1 - index);
    controls::Grid& twin = GridOf({pair, index});
    twin.clear();
    MainForm().GridHeadlines();
    RefreshDateRange();
    return twin;
}

// Shows the instance the pair's index names and hides its twin.
void showNamedInstance(GridName pair)
{
    const GridInstance shown = VisibleGrid(pair);
    GridOf(shown).setVisible(true);
    GridOf({pair, 1 - shown.index}).setVisible(false);
}

// The phone text of a row: the editor opens on its entry, or on a new one.
void openPhoneEntry(controls::Grid& grid)
{
    MainFormSteps& form = MainForm();
    form.SetBusyPointer();
    const bool isNew = grid.textMatrix(grid.row(), ColPhoneLocation).isEmpty();
    if (!MobileEntriesRead) {
        StatusDisplay& status = StatusWindow();
        status.Start(LangText(TxtAppCaption), false);
        status.SetText(LangText(TxtReadingEntries));
        ReadMobile(true);
        status.Quit();
        if (!MobileEntriesRead) {
            form.SetNormalPointer();
            return;
        }
    }
    ClearCurrentEntry();
    if (isNew) {
        if (MobileEntryCount < MobileCapacity) {
            CurrentEntry.Summary.clear();
            Windows().MobileEntryFormShow();
        }
    } else {
        // The row names its location; the table holds the entry read from there.
        std::int16_t index = -1;
        if (GetMobileEntryIndex(PhoneEntryTable, grid.textMatrix(grid.row(), ColPhoneLocation), index)) {
            CurrentEntry = PhoneEntryTable.Entries(index);
            Windows().MobileEntryFormShow();
        }
    }
    form.SetNormalPointer();
}

// The pictogram of a row: a copy to the side that lacks the entry.
void copyByMark(controls::Grid& grid)
{
    const int row = grid.row();
    if (row <= 0)
        return;
    MainFormSteps& form = MainForm();
    const QString mark = grid.textMatrix(row, ColMark);
    if (mark == MarkToPc) {
        std::int16_t index = -1;
        if (GetMobileEntryIndex(PhoneEntryTable, grid.textMatrix(row, ColPhoneLocation), index)) {
            form.SetBusyPointer();
            EntryMobileToOutlook(VisibleFG2(), PhoneEntryTable.Entries(index), OutlookApplication());
            form.SetProgressStatus(OrganizerName, OrganizerEntryCount, false);
        }
    } else if (mark == MarkToPhone) {
        if (PhoneEntryTable.Count < MobileCapacity) {
            form.SetBusyPointer();
            EntryOutlookToMobile(grid, PhoneEntryTable, OutlookApplication());
        } else {
            MsgBox(LangText(TxtTooManyEntries) + QStringLiteral(": ") + QString::number(MobileCapacity), vbInformation,
                   AppTitle);
        }
    }
    form.SetNormalPointer();
}

// A double click is a command of its own: none runs beside it.
template <class F>
void doubleClickCommand(const QString& procName, F&& f)
{
    if (LinkBusy || CommandBusy)
        return;
    CommandBusy = true;
    runCommand(procName, f);
    CommandBusy = false;
}

} // namespace

std::int32_t FGIndex(int row, int column, const controls::Grid& grid)
{
    return std::int32_t(grid.cols()) * row + column;
}

void FG1_Click(int index)
{
    controls::Grid& grid = Main_Form().FG1[std::size_t(index)];
    recordClick(grid, {GridSelection.FG1Cell, GridSelection.FG1Row, GridSelection.FG1Col}, {GridName::FG1, index});
}

void FG2_Click(int index)
{
    controls::Grid& grid = Main_Form().FG2[std::size_t(index)];
    recordClick(grid, {GridSelection.FG2Cell, GridSelection.FG2Row, GridSelection.FG2Col}, VisibleGrid(GridName::FG2));
}

void FG1_GotFocus(int index)
{
    CurrentGrid = {GridName::FG1, index};
}

void FG2_GotFocus(int)
{
    CurrentGrid = VisibleGrid(GridName::FG2);
}

void FG1_DblClick(int index)
{
    doubleClickCommand(QStringLiteral("FG1_DblClick"), [index] {
        controls::Grid& grid = Main_Form().FG1[std::size_t(index)];
        const int col = grid.col();
        if (col == ColPhoneText || col == ColSyncPicture) {
            FGClick(grid);
            return;
        }
        const QString id = grid.textMatrix(grid.row(), ColEntryId);
        if (id.isEmpty()) {
            NewOutlookEntry(VisibleFG2());
        } else if (FindGridRowByEntryID(VisibleFG2(), id)) {
            OpenOutlookEntry(VisibleFG2());
        } else {
            const controls::Grid& phone = VisibleFG1();
            throw OrgError(ErrSourceEntryNotFound, QStringLiteral("FG1_DblClick"),
                           LangText(TxtSourceEntryNotFound) + QStringLiteral(": ") +
                               phone.textMatrix(phone.row(), ColPhoneText));
        }
    });
}

void FG2_DblClick(int)
{
    doubleClickCommand(QStringLiteral("FG2_DblClick"), [] {
        controls::Grid& grid = VisibleFG2();
        grid.setFocus();
        FG2_Click(ActiveGridIndexFG2);
        const int row = grid.row();
        switch (grid.col()) {
        case ColSyncPicture:
            FGClick(grid);
            break;
        case ColPcText:
            grid.textMatrix(row, ColEntryId).isEmpty() ? NewEntry() : OpenEntry();
            break;
        case ColPhoneText:
            grid.textMatrix(row, ColPhoneLocation).isEmpty() ? NewEntry() : OpenEntry();
            break;
        default:
            break;
        }
    });
}

void FGClick(controls::Grid& grid)
{
    if (!MobileConnected)
        return;
    if (grid.col() == ColSyncPicture)
        copyByMark(grid);
    else if (grid.col() == ColPhoneText)
        openPhoneEntry(grid);
}

void ClearAppSingle_Click()
{
    MainFormSteps& form = MainForm();
    form.SetBusyPointer();
    controls::Grid& phone = VisibleFG1();
    ClearGridColumnCells(phone, ColPhoneText, FirstEntryRow, phone.rows(), true);
    ClearEntryTable();
    ShowMobileStatus();
    form.SetNormalPointer();
}

void Menu_ClearAppSingle_Click()
{
    ClearAppSingle_Click();
}

void ClearMobileCol_Click()
{
    MainFormSteps& form = MainForm();
    controls::Grid& phone = takeHiddenTwin(GridName::FG1);
    form.SetBusyPointer();
    if (OrganizerEntriesRead && OrganizerEntryCount > 0) {
        controls::Grid& pc = VisibleFG2();
        ClearGridColumnCells(pc, ColPhoneText, FirstEntryRow, 0, false);
        markAgain(pc);
    }
    ClearEntryTable();
    ShowMobileStatus();
    form.SetNormalPointer();
    showNamedInstance(GridName::FG1);
    phone.setRow(phone.fixedRows());
    phone.setFocus();
}

void ClearOutlookCol_Click()
{
    takeHiddenTwin(GridName::FG2);
    OrganizerEntriesRead = false;
    OrganizerEntryCount = 0;
    controls::Grid& phone = VisibleFG1();
    if (MobileEntriesRead && MobileEntryCount > 0) {
        ClearGridColumnCells(phone, ColPcText, FirstEntryRow, 0, false);
        markAgain(phone);
    }
    MainForm().SetProgressStatus(OrganizerName, 0, false);
    ShowMobileStatus();
    showNamedInstance(GridName::FG2);
    phone.setRow(phone.topRow());
    phone.setFocus();
}

} // namespace tessaro
