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
    std::tm local{};
    local.tm_year = value[0] + (value[0] >= kFirstCenturyYear ? 0 : 100);
    local.tm_mon = value[1] - 1;
    local.tm_mday = value[2];
    local.tm_hour = value[3];
    local.tm_min = value[4];
    local.tm_sec = 0;
    // Summer and winter dates each under their own rule, so that the main program, turning the
    // count back into local time, shows the hour the phone showed.
    local.tm_isdst = -1;
    const std::time_t seconds = std::mktime(&local);
    if (seconds == std::time_t(-1))
        return 0;
    if (seconds > std::time_t(INT_MAX))
        return INT_MAX;
    return seconds < 0 ? 0 : int(seconds);
}

} // namespace zel
