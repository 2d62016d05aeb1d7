#include "mainprog/core/PortReader.h"

#include <system_error>

namespace corvant {

namespace {

// What the modem-status display shows once a read has returned.
constexpr unsigned kReadReturnedMark = 10000;

} // namespace

PortReader::PortReader(HostPort& port, std::mutex& portLock, HostDisplay& display)
    : port_(port)
    , portLock_(portLock)
    , display_(display)
{
}

PortReader::~PortReader()
{
    stop();
}

bool PortReader::pollOnce()
{
    std::optional<std::size_t> got;
    unsigned readErrors = 0;
    unsigned modem = 0;
    {
        std::lock_guard lock(portLock_);
        if (!port_.isOpen())
            return false;
        readErrors = port_.readErrorFlags();
        const auto status = port_.modemStatus();
        modem = status ? status->lines : 0;
        got = port_.read(cutter_.tail(), cutter_.room());
        if (got)
            modem += kReadReturnedMark;
        else
            readErrors = port_.readErrorFlags();
    }
    const bool errorsChanged = display_.readErrors.exchange(readErrors) != readErrors;
    const bool modemChanged = display_.modem.exchange(modem) != modem;
    if (errorsChanged || modemChanged)
        display_.notify();
    if (!got || *got == 0)
        return true;
    cutter_.added(*got, [this](char* line) {
        if (stopping_ || !deliver_)
            return;
        line_ = line;
        deliver_();
        line_ = nullptr;
    });
    return true;
}

bool PortReader::start(std::chrono::milliseconds nap)
{
    if (thread_.joinable())
        return true;
    stopping_ = false;
    ended_ = false;
    try {
        thread_ = std::thread([this, nap] {
            for (;;) {
                {
                    std::unique_lock lock(napLock_);
                    if (napWake_.wait_for(lock, nap, [this] { return stopping_.load(); }))
                        break;
                }
                pollOnce();
            }
            ended_ = true;
        });
    } catch (const std::system_error&) {
        return false;
    }
    return true;
}

void PortReader::stop(const std::function<void()>& whileWaiting)
{
    if (!thread_.joinable())
        return;
    {
        std::lock_guard lock(napLock_);
        stopping_ = true;
    }
    napWake_.notify_all();
    while (!ended_ && whileWaiting)
        whileWaiting();
    thread_.join();
}

} // namespace corvant
