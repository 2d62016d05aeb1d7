// Link time for tests: it stands still while the code under test runs and jumps to the next
// timer tick (or scheduled event) only when the test allows time to pass. By default it may
// pass at every pass of a wait; with a grace period, only after that much real time went by
// in the same wait, so a phone on a real line has had its chance to answer.
#pragma once

#include "organizer/link/LinkClock.h"

#include <QCoreApplication>

#include <chrono>
#include <cstdint>
#include <functional>
#include <map>

namespace tessaro::test {

class FakeLinkClock : public LinkClock {
public:
    std::int64_t nowMs() override { return m_now; }

    void doEvents(std::int64_t nextDueMs) override
    {
        ++passes;
        if (QCoreApplication::instance())
            QCoreApplication::processEvents();
        if (onPass)
            onPass();
        std::int64_t target = nextDueMs;
        if (!m_events.empty() && (target < 0 || m_events.begin()->first < target))
            target = m_events.begin()->first;
        if (target < 0)
            return;
        if (target != m_lastTarget) {
            m_lastTarget = target;
            m_targetSeen = std::chrono::steady_clock::now();
        }
        if (std::chrono::steady_clock::now() - m_targetSeen < grace)
            return;
        advanceTo(target);
    }

    // Each wait gives the far end its grace anew.
    void waitStarted() override { m_lastTarget = -1; }

    // Runs `f` when time reaches `atMs`.
    void at(std::int64_t atMs, std::function<void()> f) { m_events.emplace(atMs, std::move(f)); }

    void advanceTo(std::int64_t t)
    {
        if (t > m_now)
            m_now = t;
        while (!m_events.empty() && m_events.begin()->first <= m_now) {
            auto f = std::move(m_events.begin()->second);
            m_events.erase(m_events.begin());
            f();
        }
    }

    // Real time a deadline must stand before time may jump to it.
    std::chrono::milliseconds grace{0};
    // Runs in every pass, after window events.
    std::function<void()> onPass;
    long passes = 0;

private:
    std::int64_t m_now = 0;
    std::int64_t m_lastTarget = -1;
    std::chrono::steady_clock::time_point m_targetSeen;
    std::multimap<std::int64_t, std::function<void()>> m_events;
};

} // namespace tessaro::test
