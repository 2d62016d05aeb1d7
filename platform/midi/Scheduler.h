// Where timed work comes from: the sequencer's next event, a notification handed to its window
// later, an answer's time-out. Calls run on the thread that owns the scheduler, never inside
// callAfter. The program gives a scheduler on its event loop; tests give ManualScheduler and
// move its clock themselves.
#pragma once

#include <cstdint>
#include <functional>

namespace torvane {

class Scheduler {
public:
    using TimerId = std::uint64_t; // 0 is never a timer

    virtual ~Scheduler() = default;
    // Milliseconds from an arbitrary start, never going back.
    virtual std::int64_t nowMs() const = 0;
    // Runs fn once, delayMs (0 or more) from now: after everything already due.
    virtual TimerId callAfter(std::int64_t delayMs, std::function<void()> fn) = 0;
    // The call does not happen; nothing for an id that ran or was cancelled.
    virtual void cancel(TimerId id) = 0;
};

} // namespace torvane
