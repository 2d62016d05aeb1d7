// The date and time texts of the range fields, the grids' range line and the entry editor.
#pragma once

#include "organizer/link/VbDate.h"

#include <QString>

namespace tessaro {

// A date in one of the organizer's pictures, with the regional weekday and month names.
QString FormatDate(VbDate date, const QString& picture);

// The weekday and the date: "Thu 04.02.99"; the time of day is not shown.
QString SetStartDate(VbDate date);

// The range line of the grids' header: "04.02.99 to 03.03.99" (text 129 between).
QString SetPeriodeHeader();

// The time of day now, with seconds (TimeFormat).
QString GetCurrentTimeText();

// The time of day of `base` moved by `countText` units of `interval`, in ShortTimeFormat.
QString GetShiftedTimeText(const QString& interval, const QString& countText, VbDate base);

// True when the hour and minute read from the text lie in 0..23 and 0..59. A text that reads as
// a time is first written in ShortTimeFormat (9:5 becomes 09:05); parts without digits count 0.
// An hour or minute beyond 16 bits raises the overflow error.
bool IsValidTime(const QString& text);

} // namespace tessaro
