// The texts the range and the entry editor read from their fields: a count of units, a time.
// Whatever is typed, a range either ends where its arithmetic says or fails with error 5, and a
// time is either judged or refused with the overflow error; nothing else may happen.
#include "organizer/daterange/DateArithmetic.h"
#include "organizer/daterange/DateTexts.h"
#include "organizer/link/OrgError.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    using namespace tessaro;
    const QString text = QString::fromLatin1(reinterpret_cast<const char*>(data), qsizetype(size));
    const VbDate start = makeVbDate(1999, 1, 31);
    for (const char* unit : {"d", "ww", "m", "yyyy", "n"}) {
        try {
            const VbDate end = GetRangeEndDate(QLatin1String(unit), text, start);
            // A range of no units ends one second before its start.
            if (NumericValue(text) == 0 && vbDateSeconds(end) != vbDateSeconds(start) - 1)
                std::abort();
        } catch (const OrgError& e) {
            if (e.number() != 5)
                std::abort();
        }
    }
    try {
        IsValidTime(text);
    } catch (const OrgError& e) {
        if (e.number() != ErrOverflow)
            std::abort();
    }
    return 0;
}
