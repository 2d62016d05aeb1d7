#include "mainprog/engine/ZelCallService.h"

namespace corvant {

int ZelCallService::ATLockGet(HWND window, UINT message, const char* facility)
{
    return ::ATLockGet(window, message, facility);
}

int ZelCallService::ATLockSet(HWND window, UINT message, const char* facility, const char* password, int mode,
                              int classes)
{
    return ::ATLockSet(window, message, facility, password, mode, classes);
}

int ZelCallService::ATFwdRead(HWND window, UINT message, int reason)
{
    return ::ATFwdRead(window, message, reason);
}

int ZelCallService::ATFwdWrite(HWND window, UINT message, int reason, int mode, const char* number, int time,
                               int classes)
{
    return ::ATFwdWrite(window, message, reason, mode, number, time, classes);
}

const FwdResult* ZelCallService::ATFwdGet()
{
    return ::ATFwdGet();
}

BOOL ZelCallService::Fehler_Melden(int errorClass, int stringId)
{
    return ::Fehler_Melden(errorClass, stringId);
}

} // namespace corvant
