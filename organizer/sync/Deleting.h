// Removing entries: a row of either grid, one phone entry on the phone, in the table and in the
// grids, every phone entry, one side of every grid, whole grids; and the reset after a failed link.
#pragma once

#include "organizer/link/PhoneEntry.h"
#include "organizer/sync/GridRows.h"

#include <cstdint>

namespace tessaro {

// Deletes the current row's side `column` (4 or 9): in the grid of that side the row goes (a
// grid keeps its least row count by a blank row appended first); in the other grid only that
// side's cells are emptied and the marks recomputed. A PC row also empties the PC cells of the
// phone grid's row that shows it. Any other column changes nothing. Ends on the first entry row.
bool DeleteGridEntry(controls::Grid& grid, int column);

// Deletes the phone entry of the grid's current row: on the phone first, and only once the phone
// confirmed, its rows and its record. True when it was deleted.
bool DeleteSelectedMobileEntry(controls::Grid& grid, EntryTable& table);

// Removes the phone side from every grid and the table, then deletes every location on the
// phone, giving a failed location one more try after reopening the link. True when all went;
// locations from a failed one on are then held as possibly occupied.
bool DeleteAllMobileEntries(EntryTable& table);

// Clears FG1 (when phone entries are shown) and FG2 (when appointments are shown) through their
// hidden twins.
bool ClearBothGrids();
// Empties `newGrid`, rewrites its headers, resets its side and shows it in place of `oldGrid`;
// `bufferIndex` (ActiveGridIndexFG1 or FG2) then names it.
void ClearGrid(controls::Grid& newGrid, controls::Grid& oldGrid, std::int16_t& bufferIndex);

// Removes one side's entries from all four grid instances and resets that side (column 9 also
// empties the table).
bool ClearEntriesInCol(EntryTable& table, int column);

// Deletes the phone entry at the location the text names: on the phone first; once the phone
// confirmed, its rows in every grid instance and its record. True when both went.
bool DeleteMobileEntryByID(EntryTable& table, const QString& location);

// Removes the rows of a phone location from every grid instance (FG1 rows go, FG2 rows lose
// their phone cells), without asking the phone.
void RemoveMobileRows(const QString& location);

// Removes the rows of an appointment from every grid instance; the calendar is not touched.
// Always false.
bool DeleteOrgEntryByID(const QString& entryId);

} // namespace tessaro
