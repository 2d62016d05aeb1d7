#include "platform/serial/SerialPortLock.h"

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

namespace torvane::serial {

namespace {

SerialError inUse(const std::string& name)
{
    return makeError(SerialErrorCode::InUse, name + ": the port is in use by another program");
}

} // namespace

SerialPortLock::~SerialPortLock()
{
    release();
}

SerialPortLock::SerialPortLock(SerialPortLock&& other) noexcept : m_lockFileFd(other.m_lockFileFd)
{
    other.m_lockFileFd = -1;
}

SerialPortLock& SerialPortLock::operator=(SerialPortLock&& other) noexcept
{
    if (this != &other) {
        release();
        m_lockFileFd = other.m_lockFileFd;
        other.m_lockFileFd = -1;
    }
    return *this;
}

void SerialPortLock::release()
{
    // Closing the descriptor drops its lock; the file stays so that no second process can
    // lock a fresh file of the same name while a third still holds the old one.
    if (m_lockFileFd >= 0)
        ::close(m_lockFileFd);
    m_lockFileFd = -1;
}

std::string SerialPortLock::lockFolder()
{
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    if (runtime && *runtime)
        return std::string(runtime) + "/torvane";
    return "/tmp/torvane-" + std::to_string(::getuid());
}

SerialResult<SerialPortLock> SerialPortLock::acquire(int deviceFd, const std::string& name)
{
    if (::flock(deviceFd, LOCK_EX | LOCK_NB) != 0) {
        if (errno == EWOULDBLOCK)
            return inUse(name);
        // Some device file systems refuse flock; the lock file below still guards the port.
        if (errno != EINVAL && errno != ENOLCK && errno != EOPNOTSUPP)
            return systemError(errno, name + ": cannot lock the port");
    }

    struct stat st {};
    if (::fstat(deviceFd, &st) != 0)
        return systemError(errno, name + ": cannot identify the device");
    const std::string folder = lockFolder();
    if (::mkdir(folder.c_str(), 0700) != 0 && errno != EEXIST)
        return systemError(errno, name + ": cannot create the lock folder " + folder);
    std::string key;
    if (S_ISCHR(st.st_mode))
        key = "tty-" + std::to_string(major(st.st_rdev)) + "-" + std::to_string(minor(st.st_rdev));
    else
        key = "file-" + std::to_string(st.st_dev) + "-" + std::to_string(st.st_ino);
    const std::string path = folder + "/serial-" + key + ".lock";

    SerialPortLock lock;
    lock.m_lockFileFd = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (lock.m_lockFileFd < 0)
        return systemError(errno, name + ": cannot open the lock file " + path);
    if (::flock(lock.m_lockFileFd, LOCK_EX | LOCK_NB) != 0) {
        const int err = errno;
        if (err == EWOULDBLOCK)
            return inUse(name);
        return systemError(err, name + ": cannot lock " + path);
    }
    return lock;
}

} // namespace torvane::serial
