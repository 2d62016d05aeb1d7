// Messages the test peer program understands (tests/platform/messaging/MessagingPeer.cpp).
#pragma once

#include "platform/wintypes.h"

// wParam: the next number of a sequence starting at 0.
constexpr UINT PEER_SEQUENCE = WM_USER + 1;
// Answers how many numbers of the sequence arrived in order, or -1 once one arrived out of order.
constexpr UINT PEER_QUERY_SEQUENCE = WM_USER + 2;
// Answers wParam * 3 + lParam, work only the peer does.
constexpr UINT PEER_ECHO = WM_USER + 3;
// The handler announces "hanging" and never returns.
constexpr UINT PEER_HANG = WM_USER + 4;
// Prefixes the title with "Renamed " (Qt peer); answers 1.
constexpr UINT PEER_RETITLE = WM_USER + 5;
// Unregisters the peer's second window; answers 1.
constexpr UINT PEER_DROP_SECOND = WM_USER + 6;
// Answers the peer's process id.
constexpr UINT PEER_PID = WM_USER + 7;

inline LRESULT peerEcho(WPARAM wParam, LPARAM lParam)
{
    return LRESULT(wParam) * 3 + lParam;
}
