#include "platform/registry/WriteFailures.h"

#include <atomic>
#include <mutex>
#include <optional>
#include <utility>

namespace torvane::registry {

namespace {

std::mutex handlerLock;
std::atomic<bool> ownAccordTold {false};

WriteFailureHandler& handler()
{
    static WriteFailureHandler h;
    return h;
}

struct Failure {
    std::string file;
    std::string reason;
};

// The change the user confirmed that this thread is making, if any.
struct ChangeInProgress {
    int depth = 0;
    std::optional<Failure> failure; // the first; the others say the same to the user
};
thread_local ChangeInProgress change;

void callHandler(const Failure& failure)
{
    WriteFailureHandler h;
    {
        std::lock_guard guard(handlerLock);
        h = handler();
    }
    if (h)
        h(failure.file, failure.reason);
}

} // namespace

void setWriteFailureHandler(WriteFailureHandler h)
{
    std::lock_guard guard(handlerLock);
    handler() = std::move(h);
    ownAccordTold = false;
}

ConfirmedChange::ConfirmedChange()
{
    ++change.depth;
}

ConfirmedChange::~ConfirmedChange()
{
    if (--change.depth > 0)
        return;
    const std::optional<Failure> failure = std::move(change.failure);
    change = {};
    if (failure)
        callHandler(*failure);
}

void tellWriteFailure(const std::string& file, const std::string& reason)
{
    if (change.depth > 0) {
        if (!change.failure)
            change.failure = Failure {file, reason};
        return;
    }
    if (!ownAccordTold.exchange(true))
        callHandler(Failure {file, reason});
}

} // namespace torvane::registry
