// Waiting in a test (or a benchmark) of several processes: this process's posted messages are
// handled while it waits, since the answers it waits for arrive as messages.
#pragma once

#include "platform/messaging/Messaging.h"

#include <chrono>
#include <functional>

namespace torvane::test {

// Handles this process's messages until done holds (true) or the time is up (false); done is
// looked at again at least every sliceMs.
inline bool waitFor(const std::function<bool()>& done, std::chrono::milliseconds within = std::chrono::seconds(20),
                    int sliceMs = 50)
{
    const auto deadline = std::chrono::steady_clock::now() + within;
    while (!done()) {
        if (std::chrono::steady_clock::now() >= deadline)
            return false;
        messaging::dispatchMessages(sliceMs);
    }
    return true;
}

} // namespace torvane::test
