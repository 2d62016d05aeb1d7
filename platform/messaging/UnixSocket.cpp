#include "platform/messaging/UnixSocket.h"

#include <poll.h>
#include <sys/time.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstring>

namespace messaging {

namespace {

using Clock = std::chrono::steady_clock;

void setSendTimeout(int fd, int waitMs)
{
    timeval tv{};
    if (waitMs > 0) {
        tv.tv_sec = waitMs / 1000;
        tv.tv_usec = (waitMs % 1000) * 1000;
    }
    ::setsockopt(fd, SOL_SOCKET, SO_SNDTIMEO, &tv, sizeof tv);
}

void closePassedDescriptors(cmsghdr* header)
{
    const std::size_t bytes = header->cmsg_len - CMSG_LEN(0);
    const std::size_t count = bytes / sizeof(int);
    for (std::size_t i = 0; i < count; ++i) {
        int fd = -1;
        std::memcpy(&fd, CMSG_DATA(header) + i * sizeof(int), sizeof fd);
        if (fd >= 0)
            ::close(fd);
    }
}

} // namespace

bool SocketAddress::setPath(const std::string& path)
{
    address = sockaddr_un{};
    address.sun_family = AF_UNIX;
    if (path.empty() || path.size() >= sizeof address.sun_path) {
        length = 0;
        return false;
    }
    std::memcpy(address.sun_path, path.data(), path.size());
    length = socklen_t(offsetof(sockaddr_un, sun_path) + path.size() + 1);
    return true;
}

int openDatagramSocket(bool receiveCredentials)
{
    const int fd = ::socket(AF_UNIX, SOCK_DGRAM | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return -1;
    if (receiveCredentials) {
        const int on = 1;
        if (::setsockopt(fd, SOL_SOCKET, SO_PASSCRED, &on, sizeof on) != 0) {
            ::close(fd);
            return -1;
        }
    }
    return fd;
}

bool bindSocket(int fd, const std::string& path)
{
    SocketAddress address;
    if (!address.setPath(path))
        return false;
    return ::bind(fd, reinterpret_cast<const sockaddr*>(&address.address), address.length) == 0;
}

SendStatus sendDatagram(int fd, const SocketAddress& to, const void* data, std::size_t size, int waitMs)
{
    if (to.length == 0)
        return SendStatus::Gone;
    const auto deadline = Clock::now() + std::chrono::milliseconds(waitMs > 0 ? waitMs : 0);
    int flags = MSG_NOSIGNAL;
    if (waitMs == 0)
        flags |= MSG_DONTWAIT;
    else
        setSendTimeout(fd, waitMs);
    for (;;) {
        const ssize_t n = ::sendto(fd, data, size, flags, reinterpret_cast<const sockaddr*>(&to.address), to.length);
        if (n == ssize_t(size))
            return SendStatus::Sent;
        if (n >= 0)
            return SendStatus::Failed;
        switch (errno) {
        case EINTR:
            if (waitMs > 0) {
                const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
                if (left.count() <= 0)
                    return SendStatus::Full;
                setSendTimeout(fd, int(left.count()));
            }
            continue;
        case EAGAIN:
            return SendStatus::Full;
        case ECONNREFUSED:
        case ENOENT:
        case ENOTDIR:
            return SendStatus::Gone;
        default:
            return SendStatus::Failed;
        }
    }
}

ReceiveStatus receiveDatagram(int fd, ReceivedDatagram& out)
{
    out = ReceivedDatagram{};
    iovec iov{out.bytes.data(), out.bytes.size()};
    alignas(cmsghdr) char control[CMSG_SPACE(sizeof(ucred)) + CMSG_SPACE(16 * sizeof(int))];
    msghdr message{};
    message.msg_name = &out.from.address;
    message.msg_namelen = sizeof out.from.address;
    message.msg_iov = &iov;
    message.msg_iovlen = 1;
    message.msg_control = control;
    message.msg_controllen = sizeof control;

    ssize_t n;
    do
        n = ::recvmsg(fd, &message, MSG_DONTWAIT | MSG_TRUNC | MSG_CMSG_CLOEXEC);
    while (n < 0 && errno == EINTR);
    if (n < 0)
        return (errno == EAGAIN || errno == EWOULDBLOCK) ? ReceiveStatus::Empty : ReceiveStatus::Failed;

    out.size = std::size_t(n) < out.bytes.size() ? std::size_t(n) : out.bytes.size();
    out.truncated = (message.msg_flags & (MSG_TRUNC | MSG_CTRUNC)) != 0;
    out.from.length = message.msg_namelen;
    for (cmsghdr* header = CMSG_FIRSTHDR(&message); header != nullptr; header = CMSG_NXTHDR(&message, header)) {
        if (header->cmsg_level != SOL_SOCKET)
            continue;
        if (header->cmsg_type == SCM_RIGHTS) {
            closePassedDescriptors(header);
        } else if (header->cmsg_type == SCM_CREDENTIALS && header->cmsg_len >= CMSG_LEN(sizeof(ucred))) {
            ucred credentials{};
            std::memcpy(&credentials, CMSG_DATA(header), sizeof credentials);
            out.haveCredentials = true;
            out.pid = credentials.pid;
            out.uid = credentials.uid;
        }
    }
    return ReceiveStatus::Received;
}

bool waitReadable(int fd, int timeoutMs)
{
    const auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs > 0 ? timeoutMs : 0);
    for (;;) {
        pollfd p{fd, POLLIN, 0};
        const int r = ::poll(&p, 1, timeoutMs);
        if (r > 0)
            return true;
        if (r == 0 || errno != EINTR)
            return false;
        if (timeoutMs > 0) {
            const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
            if (left.count() <= 0)
                return false;
            timeoutMs = int(left.count());
        }
    }
}

bool isSocketHeld(const std::string& path)
{
    SocketAddress address;
    if (!address.setPath(path))
        return false;
    const int fd = openDatagramSocket(false);
    if (fd < 0)
        return false;
    const bool held = ::connect(fd, reinterpret_cast<const sockaddr*>(&address.address), address.length) == 0;
    ::close(fd);
    return held;
}

} // namespace messaging
