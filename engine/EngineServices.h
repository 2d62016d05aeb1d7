// What the engine needs from the world around it, as one small interface: the millisecond
// tick count its deadlines are measured with, and the window messages it answers with. The
// library binds it to the system clock and the messaging layer; tests bind a fake clock and a
// recorder, so every step can be driven and checked without a process or a timer.
#pragma once

#include "platform/wintypes.h"

#include <cstdint>

namespace zel {

class EngineServices {
public:
    virtual ~EngineServices() = default;

    // Milliseconds from an arbitrary start; wraps around after 49.7 days.
    virtual std::uint32_t tickCount() = 0;

    // Queued delivery; false when the window or its process is gone.
    virtual bool postMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) = 0;

    // Synchronous delivery, bounded by the messaging layer's time-out for other processes.
    virtual LRESULT sendMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) = 0;

    // Whether a requester's window still exists, in any process. Unsure means yes: a request is
    // only ever dropped for a window known to be gone.
    virtual bool windowExists(HWND) { return true; }

    // A line of the engine's diagnostic trace (what it decided on its own, without a requester
    // to tell); none by default.
    virtual void trace(const char*) {}
};

// True when tick `now` is past `deadline`. Signed difference, so a deadline armed shortly
// before the counter wraps still lies ahead of it.
inline bool tickPast(std::uint32_t now, std::uint32_t deadline)
{
    return std::int32_t(now - deadline) > 0;
}

} // namespace zel
