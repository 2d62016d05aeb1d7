// What the user does in the two entry grids: a click records the selection and makes the grid
// current; a double click opens, creates or copies an entry by the column it hits; FGClick is the
// action behind both (a copy by the row's mark, or the phone entry's editor). Also the commands
// that clear one side of the grids.
#pragma once

#include "platform/ui/controls/Grid.h"

#include <cstdint>

namespace tessaro {

// The cell number of a row and column: the grid's column count times the row plus the column.
std::int32_t FGIndex(int row, int column, const torvane::controls::Grid& grid);

// A click on instance `index`: its current cell goes into its grid's fields of GridSelection and
// it becomes CurrentGrid (for FG2 the visible instance does).
void FG1_Click(int index);
void FG2_Click(int index);
void FG1_GotFocus(int index);
void FG2_GotFocus(int index);

// Double clicks, refused while the link or a command is busy. FG1: the phone text and the sync
// pictogram go to FGClick; another column opens the row's appointment from FG2 (error -1978 when
// FG2 has no row of it) or, without one, starts a new appointment. FG2: the pictogram goes to
// FGClick, the PC or phone text opens its entry or starts a new one.
void FG1_DblClick(int index);
void FG2_DblClick(int index);

// Nothing unless the phone is connected. On the pictogram: an "l" row is copied to the calendar,
// an "r" row to the phone (with room left on it). On the phone text: the phone is read first when
// it was not, then the entry editor opens on the row's entry, or on a new one when the row has
// none and the phone has room.
void FGClick(torvane::controls::Grid& grid);

// Empties the phone side of the visible FG1, with the dates, and the phone table (the command of
// the grid that stands alone without the desktop calendar); Menu_ClearAppSingle_Click is the same.
void ClearAppSingle_Click();
void Menu_ClearAppSingle_Click();
// The phone side goes from the grids (through the hidden FG1 twin) and the table; the calendar
// rows lose their phone cells and are marked again.
void ClearMobileCol_Click();
// The calendar side goes from the grids (through the hidden FG2 twin); the phone rows lose their
// calendar cells and are marked again.
void ClearOutlookCol_Click();

} // namespace tessaro
