// A simulated phone started in-process at COM1 of the test's private config folder, and the
// suite's port layer opened on it: the bytes a test writes and reads travel a real terminal.
#pragma once

#include "platform/serial/SerialPort.h"
#include "platform/serial/SerialPortName.h"
#include "tools/phonesim/PhoneSim.h"

#include <chrono>
#include <cstring>
#include <optional>
#include <functional>
#include <poll.h>
#include <string>

namespace simtest {

using Clock = std::chrono::steady_clock;
using namespace std::chrono_literals;

inline std::string comLink(int n = 1)
{
    return torvane::serial::portLinkFolder() + "/COM" + std::to_string(n);
}

// True when text ends with a final result code of a verbose or numeric answer.
inline bool hasFinalResult(const std::string& text)
{
    for (const char* end : {"\r\nOK\r\n", "\r\nERROR\r\n", "\r\n> "})
        if (text.size() >= std::strlen(end) && text.compare(text.size() - std::strlen(end), std::string::npos, end) == 0)
            return true;
    for (const char* error : {"+CME ERROR: ", "+CMS ERROR: "}) {
        const auto at = text.rfind(error);
        if (at != std::string::npos && text.size() > at + 2 && text.compare(text.size() - 2, 2, "\r\n") == 0)
            return true;
    }
    return false;
}

class SimLink {
public:
    explicit SimLink(torvane::phonesim::PhoneSim& sim) : m_sim(sim)
    {
        std::string error;
        m_started = sim.start(comLink(), &error);
        m_error = error;
        if (m_started)
            reopen();
    }

    bool ok() const { return m_started && m_port.isOpen(); }
    const std::string& error() const { return m_error; }
    torvane::serial::SerialPort& port() { return m_port; }

    bool reopen()
    {
        m_port.close();
        auto port = torvane::serial::SerialPort::open("COM1");
        if (!port) {
            m_error = port.error().text;
            return false;
        }
        m_port = std::move(port).value();
        return true;
    }

    void send(const std::string& bytes) { m_port.write(bytes); }

    // Reads until done(text so far) holds or the deadline passes; a dropped line ends it too.
    std::string readUntil(const std::function<bool(const std::string&)>& done, std::chrono::milliseconds within = 3s)
    {
        std::string got;
        const auto deadline = Clock::now() + within;
        while (!done(got) && Clock::now() < deadline) {
            pollfd p {m_port.fd(), POLLIN, 0};
            ::poll(&p, 1, 10);
            auto chunk = m_port.readAll();
            if (!chunk) {
                m_lastReadError = chunk.error().code;
                break;
            }
            got += *chunk;
        }
        return got;
    }

    // Sends a command line (CR added) and returns everything up to its final result code.
    std::string command(const std::string& line, std::chrono::milliseconds within = 3s)
    {
        send(line + "\r");
        return readUntil(hasFinalResult, within);
    }

    std::optional<torvane::serial::SerialErrorCode> lastReadError() const { return m_lastReadError; }

private:
    torvane::phonesim::PhoneSim& m_sim;
    torvane::serial::SerialPort m_port;
    bool m_started = false;
    std::string m_error;
    std::optional<torvane::serial::SerialErrorCode> m_lastReadError;
};

// Polls cond until it holds or the deadline passes.
inline bool waitFor(const std::function<bool()>& cond, std::chrono::milliseconds within = 3s)
{
    const auto deadline = Clock::now() + within;
    while (!cond()) {
        if (Clock::now() >= deadline)
            return false;
        ::poll(nullptr, 0, 2);
    }
    return true;
}

} // namespace simtest
