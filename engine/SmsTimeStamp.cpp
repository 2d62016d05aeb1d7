#include "engine/SmsTimeStamp.h"

#include "engine/codec/PduHex.h"

#include <climits>
#include <ctime>

namespace zel {

namespace {

// A 32-bit count of seconds from 1970 reaches 2038: a two-digit year from 70 on is 19xx.
constexpr int kFirstCenturyYear = 70;

struct Field {
    int low;
    int high;
};

constexpr Field kFields[5] = {{0, 99}, {1, 12}, {1, 31}, {0, 23}, {0, 59}};

} // namespace

int smsTimeStamp(const char* stamp)
{
    if (!stamp)
        return 0;
    int value[5];
    for (int i = 0; i < 5; ++i) {
        value[i] = SemiOctetPair(stamp + 2 * i);
        if (value[i] < kFields[i].low || value[i] > kFields[i].high)
            return 0;
    }
    std::tm wall{};
    wall.tm_year = value[0] + (value[0] >= kFirstCenturyYear ? 0 : 100);
    wall.tm_mon = value[1] - 1;
    wall.tm_mday = value[2];
    wall.tm_hour = value[3];
    wall.tm_min = value[4];
    // The wall-clock time read as UTC, less the zone's offset at that moment: summer and winter
    // dates each under their own rule, so that the main program, turning the count back into local
    // time, shows the hour the phone showed. The offset is looked up at the guess and once more at
    // the result, which settles it for dates next to a change of rule. (Not mktime: it reloads the
    // zone rules at every call, allocating as it does, and the cycle must not allocate.)
    const std::time_t asUtc = timegm(&wall);
    if (asUtc == std::time_t(-1))
        return 0;
    std::tm local{};
    if (!localtime_r(&asUtc, &local))
        return 0;
    std::time_t seconds = asUtc - local.tm_gmtoff;
    if (!localtime_r(&seconds, &local))
        return 0;
    seconds = asUtc - local.tm_gmtoff;
    if (seconds > std::time_t(INT_MAX))
        return INT_MAX;
    return seconds < 0 ? 0 : int(seconds);
}

} // namespace zel
