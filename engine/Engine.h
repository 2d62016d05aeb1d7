// The engine of one process: the cycle that steps one job per call, and the status-check
// request whose state lives here. It works on a shared section given to it (the real one in the
// library, any EngineShared in tests) and reaches the world only through EngineServices.
#pragma once

#include "engine/EngineLocal.h"
#include "engine/EngineServices.h"
#include "engine/JobTable.h"
#include "engine/zeldll.h"

#include <memory>

namespace torvane {
class NamedMutex;
}

namespace zel {

class Engine {
public:
    Engine(EngineShared& shared, EngineServices& services, JobTable jobs = standardJobTable());

    ~Engine();
    Engine(const Engine&) = delete;
    Engine& operator=(const Engine&) = delete;

    // Makes `owner` the engine's owner window for every process and creates the engine mutex,
    // kept for the life of this engine. Requests whose window no longer exists are dropped
    // first (traced). 0, or -1 when the mutex cannot be created.
    int initOwner(HWND owner);

    // Where the status check reads the stored SIM PIN (by default the shared section's record).
    void setSimPin(const char* simPin) { m_context.simPin = simPin; }

    // One engine step. *command gets TxBuffer, or null when no job wants the phone. Returns
    // ZEL_CYCLE_DONE, or ZEL_CYCLE_REENTERED (touching nothing) when called from inside a cycle.
    int cycle(const char* line, char** command, int portState);

    // -1 while a check is pending or running in this process; otherwise queues one and returns 0.
    int requestStatusCheck(HWND window, UINT message);

    EngineShared& shared() { return m_context.shared; }
    EngineLocal& local() { return m_local; }

private:
    void dropOrphanedRequests();
    const JobHandler* chooseJob() const;
    int stateOf(JobKind kind) const;

    EngineLocal m_local;
    EngineContext m_context;
    JobTable m_jobs;
    std::unique_ptr<torvane::NamedMutex> m_mutex;
};

} // namespace zel
