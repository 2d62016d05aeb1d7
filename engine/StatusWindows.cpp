#include "engine/StatusWindows.h"

#include "platform/sharedmem/NamedMutex.h"

#include <atomic>
#include <cstring>
#include <string_view>

namespace zel {

namespace {

constexpr DWORD kMutexPatienceMs = 1000;
constexpr int kOpenErrorBase = 20000;
constexpr int kMutexNotGot = -2;
constexpr int kTableFull = -1;

std::string_view mutexName(const EngineShared& shared)
{
    return {shared.mutexName, strnlen(shared.mutexName, sizeof shared.mutexName)};
}

// The engine mutex, opened by name and taken; released and closed when it goes out of scope.
class TableLock {
public:
    explicit TableLock(const EngineShared& shared)
    {
        LONG error = ERROR_SUCCESS;
        m_mutex = torvane::NamedMutex::open(mutexName(shared), &error);
        if (!m_mutex) {
            m_error = error;
            return;
        }
        const DWORD got = m_mutex->wait(kMutexPatienceMs);
        // A holder that died left the table as it was; the entries are whole words, so the
        // table is still usable.
        m_held = got == WAIT_OBJECT_0 || got == WAIT_ABANDONED;
    }
    ~TableLock()
    {
        if (m_held)
            m_mutex->release();
    }
    TableLock(const TableLock&) = delete;
    TableLock& operator=(const TableLock&) = delete;

    bool opened() const { return m_mutex != nullptr; }
    LONG openError() const { return m_error; }
    bool held() const { return m_held; }

private:
    std::unique_ptr<torvane::NamedMutex> m_mutex;
    LONG m_error = ERROR_SUCCESS;
    bool m_held = false;
};

HWND loadWindow(const HWND& window)
{
    return std::atomic_ref<const HWND>(window).load(std::memory_order_acquire);
}

void storeWindow(HWND& window, HWND value)
{
    std::atomic_ref<HWND>(window).store(value, std::memory_order_release);
}

} // namespace

void initialiseShared(EngineShared& shared)
{
    static_assert(sizeof ZEL_MUTEX_NAME <= sizeof shared.mutexName);
    std::memcpy(shared.mutexName, ZEL_MUTEX_NAME, sizeof ZEL_MUTEX_NAME);
}

std::unique_ptr<torvane::NamedMutex> createEngineMutex(const EngineShared& shared)
{
    return torvane::NamedMutex::create(mutexName(shared));
}

int registerStatusWindow(EngineShared& shared, HWND window, UINT message)
{
    TableLock lock(shared);
    if (!lock.opened())
        return -(kOpenErrorBase + int(lock.openError()));
    if (!lock.held())
        return kMutexNotGot;
    for (int slot = 0; slot < ZEL_STATUS_CLIENTS; ++slot) {
        StatusClient& client = shared.statusClient[slot];
        if (loadWindow(client.window) == 0) {
            client.message = message;
            storeWindow(client.window, window);
            return slot;
        }
    }
    return kTableFull;
}

int deregisterStatusWindow(EngineShared& shared, int slot)
{
    if (slot < 0 || slot >= ZEL_STATUS_CLIENTS)
        return -1;
    StatusClient& client = shared.statusClient[slot];
    if (loadWindow(client.window) == 0)
        return -1;
    storeWindow(client.window, 0);
    return 0;
}

int broadcastToStatusWindows(EngineShared& shared, EngineServices& services, WPARAM wParam, LPARAM lParam)
{
    TableLock lock(shared);
    if (!lock.opened() || !lock.held())
        return -1;
    for (const StatusClient& client : shared.statusClient) {
        const HWND window = loadWindow(client.window);
        if (window != 0)
            services.sendMessage(window, client.message, wParam, lParam);
    }
    return 0;
}

} // namespace zel
