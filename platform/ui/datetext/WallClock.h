// Local wall-clock times, as both the organizer and the calendar read them.
#pragma once

#include <QDate>
#include <QDateTime>
#include <QTime>

namespace torvane::datetext {

// The local date-time of a date and a time of day. One that the clock skips when summer time
// begins is taken with the offset in force before the change, as the calendar standard reads it:
// it lands as much later as the clock jumps (02:30 becomes 03:30 when 02:00 jumps to 03:00).
// Invalid for an invalid date or time.
QDateTime wallClock(QDate date, QTime time);

} // namespace torvane::datetext
