// The marks that pair the rows of the phone grid and the PC grid: the mark of a row, the
// matching of a phone row (and each occurrence of a phone series) with the PC rows of the same
// start and a matching text, and the sync pictogram a mark shows.
#pragma once

#include "organizer/sync/GridRows.h"

namespace tessaro {

// True when the texts (leading blanks dropped, each as the phone would hold it) are both empty,
// or the shorter occurs in the longer, letter case counting.
bool CellCompare(const QString& a, const QString& b);

// The mark of one row from its two identifier columns (left of each text column) and texts;
// "g" for every row while the phone's or the calendar's entries are not loaded.
void FillCellControll(controls::Grid& grid, int row, int pcTextColumn, int phoneTextColumn, int markColumn);
// The same for every row from `firstRow` to the last, empty rows included.
void FillGridControll(controls::Grid& grid, int firstRow, int pcTextColumn, int phoneTextColumn, int markColumn);

// Matches phone row `row` of `phoneGrid` with the PC rows of the same start and a matching text,
// a series occurrence by occurrence inside the range; a match marks both rows "j" and copies
// each side's text and identifier into the other row. False only after an error.
bool FindCompare(controls::Grid& phoneGrid, controls::Grid& pcGrid, int row, int phoneTextColumn, int pcTextColumn,
                 int markColumn);

// Copies a cell's text, its identifier (the column left of it) and its picture into another grid.
bool CopyCell(controls::Grid& source, controls::Grid& target, int sourceRow, int sourceColumn, int targetRow,
              int targetColumn);

// The sync pictogram of a row by its mark ("j", "r", "l"; none for "g"); nothing at all without
// the desktop calendar.
void FillCellPicture(controls::Grid& grid, int row, int pictureColumn, int markColumn);
void FillGridPicture(controls::Grid& grid, int firstRow, int pictureColumn, int markColumn);

// Matches every phone row, from the first entry row to the first without a phone text.
void CompareGrids(controls::Grid& phoneGrid, controls::Grid& pcGrid, int phoneTextColumn, int pcTextColumn,
                  int markColumn);

// Empties one side (the text column and the two left of it, the text cell's picture) of the
// rows first .. end - 1 (an end below 1: to the last row), with the date column when asked.
void ClearGridColumnCells(controls::Grid& grid, int textColumn, int firstRow, int endRow, bool withDateColumn);

} // namespace tessaro
