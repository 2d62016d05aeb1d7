#include "organizer/link/VbDate.h"

#include <cmath>

namespace tessaro {

namespace {

// Days from 1970-01-01 to a civil date, and back (proleptic Gregorian calendar).
std::int64_t daysFromCivil(std::int64_t y, unsigned m, unsigned d)
{
    y -= m <= 2;
    const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
    const unsigned yoe = unsigned(y - era * 400);
    const unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + std::int64_t(doe) - 719468;
}

void civilFromDays(std::int64_t z, int& y, int& m, int& d)
{
    z += 719468;
    const std::int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const unsigned doe = unsigned(z - era * 146097);
    const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const unsigned mp = (5 * doy + 2) / 153;
    d = int(doy - (153 * mp + 2) / 5 + 1);
    m = int(mp < 10 ? mp + 3 : mp - 9);
    y = int(std::int64_t(yoe) + era * 400 + (m <= 2));
}

const std::int64_t kEpochDays = daysFromCivil(1899, 12, 30);

bool isLeap(int y) { return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0; }

int daysInMonth(int y, int m)
{
    static const int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return m == 2 && isLeap(y) ? 29 : days[m - 1];
}

// Splits a stored value into its calendar day (relative to the epoch) and second of day.
void splitValue(VbDate v, std::int64_t& day, std::int64_t& second)
{
    if (!std::isfinite(v) || std::fabs(v) > 3.0e6)
        v = 0;
    double whole = std::trunc(v);
    day = std::int64_t(whole);
    second = std::llround(std::fabs(v - whole) * 86400.0);
    if (second >= 86400) {
        second -= 86400;
        ++day;
    }
}

} // namespace

bool isValidDateParts(const DateParts& p)
{
    return p.year >= 100 && p.year <= 9999 && p.month >= 1 && p.month <= 12 && p.day >= 1 &&
           p.day <= daysInMonth(p.year, p.month) && p.hour >= 0 && p.hour <= 23 && p.minute >= 0 &&
           p.minute <= 59 && p.second >= 0 && p.second <= 59;
}

VbDate makeVbDate(const DateParts& p)
{
    const std::int64_t day = daysFromCivil(p.year, unsigned(p.month), unsigned(p.day)) - kEpochDays;
    const double time = (p.hour * 3600.0 + p.minute * 60.0 + p.second) / 86400.0;
    return day >= 0 ? double(day) + time : double(day) - time;
}

VbDate makeVbDate(int year, int month, int day, int hour, int minute, int second)
{
    return makeVbDate(DateParts{year, month, day, hour, minute, second});
}

DateParts vbDateParts(VbDate v)
{
    std::int64_t day = 0, second = 0;
    splitValue(v, day, second);
    DateParts p;
    civilFromDays(day + kEpochDays, p.year, p.month, p.day);
    p.hour = int(second / 3600);
    p.minute = int(second / 60 % 60);
    p.second = int(second % 60);
    return p;
}

std::int64_t vbDateSeconds(VbDate v)
{
    std::int64_t day = 0, second = 0;
    splitValue(v, day, second);
    return day * 86400 + second;
}

bool vbDateBefore(VbDate a, VbDate b)
{
    return vbDateSeconds(a) < vbDateSeconds(b);
}

VbDate vbDateEarlier(VbDate a, VbDate b)
{
    return vbDateBefore(b, a) ? b : a;
}

int vbWeekday(VbDate v)
{
    std::int64_t day = 0, second = 0;
    splitValue(v, day, second);
    // 30 December 1899 was a Saturday.
    return int(((day % 7) + 7 + 6) % 7) + 1;
}

} // namespace tessaro
