// Another program holding the phone's port for a while: the organizer's opening retries while
// the port is in use. Holds the device through the serial layer, exclusively, until released
// or until the given time has passed.
#pragma once

#include "platform/serial/SerialPort.h"

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <string>
#include <thread>

namespace torvane::phonesim {

class PortHolder {
public:
    PortHolder() = default;
    ~PortHolder();
    PortHolder(const PortHolder&) = delete;
    PortHolder& operator=(const PortHolder&) = delete;

    // Opens the port (a name or a device path) and keeps it. False with a reason when it cannot.
    bool hold(const std::string& port, std::string* error = nullptr);
    // The same, letting go by itself after `duration` of real time.
    bool holdFor(const std::string& port, std::chrono::milliseconds duration, std::string* error = nullptr);
    void release();
    bool holding() const;

private:
    void stopTimer();

    mutable std::mutex m_mutex;
    std::condition_variable m_wake;
    serial::SerialPort m_port;
    std::thread m_timer;
    bool m_cancel = false;
};

} // namespace torvane::phonesim
