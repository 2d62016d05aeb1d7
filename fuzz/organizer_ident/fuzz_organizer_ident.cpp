// The organizer's reading of the phone's identification answers: the cleaning and the calendar
// range of AT^SBNW=?. A range it takes must be one the entry table can hold.
#include "organizer/link/MobileAccess.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray answer(reinterpret_cast<const char*>(data), qsizetype(size));
    const QString cleaned = tessaro::CleanIdentAnswer(answer);
    for (QChar c : cleaned)
        if (c == QLatin1Char('\r') || c == QLatin1Char('\n'))
            std::abort();
    for (QChar end : {cleaned.isEmpty() ? QChar() : cleaned.front(), cleaned.isEmpty() ? QChar() : cleaned.back()})
        if (end == QLatin1Char('O') || end == QLatin1Char('K'))
            std::abort();
    std::int16_t first = 1;
    std::int16_t last = 30;
    if (tessaro::ParseVcsRange(cleaned, first, last) && (first < 0 || last < first))
        std::abort();
    return 0;
}
