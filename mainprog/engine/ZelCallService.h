// The forwarding and barring requests bound to the exports of libzeldll.so.
#pragma once

#include "mainprog/core/CallServiceEngine.h"

namespace corvant {

class ZelCallService : public CallServiceEngine {
public:
    int ATLockGet(HWND window, UINT message, const char* facility) override;
    int ATLockSet(HWND window, UINT message, const char* facility, const char* password, int mode,
                  int classes) override;
    int ATFwdRead(HWND window, UINT message, int reason) override;
    int ATFwdWrite(HWND window, UINT message, int reason, int mode, const char* number, int time,
                   int classes) override;
    const FwdResult* ATFwdGet() override;
    BOOL Fehler_Melden(int errorClass, int stringId) override;
};

} // namespace corvant
