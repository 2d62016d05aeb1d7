// One step of one job: what the cycle hands a job's state machine. It carries the received
// line (or none on a timer tick), the port state and the tick count of this cycle, and gives
// the operations every state machine is written with: compare the line, leave a command in
// TxBuffer, arm the deadline, end the job with a posted answer. Nothing here allocates.
#pragma once

#include "engine/EngineLocal.h"
#include "engine/EngineServices.h"
#include "engine/JobKind.h"
#include "engine/zeldll.h"

#include <cstddef>
#include <cstdint>

namespace zel {

// What a step may reach beyond its own record.
struct EngineContext {
    EngineShared& shared;
    EngineLocal& local;
    EngineServices& services;
    const char* simPin; // the stored SIM PIN as this process sees ZelSimPin
};

class JobStep {
public:
    JobStep(EngineContext& context, JobKind kind, const char* line, int portState, std::uint32_t now);

    JobKind kind() const { return m_kind; }
    const char* line() const { return m_line; } // null on a timer tick
    bool hasLine() const { return m_line != nullptr; }
    int portState() const { return m_portState; }
    std::uint32_t now() const { return m_now; }

    // A step that starts a pending job sees JOB_PENDING until it sets its first state, which
    // takes the job from its requester unless the requester has withdrawn it meanwhile.
    int state() const;
    void setState(int state);
    // The request was withdrawn before this step could take it: the step must reach nobody.
    bool withdrawn() const { return m_withdrawn; }

    // Line tests. "OK" and "ERROR" are compared with the whole line, answers by their start.
    bool lineIs(const char* text) const;
    bool lineStartsWith(const char* prefix) const;
    bool lineContains(const char* text) const;
    // The rest of the line after `prefix`, or null when the line does not begin with it.
    const char* lineAfter(const char* prefix) const;
    // "ERROR", or a "+CME ERROR" (equipment) or "+CMS ERROR" (message service) answer of a
    // phone with numeric or verbose error codes on.
    bool lineIsError() const;

    // TxBuffer gets `command` followed by CR (cut to fit the buffer).
    void send(const char* command);
    // TxBuffer gets a formatted command followed by CR.
    void sendFormat(const char* format, ...) __attribute__((format(printf, 2, 3)));
    // TxBuffer gets exactly these bytes (a payload with its Ctrl-Z, an escape text).
    void sendBytes(const char* bytes, std::size_t length);

    // Deadline of the kind: `ms` from this cycle's tick.
    void arm(std::uint32_t ms);
    bool deadlinePast() const;
    // Milliseconds until the deadline (negative once past).
    std::int32_t untilDeadline() const;

    // A line of the engine's trace, formatted into a buffer of its own (cut to fit).
    void trace(const char* format, ...) __attribute__((format(printf, 2, 3)));

    // The job goes idle and its requester gets (wParam, lParam).
    void end(WPARAM wParam, LPARAM lParam);
    // The job goes idle and its requester gets (job code, result).
    void finish(LPARAM result);

    EngineShared& shared() { return m_context.shared; }
    EngineLocal& local() { return m_context.local; }
    const char* simPin() const { return m_context.simPin; }

private:
    EngineContext& m_context;
    JobKind m_kind;
    const char* m_line;
    int m_portState;
    std::uint32_t m_now;
    bool m_starting = false;
    bool m_withdrawn = false;
};

// A job's state machine, as the cycle calls it.
struct JobHandler {
    JobKind kind;
    void (*step)(JobStep&);   // one step; the job is in state JOB_PENDING or one of its own
    void (*expire)(JobStep&); // the deadline passed after a step; null: end with RESULT_TIMEOUT
};

// Reading and writing a job state that another process may write at the same time: a request
// writes its fields first and its state last, so a cycle that sees the state sees the fields.
int loadJobState(const int& state);
void storeJobState(int& state, int value);
// Sets `value` only when the state is `expected`, in one step that no other process can split.
bool exchangeJobState(int& state, int expected, int value);

} // namespace zel
