#include "tools/phonesim/OutputQueue.h"

#include <algorithm>

namespace torvane::phonesim {

void OutputQueue::push(std::string bytes, SimClock::time_point notBefore)
{
    if (bytes.empty())
        return;
    // An answer never overtakes the one before it.
    if (!m_chunks.empty())
        notBefore = std::max(notBefore, m_chunks.back().notBefore);
    m_chunks.push_back({std::move(bytes), notBefore, false, {}});
}

void OutputQueue::pushHangUp(SimClock::time_point notBefore, std::chrono::milliseconds downtime)
{
    if (!m_chunks.empty())
        notBefore = std::max(notBefore, m_chunks.back().notBefore);
    m_chunks.push_back({{}, notBefore, true, downtime});
}

void OutputQueue::setBaudRate(int baud)
{
    m_baud = std::max(0, baud);
    m_idle = true;
}

std::chrono::nanoseconds OutputQueue::byteTime() const
{
    // One start bit, eight data bits, one stop bit.
    return std::chrono::nanoseconds(10'000'000'000LL / m_baud);
}

std::string OutputQueue::due(SimClock::time_point now, std::size_t max)
{
    std::string out;
    if (m_chunks.empty() || m_chunks.front().hangUp || m_chunks.front().notBefore > now) {
        m_idle = true;
        return out;
    }
    std::size_t allowed = max;
    if (m_baud > 0) {
        if (m_idle) {
            m_nextByteAt = now;
            m_idle = false;
        }
        if (m_nextByteAt > now)
            return out;
        allowed = std::min<std::size_t>(max, std::size_t(1 + (now - m_nextByteAt) / byteTime()));
    }
    std::size_t offset = m_offset;
    for (const Chunk& chunk : m_chunks) {
        if (chunk.hangUp || chunk.notBefore > now || out.size() >= allowed)
            break;
        const std::size_t take = std::min(allowed - out.size(), chunk.bytes.size() - offset);
        out.append(chunk.bytes, offset, take);
        offset = 0;
    }
    return out;
}

void OutputQueue::consumed(std::size_t n)
{
    if (m_baud > 0)
        m_nextByteAt += byteTime() * std::int64_t(n);
    while (n > 0 && !m_chunks.empty()) {
        Chunk& front = m_chunks.front();
        const std::size_t take = std::min(n, front.bytes.size() - m_offset);
        m_offset += take;
        n -= take;
        if (m_offset == front.bytes.size()) {
            m_chunks.pop_front();
            m_offset = 0;
        }
    }
    if (m_chunks.empty())
        m_idle = true;
}

std::optional<std::chrono::milliseconds> OutputQueue::takeHangUp(SimClock::time_point now)
{
    if (m_chunks.empty() || !m_chunks.front().hangUp || m_chunks.front().notBefore > now)
        return std::nullopt;
    const auto downtime = m_chunks.front().downtime;
    m_chunks.pop_front();
    return downtime;
}

std::optional<SimClock::time_point> OutputQueue::nextEvent(SimClock::time_point now) const
{
    if (m_chunks.empty())
        return std::nullopt;
    const Chunk& front = m_chunks.front();
    if (front.notBefore > now)
        return front.notBefore;
    if (m_baud > 0 && !front.hangUp && !m_idle && m_nextByteAt > now)
        return m_nextByteAt;
    return now;
}

void OutputQueue::clear()
{
    m_chunks.clear();
    m_offset = 0;
    m_idle = true;
}

} // namespace torvane::phonesim
