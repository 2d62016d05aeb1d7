// The pattern fields the organizer works with, and the iCalendar rules they stand for.
//
//   type 0 daily        FREQ=DAILY
//   type 1 weekly       FREQ=WEEKLY;BYDAY=<mask>
//   type 2 monthly      FREQ=MONTHLY;BYMONTHDAY=<start's day>
//   type 3 monthly nth  FREQ=MONTHLY;BYDAY=<mask>;BYSETPOS=<n>
//   type 5 yearly       FREQ=YEARLY;BYMONTH=<start's month>;BYMONTHDAY=<start's day>
//   type 6 yearly nth   FREQ=YEARLY;BYMONTH=<start's month>;BYDAY=<mask>;BYSETPOS=<n>
// each with INTERVAL. The n-th comes from the start date (its week of the month, the fifth
// being "last"); a mask of 0 means the start's weekday. Months without the start's day are
// skipped, as iCalendar has it.
#pragma once

#include <QDate>
#include <QDateTime>

#include <libical/ical.h>

namespace torvane::outlook {

constexpr int RecursDaily = 0;
constexpr int RecursWeekly = 1;
constexpr int RecursMonthly = 2;
constexpr int RecursMonthNth = 3;
constexpr int RecursYearly = 5;
constexpr int RecursYearNth = 6;
// A repetition the fields cannot express (hourly rules, dates listed one by one); its rule is
// kept as written.
constexpr int RecursOther = -1;

struct PatternValues {
    int type = RecursWeekly;
    int dayOfWeekMask = 0; // bit 0 Sunday .. bit 6 Saturday; 0: the start's weekday
    int interval = 1;
};

bool isKnownRecurrenceType(int type);
int weekdayBit(QDate date);
// The mask as the pattern reports it: the days for the weekday types, 0 for the others.
int effectiveDayOfWeekMask(const PatternValues& pattern, QDate start);
bool samePattern(const PatternValues& a, const PatternValues& b, QDate start);

// The closest pattern for a rule read from a file; RecursOther for hourly and finer rules.
PatternValues patternFromRule(const icalrecurrencetype& rule, QDate start);
icalrecurrencetype ruleFromPattern(const PatternValues& pattern, QDate start);
// True when the rule is exactly what its pattern writes, so that it may be written anew from
// the pattern when the start moves; other programs' rules (COUNT, UNTIL, ...) are kept instead.
bool ruleIsPlain(const icalrecurrencetype& rule, QDate start);
// The first time at or after start that the rule gives (start when it gives none).
QDateTime firstOccurrence(const icalrecurrencetype& rule, const QDateTime& start);

} // namespace torvane::outlook
