#include "melody/EngineBinding.h"

#include "melody/MelvioStrings.h"

#if defined(MELVIO_HAVE_ZELDLL)
#include "engine/zeldll.h"
#else
#include <cstdio>
#include <string>
#endif

namespace {

#if defined(MELVIO_HAVE_ZELDLL)

class ZeldllEngine : public MelvioEngine {
public:
    int ATMelWrite(HWND window, UINT message, const void* data, int length) override
    {
        return ::ATMelWrite(window, message, data, length);
    }
    int ATMelTest(HWND window, UINT message, int play) override { return ::ATMelTest(window, message, play); }
    void Fehler_Melden(int errorClass, int stringId) override { ::Fehler_Melden(errorClass, stringId); }
};

#else

// Built before the engine library is part of the tree: requests are refused (so the commands
// report their failure at once) and reports go to the console with their text.
class AbsentEngine : public MelvioEngine {
public:
    int ATMelWrite(HWND, UINT, const void*, int) override { return -1; }
    int ATMelTest(HWND, UINT, int) override { return -1; }
    void Fehler_Melden(int errorClass, int stringId) override
    {
        const std::string text(MelvioString(stringId));
        std::fprintf(stderr, "melvio: error %d (class %d): %s\n", stringId, errorClass, text.c_str());
    }
};

#endif

} // namespace

std::unique_ptr<MelvioEngine> MakeEngine()
{
#if defined(MELVIO_HAVE_ZELDLL)
    return std::make_unique<ZeldllEngine>();
#else
    return std::make_unique<AbsentEngine>();
#endif
}
