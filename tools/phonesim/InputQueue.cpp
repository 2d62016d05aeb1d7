#include "tools/phonesim/InputQueue.h"

#include <algorithm>

namespace torvane::phonesim {

void InputQueue::setBaudRate(int baud)
{
    m_baud = std::max(0, baud);
}

std::chrono::nanoseconds InputQueue::byteTime() const
{
    // One start bit, eight data bits, one stop bit.
    return m_baud > 0 ? std::chrono::nanoseconds(10'000'000'000LL / m_baud) : std::chrono::nanoseconds(0);
}

void InputQueue::push(std::string_view bytes, SimClock::time_point now)
{
    if (bytes.empty())
        return;
    // A line that stood idle starts the first byte now; one still busy queues it behind the last.
    if (m_bytes.empty())
        m_frontArrives = now + byteTime();
    m_bytes.insert(m_bytes.end(), bytes.begin(), bytes.end());
}

std::string InputQueue::arrived(SimClock::time_point now)
{
    std::size_t count = m_bytes.size();
    if (m_baud > 0) {
        count = now < m_frontArrives ? 0 : std::min<std::size_t>(count, 1 + (now - m_frontArrives) / byteTime());
        m_frontArrives += byteTime() * std::int64_t(count);
    }
    std::string out(m_bytes.begin(), m_bytes.begin() + std::ptrdiff_t(count));
    m_bytes.erase(m_bytes.begin(), m_bytes.begin() + std::ptrdiff_t(count));
    return out;
}

std::optional<SimClock::time_point> InputQueue::nextEvent() const
{
    if (m_bytes.empty())
        return std::nullopt;
    return m_frontArrives;
}

void InputQueue::clear()
{
    m_bytes.clear();
}

} // namespace torvane::phonesim
