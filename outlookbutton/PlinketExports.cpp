// The library's two exports, with C linkage; everything else stays inside (see plinket.map).
#include "outlookbutton/CButtonExt.h"
#include "outlookbutton/PlinketModule.h"

#define PLINKET_EXPORT extern "C" __attribute__((visibility("default")))

// The mail client's entry: a new extension object with one reference, or null.
PLINKET_EXPORT IExchExt* ExchEntryPoint()
{
    return torvane::plinket::CButtonExt::create();
}

// The data of a value below the organizer's machine key, or null. The text stays readable
// until the next call; the caller owns nothing.
PLINKET_EXPORT const char* getTIVEntry(const char* name)
{
    return torvane::plinket::lookUpTivEntry(name);
}
