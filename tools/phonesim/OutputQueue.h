// The bytes the phone has yet to put on the line, in order, each answer no earlier than its
// release time, and (when paced) no faster than the baud rate allows: 10 bits a byte, so
// 1920 bytes a second at 19200 baud. Time comes in from the caller.
#pragma once

#include "tools/phonesim/AtLineReader.h"

#include <chrono>
#include <cstddef>
#include <deque>
#include <optional>
#include <string>

namespace torvane::phonesim {

class OutputQueue {
public:
    // A hang-up marker travels in the queue so that it comes after the bytes before it.
    void push(std::string bytes, SimClock::time_point notBefore);
    void pushHangUp(SimClock::time_point notBefore, std::chrono::milliseconds downtime);

    // 0 turns pacing off.
    void setBaudRate(int baud);
    int baudRate() const { return m_baud; }

    // At most max bytes that may be written now (no copy is taken off the queue).
    std::string due(SimClock::time_point now, std::size_t max);
    // The writer took n of the bytes due() offered.
    void consumed(std::size_t n);
    // The line would not take more; a paced line then starts afresh instead of bursting.
    void blocked() { m_idle = true; }

    // A due hang-up marker at the front, taken off the queue: its downtime.
    std::optional<std::chrono::milliseconds> takeHangUp(SimClock::time_point now);

    std::optional<SimClock::time_point> nextEvent(SimClock::time_point now) const;
    bool empty() const { return m_chunks.empty(); }
    void clear();

private:
    struct Chunk {
        std::string bytes;
        SimClock::time_point notBefore;
        bool hangUp = false;
        std::chrono::milliseconds downtime {0};
    };

    std::chrono::nanoseconds byteTime() const;

    std::deque<Chunk> m_chunks;
    std::size_t m_offset = 0; // bytes of the front chunk already written
    int m_baud = 0;
    SimClock::time_point m_nextByteAt {};
    bool m_idle = true;
};

} // namespace torvane::phonesim
