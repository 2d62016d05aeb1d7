// What the application and the engine host need of the SMS manager (CSmsManager): the host's
// 15-second timer runs its polls while they are armed and hands it the engine's SMS answers;
// the settings sheet lets it configure itself again. Until the manager exists the application
// holds none, and the timer and the answers skip it.
#pragma once

#include "platform/wintypes.h"

namespace corvant {

class SmsManagerHooks {
public:
    virtual ~SmsManagerHooks() = default;

    virtual bool receivePollArmed() const = 0;
    virtual bool sendPollArmed() const = 0;
    // Timer 2, in this order: the receive poll, then the spool scan.
    virtual void RequestRead() = 0;
    virtual void ScanOutbox() = 0;
    // The engine's answers (lParam) to the host window.
    virtual void OnPartSent(int result) = 0;       // WM_SMS_SEND_DONE
    virtual void OnMessageRead(int result) = 0;    // WM_SMS_READ_DONE
    virtual void OnMessageDeleted(int result) = 0; // WM_SMS_DELETE_DONE
    // Every status check's answer (WM_STATUS_CHECK_DONE: wParam PhoneStatus, lParam result).
    virtual void OnPhoneStatus(int phoneStatus, int result) = 0;
    // Reads its settings again (after the settings sheet's OK).
    virtual void Configure() = 0;
};

} // namespace corvant
