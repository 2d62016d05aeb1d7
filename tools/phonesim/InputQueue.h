// The bytes a program wrote to the phone on their way over the line: when paced, a byte counts as
// received only once its ten bits would have crossed it at the baud rate, so a command line
// arrives when its last byte would have, however fast the terminal took it. Time comes in from
// the caller.
#pragma once

#include "tools/phonesim/AtLineReader.h"

#include <chrono>
#include <cstddef>
#include <deque>
#include <optional>
#include <string>
#include <string_view>

namespace torvane::phonesim {

class InputQueue {
public:
    // 0 turns pacing off: every byte is received the moment it is written.
    void setBaudRate(int baud);
    int baudRate() const { return m_baud; }

    // Bytes the program wrote, taken from the terminal at now.
    void push(std::string_view bytes, SimClock::time_point now);
    // The bytes that have crossed the line by now, taken off the queue.
    std::string arrived(SimClock::time_point now);
    // When the next byte will have crossed; nothing while the queue is empty.
    std::optional<SimClock::time_point> nextEvent() const;
    bool empty() const { return m_bytes.empty(); }
    void clear();

private:
    std::chrono::nanoseconds byteTime() const;

    std::deque<char> m_bytes;
    // When the first byte of m_bytes will have crossed; each next one follows a byte time later.
    SimClock::time_point m_frontArrives {};
    int m_baud = 0;
};

} // namespace torvane::phonesim
