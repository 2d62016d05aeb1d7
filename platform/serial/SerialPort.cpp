#include "platform/serial/SerialPort.h"

#include "platform/serial/SerialPortName.h"
#include "platform/serial/SerialTermios.h"

#include <cerrno>
#include <chrono>
#include <cstring>
#include <fcntl.h>
#include <linux/major.h>
#include <linux/serial.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <termios.h>
#include <unistd.h>

namespace torvane::serial {

namespace {

// Pseudo-terminals and some virtual ports have no modem control at all.
bool noModemControl(int err)
{
    return err == ENOTTY || err == EINVAL;
}

// The terminal's exclusive mode belongs to the kernel's terminal, not to our open file: nothing
// clears it when its holder dies, only the terminal's last close does. A serial device held by
// us alone has that close when we end; a pseudo-terminal lives on while its other side (a
// simulated phone, a bridge) is open, so a holder killed before close() would leave the port
// refused to everyone but root until that side restarts.
bool exclusiveModeEndsWithHolder(int fd)
{
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISCHR(st.st_mode))
        return false;
    const unsigned type = major(st.st_rdev);
    const bool pseudoTerminal = type == PTY_SLAVE_MAJOR
                                || (type >= UNIX98_PTY_SLAVE_MAJOR
                                    && type < UNIX98_PTY_SLAVE_MAJOR + UNIX98_PTY_MAJOR_COUNT);
    return !pseudoTerminal;
}

struct LockedDevice {
    int fd = -1;
    std::string path;
    SerialPortLock lock;
};

// Opens the device behind a port name and takes its locks. Never waits for a carrier and never
// makes the device our controlling terminal, so a probe of every port cannot hang on a modem
// line or take over a console.
SerialResult<LockedDevice> openLocked(const std::string& name)
{
    auto path = resolvePortName(name);
    if (!path)
        return path.error();
    const int fd = ::open(path->c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        const int err = errno;
        switch (err) {
        case ENOENT:
        case ENXIO:
        case ENODEV:
            return makeError(SerialErrorCode::NotFound, name + ": no such port (" + *path + ")", err);
        case EACCES:
        case EPERM:
            return makeError(SerialErrorCode::AccessDenied, name + ": access to " + *path + " is denied", err);
        case EBUSY:
            return makeError(SerialErrorCode::InUse, name + ": the port is in use by another program", err);
        default:
            return systemError(err, name + ": cannot open " + *path);
        }
    }
    if (!::isatty(fd)) {
        ::close(fd);
        return makeError(SerialErrorCode::NotFound, name + ": " + *path + " is not a serial device", ENOTTY);
    }
    auto lock = SerialPortLock::acquire(fd, name);
    if (!lock) {
        ::close(fd);
        return lock.error();
    }
    return LockedDevice{fd, *path, std::move(lock.value())};
}

} // namespace

SerialError systemError(int err, const std::string& context)
{
    return makeError(SerialErrorCode::SystemError, context + ": " + std::strerror(err), err);
}

SerialError makeError(SerialErrorCode code, std::string text, int systemErr)
{
    SerialError e;
    e.code = code;
    e.systemError = systemErr;
    e.text = std::move(text);
    return e;
}

SerialPort::SerialPort(int fd, std::string name, std::string path, SerialPortLock lock)
    : m_fd(fd), m_name(std::move(name)), m_path(std::move(path)), m_lock(std::move(lock))
{
}

SerialPort::~SerialPort()
{
    close();
}

SerialPort::SerialPort(SerialPort&& other) noexcept
{
    *this = std::move(other);
}

SerialPort& SerialPort::operator=(SerialPort&& other) noexcept
{
    if (this == &other)
        return *this;
    close();
    m_fd = other.m_fd;
    other.m_fd = -1;
    m_name = std::move(other.m_name);
    m_path = std::move(other.m_path);
    m_lock = std::move(other.m_lock);
    m_exclusive = other.m_exclusive;
    m_lineControls = other.m_lineControls;
    m_writeTimeouts = other.m_writeTimeouts;
    m_inputQueueSize = other.m_inputQueueSize;
    m_outputQueueSize = other.m_outputQueueSize;
    m_lastFrame = other.m_lastFrame;
    m_lastOverrun = other.m_lastOverrun;
    m_lastParity = other.m_lastParity;
    m_lastBreak = other.m_lastBreak;
    m_lastBufOverrun = other.m_lastBufOverrun;
    m_haveCounters = other.m_haveCounters;
    return *this;
}

SerialResult<SerialPort> SerialPort::open(int number)
{
    if (number < 1)
        return makeError(SerialErrorCode::BadName, "port number " + std::to_string(number) + " does not exist");
    return open(portNameForNumber(number));
}

SerialStatus SerialPort::probe(int number)
{
    if (number < 1)
        return makeError(SerialErrorCode::BadName, "port number " + std::to_string(number) + " does not exist");
    auto device = openLocked(portNameForNumber(number));
    if (!device)
        return device.error();
    // No exclusive mode and no line settings: a port another program uses without our locks
    // must look exactly as it did before the probe.
    device->lock.release();
    ::close(device->fd);
    return {};
}

SerialResult<SerialPort> SerialPort::open(std::string_view portName)
{
    const std::string name(portName);
    auto device = openLocked(name);
    if (!device)
        return device.error();
    const int fd = device->fd;
    // The locks keep out every program of the suite, root included, and die with their holder.
    // The exclusive mode adds programs that take no locks of ours (a terminal program left on
    // the port), but not root, and only where it cannot outlive us.
    const bool exclusive = exclusiveModeEndsWithHolder(fd) && ::ioctl(fd, TIOCEXCL) == 0;

    SerialPort port(fd, name, device->path, std::move(device->lock));
    port.m_exclusive = exclusive;
    // Raw mode with the framing the device has; the caller applies its own settings next.
    auto current = readLineSettings(fd, name);
    if (!current)
        return current.error();
    if (auto applied = port.apply(*current); !applied)
        return applied.error();
    port.purge();
    port.readErrorFlags(); // start counting line errors from now
    return port;
}

void SerialPort::close()
{
    if (m_fd < 0)
        return;
    if (m_exclusive)
        ::ioctl(m_fd, TIOCNXCL);
    ::close(m_fd);
    m_fd = -1;
    m_exclusive = false;
    m_lock.release();
}

SerialStatus SerialPort::requireOpen() const
{
    if (m_fd < 0)
        return makeError(SerialErrorCode::NotOpen, (m_name.empty() ? std::string("port") : m_name) + " is not open");
    return {};
}

bool SerialPort::hungUp() const
{
    pollfd p {m_fd, 0, 0};
    return ::poll(&p, 1, 0) > 0 && (p.revents & POLLHUP);
}

SerialStatus SerialPort::apply(const LineSettings& settings)
{
    if (auto open = requireOpen(); !open)
        return open;
    if (auto applied = applyLineSettings(m_fd, settings, m_name); !applied)
        return applied;
    m_lineControls = settings;
    if (settings.dtrControl != LineControl::Handshake)
        if (auto dtr = setDtr(settings.dtrControl == LineControl::Enable); !dtr)
            return dtr;
    if (settings.rtsControl != LineControl::Handshake && !settings.ctsOutputFlow)
        if (auto rts = setRts(settings.rtsControl == LineControl::Enable); !rts)
            return rts;
    return {};
}

SerialResult<LineSettings> SerialPort::settings() const
{
    if (auto open = requireOpen(); !open)
        return open.error();
    auto s = readLineSettings(m_fd, m_name);
    if (!s)
        return s;
    s->dtrControl = m_lineControls.dtrControl;
    s->rtsControl = m_lineControls.rtsControl;
    return s;
}

SerialStatus SerialPort::setModemLine(int bit, bool on, const char* lineName)
{
    if (auto open = requireOpen(); !open)
        return open;
    if (::ioctl(m_fd, on ? TIOCMBIS : TIOCMBIC, &bit) != 0 && !noModemControl(errno))
        return systemError(errno, m_name + ": cannot " + (on ? "raise " : "lower ") + lineName);
    return {};
}

SerialStatus SerialPort::setDtr(bool on)
{
    return setModemLine(TIOCM_DTR, on, "DTR");
}

SerialStatus SerialPort::setRts(bool on)
{
    return setModemLine(TIOCM_RTS, on, "RTS");
}

SerialStatus SerialPort::purge(unsigned flags)
{
    if (auto open = requireOpen(); !open)
        return open;
    const int which = (flags & PurgeInput) && (flags & PurgeOutput) ? TCIOFLUSH
                      : (flags & PurgeInput)                        ? TCIFLUSH
                                                                    : TCOFLUSH;
    if (flags && ::tcflush(m_fd, which) != 0)
        return systemError(errno, m_name + ": cannot purge the queues");
    return {};
}

SerialResult<std::size_t> SerialPort::bytesWaiting() const
{
    if (auto open = requireOpen(); !open)
        return open.error();
    int n = 0;
    if (::ioctl(m_fd, FIONREAD, &n) != 0)
        return systemError(errno, m_name + ": cannot count the bytes waiting");
    return std::size_t(n);
}

SerialResult<std::size_t> SerialPort::read(void* buffer, std::size_t max)
{
    if (auto open = requireOpen(); !open)
        return open.error();
    if (max == 0)
        return std::size_t(0);
    const ssize_t n = ::read(m_fd, buffer, max);
    if (n > 0)
        return std::size_t(n);
    if (n == 0 || errno == EIO)
        return makeError(SerialErrorCode::LineDropped, m_name + ": the line was dropped", n == 0 ? 0 : EIO);
    if (errno == EAGAIN || errno == EINTR)
        return std::size_t(0);
    return systemError(errno, m_name + ": read failed");
}

SerialResult<std::string> SerialPort::readAll()
{
    std::string out;
    char chunk[1024];
    for (;;) {
        auto n = read(chunk, sizeof chunk);
        if (!n)
            return n.error();
        if (*n == 0)
            return out;
        out.append(chunk, *n);
    }
}

SerialResult<std::size_t> SerialPort::write(const void* data, std::size_t size)
{
    using Clock = std::chrono::steady_clock;
    if (auto open = requireOpen(); !open)
        return open.error();
    const auto deadline = Clock::now()
                          + std::chrono::milliseconds(std::int64_t(m_writeTimeouts.multiplierMs) * std::int64_t(size)
                                                      + m_writeTimeouts.constantMs);
    const auto* bytes = static_cast<const char*>(data);
    std::size_t done = 0;
    while (done < size) {
        const ssize_t n = ::write(m_fd, bytes + done, size - done);
        if (n > 0) {
            done += std::size_t(n);
            continue;
        }
        if (n < 0 && errno == EIO)
            return makeError(SerialErrorCode::LineDropped, m_name + ": the line was dropped", EIO);
        if (n < 0 && errno != EAGAIN && errno != EINTR)
            return systemError(errno, m_name + ": write failed");
        const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - Clock::now()).count();
        if (left <= 0)
            break;
        pollfd p {m_fd, POLLOUT, 0};
        ::poll(&p, 1, int(left));
        if (p.revents & (POLLHUP | POLLERR))
            return makeError(SerialErrorCode::LineDropped, m_name + ": the line was dropped", EIO);
    }
    return done;
}

void SerialPort::setQueueSizes(std::size_t input, std::size_t output)
{
    m_inputQueueSize = input;
    m_outputQueueSize = output;
}

SerialResult<std::size_t> SerialPort::outputQueueFill() const
{
    if (auto open = requireOpen(); !open)
        return open.error();
    int n = 0;
    if (::ioctl(m_fd, TIOCOUTQ, &n) != 0)
        return systemError(errno, m_name + ": cannot count the output queue");
    return std::size_t(n);
}

SerialResult<unsigned> SerialPort::readErrorFlags()
{
    if (auto open = requireOpen(); !open)
        return open.error();
    serial_icounter_struct counts {};
    if (::ioctl(m_fd, TIOCGICOUNT, &counts) != 0) {
        if (noModemControl(errno) || errno == EIO)
            return 0u; // no counters on this kind of device; a dropped line shows in read()
        return systemError(errno, m_name + ": cannot read the line error counters");
    }
    unsigned flags = 0;
    if (m_haveCounters) {
        if (counts.frame != m_lastFrame)
            flags |= ErrorFrame;
        if (counts.overrun != m_lastOverrun)
            flags |= ErrorOverrun;
        if (counts.parity != m_lastParity)
            flags |= ErrorParity;
        if (counts.brk != m_lastBreak)
            flags |= ErrorBreak;
        if (counts.buf_overrun != m_lastBufOverrun)
            flags |= ErrorRxOverflow;
    }
    m_lastFrame = counts.frame;
    m_lastOverrun = counts.overrun;
    m_lastParity = counts.parity;
    m_lastBreak = counts.brk;
    m_lastBufOverrun = counts.buf_overrun;
    m_haveCounters = true;
    return flags;
}

SerialResult<ModemStatus> SerialPort::modemStatus() const
{
    if (auto open = requireOpen(); !open)
        return open.error();
    int bits = 0;
    if (::ioctl(m_fd, TIOCMGET, &bits) == 0) {
        ModemStatus s;
        s.lines = ((bits & TIOCM_CTS) ? ModemCts : 0u) | ((bits & TIOCM_DSR) ? ModemDsr : 0u)
                  | ((bits & TIOCM_RNG) ? ModemRing : 0u) | ((bits & TIOCM_CAR) ? ModemDcd : 0u);
        return s;
    }
    const int err = errno;
    if (hungUp())
        return ModemStatus {0, false};
    if (noModemControl(err))
        return ModemStatus {ModemCts | ModemDsr | ModemDcd, false};
    return systemError(err, m_name + ": cannot read the modem lines");
}

} // namespace torvane::serial
