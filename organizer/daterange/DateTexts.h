// The date and time texts of the range fields, the grids' range line and the entry editor.
#pragma once

#include "organizer/link/VbDate.h"

#include <QString>
#include <QTime>

#include <optional>

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

// The time of day a text names: one it reads as in the organizer's time formats (or the time of a
// date-time), else one or two digits, a colon and two digits within the hour's and the minute's
// range. Nothing for any other text, so that no non-time reaches a date conversion.
std::optional<QTime> TimeOfDay(const QString& text);

// True when the text names a time of day (TimeOfDay).
bool IsValidTime(const QString& text);

// The text rewritten in ShortTimeFormat when it reads as a time of day (9:5 becomes 09:05),
// otherwise unchanged.
QString ShortTimeText(const QString& text);

} // namespace tessaro
