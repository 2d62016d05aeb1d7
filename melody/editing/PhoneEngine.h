// The engine's melody requests and its error report, as the melody editor calls them. The
// program binds them to the engine library's exports; tests record them.
#pragma once

#include "platform/wintypes.h"

class PhoneEngine {
public:
    virtual ~PhoneEngine() = default;
    // Each copies its arguments into the engine's job record and returns 0; the answer comes
    // later as message posted to window, with the job code and the result.
    virtual int ATMelWrite(HWND window, UINT message, const void* data, int length) = 0;
    virtual int ATMelTest(HWND window, UINT message, int play) = 0;
};
