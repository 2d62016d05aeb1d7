#include "platform/outlook/RecurrenceRule.h"

#include "platform/outlook/IcalPtr.h"
#include "platform/outlook/IcalTime.h"

#include <cstdlib>
#include <cstring>

namespace torvane::outlook {

namespace {

constexpr short ArrayEnd = ICAL_RECURRENCE_ARRAY_MAX;
constexpr int LastInstance = -1;

// libical numbers weekdays 1 (Sunday) to 7 (Saturday) and packs a position into the same short.
short encodeDay(int weekdayIndex, int position)
{
    const int dow = weekdayIndex + 1;
    const int magnitude = std::abs(position) * 8 + dow;
    return static_cast<short>(position < 0 ? -magnitude : magnitude);
}

bool hasValues(const short* list)
{
    return list[0] != ArrayEnd;
}

int maskFromByDay(const icalrecurrencetype& rule)
{
    int mask = 0;
    for (int i = 0; i < ICAL_BY_DAY_SIZE && rule.by_day[i] != ArrayEnd; ++i) {
        const int dow = static_cast<int>(icalrecurrencetype_day_day_of_week(rule.by_day[i]));
        if (dow >= 1 && dow <= 7)
            mask |= 1 << (dow - 1);
    }
    return mask;
}

bool byDayHasPositions(const icalrecurrencetype& rule)
{
    for (int i = 0; i < ICAL_BY_DAY_SIZE && rule.by_day[i] != ArrayEnd; ++i)
        if (icalrecurrencetype_day_position(rule.by_day[i]) != 0)
            return true;
    return false;
}

// libical's iterator gives the days of a week in the order they are listed, so they are listed
// from the week's first day (Monday), as libical's own parser orders them.
void fillByDay(icalrecurrencetype& rule, int mask)
{
    int n = 0;
    for (int i = 0; i < 7; ++i) {
        const int d = (i + 1) % 7;
        if (mask & (1 << d))
            rule.by_day[n++] = encodeDay(d, 0);
    }
    rule.by_day[n] = ArrayEnd;
}

int instanceOf(QDate start)
{
    const int n = (start.day() - 1) / 7 + 1;
    return n >= 5 ? LastInstance : n;
}

QByteArray ruleText(icalrecurrencetype rule)
{
    IcalBufferPtr text(icalrecurrencetype_as_string_r(&rule));
    return QByteArray(text ? text.get() : "");
}

} // namespace

bool isKnownRecurrenceType(int type)
{
    return type == RecursDaily || type == RecursWeekly || type == RecursMonthly || type == RecursMonthNth
        || type == RecursYearly || type == RecursYearNth;
}

int weekdayBit(QDate date)
{
    return date.isValid() ? 1 << (date.dayOfWeek() % 7) : 0;
}

int effectiveDayOfWeekMask(const PatternValues& pattern, QDate start)
{
    if (pattern.type != RecursWeekly && pattern.type != RecursMonthNth && pattern.type != RecursYearNth)
        return 0;
    return pattern.dayOfWeekMask != 0 ? pattern.dayOfWeekMask : weekdayBit(start);
}

bool samePattern(const PatternValues& a, const PatternValues& b, QDate start)
{
    return a.type == b.type && a.interval == b.interval
        && effectiveDayOfWeekMask(a, start) == effectiveDayOfWeekMask(b, start);
}

PatternValues patternFromRule(const icalrecurrencetype& rule, QDate start)
{
    PatternValues p;
    p.interval = rule.interval > 0 ? rule.interval : 1;
    const bool nth = byDayHasPositions(rule) || hasValues(rule.by_set_pos);
    switch (rule.freq) {
    case ICAL_DAILY_RECURRENCE:
        // "Every weekday" is a weekly pattern with the five days.
        p.type = hasValues(rule.by_day) ? RecursWeekly : RecursDaily;
        break;
    case ICAL_WEEKLY_RECURRENCE:
        p.type = RecursWeekly;
        break;
    case ICAL_MONTHLY_RECURRENCE:
        p.type = hasValues(rule.by_day) && nth ? RecursMonthNth : RecursMonthly;
        break;
    case ICAL_YEARLY_RECURRENCE:
        p.type = hasValues(rule.by_day) && nth ? RecursYearNth : RecursYearly;
        break;
    default:
        p.type = RecursOther;
        break;
    }
    p.dayOfWeekMask = maskFromByDay(rule);
    if (p.dayOfWeekMask == 0)
        p.dayOfWeekMask = effectiveDayOfWeekMask(p, start);
    return p;
}

icalrecurrencetype ruleFromPattern(const PatternValues& pattern, QDate start)
{
    icalrecurrencetype rule;
    icalrecurrencetype_clear(&rule);
    rule.interval = static_cast<short>(pattern.interval > 0 ? pattern.interval : 1);
    const int mask = effectiveDayOfWeekMask(pattern, start);
    switch (pattern.type) {
    case RecursDaily:
        rule.freq = ICAL_DAILY_RECURRENCE;
        break;
    case RecursMonthly:
        rule.freq = ICAL_MONTHLY_RECURRENCE;
        rule.by_month_day[0] = static_cast<short>(start.day());
        rule.by_month_day[1] = ArrayEnd;
        break;
    case RecursMonthNth:
        rule.freq = ICAL_MONTHLY_RECURRENCE;
        fillByDay(rule, mask);
        rule.by_set_pos[0] = static_cast<short>(instanceOf(start));
        rule.by_set_pos[1] = ArrayEnd;
        break;
    case RecursYearly:
        rule.freq = ICAL_YEARLY_RECURRENCE;
        rule.by_month[0] = static_cast<short>(start.month());
        rule.by_month[1] = ArrayEnd;
        rule.by_month_day[0] = static_cast<short>(start.day());
        rule.by_month_day[1] = ArrayEnd;
        break;
    case RecursYearNth:
        rule.freq = ICAL_YEARLY_RECURRENCE;
        rule.by_month[0] = static_cast<short>(start.month());
        rule.by_month[1] = ArrayEnd;
        fillByDay(rule, mask);
        rule.by_set_pos[0] = static_cast<short>(instanceOf(start));
        rule.by_set_pos[1] = ArrayEnd;
        break;
    default:
        rule.freq = ICAL_WEEKLY_RECURRENCE;
        fillByDay(rule, mask);
        break;
    }
    return rule;
}

bool ruleIsPlain(const icalrecurrencetype& rule, QDate start)
{
    const PatternValues p = patternFromRule(rule, start);
    if (!isKnownRecurrenceType(p.type))
        return false;
    return ruleText(rule) == ruleText(ruleFromPattern(p, start));
}

QDateTime firstOccurrence(const icalrecurrencetype& rule, const QDateTime& start)
{
    IcalRecurIteratorPtr it(icalrecur_iterator_new(rule, icalFloating(start)));
    if (!it)
        return start;
    const icaltimetype first = icalrecur_iterator_next(it.get());
    const QDateTime found = localFromIcal(first);
    return found.isValid() && found >= start ? found : start;
}

} // namespace torvane::outlook
