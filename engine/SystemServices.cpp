#include "engine/SystemServices.h"

#include "platform/messaging/Messaging.h"

#include <cstdio>
#include <time.h>

namespace zel {

std::uint32_t SystemServices::tickCount()
{
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    // Only differences of ticks count, so the truncation to 32 bits (and its wrap) is harmless.
    return std::uint32_t(std::uint64_t(now.tv_sec) * 1000u + std::uint64_t(now.tv_nsec) / 1000000u);
}

bool SystemServices::postMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    return ::PostMessage(window, message, wParam, lParam) != FALSE;
}

LRESULT SystemServices::sendMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    return ::SendMessage(window, message, wParam, lParam);
}

bool SystemServices::windowExists(HWND window)
{
    return ::IsWindow(window) != FALSE;
}

void SystemServices::trace(const char* text)
{
    std::fprintf(stderr, "zeldll: %s\n", text);
}

} // namespace zel
