// The phonebook editor's engine: the exports of libzeldll.so.
#pragma once

#include "phonebook/model/PhoneEngine.h"

namespace brevik {

class ZeldllPhoneEngine : public PhoneEngine {
public:
    int ATPBRead(HWND window, UINT message, const char* storage) override;
    const PBResult* ATPBGet() override;
    int ATPBWrite(HWND window, UINT message, const char* storage, int index, const char* text,
                  const char* number) override;
    BOOL Fehler_Melden(int errorClass, int stringId) override;
    BOOL ZelDllHostAlive() override;
    int ATWithdraw(HWND window) override;
};

} // namespace brevik
