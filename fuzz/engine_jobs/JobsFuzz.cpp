// Feeds received lines to every job of the engine but the status check. The first byte chooses
// the kind the run starts with, the second the request's variant (storage, facility, SMS mode,
// melody length, ...); the rest is lines ended by LF: an empty line is a 500 ms timer tick, a line
// "~n" lets n seconds pass before a tick, any other line is handed to the cycle as received.
// Whenever the job in turn has ended, the next kind is requested, so one input reaches them all.
// Besides the sanitizers, it checks what must hold for any phone: the command buffer stays a
// terminated text within its size and holds a command, a hex payload or a lone Ctrl-Z; answers
// are a job code with a result that job gives; the results never reach past their areas; and
// every job ends when the phone falls silent.
#include "engine/Engine.h"
#include "engine/EngineServices.h"
#include "engine/JobKind.h"
#include "engine/Requests.h"
#include "engine/SharedResults.h"
#include "engine/zeldll.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>

namespace {

using zel::JobKind;

[[noreturn]] void fail(const char* what)
{
    std::fprintf(stderr, "jobs fuzz: %s\n", what);
    std::abort();
}

bool knownResult(int code, long result)
{
    switch (code) {
    case JOB_PHONEBOOK_READ: return result == RESULT_OK || result == RESULT_TIMEOUT || result == RESULT_STORAGE_ERROR;
    case JOB_SMS_READ: return result == RESULT_OK || result == RESULT_TIMEOUT || result == RESULT_NO_MESSAGE;
    case JOB_LOCK_QUERY: return (result >= 0 && result <= 7) || result == RESULT_TIMEOUT;
    case JOB_LOCK_SET: return result == RESULT_OK || result == RESULT_TIMEOUT || result == RESULT_WRONG_PASSWORD;
    case JOB_PHONEBOOK_WRITE:
    case JOB_SMS_SEND:
    case JOB_SMS_DELETE:
    case JOB_FORWARD_QUERY:
    case JOB_FORWARD_SET:
    case JOB_MELODY_WRITE:
    case JOB_MELODY_TEST: return result == RESULT_OK || result == RESULT_TIMEOUT;
    default: return false;
    }
}

class Services : public zel::EngineServices {
public:
    std::uint32_t now = 0xFFFF0000u; // close to the wrap, so every run crosses it
    std::uint32_t tickCount() override { return now; }
    bool postMessage(HWND, UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_ENGINE_KICK)
            return true;
        if (!knownResult(int(wParam), long(lParam)))
            fail("answer with an unknown job code or result");
        return true;
    }
    LRESULT sendMessage(HWND, UINT, WPARAM, LPARAM) override { return 0; }
};

bool isHex(char c)
{
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F');
}

// "AT...<CR>" with no other CR, upper-case hex ended by Ctrl-Z, or Ctrl-Z alone.
void checkCommand(const EngineShared& shared, const char* command)
{
    if (!std::memchr(shared.txBuffer, '\0', sizeof shared.txBuffer))
        fail("TxBuffer without terminator");
    if (!command || !*command)
        return;
    const std::size_t n = std::strlen(command);
    if (std::strncmp(command, "AT", 2) == 0) {
        if (command[n - 1] != '\r' || std::memchr(command, '\r', n - 1) || std::memchr(command, '\n', n) ||
            std::memchr(command, 26, n) || std::memchr(command, 27, n))
            fail("command with a line end, Ctrl-Z or ESC inside");
        return;
    }
    if (command[n - 1] != 26)
        fail("neither command nor payload");
    for (std::size_t i = 0; i + 1 < n; ++i)
        if (!isHex(command[i]))
            fail("payload that is not upper-case hex");
}

void checkResults(EngineShared& shared)
{
    PBResult pb{};
    if (zel::phonebookResult(shared, pb)) {
        const long long stride = 2LL + pb.textLength + pb.numberLength;
        if (pb.count < 0 || pb.count * stride > ZEL_PB_AREA_SIZE)
            fail("phonebook entries past the area");
    }
    SMResult sm{};
    if (zel::smsResult(shared, sm)) {
        if (sm.textLength < 0 || sm.textLength >= ZEL_SMS_DATA_SIZE || sm.text[sm.textLength] != '\0')
            fail("SMS text not within its area or not terminated");
        if (!std::memchr(shared.smRead.sender, '\0', sizeof shared.smRead.sender))
            fail("sender not terminated");
    }
    FwdResult fwd{};
    if (zel::forwardResult(shared, fwd))
        for (const FwdClassEntry& e : fwd.entry)
            if (!e.number || !std::memchr(e.number, '\0', ZEL_FWD_NUMBER_SIZE))
                fail("forwarding number not terminated within its area");
}

// The kinds in turn, the status check left out (it has a fuzz target of its own).
constexpr JobKind kKinds[] = {JobKind::PhonebookRead, JobKind::PhonebookWrite, JobKind::SmsDelete,
                              JobKind::SmsRead,       JobKind::SmsSend,        JobKind::LockQuery,
                              JobKind::LockSet,       JobKind::ForwardQuery,   JobKind::ForwardSet,
                              JobKind::MelodyWrite,   JobKind::MelodyTest};
constexpr int kKindCount = int(sizeof kKinds / sizeof kKinds[0]);

void request(EngineShared& shared, Services& services, JobKind kind, int variant)
{
    constexpr HWND w = 1;
    constexpr UINT m = WM_USER + 200;
    static const char* const storages[] = {"SM", "ME", "X\"", ""};
    static const char* const facilities[] = {"AO", "OI", "\r\n"};
    static const int modes[] = {-1, -2, -3, -4, 0, 1, 2, 3};
    static char melody[ZEL_MELODY_DATA_SIZE];
    static char data[ZEL_SMS_DATA_SIZE];
    for (int i = 0; i < ZEL_SMS_DATA_SIZE; ++i)
        data[i] = char(i * 7 + variant);
    switch (kind) {
    case JobKind::PhonebookRead: zel::requestPhonebookRead(shared, w, m, storages[variant % 4]); break;
    case JobKind::PhonebookWrite:
        zel::requestPhonebookWrite(shared, w, m, storages[variant % 4], variant, "Na\"me", variant % 2 ? "+4917" : "");
        break;
    case JobKind::SmsDelete: zel::requestSmsDelete(shared, w, m, variant % 2 == 0); break;
    case JobKind::SmsRead: zel::requestSmsRead(shared, w, m); break;
    case JobKind::SmsSend:
        zel::requestSmsSend(shared, w, m, variant % 5 ? "+491701234567" : "12a", data, variant % 173,
                            variant % 3 ? 42 : -42, 1 + variant % 3, variant % 4, modes[variant % 8],
                            variant % 2 ? "+491710760000" : "", variant % 4 ? 167 : -1);
        break;
    case JobKind::LockQuery: zel::requestLockQuery(shared, w, m, facilities[variant % 3]); break;
    case JobKind::LockSet: zel::requestLockSet(shared, w, m, facilities[variant % 3], "12\"34", variant % 2, 7); break;
    case JobKind::ForwardQuery: zel::requestForwardQuery(shared, w, m, variant % 5); break;
    case JobKind::ForwardSet:
        zel::requestForwardSet(shared, w, m, variant % 4, variant % 5, "+4930\r", 20, 1 << (variant % 3));
        break;
    case JobKind::MelodyWrite: zel::requestMelodyWrite(shared, w, m, melody, variant * 4); break;
    case JobKind::MelodyTest: zel::requestMelodyTest(shared, w, m, variant % 2); break;
    case JobKind::StatusCheck: break;
    }
    zel::kickOwner(shared, services); // as every request export does
}

bool anyJobActive(EngineShared& shared)
{
    for (JobKind kind : kKinds)
        if (zel::jobRecord(shared, kind)->state != JOB_IDLE)
            return true;
    return false;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static auto shared = std::make_unique<EngineShared>();
    std::memset(static_cast<void*>(shared.get()), 0, sizeof(EngineShared));
    Services services;
    zel::Engine engine(*shared, services);

    int next = 0;
    int variant = 0;
    if (size >= 2) {
        next = data[0] % kKindCount;
        variant = data[1];
        data += 2;
        size -= 2;
    }
    int current = next;
    request(*shared, services, kKinds[current], variant);

    char line[600];
    char* command = nullptr;
    auto cycle = [&](const char* text) {
        if (zel::jobRecord(*shared, kKinds[current])->state == JOB_IDLE) {
            current = (current + 1) % kKindCount;
            request(*shared, services, kKinds[current], ++variant);
        }
        if (engine.cycle(text, &command, PORT_DSR_ON) != ZEL_CYCLE_DONE)
            fail("cycle did not return 100");
        checkCommand(*shared, command);
        checkResults(*shared);
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

    // A phone that falls silent: whatever runs ends by its deadline (35 s at most).
    for (int i = 0; i < 100 && anyJobActive(*shared); ++i) {
        services.now += 500;
        engine.cycle(nullptr, &command, PORT_DSR_ON);
        checkCommand(*shared, command);
        checkResults(*shared);
    }
    if (anyJobActive(*shared))
        fail("a job did not end after the phone fell silent");
    return 0;
}
