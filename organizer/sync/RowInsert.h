// Putting single rows into the grids at their sorted place: an appointment (or one occurrence)
// into the PC grid, a phone entry into the phone grid, and the small row upkeep around them.
#pragma once

#include "organizer/link/PhoneEntry.h"
#include "organizer/sync/GridRows.h"

#include "platform/outlook/AppointmentItem.h"
#include "platform/ui/controls/ImageList.h"

namespace tessaro {

namespace outlook = torvane::outlook;

// Where an entry goes: a row to reuse, or the row at which a new one is inserted.
enum class InsertKind { Reuse, Insert };

// Resolves a run of rows whose sort key equals the entry's: the first row whose text (or, when
// the other side is present, the other side's text) matches `text` is reused, provided the row
// is not another entry's (its own identifier column empty or `ownId`); otherwise the entry goes
// right after the run. False after an error.
bool GetInsertEntryIndex(controls::Grid& grid, const QString& text, const QString& sortKey, int rowCount,
                         int firstRow, int textColumn, int otherTextColumn, int otherIdColumn, int dateColumn,
                         int ownIdColumn, const QString& ownId, InsertKind& kind, int& row);

// Inserts an appointment whose start lies in the range (both ends included), marks it and gives
// it its pictogram. True also when it lies outside (no row). `rowAdded` tells whether it got a
// row of its own (not one it shared with an equal entry). False only when the search failed.
bool InsertGridEntry(controls::Grid& grid, const outlook::AppointmentItem& item, int firstRow, int textColumn,
                     int otherTextColumn, int dateColumn, int markColumn, int idColumn, bool* rowAdded = nullptr);

// Inserts a phone entry (whatever its start), marks it and matches it with the visible PC grid.
bool InsertGridEntryMobile(controls::Grid& grid, const PhoneEntry& entry, int firstRow, int textColumn,
                           int otherTextColumn, int dateColumn, int markColumn, int locationColumn);

// The cells of an appointment's row; the grid's current cell is the row's text cell.
bool InsertEntry(controls::Grid& grid, const outlook::AppointmentItem& item, VbDate start, int dateColumn,
                 int markColumn, int idColumn);
// The cells of a phone entry's row, the same way.
bool InsertEntryMobile(controls::Grid& grid, const PhoneEntry& entry, VbDate start, int dateColumn, int markColumn,
                       int locationColumn);

// The pictogram list and key of a phone entry: by alarm and kind, and by its series rule.
const controls::ImageList& PictogramList(const PhoneEntry& entry);
QString PictogramKey(const PhoneEntry& entry);

// Removes the empty rows at the bottom (no date text) down to `minimumRows`.
void RemoveEmptyRows(controls::Grid& grid, int dateColumn, int minimumRows);

// Inserts an empty entry row at `row` (-1: at the end) and returns its number.
int AddGridRow(controls::Grid& grid, int row);

// Empties three cells of a row, and the first one's picture.
bool ClearEntry(controls::Grid& grid, int row, int column1, int column2, int column3);

} // namespace tessaro
