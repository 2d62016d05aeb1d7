// Forwarding query and set over the phone's call forwarding command.
#include "engine/ForwardJobs.h"

#include "engine/LineFields.h"
#include "engine/LockJobs.h"
#include "engine/PhonebookJobs.h"
#include "engine/SharedResults.h"

#include <cstring>

namespace zel {

namespace {

constexpr std::uint32_t kAnswerMs = 3000;
constexpr std::uint32_t kNetworkMs = 15000;

// The FwdResult entry of a class: voice, data, fax; -1 for any other class.
int entryOf(int classes)
{
    switch (classes) {
    case CLASS_VOICE: return 0;
    case CLASS_DATA: return 1;
    case CLASS_FAX: return 2;
    default: return -1;
    }
}

void resetResult(EngineShared& shared)
{
    FwdResultShared& result = shared.fwdResult;
    for (int i = 0; i < 3; ++i) {
        std::memset(result.number[i], 0, sizeof result.number[i]);
        result.entry[i].status = 0;
        result.entry[i].time = 0;
        result.entry[i].number = sharedOffset(shared, result.number[i]);
    }
}

// "+CCFC: <status>,<class>[,"<number>",<type>[,<subaddress>,<subaddress type>,<time>]]".
void onForwardLine(const char* rest, FwdResultShared& result)
{
    int status = 0;
    int classes = 0;
    const char* p = readNumber(rest, status);
    if (p)
        p = expectChar(p, ',');
    if (p)
        p = readNumber(p, classes);
    if (!p)
        return;
    const int entry = entryOf(classes);
    if (entry < 0)
        return;
    char number[ZEL_FWD_NUMBER_SIZE];
    int numberLength = 0;
    int time = 0;
    p = expectChar(p, ',');
    if (p)
        p = readQuoted(p, number, sizeof number, numberLength);
    if (p) {
        int type = 0;
        p = expectChar(p, ',');
        if (p)
            p = readNumber(p, type);
        if (p)
            p = skipFields(p, 3);
        if (p)
            readNumber(p, time);
    }
    FwdClassEntryShared& target = result.entry[entry];
    target.status = status;
    if (numberLength > 0) {
        std::memset(result.number[entry], 0, sizeof result.number[entry]);
        std::memcpy(result.number[entry], number, strnlen(number, sizeof number));
    }
    target.time = time;
}

} // namespace

void forwardQueryStep(JobStep& step)
{
    EngineShared& shared = step.shared();
    switch (step.state()) {
    case JOB_PENDING:
        resetResult(shared);
        step.sendFormat("AT+CCFC=%d,2", shared.fwdRead.reason);
        step.setState(FWDREAD_QUERY_SENT);
        step.arm(kNetworkMs);
        break;

    case FWDREAD_QUERY_SENT:
        if (const char* rest = step.lineAfter("+CCFC:")) {
            onForwardLine(rest, shared.fwdResult);
            step.arm(kAnswerMs);
        } else if (step.lineIs("OK")) {
            step.finish(RESULT_OK);
        }
        break;

    default:
        step.finish(RESULT_TIMEOUT);
        break;
    }
}

void forwardSetStep(JobStep& step)
{
    const FwdWriteJob& job = step.shared().fwdWrite;
    switch (step.state()) {
    case JOB_PENDING:
        if (job.mode == FORWARD_MODE_ENABLE || job.mode == FORWARD_MODE_REGISTER) {
            const int numberLength = int(strnlen(job.number, sizeof job.number));
            if (job.reason == FORWARD_NO_REPLY)
                step.sendFormat("AT+CCFC=%d,%d,\"%.*s\",%d,%d,,,%d", job.reason, job.mode, numberLength, job.number,
                                numberTypeOf(job.number), job.classes, job.time);
            else
                step.sendFormat("AT+CCFC=%d,%d,\"%.*s\",%d,%d", job.reason, job.mode, numberLength, job.number,
                                numberTypeOf(job.number), job.classes);
        } else {
            step.sendFormat("AT+CCFC=%d,%d,,,%d", job.reason, job.mode, job.classes);
        }
        step.setState(FWDWRITE_SET_SENT);
        step.arm(kNetworkMs);
        break;

    case FWDWRITE_SET_SENT:
        if (step.lineIs("OK"))
            step.finish(RESULT_OK);
        break;

    default:
        step.finish(RESULT_TIMEOUT);
        break;
    }
}

} // namespace zel
