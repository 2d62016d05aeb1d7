#include "platform/serial/SerialPortLock.h"

#include "platform/messaging/EndpointFolder.h"

#include <cerrno>
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
    return messaging::endpointFolderPath();
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
    // A lock file in a folder others can reach (or one that is not ours) guards nothing.
    const std::string folder = lockFolder();
    std::string why;
    int err = 0;
    if (!messaging::ensurePrivateFolder(folder, &why, &err))
        return systemError(err, name + ": no private folder for the port's lock: " + why);
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
