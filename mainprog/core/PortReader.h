// The reader thread: every 50 ms it takes what the open port has received, cuts it into lines
// and hands each line to the UI thread, waiting until it is handled (the UI thread reads the
// line from this reader's buffer meanwhile). It idles while the port is closed. One per process,
// started at the first successful opening of the port.
#pragma once

#include "mainprog/core/HostDisplay.h"
#include "mainprog/core/HostPort.h"
#include "mainprog/core/LineCutter.h"

#include <atomic>
#include <condition_variable>
#include <chrono>
#include <functional>
#include <mutex>
#include <thread>

namespace corvant {

class PortReader {
public:
    // Hands one line over and returns when it has been handled; the line is in buffer().
    using Deliver = std::function<void()>;

    PortReader(HostPort& port, std::mutex& portLock, HostDisplay& display);
    ~PortReader();
    PortReader(const PortReader&) = delete;
    PortReader& operator=(const PortReader&) = delete;

    void setDeliver(Deliver deliver) { deliver_ = std::move(deliver); }

    // One look at the port; false when it is closed.
    bool pollOnce();

    // Runs pollOnce every nap on a thread of its own; false when the thread cannot be made.
    bool start(std::chrono::milliseconds nap);
    // Ends the thread. A line being handed over may wait for the caller's own thread, so the
    // caller's whileWaiting (the product dispatches its messages there) runs until it has ended.
    void stop(const std::function<void()>& whileWaiting = {});

    // The line being handed over (zero-ended).
    char* line() { return line_; }

private:
    HostPort& port_;
    std::mutex& portLock_;
    HostDisplay& display_;
    LineCutter cutter_;
    char* line_ = nullptr;
    Deliver deliver_;
    std::thread thread_;
    std::atomic<bool> stopping_ {false};
    std::atomic<bool> ended_ {false};
    std::mutex napLock_;
    std::condition_variable napWake_;
};

} // namespace corvant
