// The engine exports the phonebook editor uses, as an interface: the program calls the
// library's exports (ZeldllPhoneEngine), tests give a fake.
#pragma once

#include "engine/zeldll.h"

namespace brevik {

class PhoneEngine {
public:
    virtual ~PhoneEngine() = default;

    // Reads the directory with the two-letter storage code; the answer (JOB_PHONEBOOK_READ,
    // result) is posted to window with message.
    virtual int ATPBRead(HWND window, UINT message, const char* storage) = 0;
    // The last read's result; null when there is none.
    virtual const PBResult* ATPBGet() = 0;
    // Writes one entry (an empty number erases the index); the answer is posted as above.
    virtual int ATPBWrite(HWND window, UINT message, const char* storage, int index, const char* text,
                          const char* number) = 0;
    // Reports an error by class and string id; the main program shows it.
    virtual BOOL Fehler_Melden(int errorClass, int stringId) = 0;
    // Whether a program drives the engine; no answer comes while none does.
    virtual BOOL ZelDllHostAlive() = 0;
    // Takes back this window's requests not started yet; how many.
    virtual int ATWithdraw(HWND window) = 0;
};

} // namespace brevik
