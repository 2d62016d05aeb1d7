// Barring query and set over the phone's facility lock command.
#include "engine/LockJobs.h"

#include "engine/LineFields.h"

#include <cstring>

namespace zel {

namespace {

constexpr std::uint32_t kAnswerMs = 3000;
constexpr std::uint32_t kCmeeMs = 2000;
constexpr std::uint32_t kNetworkMs = 15000; // the phone asks the network

// The phone's number for a wrong password, once numeric error codes are on.
constexpr int kCmeIncorrectPassword = 16;

// "^SLCK: <status>[,<class>]": a status alone stands for every class.
void onLockLine(const char* rest, int& mask)
{
    int status = 0;
    int classes = CLASS_ALL;
    const char* p = readNumber(rest, status);
    if (!p)
        return;
    if (const char* c = expectChar(p, ','))
        readNumber(c, classes);
    // Classes beyond fax (SMS, data circuits, ...) are not the requester's: its mask holds
    // voice, data and fax, and a negative answer would read as a failure.
    classes &= CLASS_ALL;
    if (status != 0)
        mask |= classes;
    else
        mask &= ~classes;
}

// "+CME ERROR: 16" and no other number.
bool isWrongPassword(const JobStep& step)
{
    const char* rest = step.lineAfter("+CME ERROR:");
    int number = -1;
    if (!rest)
        return false;
    const char* end = readNumber(rest, number);
    return end && number == kCmeIncorrectPassword && *skipBlanks(end) == '\0';
}

int codeLength(const char (&code)[2])
{
    return int(strnlen(code, 2));
}

} // namespace

void lockQueryStep(JobStep& step)
{
    const LockGetJob& job = step.shared().lockGet;
    int& mask = step.local().lockQueryMask;
    switch (step.state()) {
    case JOB_PENDING:
        mask = 0;
        step.sendFormat("AT^SLCK=\"%.*s\",2", codeLength(job.facility), job.facility);
        step.setState(LOCKGET_QUERY_SENT);
        step.arm(kNetworkMs);
        break;

    case LOCKGET_QUERY_SENT:
        if (const char* rest = step.lineAfter("^SLCK:")) {
            onLockLine(rest, mask);
            step.arm(kAnswerMs);
        } else if (step.lineIs("OK")) {
            step.finish(mask);
        }
        break;

    default:
        step.finish(RESULT_TIMEOUT);
        break;
    }
}

void lockSetStep(JobStep& step)
{
    const LockSetJob& job = step.shared().lockSet;
    switch (step.state()) {
    case JOB_PENDING:
        // Numeric error codes, so that a wrong password can be told from other refusals.
        step.send("AT+CMEE=1");
        step.setState(LOCKSET_CMEE_SENT);
        step.arm(kCmeeMs);
        break;

    case LOCKSET_CMEE_SENT:
        if (step.lineIs("OK")) {
            step.sendFormat("AT^SLCK=\"%.*s\",%d,\"%.*s\",%d", codeLength(job.facility), job.facility, job.mode,
                            int(strnlen(job.password, sizeof job.password)), job.password, job.classes);
            step.setState(LOCKSET_SET_SENT);
            step.arm(kNetworkMs);
        }
        break;

    case LOCKSET_SET_SENT:
        if (step.lineIs("OK"))
            step.finish(RESULT_OK);
        else if (isWrongPassword(step))
            step.finish(RESULT_WRONG_PASSWORD);
        break;

    default:
        step.finish(RESULT_TIMEOUT);
        break;
    }
}

} // namespace zel
