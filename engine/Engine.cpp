#include "engine/Engine.h"

#include "engine/Requests.h"
#include "engine/StatusWindows.h"

#include "platform/sharedmem/NamedMutex.h"

#include <cstdio>

namespace zel {

Engine::Engine(EngineShared& shared, EngineServices& services, JobTable jobs)
    : m_context{shared, m_local, services, shared.simPin}, m_jobs(jobs)
{
}

Engine::~Engine() = default;

int Engine::initOwner(HWND owner)
{
    dropOrphanedRequests();
    storeOwner(m_context.shared, owner);
    m_mutex = createEngineMutex(m_context.shared);
    return m_mutex ? 0 : -1;
}

void Engine::dropOrphanedRequests()
{
    // The section outlives an owner while another program keeps it loaded. What an owner's
    // requesters left in it and then abandoned (their window is gone) must not be carried out
    // by the next owner: a phonebook write, a barring change or an SMS part nobody waits for.
    EngineShared& shared = m_context.shared;
    for (const JobHandler& job : m_jobs) {
        JobRecord* head = jobRecord(shared, job.kind);
        if (!head || loadJobState(head->state) == JOB_IDLE || m_context.services.windowExists(head->window))
            continue;
        storeJobState(head->state, JOB_IDLE);
        char text[120];
        std::snprintf(text, sizeof text, "request of job %d dropped: its window %#llx is gone", jobCode(job.kind),
                      static_cast<unsigned long long>(head->window));
        m_context.services.trace(text);
    }
}

int Engine::stateOf(JobKind kind) const
{
    if (kind == JobKind::StatusCheck)
        return m_local.statusCheck.state;
    return loadJobState(jobRecord(m_context.shared, kind)->state);
}

const JobHandler* Engine::chooseJob() const
{
    // A dialogue in progress keeps the phone until it ends; only then may a pending job start.
    for (const JobHandler& job : m_jobs)
        if (job.step && stateOf(job.kind) > JOB_PENDING)
            return &job;
    for (const JobHandler& job : m_jobs)
        if (job.step && stateOf(job.kind) == JOB_PENDING)
            return &job;
    return nullptr;
}

int Engine::cycle(const char* line, char** command, int portState)
{
    if (m_local.cycleDepth != 0)
        return ZEL_CYCLE_REENTERED;
    ++m_local.cycleDepth;

    EngineShared& shared = m_context.shared;
    shared.txBuffer[0] = '\0';
    char* out = shared.txBuffer;

    if (const JobHandler* job = chooseJob()) {
        JobStep step(m_context, job->kind, line, portState, m_context.services.tickCount());
        if (!step.withdrawn())
            job->step(step);
        if (step.withdrawn()) {
            // Its requester took the request back while this cycle chose it: the command the
            // step left must not reach the phone.
            shared.txBuffer[0] = '\0';
            out = nullptr;
        } else if (step.state() > JOB_PENDING && step.deadlinePast()) {
            // A job that a new request has just made pending again starts afresh at the next
            // cycle; the deadline of the run it replaced must not end it.
            if (job->expire)
                job->expire(step);
            else
                step.finish(RESULT_TIMEOUT);
        }
    } else {
        out = nullptr;
    }
    if (command)
        *command = out;

    --m_local.cycleDepth;
    return ZEL_CYCLE_DONE;
}

int Engine::requestStatusCheck(HWND window, UINT message)
{
    if (m_local.statusCheck.state != STATUS_IDLE)
        return -1;
    m_context.shared.statusCheck.window = window;
    m_context.shared.statusCheck.message = message;
    m_local.statusCheck.state = STATUS_START;
    return 0;
}

} // namespace zel
