// The job kinds of the engine, in the fixed order in which the cycle serves them: a kind
// earlier in this list starts first when several are pending, and a dialogue in progress is
// always finished before anything pending starts.
#pragma once

#include "engine/zeldll.h"

namespace zel {

enum class JobKind : int {
    StatusCheck,
    PhonebookRead,
    PhonebookWrite,
    SmsDelete,
    SmsRead,
    SmsSend,
    LockQuery,
    LockSet,
    ForwardQuery,
    ForwardSet,
    MelodyWrite,
    MelodyTest,
};

constexpr int kJobKindCount = int(JobKind::MelodyTest) + 1;

// The job code a kind answers with (wParam); the status check answers with its PhoneStatus.
constexpr int jobCode(JobKind kind)
{
    switch (kind) {
    case JobKind::PhonebookRead: return JOB_PHONEBOOK_READ;
    case JobKind::PhonebookWrite: return JOB_PHONEBOOK_WRITE;
    case JobKind::SmsDelete: return JOB_SMS_DELETE;
    case JobKind::SmsRead: return JOB_SMS_READ;
    case JobKind::SmsSend: return JOB_SMS_SEND;
    case JobKind::LockQuery: return JOB_LOCK_QUERY;
    case JobKind::LockSet: return JOB_LOCK_SET;
    case JobKind::ForwardQuery: return JOB_FORWARD_QUERY;
    case JobKind::ForwardSet: return JOB_FORWARD_SET;
    case JobKind::MelodyWrite: return JOB_MELODY_WRITE;
    case JobKind::MelodyTest: return JOB_MELODY_TEST;
    case JobKind::StatusCheck: break;
    }
    return 0;
}

// The head of a kind's record in the shared section; null for the status check, whose state
// is kept per process.
JobRecord* jobRecord(EngineShared& shared, JobKind kind);

} // namespace zel
