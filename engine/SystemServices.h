// The engine's services in the product: the monotonic clock and the suite's messaging layer.
#pragma once

#include "engine/EngineServices.h"

namespace zel {

class SystemServices : public EngineServices {
public:
    std::uint32_t tickCount() override;
    bool postMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) override;
    LRESULT sendMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) override;
    bool windowExists(HWND window) override;
    // To the standard error of the owner process, where its session keeps it.
    void trace(const char* text) override;
};

} // namespace zel
