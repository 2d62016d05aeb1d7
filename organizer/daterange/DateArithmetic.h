// Adding days, weeks, minutes, months and years to a date, and the end of a range.
#pragma once

#include "organizer/link/VbDate.h"

#include <QString>

namespace tessaro {

// The numeric value of a text: its blanks dropped, the leading number with an optional sign and
// decimal point; 0 when the text does not begin with one.
double NumericValue(const QString& text);

// `date` plus `count` units of `interval` ("d" days, "ww" weeks, "n" minutes, "m" months, "yyyy"
// years), keeping the time of day. Months and years keep the day of the month, or take the last
// day of a shorter target month (31 January + 1 month is the end of February). A fractional
// count is rounded, halves to even. A result outside the years 100 to 9999, or an unknown
// interval, raises error 5.
VbDate DateAdd(const QString& interval, double count, VbDate date);

// The last second of a range of `countText` units of `interval` from the day `start`:
// start + count units + 23:59:59 - 1 day. A count of 0 ends one second before the start.
VbDate GetRangeEndDate(const QString& interval, const QString& countText, VbDate start);

// The day of a date-time at 00:00:00.
VbDate DateOnly(VbDate date);

} // namespace tessaro
