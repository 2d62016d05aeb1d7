#include "platform/sharedmem/NamedMutex.h"

#include "platform/messaging/EndpointFolder.h"
#include "platform/sharedmem/RuntimeDir.h"
#include "platform/sharedmem/SharedBlock.h"

#include <atomic>
#include <cerrno>
#include <ctime>
#include <map>
#include <mutex>
#include <pthread.h>
#include <string>
#include <sys/syscall.h>
#include <unistd.h>
#include <vector>

namespace torvane {

namespace {

// What lives in the mutex's shared file.
struct SharedMutexData {
    pthread_mutex_t mutex;
};

} // namespace

// One mapping per mutex and process, shared by all handles of that name in the process: the
// robust-mutex bookkeeping of a thread refers to the address it locked at, so a process must not
// see one mutex at two addresses, nor unmap it while one of its threads owns it.
struct MutexMapping {
    std::unique_ptr<SharedBlock> block;
    std::atomic<pid_t> owner{0}; // thread of this process that owns the mutex, 0 for none
    int depth = 0;               // how often the owner took it; touched by the owner only

    pthread_mutex_t* mutex() const { return &static_cast<SharedMutexData*>(block->data())->mutex; }

    void acquired(bool abandoned)
    {
        const pid_t self = gettid();
        if (abandoned || owner.load() != self)
            depth = 0;
        ++depth;
        owner = self;
    }

    ~MutexMapping()
    {
        const pid_t holder = owner.load();
        if (holder == 0)
            return;
        if (holder == gettid()) {
            while (depth-- > 0)
                pthread_mutex_unlock(mutex());
            return;
        }
        // Another live thread of ours still owns it: keep the mapping (and so the name) alive
        // rather than pull the memory from under that thread's robust-mutex list. A thread that
        // ended owning it has been dealt with by the kernel already.
        if (syscall(SYS_tgkill, getpid(), holder, 0) == 0) {
            static std::mutex keptLock;
            static std::vector<std::unique_ptr<SharedBlock>> kept;
            std::lock_guard guard(keptLock);
            kept.push_back(std::move(block));
        }
    }
};

namespace {

std::mutex tableLock;
std::map<std::string, std::weak_ptr<MutexMapping>>& table()
{
    static std::map<std::string, std::weak_ptr<MutexMapping>> mappings;
    return mappings;
}

std::string tableKey(std::string_view name)
{
    int err = 0;
    return runtimeDir(&err) + "/" + std::string(name);
}

} // namespace

std::unique_ptr<NamedMutex> NamedMutex::create(std::string_view name, bool initiallyOwned,
                                               bool* alreadyExisted, LONG* error)
{
    std::lock_guard guard(tableLock);
    const std::string key = tableKey(name);
    if (auto mapping = table()[key].lock()) {
        if (alreadyExisted)
            *alreadyExisted = true;
        if (error)
            *error = ERROR_ALREADY_EXISTS;
        return std::unique_ptr<NamedMutex>(new NamedMutex(std::move(mapping)));
    }

    int initError = 0;
    bool ownedAtStart = false;
    // The mutex is set up, and taken when asked, before any other process can attach.
    const auto init = [&](void* data, std::size_t) {
        auto* shared = static_cast<SharedMutexData*>(data);
        pthread_mutexattr_t attr;
        pthread_mutexattr_init(&attr);
        pthread_mutexattr_setpshared(&attr, PTHREAD_PROCESS_SHARED);
        pthread_mutexattr_setrobust(&attr, PTHREAD_MUTEX_ROBUST);
        pthread_mutexattr_settype(&attr, PTHREAD_MUTEX_RECURSIVE);
        initError = pthread_mutex_init(&shared->mutex, &attr);
        pthread_mutexattr_destroy(&attr);
        if (initError == 0 && initiallyOwned)
            ownedAtStart = pthread_mutex_lock(&shared->mutex) == 0;
    };
    LONG attachError = ERROR_SUCCESS;
    auto block = SharedBlock::attachKind("mutex", name, sizeof(SharedMutexData),
                                         SharedBlock::Mode::CreateOrOpen, init, &attachError);
    if (!block || initError != 0) {
        if (error)
            *error = block ? errorFromErrno(initError) : attachError;
        return nullptr;
    }
    const bool existed = !block->created();
    auto mapping = std::make_shared<MutexMapping>();
    mapping->block = std::move(block);
    if (ownedAtStart)
        mapping->acquired(false);
    table()[key] = mapping;
    if (alreadyExisted)
        *alreadyExisted = existed;
    if (error)
        *error = existed ? ERROR_ALREADY_EXISTS : ERROR_SUCCESS;
    return std::unique_ptr<NamedMutex>(new NamedMutex(std::move(mapping)));
}

std::unique_ptr<NamedMutex> NamedMutex::open(std::string_view name, LONG* error)
{
    std::lock_guard guard(tableLock);
    const std::string key = tableKey(name);
    auto mapping = table()[key].lock();
    if (!mapping) {
        LONG attachError = ERROR_SUCCESS;
        auto block = SharedBlock::attachKind("mutex", name, sizeof(SharedMutexData),
                                             SharedBlock::Mode::OpenExisting, {}, &attachError);
        if (!block) {
            table().erase(key);
            if (error)
                *error = attachError;
            return nullptr;
        }
        mapping = std::make_shared<MutexMapping>();
        mapping->block = std::move(block);
        table()[key] = mapping;
    }
    if (error)
        *error = ERROR_SUCCESS;
    return std::unique_ptr<NamedMutex>(new NamedMutex(std::move(mapping)));
}

NamedMutex::~NamedMutex() = default;

DWORD NamedMutex::wait(DWORD timeoutMs)
{
    pthread_mutex_t* m = mapping_->mutex();
    int rc = 0;
    if (timeoutMs == INFINITE) {
        rc = pthread_mutex_lock(m);
    } else if (timeoutMs == 0) {
        rc = pthread_mutex_trylock(m);
    } else {
        timespec until {};
        clock_gettime(CLOCK_MONOTONIC, &until);
        until.tv_sec += time_t(timeoutMs / 1000);
        until.tv_nsec += long(timeoutMs % 1000) * 1000000L;
        if (until.tv_nsec >= 1000000000L) {
            until.tv_sec += 1;
            until.tv_nsec -= 1000000000L;
        }
        rc = pthread_mutex_clocklock(m, CLOCK_MONOTONIC, &until);
    }
    switch (rc) {
    case 0:
        mapping_->acquired(false);
        return WAIT_OBJECT_0;
    case EOWNERDEAD:
        // The holder died with it: whatever it guarded may be half done, which the caller learns
        // from WAIT_ABANDONED; the mutex itself is usable again.
        pthread_mutex_consistent(m);
        mapping_->acquired(true);
        return WAIT_ABANDONED;
    case ETIMEDOUT:
    case EBUSY:
        return WAIT_TIMEOUT;
    default:
        return WAIT_FAILED;
    }
}

bool NamedMutex::release(LONG* error)
{
    if (mapping_->owner.load() != gettid()) {
        if (error)
            *error = ERROR_NOT_OWNER;
        return false;
    }
    // Bookkeeping first: once unlocked, another thread of ours may take it at once.
    if (--mapping_->depth == 0)
        mapping_->owner = 0;
    pthread_mutex_unlock(mapping_->mutex());
    if (error)
        *error = ERROR_SUCCESS;
    return true;
}

InstanceClaim claimFirstInstance(std::string_view name)
{
    bool alreadyExisted = false;
    LONG error = ERROR_SUCCESS;
    auto mutex = NamedMutex::create(name, true, &alreadyExisted, &error);
    if (alreadyExisted)
        return {};
    if (mutex)
        return {std::move(mutex), {}};
    const std::string folder = messaging::endpointFolderPath();
    std::string why;
    if (messaging::ensurePrivateFolder(folder, &why))
        return {nullptr, "The program cannot start: it cannot make its lock in " + folder + " (error "
                             + std::to_string(error) + ")."};
    return {nullptr, "The program cannot start: " + why + ".\n\nThe suite's programs keep what they share while "
                     "they run in this folder, so it must be a folder of your own that no other user can reach."};
}

} // namespace torvane
