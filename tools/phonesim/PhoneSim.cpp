#include "tools/phonesim/PhoneSim.h"

#include "platform/files/FileReplace.h"

#include <QFile>
#include <QJsonDocument>

#include <cerrno>
#include <climits>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <poll.h>
#include <sys/eventfd.h>
#include <termios.h>
#include <unistd.h>

namespace torvane::phonesim {

namespace {

// While no program has the port open the terminal reports a hang-up on every poll, so the
// phone looks again at this interval instead of waiting on it.
constexpr auto kIdleCheck = std::chrono::milliseconds(20);

std::string readLink(const std::string& path)
{
    char buf[PATH_MAX];
    const ssize_t n = ::readlink(path.c_str(), buf, sizeof buf - 1);
    return n > 0 ? std::string(buf, std::size_t(n)) : std::string();
}

bool makeLink(const std::string& linkPath, const std::string& target, std::string* error)
{
    namespace fs = std::filesystem;
    std::error_code ec;
    const fs::path link(linkPath);
    if (link.has_parent_path())
        fs::create_directories(link.parent_path(), ec);
    const auto status = fs::symlink_status(link, ec);
    if (fs::exists(status) && !fs::is_symlink(status)) {
        if (error)
            *error = linkPath + " exists and is not a link; it is left alone";
        return false;
    }
    // Replace an old link in one step, so a port opener never finds the name missing.
    const std::string temp = linkPath + ".phonesim-" + std::to_string(::getpid());
    ::unlink(temp.c_str());
    if (::symlink(target.c_str(), temp.c_str()) != 0 || ::rename(temp.c_str(), linkPath.c_str()) != 0) {
        if (error)
            *error = "cannot link " + linkPath + ": " + std::strerror(errno);
        ::unlink(temp.c_str());
        return false;
    }
    return true;
}

} // namespace

PhoneSim::PhoneSim() = default;

PhoneSim::PhoneSim(std::vector<std::unique_ptr<PhoneModule>> modules) : m_engine(std::move(modules)) {}

PhoneSim::~PhoneSim()
{
    stop();
}

void PhoneSim::addModule(std::unique_ptr<PhoneModule> module)
{
    std::lock_guard lock(m_mutex);
    m_engine.addModule(std::move(module));
}

bool PhoneSim::start(const std::string& linkPath, std::string* error)
{
    if (isRunning()) {
        if (error)
            *error = "the phone is already running";
        return false;
    }
    std::lock_guard lock(m_mutex);
    m_linkPath = linkPath;
    m_stopping = false;
    if (!openLine(error))
        return false;
    m_wakeFd = ::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
    if (m_wakeFd < 0) {
        if (error)
            *error = std::string("cannot make a wake-up descriptor: ") + std::strerror(errno);
        closeLine();
        return false;
    }
    m_thread = std::thread([this] { run(); });
    return true;
}

void PhoneSim::stop()
{
    if (!isRunning())
        return;
    {
        std::lock_guard lock(m_mutex);
        m_stopping = true;
    }
    wake();
    m_thread.join();
    std::lock_guard lock(m_mutex);
    closeLine();
    m_relinkAt.reset();
    ::close(m_wakeFd);
    m_wakeFd = -1;
}

void PhoneSim::wake()
{
    if (m_wakeFd >= 0) {
        const std::uint64_t one = 1;
        [[maybe_unused]] const auto n = ::write(m_wakeFd, &one, sizeof one);
    }
}

bool PhoneSim::openLine(std::string* error)
{
    const int master = ::posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    char name[128] = {};
    if (master < 0 || ::grantpt(master) != 0 || ::unlockpt(master) != 0
        || ::ptsname_r(master, name, sizeof name) != 0) {
        if (error)
            *error = std::string("cannot make a pseudo-terminal: ") + std::strerror(errno);
        if (master >= 0)
            ::close(master);
        return false;
    }
    // The terminal starts raw, as a phone's line is: no echo or line editing by the driver.
    const int slave = ::open(name, O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (slave >= 0) {
        termios tio {};
        ::tcgetattr(slave, &tio);
        ::cfmakeraw(&tio);
        ::cfsetispeed(&tio, B19200);
        ::cfsetospeed(&tio, B19200);
        ::tcsetattr(slave, TCSANOW, &tio);
        ::close(slave);
    }
    if (!makeLink(m_linkPath, name, error)) {
        ::close(master);
        return false;
    }
    m_master = master;
    m_device = name;
    m_hungUp = true;
    m_writeBlocked = false;
    ++m_lineCount;
    m_transcript.note("line up on " + m_device);
    return true;
}

void PhoneSim::closeLine()
{
    if (m_master < 0)
        return;
    ::close(m_master);
    m_master = -1;
    if (readLink(m_linkPath) == m_device)
        ::unlink(m_linkPath.c_str());
    m_device.clear();
    m_peerConnected = false;
    m_input.clear();
}

void PhoneSim::hangUp(std::chrono::milliseconds downtime, SimClock::time_point now)
{
    closeLine();
    m_engine.lineDropped();
    m_engine.output().clear();
    m_transcript.note("line dropped");
    m_relinkAt = now + downtime;
}

void PhoneSim::serviceOutput(SimClock::time_point now)
{
    OutputQueue& queue = m_engine.output();
    for (;;) {
        if (const auto downtime = queue.takeHangUp(now)) {
            hangUp(*downtime, now);
            continue;
        }
        std::string bytes = queue.due(now, 4096);
        if (bytes.empty())
            return;
        if (m_master < 0 || m_hungUp) {
            // Nobody listens: what a phone says to an unplugged cable is lost.
            queue.consumed(bytes.size());
            continue;
        }
        const ssize_t n = ::write(m_master, bytes.data(), bytes.size());
        if (n > 0) {
            m_transcript.record(Transcript::Direction::Out, std::string_view(bytes).substr(0, std::size_t(n)));
            queue.consumed(std::size_t(n));
        }
        if (n < 0 && errno != EAGAIN && errno != EINTR) {
            m_hungUp = true;
            continue;
        }
        if (n < ssize_t(bytes.size())) {
            queue.blocked();
            m_writeBlocked = true;
            return;
        }
    }
}

void PhoneSim::takeArrivedInput(SimClock::time_point now)
{
    const std::string bytes = m_input.arrived(now);
    if (bytes.empty())
        return;
    m_transcript.record(Transcript::Direction::In, bytes);
    m_engine.receive(bytes, now);
}

void PhoneSim::run()
{
    char buffer[4096];
    for (;;) {
        auto now = SimClock::now();
        std::optional<SimClock::time_point> next;
        int master = -1;
        bool idle = false;
        bool wantWrite = false;
        {
            std::lock_guard lock(m_mutex);
            if (m_stopping)
                return;
            if (m_relinkAt && now >= *m_relinkAt) {
                m_relinkAt.reset();
                std::string error;
                if (!openLine(&error)) {
                    m_transcript.note("line cannot come back: " + error);
                    m_relinkAt = now + std::chrono::seconds(1);
                }
            }
            takeArrivedInput(now);
            m_engine.tick(now);
            if (!m_writeBlocked)
                serviceOutput(now);
            next = m_engine.output().nextEvent(now);
            if (const auto guard = m_engine.nextDeadline(); guard && (!next || *guard < *next))
                next = guard;
            if (m_relinkAt && (!next || *m_relinkAt < *next))
                next = m_relinkAt;
            if (const auto input = m_input.nextEvent(); input && (!next || *input < *next))
                next = input;
            master = m_master;
            idle = m_master < 0 || m_hungUp;
            wantWrite = m_writeBlocked;
        }

        pollfd fds[2] = {{m_wakeFd, POLLIN, 0}, {master, short(POLLIN | (wantWrite ? POLLOUT : 0)), 0}};
        const nfds_t count = idle ? 1 : 2;
        if (idle && (!next || *next > now + kIdleCheck))
            next = now + kIdleCheck;
        timespec timeout {};
        timespec* timeoutPtr = nullptr;
        if (next) {
            const auto wait = std::max(std::chrono::nanoseconds(0), *next - now);
            timeout.tv_sec = time_t(wait.count() / 1'000'000'000);
            timeout.tv_nsec = long(wait.count() % 1'000'000'000);
            timeoutPtr = &timeout;
        }
        ::ppoll(fds, count, timeoutPtr, nullptr);

        if (fds[0].revents & POLLIN) {
            std::uint64_t drained;
            [[maybe_unused]] const auto n = ::read(m_wakeFd, &drained, sizeof drained);
        }
        std::lock_guard lock(m_mutex);
        if (m_master != master || master < 0)
            continue;
        now = SimClock::now();
        if (idle) {
            pollfd probe {master, POLLIN, 0};
            if (::poll(&probe, 1, 0) >= 0 && !(probe.revents & POLLHUP)) {
                m_hungUp = false;
                m_peerConnected = true;
                m_transcript.note("port opened");
            }
            continue;
        }
        if (fds[1].revents & POLLOUT)
            m_writeBlocked = false;
        bool closed = (fds[1].revents & POLLHUP) && !(fds[1].revents & POLLIN);
        if (fds[1].revents & POLLIN) {
            const ssize_t n = ::read(master, buffer, sizeof buffer);
            if (n > 0) {
                m_input.push(std::string_view(buffer, std::size_t(n)), now);
                takeArrivedInput(now);
            } else if (n == 0 || (errno != EAGAIN && errno != EINTR)) {
                closed = true;
            }
        }
        if (closed) {
            m_hungUp = true;
            m_writeBlocked = false;
            m_peerConnected = false;
            m_engine.output().clear();
            m_input.clear();
            m_transcript.note("port closed");
        }
    }
}

std::string PhoneSim::linkPath() const
{
    std::lock_guard lock(m_mutex);
    return m_linkPath;
}

std::string PhoneSim::devicePath() const
{
    std::lock_guard lock(m_mutex);
    return m_device;
}

int PhoneSim::lineCount() const
{
    std::lock_guard lock(m_mutex);
    return m_lineCount;
}

PhoneState PhoneSim::state() const
{
    std::lock_guard lock(m_mutex);
    return m_engine.state();
}

void PhoneSim::setState(const PhoneState& state)
{
    std::lock_guard lock(m_mutex);
    m_engine.state() = state;
}

QString PhoneSim::loadStateFile(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return path + ": " + file.errorString();
    QJsonParseError parseError;
    const QJsonDocument doc = QJsonDocument::fromJson(file.readAll(), &parseError);
    if (parseError.error != QJsonParseError::NoError)
        return QString("%1: %2 at offset %3").arg(path, parseError.errorString()).arg(parseError.offset);
    if (!doc.isObject())
        return path + ": the state must be a JSON object";
    std::lock_guard lock(m_mutex);
    if (QString error = m_engine.loadState(doc.object()); !error.isEmpty())
        return path + ": " + error;
    return {};
}

QString PhoneSim::saveStateFile(const QString& path) const
{
    QJsonObject json;
    {
        std::lock_guard lock(m_mutex);
        json = m_engine.saveState();
    }
    // A buffered save could still put an empty file in place of the state on a full disk.
    const QByteArray bytes = QJsonDocument(json).toJson(QJsonDocument::Indented);
    torvane::files::ReplaceOptions options;
    options.newFileMode = torvane::files::userFileMode();
    if (const int err = torvane::files::replaceFile(QFile::encodeName(path).toStdString(),
                                                    std::string_view(bytes.constData(), std::size_t(bytes.size())), options))
        return path + ": " + QString::fromLocal8Bit(std::strerror(err));
    return {};
}

void PhoneSim::addFault(const Fault& fault)
{
    {
        std::lock_guard lock(m_mutex);
        m_engine.addFault(fault);
    }
    wake();
}

void PhoneSim::clearFaults()
{
    std::lock_guard lock(m_mutex);
    m_engine.clearFaults();
}

void PhoneSim::setBaudRate(int baud)
{
    {
        std::lock_guard lock(m_mutex);
        m_engine.output().setBaudRate(baud);
        m_input.setBaudRate(baud);
    }
    wake();
}

void PhoneSim::setEscapeGuard(std::chrono::milliseconds guard)
{
    std::lock_guard lock(m_mutex);
    m_engine.reader().setEscapeGuard(guard);
}

void PhoneSim::dropLine(std::chrono::milliseconds downtime)
{
    {
        std::lock_guard lock(m_mutex);
        m_engine.output().pushHangUp(SimClock::now(), downtime);
    }
    wake();
}

} // namespace torvane::phonesim
