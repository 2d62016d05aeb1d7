#include "organizer/daterange/DateArithmetic.h"

#include "organizer/link/ErrorReport.h"

#include <cmath>
#include <cstdint>

namespace tessaro {

namespace {

constexpr std::int64_t kDay = 86400;

std::int64_t floorDiv(std::int64_t a, std::int64_t b)
{
    const std::int64_t q = a / b;
    return (a % b != 0 && (a < 0) != (b < 0)) ? q - 1 : q;
}

const std::int64_t kFirstSecond = vbDateSeconds(makeVbDate(100, 1, 1));
const std::int64_t kLastSecond = vbDateSeconds(makeVbDate(9999, 12, 31, 23, 59, 59));

// The date value of a second counted from 30 December 1899 00:00. Before that day the whole
// part counts days back and the fraction still counts the time forward.
VbDate fromSeconds(std::int64_t s)
{
    if (s < kFirstSecond || s > kLastSecond)
        throw invalidCallError();
    const std::int64_t day = floorDiv(s, kDay);
    const double time = double(s - day * kDay) / double(kDay);
    return day >= 0 ? double(day) + time : double(day) - time;
}

int daysInMonth(int year, int month)
{
    static const int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    return month == 2 && leap ? 29 : days[month - 1];
}

VbDate addMonths(VbDate date, std::int64_t months)
{
    DateParts p = vbDateParts(date);
    const std::int64_t total = std::int64_t(p.year) * 12 + (p.month - 1) + months;
    const std::int64_t year = floorDiv(total, 12);
    if (year < 100 || year > 9999)
        throw invalidCallError();
    p.year = int(year);
    p.month = int(total - year * 12) + 1;
    p.day = std::min(p.day, daysInMonth(p.year, p.month));
    return makeVbDate(p);
}

} // namespace

double NumericValue(const QString& text)
{
    QString s;
    for (QChar c : text)
        if (c != u' ' && c != u'\t' && c != u'\n' && c != u'\r')
            s += c;
    qsizetype i = 0;
    QString number;
    if (i < s.size() && (s[i] == u'+' || s[i] == u'-'))
        number += s[i++];
    bool digits = false;
    bool point = false;
    for (; i < s.size(); ++i) {
        if (s[i] >= u'0' && s[i] <= u'9') {
            digits = true;
            number += s[i];
        } else if (s[i] == u'.' && !point) {
            point = true;
            number += s[i];
        } else {
            break;
        }
    }
    if (!digits)
        return 0;
    return number.toDouble();
}

VbDate DateAdd(const QString& interval, double count, VbDate date)
{
    const double rounded = std::nearbyint(count);
    // Beyond this no unit lands inside the years 100 to 9999.
    if (!std::isfinite(rounded) || std::fabs(rounded) > 1.0e10)
        throw invalidCallError();
    const auto n = std::int64_t(rounded);
    const std::int64_t second = vbDateSeconds(date);
    if (interval == QLatin1String("d"))
        return fromSeconds(second + n * kDay);
    if (interval == QLatin1String("ww"))
        return fromSeconds(second + n * 7 * kDay);
    if (interval == QLatin1String("n"))
        return fromSeconds(second + n * 60);
    if (std::llabs(n) > 200000)
        throw invalidCallError();
    if (interval == QLatin1String("m"))
        return addMonths(date, n);
    if (interval == QLatin1String("yyyy"))
        return addMonths(date, n * 12);
    throw invalidCallError();
}

VbDate GetRangeEndDate(const QString& interval, const QString& countText, VbDate start)
{
    const VbDate end = DateAdd(interval, NumericValue(countText), start);
    // Plus 23:59:59, minus one day: the last second before the day after the last unit.
    return fromSeconds(vbDateSeconds(end) + (kDay - 1) - kDay);
}

VbDate DateOnly(VbDate date)
{
    return fromSeconds(floorDiv(vbDateSeconds(date), kDay) * kDay);
}

} // namespace tessaro
