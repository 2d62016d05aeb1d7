// The rows of the two entry grids: their ten columns, the marks, the sort key and the grid
// instances of the main window.
//
// Both grids have the same columns. Each side owns three: the PC side 2 (reserved), 3 (the
// calendar's EntryID) and 4 (its text); the phone side 7 (reserved), 8 (the phone location) and
// 9 (its text). Column 0 shows the date, column 1 holds the sort key, 5 the mark and 6 the sync
// pictogram. FG1 gets a row per phone entry, FG2 a row per appointment or occurrence in the range.
#pragma once

#include "organizer/link/MainWindowSeams.h"
#include "organizer/link/VbDate.h"

#include "platform/ui/controls/Grid.h"

#include <QString>

namespace tessaro {

namespace controls = torvane::controls;

constexpr int ColSortKey = 1;
constexpr int ColPcHidden = 2;
constexpr int ColEntryId = 3;
constexpr int ColPhoneHidden = 7;
constexpr int RowHeightTwips = 300;

// The SyncMark of a row.
inline const QString MarkMatched = QStringLiteral("j");  // both sides, their texts match
inline const QString MarkNone = QStringLiteral("g");     // texts differ, no side, or a list not loaded
inline const QString MarkToPhone = QStringLiteral("r");  // only the PC side: copy it to the phone
inline const QString MarkToPc = QStringLiteral("l");     // only the phone side: copy it to the calendar

// The sort key: the start as "yyyy-mm-dd hh:mm:ss". Equal starts give equal texts, and the texts
// sort as the starts do, so rows are ordered and searched without reading dates back.
QString SortKeyText(VbDate start);
// The start a sort key names; raises the type-mismatch error for any other text.
VbDate SortKeyDate(const QString& key);

// The date column's text: weekday, short date and short time ("Thu 04.02.99 09:30").
QString DateColumnText(VbDate start);

// A text without its leading blanks (the grid texts begin with room for a pictogram).
QString WithoutLeadingBlanks(const QString& text);

// The grid instances of the main window.
controls::Grid& GridOf(GridInstance instance);
controls::Grid& VisibleFG1();
controls::Grid& VisibleFG2();
// True for an instance of FG2, the PC view.
bool IsFG2(const controls::Grid& grid);

// Rows first .. the end of the entry rows: the first row from `first` on whose `column` is
// empty. Entry rows stand together at the top, so the end is found by halving.
int EntryRowsEnd(const controls::Grid& grid, int first, int column);

} // namespace tessaro
