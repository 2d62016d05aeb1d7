// A scheduler whose clock moves only when told: tests run due calls in time order without
// waiting. Calls made by calls run in the same advance when they fall due within it.
#pragma once

#include "platform/midi/Scheduler.h"

#include <cstdint>
#include <functional>
#include <map>
#include <utility>

namespace torvane {

class ManualScheduler : public Scheduler {
public:
    std::int64_t nowMs() const override { return now_; }

    TimerId callAfter(std::int64_t delayMs, std::function<void()> fn) override
    {
        const TimerId id = ++lastId_;
        pending_.emplace(Key{now_ + (delayMs < 0 ? 0 : delayMs), id}, std::move(fn));
        return id;
    }

    void cancel(TimerId id) override
    {
        for (auto it = pending_.begin(); it != pending_.end(); ++it)
            if (it->first.id == id) {
                pending_.erase(it);
                return;
            }
    }

    // Moves the clock by ms, running every call due on the way at its own time.
    void advance(std::int64_t ms)
    {
        const std::int64_t until = now_ + ms;
        while (!pending_.empty() && pending_.begin()->first.due <= until) {
            auto node = pending_.extract(pending_.begin());
            now_ = node.key().due;
            node.mapped()();
        }
        now_ = until;
    }

    // Runs what is due now (posted calls), without moving the clock.
    void runDue() { advance(0); }

    // Moves on until nothing is pending or limitMs has passed; the time taken.
    std::int64_t runUntilIdle(std::int64_t limitMs = 3600000)
    {
        const std::int64_t start = now_;
        while (!pending_.empty() && pending_.begin()->first.due - start <= limitMs)
            advance(pending_.begin()->first.due - now_);
        return now_ - start;
    }

    std::size_t pendingCount() const { return pending_.size(); }

private:
    struct Key {
        std::int64_t due;
        TimerId id;
        bool operator<(const Key& other) const { return due != other.due ? due < other.due : id < other.id; }
    };
    std::int64_t now_ = 0;
    TimerId lastId_ = 0;
    std::map<Key, std::function<void()>> pending_;
};

} // namespace torvane
