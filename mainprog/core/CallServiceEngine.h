// The engine exports the forwarding and barring dialogs call: the product binds them to
// libzeldll.so (ZelCallService), tests to a fake that records the requests.
#pragma once

#include "engine/zeldll.h"
#include "platform/wintypes.h"

namespace corvant {

// The engine's answers, posted to the dialog's own window.
constexpr UINT WM_LOCK_QUERY_DONE = WM_USER + 106;
constexpr UINT WM_LOCK_SET_DONE = WM_USER + 107;
constexpr UINT WM_FORWARD_QUERY_DONE = WM_USER + 108;
constexpr UINT WM_FORWARD_SET_DONE = WM_USER + 109;

class CallServiceEngine {
public:
    virtual ~CallServiceEngine() = default;

    virtual int ATLockGet(HWND window, UINT message, const char* facility) = 0;
    virtual int ATLockSet(HWND window, UINT message, const char* facility, const char* password, int mode,
                          int classes) = 0;
    virtual int ATFwdRead(HWND window, UINT message, int reason) = 0;
    virtual int ATFwdWrite(HWND window, UINT message, int reason, int mode, const char* number, int time,
                           int classes) = 0;
    // Null when there is no valid result.
    virtual const FwdResult* ATFwdGet() = 0;
    virtual BOOL Fehler_Melden(int errorClass, int stringId) = 0;
};

} // namespace corvant
