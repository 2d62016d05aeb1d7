// Small look-ups on the entry grids that the transfers, the deletes, the calendar access and the
// entry editor share. (The look-ups on PhoneEntryTable live with the table in the link.)
#pragma once

#include "organizer/link/VbDate.h"
#include "organizer/sync/GridRows.h"

namespace tessaro {

// The first entry row, below the header rows.
int GetFirstEntryRow(const controls::Grid& grid);
// The least row count of the grid's pair.
int GetMinGridRows(const controls::Grid& grid);
// The identifier column and the reserved column of a side, by its text column (4 or 9).
int GetIdColumn(int textColumn);
int GetHiddenColumn(int textColumn);

// True when the day of the date lies in the range's days, both ends included (the time of day
// does not count). The text version reads a date in the short date or date-time format, or a
// sort key; another text raises the type-mismatch error.
bool IsDateInRange(VbDate date);
bool IsDateInRange(const QString& dateText);

// Selects the first entry row whose EntryID column holds `entryId` exactly, with the PC text
// column; false, with the selection unchanged, when no row does.
bool FindGridRowByEntryID(controls::Grid& grid, const QString& entryId);

} // namespace tessaro
