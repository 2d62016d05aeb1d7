#include "engine/JobStep.h"

#include <atomic>
#include <cstdarg>
#include <cstdio>
#include <cstring>

namespace zel {

namespace {

constexpr char kCarriageReturn = '\r';

} // namespace

int loadJobState(const int& state)
{
    return std::atomic_ref<const int>(state).load(std::memory_order_acquire);
}

void storeJobState(int& state, int value)
{
    std::atomic_ref<int>(state).store(value, std::memory_order_release);
}

bool exchangeJobState(int& state, int expected, int value)
{
    return std::atomic_ref<int>(state).compare_exchange_strong(expected, value, std::memory_order_acq_rel);
}

JobStep::JobStep(EngineContext& context, JobKind kind, const char* line, int portState, std::uint32_t now)
    : m_context(context), m_kind(kind), m_line(line), m_portState(portState), m_now(now)
{
    if (kind == JobKind::StatusCheck)
        return;
    const int seen = loadJobState(jobRecord(context.shared, kind)->state);
    m_starting = seen == JOB_PENDING;
    m_withdrawn = seen == JOB_IDLE;
}

int JobStep::state() const
{
    if (m_kind == JobKind::StatusCheck)
        return m_context.local.statusCheck.state;
    if (m_starting)
        return JOB_PENDING;
    return loadJobState(jobRecord(m_context.shared, m_kind)->state);
}

void JobStep::setState(int state)
{
    if (m_kind == JobKind::StatusCheck) {
        m_context.local.statusCheck.state = state;
        return;
    }
    if (m_withdrawn)
        return;
    int& shared = jobRecord(m_context.shared, m_kind)->state;
    if (m_starting) {
        // The requester may take back its request until here: whichever of the two changes the
        // pending state first has the job.
        m_starting = false;
        m_withdrawn = !exchangeJobState(shared, JOB_PENDING, state);
        return;
    }
    storeJobState(shared, state);
}

bool JobStep::lineIs(const char* text) const
{
    return m_line && std::strcmp(m_line, text) == 0;
}

bool JobStep::lineStartsWith(const char* prefix) const
{
    return lineAfter(prefix) != nullptr;
}

bool JobStep::lineContains(const char* text) const
{
    return m_line && std::strstr(m_line, text) != nullptr;
}

const char* JobStep::lineAfter(const char* prefix) const
{
    if (!m_line)
        return nullptr;
    const std::size_t n = std::strlen(prefix);
    return std::strncmp(m_line, prefix, n) == 0 ? m_line + n : nullptr;
}

bool JobStep::lineIsError() const
{
    return lineIs("ERROR") || lineStartsWith("+CME ERROR") || lineStartsWith("+CMS ERROR");
}

void JobStep::send(const char* command)
{
    char* tx = m_context.shared.txBuffer;
    std::size_t n = std::strlen(command);
    if (n > std::size_t(ZEL_TX_BUFFER_SIZE) - 2)
        n = std::size_t(ZEL_TX_BUFFER_SIZE) - 2;
    std::memcpy(tx, command, n);
    tx[n] = kCarriageReturn;
    tx[n + 1] = '\0';
}

void JobStep::sendFormat(const char* format, ...)
{
    char* tx = m_context.shared.txBuffer;
    va_list args;
    va_start(args, format);
    const int written = std::vsnprintf(tx, ZEL_TX_BUFFER_SIZE - 1, format, args);
    va_end(args);
    std::size_t n = written < 0 ? 0 : std::size_t(written);
    if (n > std::size_t(ZEL_TX_BUFFER_SIZE) - 2)
        n = std::size_t(ZEL_TX_BUFFER_SIZE) - 2;
    tx[n] = kCarriageReturn;
    tx[n + 1] = '\0';
}

void JobStep::sendBytes(const char* bytes, std::size_t length)
{
    char* tx = m_context.shared.txBuffer;
    if (length > std::size_t(ZEL_TX_BUFFER_SIZE) - 1)
        length = std::size_t(ZEL_TX_BUFFER_SIZE) - 1;
    std::memcpy(tx, bytes, length);
    tx[length] = '\0';
}

void JobStep::arm(std::uint32_t ms)
{
    m_context.local.deadline[int(m_kind)] = m_now + ms;
}

bool JobStep::deadlinePast() const
{
    return tickPast(m_now, m_context.local.deadline[int(m_kind)]);
}

std::int32_t JobStep::untilDeadline() const
{
    return std::int32_t(m_context.local.deadline[int(m_kind)] - m_now);
}

void JobStep::trace(const char* format, ...)
{
    char text[160];
    va_list args;
    va_start(args, format);
    std::vsnprintf(text, sizeof text, format, args);
    va_end(args);
    m_context.services.trace(text);
}

void JobStep::end(WPARAM wParam, LPARAM lParam)
{
    HWND window;
    UINT message;
    if (m_kind == JobKind::StatusCheck) {
        window = m_context.shared.statusCheck.window;
        message = m_context.shared.statusCheck.message;
    } else {
        const JobRecord* head = jobRecord(m_context.shared, m_kind);
        window = head->window;
        message = head->message;
    }
    setState(JOB_IDLE);
    if (m_withdrawn)
        return;
    // A requester that has gone away misses its answer; the job is over all the same.
    m_context.services.postMessage(window, message, wParam, lParam);
}

void JobStep::finish(LPARAM result)
{
    end(WPARAM(jobCode(m_kind)), result);
}

} // namespace zel
