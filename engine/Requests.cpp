#include "engine/Requests.h"

#include "engine/JobStep.h"

#include <cstring>

namespace zel {

namespace {

// Characters that would break a command out of its double quotes: the quote itself, the line
// ends that finish a command, and the Ctrl-Z and ESC that finish or cancel a prompt.
bool breaksQuotedField(char c)
{
    return c == '"' || c == '\r' || c == '\n' || c == 26 || c == 27;
}

// Copies at most N - 1 characters of `text` (null: none) and fills the rest with zero bytes.
template <std::size_t N>
void copyText(char (&field)[N], const char* text)
{
    std::size_t n = text ? strnlen(text, N - 1) : 0;
    std::memcpy(field, text ? text : "", n);
    std::memset(field + n, 0, N - n);
}

// As copyText, for a text that goes inside a quoted command field: the characters that would
// break out of the quotes are left out, and the area takes as many of the others as it holds.
template <std::size_t N>
void copyQuotedText(char (&field)[N], const char* text)
{
    std::size_t n = 0;
    for (const char* p = text; p && *p != '\0' && n < N - 1; ++p)
        if (!breaksQuotedField(*p))
            field[n++] = *p;
    std::memset(field + n, 0, N - n);
}

// A two-letter code (storage, facility), which goes into a quoted field too: two bytes, no
// terminator; a shorter text, or characters left out, leave zeros.
void copyCode(char (&field)[2], const char* code)
{
    field[0] = field[1] = '\0';
    std::size_t n = 0;
    for (std::size_t i = 0; code && i < 2 && code[i] != '\0'; ++i)
        if (!breaksQuotedField(code[i]))
            field[n++] = code[i];
}

// Copies `length` bytes of `data`, held to 0 .. N, and returns how many were stored.
template <std::size_t N>
int copyData(char (&field)[N], const void* data, int length)
{
    std::size_t n = (length <= 0 || !data) ? 0 : std::size_t(length);
    if (n > N)
        n = N;
    if (n > 0)
        std::memcpy(field, data, n);
    return int(n);
}

void setReply(JobRecord& head, HWND window, UINT message)
{
    head.window = window;
    head.message = message;
}

void makePending(JobRecord& head)
{
    storeJobState(head.state, JOB_PENDING);
}

} // namespace

void storeOwner(EngineShared& shared, HWND owner)
{
    shared.owner = owner;
}

void kickOwner(const EngineShared& shared, EngineServices& services)
{
    services.postMessage(shared.owner, WM_ENGINE_KICK, 0, 0);
}

bool ownerDrivesEngine(const EngineShared& shared, EngineServices& services)
{
    return shared.owner != 0 && services.windowExists(shared.owner);
}

void requestPhonebookRead(EngineShared& shared, HWND window, UINT message, const char* storage)
{
    setReply(shared.pbRead.head, window, message);
    copyCode(shared.pbRead.storage, storage);
    makePending(shared.pbRead.head);
}

void requestPhonebookWrite(EngineShared& shared, HWND window, UINT message, const char* storage, int index,
                           const char* text, const char* number)
{
    PBWriteJob& job = shared.pbWrite;
    setReply(job.head, window, message);
    copyCode(job.storage, storage);
    job.index = index;
    copyQuotedText(job.text, text);
    copyQuotedText(job.number, number);
    makePending(job.head);
}

void requestSmsRead(EngineShared& shared, HWND window, UINT message)
{
    setReply(shared.smRead.head, window, message);
    makePending(shared.smRead.head);
}

void requestSmsDelete(EngineShared& shared, HWND window, UINT message, bool firstMessage)
{
    if (firstMessage)
        shared.smRead.messageIndex = 1;
    setReply(shared.smDel.head, window, message);
    makePending(shared.smDel.head);
}

void requestSmsSend(EngineShared& shared, HWND window, UINT message, const char* number, const void* data,
                    int length, int reference, int sequence, int total, int mode, const char* smsc,
                    int validity)
{
    SMSendJob& job = shared.smSend;
    setReply(job.head, window, message);
    copyText(job.number, number);
    std::memset(job.data, 0, sizeof job.data);
    job.length = copyData(job.data, data, length);
    job.reference = reference;
    job.sequence = sequence;
    job.total = total;
    job.mode = mode;
    job.validity = validity;
    copyQuotedText(job.smsc, smsc);
    makePending(job.head);
}

void requestLockQuery(EngineShared& shared, HWND window, UINT message, const char* facility)
{
    setReply(shared.lockGet.head, window, message);
    copyCode(shared.lockGet.facility, facility);
    makePending(shared.lockGet.head);
}

void requestLockSet(EngineShared& shared, HWND window, UINT message, const char* facility,
                    const char* password, int mode, int classes)
{
    LockSetJob& job = shared.lockSet;
    setReply(job.head, window, message);
    copyCode(job.facility, facility);
    job.mode = mode;
    job.classes = classes;
    copyQuotedText(job.password, password);
    makePending(job.head);
}

void requestForwardQuery(EngineShared& shared, HWND window, UINT message, int reason)
{
    setReply(shared.fwdRead.head, window, message);
    shared.fwdRead.reason = reason;
    makePending(shared.fwdRead.head);
}

void requestForwardSet(EngineShared& shared, HWND window, UINT message, int reason, int mode,
                       const char* number, int time, int classes)
{
    FwdWriteJob& job = shared.fwdWrite;
    setReply(job.head, window, message);
    job.reason = reason;
    job.mode = mode;
    copyQuotedText(job.number, number);
    job.classes = classes;
    job.time = time;
    makePending(job.head);
}

void requestMelodyWrite(EngineShared& shared, HWND window, UINT message, const void* data, int length)
{
    MelWriteJob& job = shared.melWrite;
    setReply(job.head, window, message);
    std::memset(job.data, 0, sizeof job.data);
    job.length = copyData(job.data, data, length);
    makePending(job.head);
}

void requestMelodyTest(EngineShared& shared, HWND window, UINT message, int play)
{
    setReply(shared.melTest.head, window, message);
    shared.melTest.play = play;
    makePending(shared.melTest.head);
}

int withdrawRequests(EngineShared& shared, HWND window)
{
    int withdrawn = 0;
    for (int kind = 0; kind < kJobKindCount; ++kind) {
        JobRecord* head = jobRecord(shared, JobKind(kind));
        if (head && head->window == window && exchangeJobState(head->state, JOB_PENDING, JOB_IDLE))
            ++withdrawn;
    }
    return withdrawn;
}

bool reportError(const EngineShared& shared, EngineServices& services, int errorClass, int stringId)
{
    return services.postMessage(shared.owner, WM_ENGINE_ERROR, WPARAM(errorClass), LPARAM(stringId));
}

} // namespace zel
