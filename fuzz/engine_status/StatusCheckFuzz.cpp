// Feeds received lines to the status check. The first byte chooses the port state and whether a
// PIN is stored; the rest is lines ended by LF: an empty line is a 500 ms timer tick, a line
// "~n" lets n seconds pass before a tick, any other line is handed to the cycle as received.
// Besides the sanitizers, it checks what must hold for any phone: the command buffer stays a
// terminated text within its size, only the check's own commands are sent, every answer is a
// known (PhoneStatus, result) pair, and the check always ends when the phone falls silent.
#include "engine/Engine.h"
#include "engine/EngineServices.h"
#include "engine/zeldll.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>

namespace {

class Services : public zel::EngineServices {
public:
    std::uint32_t now = 0xFFFF0000u; // close to the wrap, so every run crosses it
    int answers = 0;
    std::uint32_t tickCount() override { return now; }
    bool postMessage(HWND, UINT, WPARAM wParam, LPARAM lParam) override
    {
        const int status = int(wParam);
        if (status < PHONE_SIM_OTHER || status > PHONE_REGISTERED)
            fail("answer with an unknown PhoneStatus");
        if (lParam != RESULT_OK && lParam != RESULT_TIMEOUT && lParam != RESULT_PIN_REJECTED)
            fail("answer with an unknown result");
        ++answers;
        return true;
    }
    LRESULT sendMessage(HWND, UINT, WPARAM, LPARAM) override { return 0; }

    [[noreturn]] static void fail(const char* what)
    {
        std::fprintf(stderr, "status check fuzz: %s\n", what);
        std::abort();
    }
};

bool knownCommand(const char* tx)
{
    static const char* const commands[] = {"",        "ATE1Q0V1\r", "AT+CGMI\r", "AT+CPIN?\r",
                                           "AT+CREG?\r", "AT+CBC\r",  "AT+CSQ\r",  "AT^SPIC\r",
                                           "\032AT\r", "+++"};
    for (const char* c : commands)
        if (std::strcmp(tx, c) == 0)
            return true;
    return std::strncmp(tx, "AT+CPIN=", 8) == 0 && std::strcmp(tx + 8, "1234567890\r") == 0;
}

void checkCommand(const EngineShared& shared, const char* command)
{
    if (!std::memchr(shared.txBuffer, '\0', sizeof shared.txBuffer))
        Services::fail("TxBuffer without terminator");
    if (command && !knownCommand(command))
        Services::fail("unexpected command");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static auto shared = std::make_unique<EngineShared>();
    std::memset(static_cast<void*>(shared.get()), 0, sizeof(EngineShared));
    Services services;
    zel::Engine engine(*shared, services);

    int portState = PORT_DSR_ON;
    if (size > 0) {
        portState = data[0] % 8 < 6 ? data[0] % 8 : PORT_DSR_ON;
        if (data[0] & 0x80)
            std::memcpy(shared->simPin, "123456789012", sizeof shared->simPin); // longer than sent
        ++data;
        --size;
    }

    char line[600];
    char* command = nullptr;
    auto cycle = [&](const char* text) {
        if (engine.local().statusCheck.state == zel::STATUS_IDLE)
            engine.requestStatusCheck(1, WM_USER + 11);
        if (engine.cycle(text, &command, portState) != ZEL_CYCLE_DONE)
            Services::fail("cycle did not return 100");
        checkCommand(*shared, command);
    };

    std::size_t pos = 0;
    while (pos < size) {
        const void* end = std::memchr(data + pos, '\n', size - pos);
        const std::size_t length = end ? std::size_t(static_cast<const std::uint8_t*>(end) - (data + pos)) : size - pos;
        const std::size_t kept = length < sizeof line - 1 ? length : sizeof line - 1;
        std::memcpy(line, data + pos, kept);
        line[kept] = '\0';
        pos += length + 1;
        if (kept == 0) {
            services.now += 500;
            cycle(nullptr);
        } else if (line[0] == '~' && kept == 2 && line[1] >= '0' && line[1] <= '9') {
            services.now += std::uint32_t(line[1] - '0') * 1000u;
            cycle(nullptr);
        } else {
            cycle(line);
        }
    }

    // A phone that falls silent: the running check must end on its own, within the longest
    // path of deadlines (first answer, abort, escape and two fresh starts: well under 60 s).
    for (int i = 0; i < 120 && engine.local().statusCheck.state != zel::STATUS_IDLE; ++i) {
        services.now += 500;
        engine.cycle(nullptr, &command, portState);
        checkCommand(*shared, command);
    }
    if (engine.local().statusCheck.state != zel::STATUS_IDLE)
        Services::fail("the check did not end after the phone fell silent");
    return 0;
}
