// Window messages and timers of the engine host (the engine's owner window). The engine's own
// messages (WM_ENGINE_ERROR, WM_PHONE_STATE, ...) are in engine/zeldll.h.
#pragma once

#include "platform/wintypes.h"

namespace corvant {

// The reader thread hands a line over (wParam 1, lParam 1; the line is in its buffer).
constexpr UINT WM_LINE_RECEIVED = WM_USER + 10;
// The engine's answer to ATStatusCheck: wParam PhoneStatus, lParam result.
constexpr UINT WM_STATUS_CHECK_DONE = WM_USER + 11;
// The engine's answers to the SMS manager's requests, which name the host window.
constexpr UINT WM_SMS_SEND_DONE = WM_USER + 301;
constexpr UINT WM_SMS_READ_DONE = WM_USER + 302;
constexpr UINT WM_SMS_DELETE_DONE = WM_USER + 303;

// Timer 1 pumps the engine, timer 2 polls the phone's status and the SMS spool.
constexpr UINT_PTR PUMP_TIMER = 1;
constexpr UINT_PTR POLL_TIMER = 2;
constexpr UINT PUMP_PERIOD_MS = 500;
constexpr UINT POLL_PERIOD_MS = 15000;

// How often the reader thread looks at the port.
constexpr int READER_NAP_MS = 50;

// Registered at start-up and shown in the host's diagnostics; nothing sends or handles it.
constexpr char ZEL_REGISTER_MESSAGE[] = "TORVANE_QVNPRO_ZEL_REGISTER";

} // namespace corvant
