#include "melody/engine/EngineBinding.h"

#include "engine/zeldll.h"

namespace {

class ZeldllEngine : public MelvioEngine {
public:
    int ATMelWrite(HWND window, UINT message, const void* data, int length) override
    {
        return ::ATMelWrite(window, message, data, length);
    }
    int ATMelTest(HWND window, UINT message, int play) override { return ::ATMelTest(window, message, play); }
    void Fehler_Melden(int errorClass, int stringId) override { ::Fehler_Melden(errorClass, stringId); }
};

} // namespace

std::unique_ptr<MelvioEngine> MakeEngine() { return std::make_unique<ZeldllEngine>(); }
