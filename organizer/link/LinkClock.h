// Time for the link's waits. Every wait of the link is a loop that lets pending window events
// run until a timer of the hidden link form has ticked or the awaited text has arrived; the
// clock says what time it is and runs one pass of window events. The program uses the real
// clock; tests install one that lets time pass only when they allow it.
#pragma once

#include <cstdint>
#include <functional>

namespace tessaro {

class LinkClock {
public:
    virtual ~LinkClock() = default;

    virtual std::int64_t nowMs() = 0;

    // Lets pending window events run once. `nextDueMs` is the moment the next link timer
    // ticks (-1: none runs), so a clock may rest until then instead of spinning.
    virtual void doEvents(std::int64_t nextDueMs) = 0;

    // A wait of the link begins (a send, a receive, a delay of the opening or a pause).
    virtual void waitStarted() {}
};

// Steady time and the Qt event loop of the calling thread.
class RealLinkClock : public LinkClock {
public:
    RealLinkClock();
    std::int64_t nowMs() override;
    void doEvents(std::int64_t nextDueMs) override;

private:
    std::int64_t m_origin;
};

// A timer of the link form: while enabled it ticks every Interval ms, counted from the moment
// it was enabled or its interval changed. It ticks only when polled, which the link does in
// each pass of its waits, so a tick always runs on the user-interface thread.
class LinkTimer {
public:
    explicit LinkTimer(std::function<void()> onTick) : m_onTick(std::move(onTick)) {}

    int Interval() const { return m_interval; }
    bool Enabled() const { return m_enabled; }
    void setInterval(int ms, std::int64_t now);
    void setEnabled(bool on, std::int64_t now);

    // Runs the tick when it is due.
    void poll(std::int64_t now);
    // The moment of the next tick, -1 when disabled.
    std::int64_t due() const { return m_enabled && m_interval > 0 ? m_due : -1; }

private:
    std::function<void()> m_onTick;
    int m_interval = 0;
    bool m_enabled = false;
    std::int64_t m_due = 0;
};

} // namespace tessaro
