#include "platform/messaging/ReplyChannel.h"

#include "platform/messaging/EndpointFolder.h"

#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <string>

namespace messaging {

namespace {

using Clock = std::chrono::steady_clock;

// While waiting for another process, look this often whether it still holds its endpoint, so
// that a peer killed in the middle of a send does not cost the whole time-out.
constexpr int kLivenessCheckMs = 200;

std::atomic<std::uint32_t> g_nextReplySocket{1};

struct ThreadSocket {
    int fd = -1;
    std::string path;
    SocketAddress address;

    ~ThreadSocket()
    {
        if (fd >= 0) {
            ::close(fd);
            ::unlink(path.c_str());
        }
    }

    bool open(const Runtime& runtime)
    {
        if (fd >= 0)
            return true;
        const int candidate = openDatagramSocket(true);
        if (candidate < 0)
            return false;
        path = replyFilePath(runtime.folder(), runtime.pid(), g_nextReplySocket++);
        ::unlink(path.c_str());
        if (!address.setPath(path) || !bindSocket(candidate, path)) {
            ::close(candidate);
            return false;
        }
        fd = candidate;
        return true;
    }
};

thread_local ThreadSocket t_socket;

int millisecondsUntil(Clock::time_point deadline)
{
    const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - Clock::now()).count();
    return int(std::clamp<long long>(left, 0, 1 << 30));
}

void discardStaleAnswers(int fd)
{
    ReceivedDatagram stale;
    while (receiveDatagram(fd, stale) == ReceiveStatus::Received) {
    }
}

} // namespace

CallAnswer callEndpoint(Runtime& runtime, std::uint32_t targetPid, Datagram request,
                        std::optional<Clock::time_point> deadline)
{
    if (!t_socket.open(runtime))
        return {CallOutcome::Failed, 0};
    const int fd = t_socket.fd;
    discardStaleAnswers(fd);

    request.kind = DatagramKind::Send;
    request.serial = runtime.nextSerial++;
    // Within the process the request queues like a post, behind what this thread posted before.
    const bool otherProcess = targetPid != runtime.pid();
    if (otherProcess) {
        const auto bytes = encodeDatagram(request);
        const int sendWait = deadline ? std::max(1, millisecondsUntil(*deadline)) : -1;
        switch (sendDatagram(fd, runtime.addressOf(targetPid), bytes.data(), bytes.size(), sendWait)) {
        case SendStatus::Sent:
            break;
        case SendStatus::Full:
            return {CallOutcome::TimedOut, 0};
        case SendStatus::Gone:
            return {CallOutcome::Gone, 0};
        case SendStatus::Failed:
            return {CallOutcome::Failed, 0};
        }
    } else if (!runtime.sendLocally(fd, t_socket.address, request)) {
        return {CallOutcome::Failed, 0};
    }

    const std::string peerEndpoint = endpointFilePath(runtime.folder(), targetPid);
    for (;;) {
        if (deadline && Clock::now() >= *deadline)
            return {CallOutcome::TimedOut, 0};
        int wait = deadline ? millisecondsUntil(*deadline) : -1;
        if (otherProcess && (wait < 0 || wait > kLivenessCheckMs))
            wait = kLivenessCheckMs;
        if (!waitReadable(fd, wait)) {
            if (otherProcess && !isSocketHeld(peerEndpoint))
                return {CallOutcome::Gone, 0};
            continue;
        }
        ReceivedDatagram received;
        if (receiveDatagram(fd, received) != ReceiveStatus::Received)
            continue;
        if (received.truncated || !received.haveCredentials || received.uid != ::getuid()
            || std::uint32_t(received.pid) != targetPid)
            continue;
        const auto answer = decodeDatagram(received.bytes.data(), received.size);
        if (!answer || answer->kind != DatagramKind::Reply || answer->serial != request.serial)
            continue;
        if (answer->status == ReplyStatus::NoWindow)
            return {CallOutcome::NoWindow, 0};
        return {CallOutcome::Answered, answer->lParam};
    }
}

} // namespace messaging
