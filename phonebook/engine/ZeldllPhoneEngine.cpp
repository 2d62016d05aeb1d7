#include "phonebook/engine/ZeldllPhoneEngine.h"

namespace brevik {

int ZeldllPhoneEngine::ATPBRead(HWND window, UINT message, const char* storage)
{
    return ::ATPBRead(window, message, storage);
}

const PBResult* ZeldllPhoneEngine::ATPBGet()
{
    return ::ATPBGet();
}

int ZeldllPhoneEngine::ATPBWrite(HWND window, UINT message, const char* storage, int index, const char* text,
                                 const char* number)
{
    return ::ATPBWrite(window, message, storage, index, text, number);
}

BOOL ZeldllPhoneEngine::Fehler_Melden(int errorClass, int stringId)
{
    return ::Fehler_Melden(errorClass, stringId);
}

BOOL ZeldllPhoneEngine::ZelDllHostAlive()
{
    return ::ZelDllHostAlive();
}

int ZeldllPhoneEngine::ATWithdraw(HWND window)
{
    return ::ATWithdraw(window);
}

} // namespace brevik
