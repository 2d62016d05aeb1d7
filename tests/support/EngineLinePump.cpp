#include "support/EngineLinePump.h"

#include "engine/zeldll.h"

#include <poll.h>

#include <algorithm>
#include <cstring>

namespace torvane::test {

namespace {

using Clock = std::chrono::steady_clock;
constexpr auto kTick = std::chrono::milliseconds(500);
constexpr std::size_t kLineBuffer = 499;

} // namespace

EngineLinePump::~EngineLinePump()
{
    if (m_window)
        messaging::unregisterWindow(m_window);
}

bool EngineLinePump::open(const std::string& port, std::string* error)
{
    auto opened = serial::SerialPort::open(port);
    if (!opened) {
        if (error)
            *error = opened.error().text;
        return false;
    }
    m_port = std::move(opened).value();
    m_window = messaging::registerWindow(this);
    if (!m_window || ZelDllInit(m_window) != 0) {
        if (error)
            *error = "the engine did not take the pump as its owner";
        return false;
    }
    return true;
}

LRESULT EngineLinePump::handleMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    // The kick of a phonebook read needs no answer: the job starts at the next cycle anyway.
    if (message != WM_ENGINE_KICK)
        m_answers.push_back({message, int(wParam), long(lParam)});
    return 0;
}

void EngineLinePump::cycle(const char* line)
{
    char* command = nullptr;
    ZelDllCycle(line, &command, PORT_DSR_ON);
    if (command && *command)
        m_port.write(command, std::strlen(command));
}

void EngineLinePump::feed(const char* data, std::size_t size)
{
    for (std::size_t i = 0; i < size; ++i) {
        const char c = data[i];
        const bool prompt = c == ' ' && m_line == ">" && i + 1 == size;
        if (c == '\r' || c == '\n' || prompt) {
            if (!m_line.empty()) {
                const std::string line = m_line;
                m_line.clear();
                cycle(line.c_str());
            }
        } else if (m_line.size() < kLineBuffer) {
            m_line += c;
        }
    }
}

bool EngineLinePump::runUntil(const std::function<bool()>& done, std::chrono::milliseconds within)
{
    const auto deadline = Clock::now() + within;
    // A request made since the last run starts at once, as at a tick that came right after it.
    cycle(nullptr);
    auto nextTick = Clock::now() + kTick;
    while (!done()) {
        const auto now = Clock::now();
        if (now >= deadline)
            return false;
        const auto wait = std::min(nextTick, deadline) - now;
        pollfd fds[2] = {{m_port.fd(), POLLIN, 0}, {messaging::endpointFd(), POLLIN, 0}};
        ::poll(fds, 2, int(std::chrono::duration_cast<std::chrono::milliseconds>(wait).count()) + 1);
        char buffer[512];
        for (;;) {
            const auto got = m_port.read(buffer, sizeof buffer);
            if (!got || *got == 0)
                break;
            m_bytesReceived += *got;
            feed(buffer, *got);
        }
        messaging::dispatchMessages(0);
        if (Clock::now() >= nextTick) {
            nextTick += kTick;
            cycle(nullptr);
        }
    }
    return true;
}

EngineLinePump::Answer EngineLinePump::waitForAnswer(UINT message, std::chrono::milliseconds within)
{
    Answer found{0, 0, 0};
    runUntil(
        [&] {
            for (std::size_t i = m_taken; i < m_answers.size(); ++i) {
                if (m_answers[i].message == message) {
                    found = m_answers[i];
                    m_taken = i + 1;
                    return true;
                }
            }
            return false;
        },
        within);
    return found;
}

} // namespace torvane::test
