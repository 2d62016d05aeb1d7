#include "tools/phonesim/PortHolder.h"

namespace torvane::phonesim {

PortHolder::~PortHolder()
{
    release();
}

bool PortHolder::hold(const std::string& port, std::string* error)
{
    release();
    auto opened = serial::SerialPort::open(port);
    if (!opened) {
        if (error)
            *error = opened.error().text;
        return false;
    }
    std::lock_guard lock(m_mutex);
    m_port = std::move(opened.value());
    return true;
}

bool PortHolder::holdFor(const std::string& port, std::chrono::milliseconds duration, std::string* error)
{
    if (!hold(port, error))
        return false;
    m_cancel = false;
    m_timer = std::thread([this, duration] {
        std::unique_lock lock(m_mutex);
        if (!m_wake.wait_for(lock, duration, [this] { return m_cancel; }))
            m_port.close();
    });
    return true;
}

void PortHolder::stopTimer()
{
    if (!m_timer.joinable())
        return;
    {
        std::lock_guard lock(m_mutex);
        m_cancel = true;
    }
    m_wake.notify_all();
    m_timer.join();
}

void PortHolder::release()
{
    stopTimer();
    std::lock_guard lock(m_mutex);
    m_port.close();
}

bool PortHolder::holding() const
{
    std::lock_guard lock(m_mutex);
    return m_port.isOpen();
}

} // namespace torvane::phonesim
