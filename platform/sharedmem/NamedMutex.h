// A mutex that processes find by name, with the behaviour the suite's programs rely on:
// - create tells whether the name already existed (the single-instance check of each program);
// - open fails with ERROR_FILE_NOT_FOUND when no live process has the mutex open;
// - a wait has a time-out in milliseconds; a thread that owns the mutex may take it again and
//   must release it as often;
// - a holder that dies (also by SIGKILL) does not leave it locked: the next waiter gets it with
//   WAIT_ABANDONED;
// - the mutex exists while some live process has it open; afterwards the name is free again.
// Closing (destroying) a handle that the calling thread owns releases the mutex.
#pragma once

#include "platform/winerror.h"

#include <memory>
#include <string>
#include <string_view>

constexpr DWORD INFINITE = 0xFFFFFFFF;
constexpr DWORD WAIT_OBJECT_0 = 0;
constexpr DWORD WAIT_ABANDONED = 0x80;
constexpr DWORD WAIT_TIMEOUT = 258;
constexpr DWORD WAIT_FAILED = 0xFFFFFFFF;

namespace torvane {

struct MutexMapping;

class NamedMutex {
public:
    // Creates the mutex `name`, or opens it when it exists (*alreadyExisted then true). With
    // initiallyOwned the calling thread owns a mutex it creates; an existing one is not taken.
    // Null on failure with *error set (ERROR_INVALID_NAME, ERROR_ACCESS_DENIED, ...).
    static std::unique_ptr<NamedMutex> create(std::string_view name, bool initiallyOwned = false,
                                              bool* alreadyExisted = nullptr, LONG* error = nullptr);
    // Opens an existing mutex; null with ERROR_FILE_NOT_FOUND when no live process has it open.
    static std::unique_ptr<NamedMutex> open(std::string_view name, LONG* error = nullptr);

    ~NamedMutex();
    NamedMutex(const NamedMutex&) = delete;
    NamedMutex& operator=(const NamedMutex&) = delete;

    // WAIT_OBJECT_0 (taken), WAIT_ABANDONED (taken from a holder that died), WAIT_TIMEOUT, or
    // WAIT_FAILED. timeoutMs 0 only tries; INFINITE waits without limit.
    DWORD wait(DWORD timeoutMs);
    // False with *error = ERROR_NOT_OWNER when the calling thread does not own the mutex.
    bool release(LONG* error = nullptr);

private:
    explicit NamedMutex(std::shared_ptr<MutexMapping> mapping) : mapping_(std::move(mapping)) {}
    std::shared_ptr<MutexMapping> mapping_;
};

// The outcome of a program's single-instance check.
struct InstanceClaim {
    // The mutex, owned by the caller, when this is the first copy.
    std::unique_ptr<NamedMutex> mutex;
    // Without the mutex: empty when another copy runs (the caller ends quietly); otherwise why
    // the mutex cannot be made, for the user, with what to do about it (the caller ends failing).
    std::string failure;
};

// Each program's single-instance check on the mutex `name`.
InstanceClaim claimFirstInstance(std::string_view name);

} // namespace torvane
