#include "organizer/sync/GridLookups.h"

#include "organizer/daterange/Calendar.h"
#include "organizer/daterange/DateArithmetic.h"
#include "organizer/link/OrgError.h"
#include "organizer/link/PublicVar.h"
#include "organizer/mainwindow/MainFormState.h"

#include "platform/ui/datetext/DateText.h"

namespace tessaro {

int GetFirstEntryRow(const controls::Grid& grid)
{
    return grid.fixedRows();
}

int GetMinGridRows(const controls::Grid& grid)
{
    return IsFG2(grid) ? GridRowCountFG2 : GridRowCountFG1;
}

int GetIdColumn(int textColumn)
{
    return textColumn == ColPcText ? ColEntryId : ColPhoneLocation;
}

int GetHiddenColumn(int textColumn)
{
    return textColumn == ColPcText ? ColPcHidden : ColPhoneHidden;
}

bool IsDateInRange(VbDate date)
{
    const std::int64_t day = vbDateSeconds(DateOnly(date));
    return day >= vbDateSeconds(DateOnly(RangeStart)) && day <= vbDateSeconds(DateOnly(RangeEnd));
}

bool IsDateInRange(const QString& dateText)
{
    namespace dt = torvane::datetext;
    if (auto d = dt::parseDateTime(dateText, ShortDateTimeFormat, RegionalDateNames()))
        return IsDateInRange(fromDateTime(*d));
    if (auto d = dt::parseDate(dateText, ShortDateFormat, RegionalDateNames()))
        return IsDateInRange(makeVbDate(d->year(), d->month(), d->day()));
    return IsDateInRange(SortKeyDate(dateText));
}

bool FindGridRowByEntryID(controls::Grid& grid, const QString& entryId)
{
    // Rows without an appointment hold no id; an empty id names none of them.
    if (entryId.isEmpty())
        return false;
    for (int row = grid.fixedRows(); row < grid.rows(); ++row) {
        if (grid.textMatrix(row, ColEntryId) == entryId) {
            grid.setRow(row);
            grid.setCol(ColPcText);
            return true;
        }
    }
    return false;
}

} // namespace tessaro
