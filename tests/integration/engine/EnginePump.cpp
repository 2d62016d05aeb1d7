// A minimal port owner for the engine's multi-process tests, in the part of the main program's
// engine host: it calls ZelDllInit with a window of its own, keeps the phone's port open, hands
// every received line and a 500 ms tick to ZelDllCycle and writes what the cycle leaves in
// TxBuffer. It also registers a status window, as the main program's view does.
//
//   engine_test_pump PORT
// Standard output: "ready <owner window> <status window>" (hexadecimal), then one line
// "state <wParam> <lParam>" for each WM_PHONE_STATE its status window gets, and
// "answer <PhoneStatus> <result>" for each answer to a check it requested for itself.
// Standard input: "quit".
// Its owner window takes WM_PUMP_REQUEST_CHECK (wParam = reply window, lParam = reply message;
// reply window 0: the pump's own window) and returns what ATStatusCheck returned. An answer to
// the pump's own window is broadcast with ZelMeldeModule as the main program does.
#include "EnginePumpMessages.h"

#include "engine/zeldll.h"
#include "platform/messaging/Messaging.h"
#include "platform/serial/SerialPort.h"

#include <poll.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <string>

namespace {

using Clock = std::chrono::steady_clock;
constexpr auto kTick = std::chrono::milliseconds(500);
constexpr UINT WM_STATUS_CHECK_DONE = WM_USER + 11;

void say(const std::string& text)
{
    std::fputs((text + "\n").c_str(), stdout);
    std::fflush(stdout);
}

int phoneStateOf(int status)
{
    switch (status) {
    case PHONE_NONE: return PHONESTATE_NOT_CONNECTED;
    case PHONE_REGISTERED: return PHONESTATE_READY;
    case PHONE_PIN_AUTO:
    case PHONE_PIN_NEEDED: return PHONESTATE_ENTRY_REQUIRED;
    default: return PHONESTATE_NOT_READY;
    }
}

class OwnerWindow : public messaging::MessageHandler {
public:
    HWND self = 0;
    LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_PUMP_REQUEST_CHECK) {
            const HWND reply = wParam ? HWND(wParam) : self;
            const UINT replyMessage = wParam ? UINT(lParam) : WM_STATUS_CHECK_DONE;
            return ATStatusCheck(reply, replyMessage);
        }
        if (message == WM_STATUS_CHECK_DONE) {
            say("answer " + std::to_string(int(wParam)) + " " + std::to_string(lParam));
            ZelMeldeModule(1, phoneStateOf(int(wParam)));
        }
        return 0;
    }
};

class StatusWindow : public messaging::MessageHandler {
public:
    LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_PHONE_STATE)
            say("state " + std::to_string(wParam) + " " + std::to_string(lParam));
        return 0;
    }
};

// Cuts the received bytes into lines as the main program's reader does: CR or LF ends a line,
// and so does the blank of the phone's "> " prompt, which comes without a line end.
class LineCutter {
public:
    template <class F>
    void feed(const char* data, std::size_t size, F&& onLine)
    {
        for (std::size_t i = 0; i < size; ++i) {
            const char c = data[i];
            const bool prompt = c == ' ' && m_line == ">" && i + 1 == size;
            if (c == '\r' || c == '\n' || prompt) {
                if (!m_line.empty())
                    onLine(m_line.c_str());
                m_line.clear();
            } else if (m_line.size() < 499) {
                m_line += c;
            }
        }
    }

private:
    std::string m_line;
};

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: engine_test_pump PORT\n");
        return 2;
    }
    auto opened = torvane::serial::SerialPort::open(argv[1]);
    if (!opened) {
        std::fprintf(stderr, "engine_test_pump: %s\n", opened.error().text.c_str());
        return 1;
    }
    torvane::serial::SerialPort port = std::move(opened).value();

    OwnerWindow owner;
    StatusWindow status;
    owner.self = messaging::registerWindow(&owner);
    const HWND statusWindow = messaging::registerWindow(&status);
    if (!owner.self || !statusWindow || ZelDllInit(owner.self) != 0) {
        std::fprintf(stderr, "engine_test_pump: cannot set up the engine\n");
        return 1;
    }
    const int slot = ATStatusReg(statusWindow, WM_PHONE_STATE);
    if (slot < 0) {
        std::fprintf(stderr, "engine_test_pump: status window not registered (%d)\n", slot);
        return 1;
    }
    char ready[64];
    std::snprintf(ready, sizeof ready, "ready %llx %llx", (unsigned long long)owner.self,
                  (unsigned long long)statusWindow);
    say(ready);

    auto cycle = [&port](const char* line) {
        char* command = nullptr;
        const auto modem = port.modemStatus();
        const int portState = modem && modem->dsr() ? PORT_DSR_ON : PORT_NO_DSR;
        ZelDllCycle(line, &command, portState);
        if (command && *command)
            port.write(command, std::strlen(command));
    };

    LineCutter cutter;
    auto nextTick = Clock::now() + kTick;
    for (;;) {
        pollfd fds[3] = {{port.fd(), POLLIN, 0}, {STDIN_FILENO, POLLIN, 0}, {messaging::endpointFd(), POLLIN, 0}};
        const auto wait = std::chrono::duration_cast<std::chrono::milliseconds>(nextTick - Clock::now());
        poll(fds, 3, int(std::max<long long>(0, wait.count())));

        messaging::dispatchMessages(0);
        if (fds[1].revents & (POLLIN | POLLHUP)) {
            char command[64] = {};
            if (!std::fgets(command, sizeof command, stdin) || std::strncmp(command, "quit", 4) == 0)
                break;
        }
        char buffer[512];
        while (true) {
            const auto got = port.read(buffer, sizeof buffer);
            if (!got || *got == 0)
                break;
            cutter.feed(buffer, *got, cycle);
        }
        if (Clock::now() >= nextTick) {
            nextTick += kTick;
            cycle(nullptr);
        }
    }
    ATStatusDeReg(slot);
    return 0;
}
