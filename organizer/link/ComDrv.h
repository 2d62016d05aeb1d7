// The organizer's serial link: opening with retries and the wake-up handshake, sending, and
// receiving up to an awaited text with a time-out and the phone's error answers raised as
// errors. Everything runs on the user-interface thread; every wait lets window events run.
#pragma once

#include "organizer/link/CommControl.h"
#include "organizer/link/LinkClock.h"

#include <QByteArray>

#include <array>
#include <memory>

namespace tessaro {

// Link state the main window looks at.
inline bool LinkBusy = false;
inline bool TimeoutFlag = false;
inline QByteArray ReceiveRest;
inline std::array<QByteArray, 11> ErrorTokens;

// The hidden form "COM Driver" that holds the serial control and the link's three timers.
class ComDrv {
public:
    ComDrv(std::unique_ptr<SerialBackend> backend, LinkClock& clock);

    CommControl MSComm1;
    LinkTimer Timer1;     // link time-out; sets TimeoutFlag
    LinkTimer IrDaTimer;  // short waits of the opening; sets IrdaDelayFlag
    LinkTimer DebugTimer; // transfer pause; sets PauseFlag

    bool IrdaDelayFlag = false;
    bool PauseFlag = false;

    LinkClock& clock() { return m_clock; }
    std::int64_t now() { return m_clock.nowMs(); }

    // One pass of window events, then the ticks that are due.
    void DoEvents();

    // Enables the timer, clears its flag, lets events run until it ticked, disables it.
    void waitIrDa();
    void waitPause();

private:
    LinkClock& m_clock;
};

// The form, created on first use with the platform's serial ports and the real clock.
ComDrv& ComDrvForm();
// Creates the form anew with the given device and clock (tests; the clock must outlive it).
ComDrv& ComDrvLoad(std::unique_ptr<SerialBackend> backend, LinkClock& clock);
// Drops the form; the next use creates it anew.
void ComDrvUnload();

void InitErrorTokens();

// Opens the link. True when the port is open and the phone answered the handshake, or the
// port was open already. On failure the error box was shown, the port closed and the phone
// side reset; false.
bool InitComm();
void CloseComm();

// Writes `text` once the output buffer has room for it; -2000 on time-out.
void ComDrvSendeAnMs(const QByteArray& text);

// Collects input until `token` arrived: `answer` gets all that was received, up to and past the
// token; what followed the token stays for the next receive. -2000 on time-out, -1988 when the
// phone answered with an error.
void ComDrvEmpfangeVonMs(QByteArray& answer, const QByteArray& token);

} // namespace tessaro
