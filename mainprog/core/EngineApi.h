// The engine exports the main program calls, as one interface: the product binds it to
// libzeldll.so (ZelEngine), tests to a fake that records the calls and scripts the answers.
#pragma once

#include "platform/wintypes.h"

namespace corvant {

class EngineApi {
public:
    virtual ~EngineApi() = default;

    virtual int ZelDllInit(HWND owner) = 0;
    virtual int ZelDllCycle(const char* line, char** command, int portState) = 0;
    virtual int ATStatusCheck(HWND window, UINT message) = 0;
    virtual int ATStatusReg(HWND window, UINT message) = 0;
    virtual int ATStatusDeReg(int slot) = 0;
    virtual int ZelMeldeModule(WPARAM wParam, LPARAM lParam) = 0;
    virtual BOOL Fehler_Melden(int errorClass, int stringId) = 0;
    // The shared ZelSimPin record (ZEL_SIM_PIN_SIZE bytes).
    virtual char* simPin() = 0;
};

} // namespace corvant
