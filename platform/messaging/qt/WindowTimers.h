// Window timers: WM_TIMER with wParam = the timer's id, handed to the window on the thread that
// set the timer (which must run a Qt event loop: the window's own thread).
#pragma once

#include "platform/wintypes.h"

// Starts, or restarts with the new period, the timer id of a window of this process.
// Periods below 10 ms are raised to 10 ms. Returns id, or 0 when window is not a window of this
// process or id is 0.
UINT_PTR SetTimer(HWND window, UINT_PTR id, UINT periodMs);

// Stops the timer; FALSE when there is no such timer.
BOOL KillTimer(HWND window, UINT_PTR id);

namespace messaging {

// Stops every timer of the window (when it goes away).
void killWindowTimers(HWND window);

// The period of a running timer, -1 when there is none. For tests of the programs' timers.
int timerPeriod(HWND window, UINT_PTR id);

} // namespace messaging
