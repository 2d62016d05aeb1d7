#include "platform/messaging/Runtime.h"

#include "platform/messaging/EndpointFolder.h"

#include <sys/random.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>

namespace messaging {

namespace {

std::atomic<Runtime*> g_runtime{nullptr};

// Window numbers start at a random place in each process: a handle that outlived its process
// then almost never names a window of a later process that got the same pid.
std::uint32_t randomFirstWindowNumber()
{
    std::uint32_t value = 0;
    if (::getrandom(&value, sizeof value, GRND_NONBLOCK) != ssize_t(sizeof value))
        value = std::uint32_t(std::chrono::steady_clock::now().time_since_epoch().count()) ^ std::uint32_t(::getpid());
    return 0x10000 + value % 0x3fff0000;
}

bool ownedByThisProcess(const Runtime* runtime)
{
    // A child forked from a program inherits the runtime but not the endpoint's identity: it
    // must neither use the parent's endpoint nor remove its files when it exits.
    return runtime->pid() == std::uint32_t(::getpid());
}

void closeAtExit()
{
    if (Runtime* runtime = g_runtime.load(); runtime != nullptr && ownedByThisProcess(runtime))
        runtime->close();
}

} // namespace

Runtime* Runtime::get()
{
    if (Runtime* runtime = g_runtime.load(std::memory_order_acquire))
        return ownedByThisProcess(runtime) ? runtime : nullptr;
    static std::mutex mutex;
    static bool reported = false;
    std::lock_guard lock(mutex);
    if (Runtime* runtime = g_runtime.load())
        return ownedByThisProcess(runtime) ? runtime : nullptr;

    const std::string folder = endpointFolderPath();
    std::string error;
    auto* runtime = new Runtime(std::uint32_t(::getpid()), folder, randomFirstWindowNumber());
    if (!ensurePrivateFolder(folder, &error) || !runtime->open(&error)) {
        delete runtime;
        if (!reported)
            std::fprintf(stderr, "torvane messaging: no message endpoint: %s\n", error.c_str());
        reported = true;
        return nullptr;
    }
    g_runtime.store(runtime, std::memory_order_release);
    std::atexit(closeAtExit);
    return runtime;
}

Runtime::Runtime(std::uint32_t pid, std::string folder, std::uint32_t firstWindowNumber)
    : pid_(pid)
    , folder_(std::move(folder))
    , windows_(firstWindowNumber)
    , directory_(folder_)
{
}

bool Runtime::open(std::string* error)
{
    sweepStaleFiles(folder_, pid_);
    const std::string path = endpointFilePath(folder_, pid_);
    if (!ownAddress_.setPath(path)) {
        *error = path + ": path too long for a socket";
        return false;
    }
    endpointFd_ = openDatagramSocket(true);
    sendFd_ = openDatagramSocket(false);
    localSendFd_ = openDatagramSocket(false);
    if (endpointFd_ < 0 || sendFd_ < 0 || localSendFd_ < 0 || !bindSocket(endpointFd_, path)) {
        *error = path + ": cannot open the endpoint socket";
        closeSockets();
        return false;
    }
    if (!publishWindows()) {
        *error = windowListFilePath(folder_, pid_) + ": cannot write the window list";
        closeSockets();
        ::unlink(path.c_str());
        return false;
    }
    return true;
}

void Runtime::closeSockets()
{
    for (int* fd : {&endpointFd_, &sendFd_, &localSendFd_}) {
        if (*fd >= 0)
            ::close(*fd);
        *fd = -1;
    }
}

SocketAddress Runtime::addressOf(std::uint32_t pid) const
{
    SocketAddress address;
    address.setPath(endpointFilePath(folder_, pid));
    return address;
}

std::shared_ptr<const int> Runtime::postSocketFor(std::uint32_t pid)
{
    std::lock_guard lock(postSocketsMutex_);
    if (const auto it = postSockets_.find(pid); it != postSockets_.end())
        return it->second;
    const int fd = openDatagramSocket(false);
    if (fd < 0)
        return nullptr;
    if (postSockets_.size() >= kMaxPostSockets)
        postSockets_.erase(postSockets_.begin());
    // Whoever still sends through it keeps it open; the last one closes it.
    auto socket = std::shared_ptr<const int>(new int(fd), [](const int* owned) {
        ::close(*owned);
        delete owned;
    });
    postSockets_.emplace(pid, socket);
    return socket;
}

void Runtime::forgetPostSocket(std::uint32_t pid)
{
    std::lock_guard lock(postSocketsMutex_);
    postSockets_.erase(pid);
}

bool Runtime::publishWindows()
{
    std::lock_guard lock(publishMutex_);
    if (closed_)
        return true;
    return writeWindowListFile(windowListFilePath(folder_, pid_), windows_.snapshot());
}

bool Runtime::postLocally(const Datagram& post)
{
    return queueLocally(localSendFd_, LocalMessage{post, SocketAddress()});
}

bool Runtime::sendLocally(int fromFd, const SocketAddress& replyTo, const Datagram& request)
{
    return queueLocally(fromFd, LocalMessage{request, replyTo});
}

bool Runtime::queueLocally(int fromFd, const LocalMessage& message)
{
    std::lock_guard lock(overflowMutex_);
    if (!overflow_.empty()) {
        if (overflow_.size() >= kMaxOverflow)
            return false;
        overflow_.push_back(message);
        return true;
    }
    const auto bytes = encodeDatagram(message.datagram);
    switch (sendDatagram(fromFd, ownAddress_, bytes.data(), bytes.size(), 0)) {
    case SendStatus::Sent:
        return true;
    case SendStatus::Full:
        // The endpoint is full, hence readable: the dispatcher will come and, once it has
        // emptied the endpoint, take these in order.
        overflow_.push_back(message);
        return true;
    default:
        return false;
    }
}

bool Runtime::overflowPending()
{
    std::lock_guard lock(overflowMutex_);
    return !overflow_.empty();
}

std::optional<Runtime::LocalMessage> Runtime::takeOverflow()
{
    std::lock_guard lock(overflowMutex_);
    if (overflow_.empty())
        return std::nullopt;
    LocalMessage message = overflow_.front();
    overflow_.pop_front();
    return message;
}

void Runtime::wakeDispatcher()
{
    Datagram wake;
    wake.kind = DatagramKind::Wake;
    const auto bytes = encodeDatagram(wake);
    // A full endpoint is readable already.
    sendDatagram(localSendFd_, ownAddress_, bytes.data(), bytes.size(), 0);
}

void Runtime::close()
{
    {
        std::lock_guard lock(publishMutex_);
        closed_ = true;
    }
    removeFilesOf(folder_, pid_);
}

} // namespace messaging
