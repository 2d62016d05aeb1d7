#include "platform/sharedmem/SharedBlock.h"

#include "platform/sharedmem/RuntimeDir.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <fcntl.h>
#include <string>
#include <sys/file.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace torvane {

namespace {

// An attach holds the init lock only for a few system calls; a holder that keeps it longer is
// stopped or hung, and waiting for it for ever would hang every program of the suite.
constexpr auto InitLockPatience = std::chrono::seconds(5);

class Fd {
public:
    explicit Fd(int fd) : fd_(fd) {}
    ~Fd()
    {
        if (fd_ >= 0)
            close(fd_);
    }
    Fd(const Fd&) = delete;
    Fd& operator=(const Fd&) = delete;
    int get() const { return fd_; }
    int release()
    {
        const int fd = fd_;
        fd_ = -1;
        return fd;
    }

private:
    int fd_;
};

bool lockWithPatience(int fd)
{
    const auto deadline = std::chrono::steady_clock::now() + InitLockPatience;
    auto pause = std::chrono::microseconds(50);
    while (flock(fd, LOCK_EX | LOCK_NB) != 0) {
        if (errno != EWOULDBLOCK && errno != EINTR)
            return false;
        if (std::chrono::steady_clock::now() >= deadline) {
            errno = ETIMEDOUT;
            return false;
        }
        std::this_thread::sleep_for(pause);
        pause = std::min(pause * 2, std::chrono::microseconds(5000));
    }
    return true;
}

} // namespace

std::unique_ptr<SharedBlock> SharedBlock::attach(std::string_view name, std::size_t size,
                                                 const Initialiser& init, LONG* error)
{
    return attachKind("shm", name, size, Mode::CreateOrOpen, init, error);
}

std::unique_ptr<SharedBlock> SharedBlock::attachExisting(std::string_view name, std::size_t size,
                                                         LONG* error)
{
    return attachKind("shm", name, size, Mode::OpenExisting, {}, error);
}

std::unique_ptr<SharedBlock> SharedBlock::attachKind(std::string_view kind, std::string_view name,
                                                     std::size_t size, Mode mode,
                                                     const Initialiser& init, LONG* error)
{
    LONG dummy = 0;
    LONG& result = error ? *error : dummy;
    const auto failErrno = [&result](int err) {
        result = errorFromErrno(err);
        return std::unique_ptr<SharedBlock>();
    };
    const auto fail = [&result](LONG code) {
        result = code;
        return std::unique_ptr<SharedBlock>();
    };

    if (size == 0)
        return fail(ERROR_INVALID_PARAMETER);
    const std::string file = objectFileName(name);
    if (file.empty())
        return fail(ERROR_INVALID_NAME);
    int err = 0;
    const std::string dir = runtimeDir(&err);
    if (dir.empty())
        return failErrno(err);
    const std::string path = dir + "/" + file + "." + std::string(kind);

    // Every attach runs under this lock, so "is anybody holding the block?" and the restart that
    // follows a "no" cannot interleave with another attach.
    Fd initLock(open((path + ".lock").c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600));
    if (initLock.get() < 0 || !lockWithPatience(initLock.get()))
        return failErrno(errno);

    const int flags = O_RDWR | O_CLOEXEC | (mode == Mode::CreateOrOpen ? O_CREAT : 0);
    Fd fd(open(path.c_str(), flags, 0600));
    if (fd.get() < 0)
        return failErrno(errno);

    // Holders keep a shared lock on the block's file and the kernel drops it when a holder dies:
    // getting the exclusive lock means nobody alive holds the block.
    const bool fresh = flock(fd.get(), LOCK_EX | LOCK_NB) == 0;
    if (!fresh && errno != EWOULDBLOCK)
        return failErrno(errno);
    if (fresh) {
        if (mode == Mode::OpenExisting)
            return fail(ERROR_FILE_NOT_FOUND);
        if (ftruncate(fd.get(), 0) != 0 || ftruncate(fd.get(), off_t(size)) != 0)
            return failErrno(errno);
        // Reserve the pages now: a full tmpfs would otherwise kill us with SIGBUS on first touch.
        if (const int rc = posix_fallocate(fd.get(), 0, off_t(size)); rc != 0 && rc != EOPNOTSUPP)
            return failErrno(rc);
    } else {
        struct stat st {};
        if (fstat(fd.get(), &st) != 0)
            return failErrno(errno);
        if (std::size_t(st.st_size) != size)
            return fail(ERROR_INVALID_PARAMETER);
    }

    void* data = mmap(nullptr, size, PROT_READ | PROT_WRITE, MAP_SHARED, fd.get(), 0);
    if (data == MAP_FAILED)
        return failErrno(errno);
    if (fresh && init)
        init(data, size);
    // From exclusive to shared: the change is not atomic, but no other attach can run meanwhile.
    if (flock(fd.get(), LOCK_SH) != 0) {
        const int e = errno;
        munmap(data, size);
        return failErrno(e);
    }
    result = ERROR_SUCCESS;
    return std::unique_ptr<SharedBlock>(new SharedBlock(fd.release(), data, size, fresh));
}

SharedBlock::~SharedBlock()
{
    munmap(data_, size_);
    close(fd_);
}

} // namespace torvane
