#include "organizer/sync/Deleting.h"

#include "organizer/daterange/Calendar.h"
#include "organizer/link/MainWindowSeams.h"
#include "organizer/link/MobileStatus.h"
#include "organizer/link/PublicVar.h"
#include "organizer/link/TextRoutines.h"
#include "organizer/mainwindow/MainFormControls.h"
#include "organizer/sync/GridLookups.h"
#include "organizer/sync/PhoneCalls.h"
#include "organizer/sync/RowInsert.h"
#include "organizer/sync/SyncErrors.h"
#include "organizer/sync/SyncMarks.h"

namespace tessaro {

namespace {

void recomputeMarks(controls::Grid& grid)
{
    FillGridControll(grid, GetFirstEntryRow(grid), ColPcText, ColPhoneText, ColMark);
    FillGridPicture(grid, GetFirstEntryRow(grid), ColSyncPicture, ColMark);
}

std::array<controls::Grid*, 4> allInstances()
{
    MainFormControls& f = Main_Form();
    return {&f.FG1[0], &f.FG1[1], &f.FG2[0], &f.FG2[1]};
}

// Passes every row whose `matchColumn` holds `text` (every non-empty one for an empty `text`),
// from the bottom up, to DeleteGridEntry with `column`.
void deleteRowsOf(int matchColumn, const QString& text, int column)
{
    for (controls::Grid* g : allInstances()) {
        for (int row = g->rows() - 1; row >= GetFirstEntryRow(*g); --row) {
            const QString cell = g->textMatrix(row, matchColumn);
            if (text.isEmpty() ? cell.isEmpty() : cell != text)
                continue;
            g->setRow(row);
            g->setCol(column);
            DeleteGridEntry(*g, column);
        }
    }
}

} // namespace

bool DeleteGridEntry(controls::Grid& grid, int column)
{
    try {
        const int row = grid.row();
        const bool fg2 = IsFG2(grid);
        const bool ownSide = (column == ColPhoneText && !fg2) || (column == ColPcText && fg2);
        const bool otherSide = (column == ColPhoneText && fg2) || (column == ColPcText && !fg2);
        if (ownSide) {
            if (column == ColPcText) {
                controls::Grid& phoneGrid = VisibleFG1();
                if (FindGridRowByEntryID(phoneGrid, grid.textMatrix(row, ColEntryId))) {
                    const int c = phoneGrid.col();
                    ClearEntry(phoneGrid, phoneGrid.row(), c, GetIdColumn(c), GetHiddenColumn(c));
                    recomputeMarks(phoneGrid);
                }
            }
            if (grid.rows() <= GetMinGridRows(grid))
                AddGridRow(grid, -1);
            grid.removeItem(row);
            MainForm().TIVResize();
        } else if (otherSide) {
            ClearEntry(grid, row, column, GetIdColumn(column), GetHiddenColumn(column));
            recomputeMarks(grid);
        }
        grid.setRow(GetFirstEntryRow(grid));
        grid.setCol(column);
        return true;
    } catch (...) {
        ShowSyncError(QStringLiteral("DeleteGridEntry"));
        return false;
    }
}

bool DeleteSelectedMobileEntry(controls::Grid& grid, EntryTable& table)
{
    bool deleted = false;
    std::int16_t index = -1;
    if (GetMobileEntryIndex(table, grid.textMatrix(grid.row(), ColPhoneLocation), index))
        deleted = DeleteMobileEntryByID(table, table.Entries(index).Location);
    ShowMobileStatus();
    return deleted;
}

bool DeleteAllMobileEntries(EntryTable& table)
{
    ClearEntriesInCol(table, ColPhoneText);
    bool secondChanceUsed = false;
    bool complete = true;
    for (int location = FirstLocation; location <= LastLocation; ++location) {
        bool done = Phone().RemoveEntryFromMobile(std::int16_t(location));
        if (!done && !secondChanceUsed) {
            secondChanceUsed = true;
            done = Phone().InitComm() && Phone().RemoveEntryFromMobile(std::int16_t(location));
        }
        if (!done) {
            // What is left on the phone is not known: no write may take these locations.
            for (int rest = location; rest <= LastLocation; ++rest)
                table.Reserve(rest);
            complete = false;
            break;
        }
        MobileEntryCount = table.Count;
    }
    if (complete) {
        table.ClearReservations();
        MobileEntriesRead = true;
    }
    ShowMobileStatus();
    return complete;
}

bool ClearBothGrids()
{
    MainFormControls& f = Main_Form();
    if (MobileEntriesRead && MobileEntryCount > 0)
        ClearGrid(f.FG1[std::size_t(1 - ActiveGridIndexFG1)], f.FG1[std::size_t(ActiveGridIndexFG1)],
                  ActiveGridIndexFG1);
    if (OrganizerEntriesRead && OrganizerEntryCount > 0)
        ClearGrid(f.FG2[std::size_t(1 - ActiveGridIndexFG2)], f.FG2[std::size_t(ActiveGridIndexFG2)],
                  ActiveGridIndexFG2);
    controls::Grid& phoneGrid = VisibleFG1();
    phoneGrid.setFocus();
    phoneGrid.setRow(phoneGrid.fixedRows());
    phoneGrid.setCol(ColPhoneText);
    return true;
}

void ClearGrid(controls::Grid& newGrid, controls::Grid& oldGrid, std::int16_t& bufferIndex)
{
    bufferIndex = std::int16_t((bufferIndex + 1) % 2);
    newGrid.clear();
    MainForm().GridHeadlines();
    RefreshDateRange();
    if (IsFG2(newGrid)) {
        OrganizerEntriesRead = false;
        OrganizerEntryCount = 0;
    } else {
        ClearEntryTable();
        MobileEntriesRead = false;
        MobileEntryCount = PhoneEntryTable.Count;
    }
    MainForm().SetProgressStatus(OrganizerName, OrganizerEntryCount, false);
    ShowMobileStatus();
    newGrid.setVisible(true);
    oldGrid.setVisible(false);
    newGrid.setRow(newGrid.fixedRows());
}

bool ClearEntriesInCol(EntryTable& table, int column)
{
    try {
        deleteRowsOf(column, QString(), column);
        if (column == ColPhoneText) {
            for (int i = table.LBound(); i <= table.UBound(); ++i)
                ClearEntryRecord(table.Entries(i));
            table.Count = 0;
            MobileEntriesRead = false;
        } else {
            OrganizerEntryCount = 0;
            OrganizerEntriesRead = false;
        }
        controls::Grid& pcGrid = VisibleFG2();
        pcGrid.setRow(GetFirstEntryRow(pcGrid));
        pcGrid.setCol(ColPhoneText);
        return true;
    } catch (...) {
        ShowSyncError(QStringLiteral("ClearEntriesInCol"));
        return false;
    }
}

bool DeleteMobileEntryByID(EntryTable& table, const QString& location)
{
    try {
        const PhoneEntry& entry = table.Entries(int(LeadingNumber(location)));
        // The phone first: a row or record dropped before it confirmed would hide an entry it keeps.
        if (!Phone().RemoveEntryFromMobile(entry.LocationIndex))
            return false;
        RemoveMobileRows(location);
        return RemoveTableEntry(table, location);
    } catch (...) {
        ShowSyncError(QStringLiteral("DeleteMobileEntryByID"));
        return false;
    }
}

void RemoveMobileRows(const QString& location)
{
    if (!location.isEmpty())
        deleteRowsOf(ColPhoneLocation, location, ColPhoneText);
}

bool DeleteOrgEntryByID(const QString& entryId)
{
    try {
        if (!entryId.isEmpty())
            deleteRowsOf(ColEntryId, entryId, ColPcText);
    } catch (...) {
        ShowSyncError(QStringLiteral("DeleteOrgEntryByID"));
    }
    return false;
}

} // namespace tessaro
