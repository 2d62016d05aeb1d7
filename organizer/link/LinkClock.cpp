#include "organizer/link/LinkClock.h"

#include <QCoreApplication>

#include <chrono>
#include <thread>

namespace tessaro {

namespace {

std::int64_t steadyMs()
{
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

} // namespace

RealLinkClock::RealLinkClock() : m_origin(steadyMs()) {}

std::int64_t RealLinkClock::nowMs()
{
    return steadyMs() - m_origin;
}

void RealLinkClock::doEvents(std::int64_t nextDueMs)
{
    if (QCoreApplication::instance())
        QCoreApplication::processEvents(QEventLoop::AllEvents);
    // The port has no event of its own here: the waits poll it. A short rest per pass keeps a
    // long wait from spinning a core without delaying an answer noticeably.
    if (nextDueMs < 0 || nextDueMs > nowMs())
        std::this_thread::sleep_for(std::chrono::microseconds(200));
}

void LinkTimer::setInterval(int ms, std::int64_t now)
{
    m_interval = ms;
    m_due = now + m_interval;
}

void LinkTimer::setEnabled(bool on, std::int64_t now)
{
    if (on && !m_enabled)
        m_due = now + m_interval;
    m_enabled = on;
}

void LinkTimer::poll(std::int64_t now)
{
    // An interval of 0 never ticks, as a timer without interval does not run.
    if (!m_enabled || m_interval <= 0 || now < m_due)
        return;
    m_due = now + m_interval;
    m_onTick();
}

} // namespace tessaro
