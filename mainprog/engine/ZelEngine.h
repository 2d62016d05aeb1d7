// The engine interface bound to the exports of libzeldll.so.
#pragma once

#include "mainprog/core/EngineApi.h"

namespace corvant {

class ZelEngine : public EngineApi {
public:
    int ZelDllInit(HWND owner) override;
    int ZelDllCycle(const char* line, char** command, int portState) override;
    int ATStatusCheck(HWND window, UINT message) override;
    int ATStatusReg(HWND window, UINT message) override;
    int ATStatusDeReg(int slot) override;
    int ZelMeldeModule(WPARAM wParam, LPARAM lParam) override;
    BOOL Fehler_Melden(int errorClass, int stringId) override;
    char* simPin() override;
};

} // namespace corvant
