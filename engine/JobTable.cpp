#include "engine/JobTable.h"

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
    {JobKind::PhonebookRead, nullptr, nullptr},
    {JobKind::PhonebookWrite, nullptr, nullptr},
    {JobKind::SmsDelete, nullptr, nullptr},
    {JobKind::SmsRead, nullptr, nullptr},
    {JobKind::SmsSend, nullptr, nullptr},
    {JobKind::LockQuery, nullptr, nullptr},
    {JobKind::LockSet, nullptr, nullptr},
    {JobKind::ForwardQuery, nullptr, nullptr},
    {JobKind::ForwardSet, nullptr, nullptr},
    {JobKind::MelodyWrite, nullptr, nullptr},
    {JobKind::MelodyTest, nullptr, nullptr},
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
