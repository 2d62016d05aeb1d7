// What a window is to the messaging layer: something that handles (message, wParam, lParam).
#pragma once

#include "platform/wintypes.h"

namespace messaging {

class MessageHandler {
public:
    virtual ~MessageHandler() = default;

    // Runs on the window's own thread. The result is what SendMessage returns to the sender;
    // for posted messages it is dropped.
    virtual LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam) = 0;
};

} // namespace messaging
