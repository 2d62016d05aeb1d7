// Synchronous sends through an endpoint: the calling thread sends the request from a socket of
// its own, bound in the endpoint folder, and the receiver answers to that address. One socket a
// thread, so answers never reach a thread that did not ask; a serial tells a late answer to an
// earlier, abandoned request from the one awaited.
#pragma once

#include "platform/messaging/Datagram.h"
#include "platform/messaging/Runtime.h"

#include <chrono>
#include <cstdint>
#include <optional>

namespace messaging {

enum class CallOutcome {
    Answered,
    NoWindow, // the receiver had no such window
    Gone,     // the receiving process is gone
    TimedOut,
    Failed, // no socket for this thread, or the request could not be sent
};

struct CallAnswer {
    CallOutcome outcome = CallOutcome::Failed;
    LRESULT result = 0;
};

// Sends request (a Send; its serial is filled in) to the endpoint of targetPid and waits for the
// answer until deadline, or without limit when there is none.
CallAnswer callEndpoint(Runtime& runtime, std::uint32_t targetPid, Datagram request,
                        std::optional<std::chrono::steady_clock::time_point> deadline);

} // namespace messaging
