// Thin helpers over Unix-domain datagram sockets for the message endpoints: opening and binding,
// sending with a bounded wait for room in the peer's queue, receiving with the sender's
// credentials and address, and probing whether anyone still holds an endpoint.
#pragma once

#include <sys/socket.h>
#include <sys/types.h>
#include <sys/un.h>

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

namespace messaging {

struct SocketAddress {
    sockaddr_un address{};
    socklen_t length = 0;

    // False when the path does not fit into a socket address.
    bool setPath(const std::string& path);
    // A sender that bound its socket to an address can be answered; an unbound one cannot.
    bool isAnswerable() const { return length > socklen_t(sizeof(sa_family_t)); }
};

// A datagram socket (close-on-exec); receiveCredentials makes the kernel attach each sender's
// pid and uid to what this socket receives. -1 on failure.
int openDatagramSocket(bool receiveCredentials);

// Binds fd to path (removing nothing: the caller clears stale files first).
bool bindSocket(int fd, const std::string& path);

enum class SendStatus {
    Sent,
    Full,   // the peer's queue stayed full for the whole wait
    Gone,   // no socket at that path, or nobody holds it
    Failed, // anything else
};

// waitMs: 0 = do not wait for room, < 0 = wait as long as it takes, > 0 = wait at most that long.
SendStatus sendDatagram(int fd, const SocketAddress& to, const void* data, std::size_t size, int waitMs);

struct ReceivedDatagram {
    std::array<std::uint8_t, 128> bytes{};
    std::size_t size = 0;
    bool truncated = false;       // longer than bytes: never one of ours
    bool haveCredentials = false; // the kernel's word on the sender, not the datagram's
    pid_t pid = 0;
    uid_t uid = 0;
    SocketAddress from;
};

enum class ReceiveStatus { Received, Empty, Failed };

// Takes one datagram without waiting. Descriptors passed along with it are closed at once.
ReceiveStatus receiveDatagram(int fd, ReceivedDatagram& out);

// Waits until fd is readable: timeoutMs < 0 waits without limit. False on time-out.
bool waitReadable(int fd, int timeoutMs);

// Whether a live process holds a socket at path (a datagram to it would not be refused).
bool isSocketHeld(const std::string& path);

} // namespace messaging
