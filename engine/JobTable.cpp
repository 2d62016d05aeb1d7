#include "engine/JobTable.h"

#include "engine/ForwardJobs.h"
#include "engine/LockJobs.h"
#include "engine/MelodyJobs.h"
#include "engine/PhonebookJobs.h"
#include "engine/SmsJobs.h"
#include "engine/StatusCheck.h"

namespace zel {

JobRecord* jobRecord(EngineShared& shared, JobKind kind)
{
    switch (kind) {
    case JobKind::PhonebookRead: return &shared.pbRead.head;
    case JobKind::PhonebookWrite: return &shared.pbWrite.head;
    case JobKind::SmsDelete: return &shared.smDel.head;
    case JobKind::SmsRead: return &shared.smRead.head;
    case JobKind::SmsSend: return &shared.smSend.head;
    case JobKind::LockQuery: return &shared.lockGet.head;
    case JobKind::LockSet: return &shared.lockSet.head;
    case JobKind::ForwardQuery: return &shared.fwdRead.head;
    case JobKind::ForwardSet: return &shared.fwdWrite.head;
    case JobKind::MelodyWrite: return &shared.melWrite.head;
    case JobKind::MelodyTest: return &shared.melTest.head;
    case JobKind::StatusCheck: break;
    }
    return nullptr;
}

namespace {

constexpr JobHandler kStandardJobs[] = {
    {JobKind::StatusCheck, &statusCheckStep, &statusCheckExpire},
    {JobKind::PhonebookRead, &phonebookReadStep, &phonebookReadExpire},
    {JobKind::PhonebookWrite, &phonebookWriteStep, nullptr},
    {JobKind::SmsDelete, &smsDeleteStep, &smsDeleteExpire},
    {JobKind::SmsRead, &smsReadStep, nullptr},
    {JobKind::SmsSend, &smsSendStep, &smsSendExpire},
    {JobKind::LockQuery, &lockQueryStep, nullptr},
    {JobKind::LockSet, &lockSetStep, nullptr},
    {JobKind::ForwardQuery, &forwardQueryStep, nullptr},
    {JobKind::ForwardSet, &forwardSetStep, nullptr},
    {JobKind::MelodyWrite, &melodyWriteStep, nullptr},
    {JobKind::MelodyTest, &melodyTestStep, nullptr},
};

constexpr bool inFixedOrder()
{
    int i = 0;
    for (const JobHandler& h : kStandardJobs)
        if (int(h.kind) != i++)
            return false;
    return i == kJobKindCount;
}
static_assert(inFixedOrder(), "the table lists every kind once, in the cycle's order");

} // namespace

JobTable standardJobTable()
{
    return kStandardJobs;
}

} // namespace zel
