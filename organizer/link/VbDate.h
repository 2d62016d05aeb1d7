// The organizer's dates: day counts from 30 December 1899 with the time of day as the
// fraction, local wall-clock time without a zone. Before that day the whole part counts
// days back and the fraction still counts the time forward (-1.25 is 29 Dec 1899 06:00).
#pragma once

#include <QString>

#include <cstdint>

namespace tessaro {

using VbDate = double;

struct DateParts {
    int year = 1899;
    int month = 12;
    int day = 30;
    int hour = 0;
    int minute = 0;
    int second = 0;
};

bool isValidDateParts(const DateParts& p);

// Builds the date; the parts must be valid (isValidDateParts).
VbDate makeVbDate(const DateParts& p);
VbDate makeVbDate(int year, int month, int day, int hour = 0, int minute = 0, int second = 0);

// The parts of a date, the time rounded to the second.
DateParts vbDateParts(VbDate d);

// Seconds since 30 December 1899 00:00, in the order of the calendar.
std::int64_t vbDateSeconds(VbDate d);

// Chronological comparison: the stored values of dates before 1899 do not sort by size.
bool vbDateBefore(VbDate a, VbDate b);
VbDate vbDateEarlier(VbDate a, VbDate b);

// Day of the week counted from Sunday = 1 to Saturday = 7.
int vbWeekday(VbDate d);

} // namespace tessaro
