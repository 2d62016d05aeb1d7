// The engine's owner in a test process, in the part of the main program's engine host: it opens
// the phone's port, makes itself the engine's owner, cuts what the phone sends into lines the way
// the host's reader does (CR or LF, and the blank of the "> " prompt that comes without a line
// end), hands every line and a 500 ms tick to ZelDllCycle, writes what the cycle leaves for the
// port, and dispatches the process's window messages. Its reply window records every answer.
#pragma once

#include "platform/messaging/Messaging.h"
#include "platform/serial/SerialPort.h"

#include <chrono>
#include <cstddef>
#include <functional>
#include <string>
#include <vector>

namespace torvane::test {

class EngineLinePump : public messaging::MessageHandler {
public:
    struct Answer {
        UINT message;
        int wParam;
        long lParam;
    };

    EngineLinePump() = default;
    ~EngineLinePump() override;
    EngineLinePump(const EngineLinePump&) = delete;
    EngineLinePump& operator=(const EngineLinePump&) = delete;

    // Opens the port ("COM1" or a device path) and calls ZelDllInit with the pump's window.
    bool open(const std::string& port, std::string* error = nullptr);

    // The window requests name as their reply window.
    HWND window() const { return m_window; }

    // Pumps until done() holds (checked after every step) or `within` has passed. It ticks once
    // on entry, so that a request made since the last run does not wait for the next tick.
    bool runUntil(const std::function<bool()>& done, std::chrono::milliseconds within = std::chrono::seconds(20));

    // Pumps until an answer with this message has come; that answer, or message 0 on time-out.
    Answer waitForAnswer(UINT message, std::chrono::milliseconds within = std::chrono::seconds(20));

    const std::vector<Answer>& answers() const { return m_answers; }
    // Bytes read from the port so far.
    std::size_t bytesReceived() const { return m_bytesReceived; }

    LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void cycle(const char* line);
    void feed(const char* data, std::size_t size);

    serial::SerialPort m_port;
    HWND m_window = 0;
    std::string m_line;
    std::vector<Answer> m_answers;
    std::size_t m_bytesReceived = 0;
    std::size_t m_taken = 0; // answers handed out by waitForAnswer
};

} // namespace torvane::test
