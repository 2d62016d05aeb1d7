#include "mainprog/engine/ZelEngine.h"

#include "engine/zeldll.h"

namespace corvant {

int ZelEngine::ZelDllInit(HWND owner)
{
    return ::ZelDllInit(owner);
}

int ZelEngine::ZelDllCycle(const char* line, char** command, int portState)
{
    return ::ZelDllCycle(line, command, portState);
}

int ZelEngine::ATStatusCheck(HWND window, UINT message)
{
    return ::ATStatusCheck(window, message);
}

int ZelEngine::ATStatusReg(HWND window, UINT message)
{
    return ::ATStatusReg(window, message);
}

int ZelEngine::ATStatusDeReg(int slot)
{
    return ::ATStatusDeReg(slot);
}

int ZelEngine::ZelMeldeModule(WPARAM wParam, LPARAM lParam)
{
    return ::ZelMeldeModule(wParam, lParam);
}

BOOL ZelEngine::Fehler_Melden(int errorClass, int stringId)
{
    return ::Fehler_Melden(errorClass, stringId);
}

char* ZelEngine::simPin()
{
    return ZelSimPin;
}

} // namespace corvant
