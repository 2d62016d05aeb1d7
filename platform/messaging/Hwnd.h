// How a window handle names its process and its window (see HWND in platform/wintypes.h).
#pragma once

#include "platform/wintypes.h"

#include <cstdint>

namespace messaging {

constexpr HWND makeHwnd(std::uint32_t pid, std::uint32_t number)
{
    return (HWND(pid) << 32) | HWND(number);
}

constexpr std::uint32_t hwndPid(HWND window)
{
    return std::uint32_t(window >> 32);
}

constexpr std::uint32_t hwndNumber(HWND window)
{
    return std::uint32_t(window & 0xffffffffu);
}

} // namespace messaging
