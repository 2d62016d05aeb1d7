// The messaging state of this process: its endpoint, its windows, what it knows of the others,
// and the local post queue that takes over while the endpoint's own queue is full.
// Internal to platform/messaging.
#pragma once

#include "platform/messaging/Datagram.h"
#include "platform/messaging/UnixSocket.h"
#include "platform/messaging/WindowDirectory.h"
#include "platform/messaging/WindowRegistry.h"

#include <atomic>
#include <cstdint>
#include <deque>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>

namespace messaging {

class Runtime {
public:
    // The process's runtime, opened on first use; null when the endpoint cannot be opened
    // (a reason is printed once), and in a child forked from a process that had one (it would
    // share the parent's endpoint). Never destroyed: windows may unregister during static
    // destruction.
    static Runtime* get();

    std::uint32_t pid() const { return pid_; }
    const std::string& folder() const { return folder_; }
    int endpointFd() const { return endpointFd_; }
    int sendFd() const { return sendFd_; }
    const SocketAddress& ownAddress() const { return ownAddress_; }
    WindowRegistry& windows() { return windows_; }
    WindowDirectory& directory() { return directory_; }

    // Where another process's endpoint lives; a zero-length address when the path is too long.
    SocketAddress addressOf(std::uint32_t pid) const;

    // The socket that posts to process pid. One a peer: datagrams waiting in a hung peer's queue
    // use up the sending socket's buffer, which must not stall posts to the other processes.
    std::shared_ptr<const int> postSocketFor(std::uint32_t pid);
    // The peer is gone: its socket is closed once nobody uses it.
    void forgetPostSocket(std::uint32_t pid);

    // Rewrites the published window list from the registry.
    bool publishWindows();

    // A post, or a send with the address to answer, that waits in the overflow.
    struct LocalMessage {
        Datagram datagram;
        SocketAddress replyTo;
    };

    // Messages within this process: into the endpoint (sent from fromFd) when it has room and
    // nothing waits in the overflow, else into the overflow, so that no thread here ever waits
    // for room in its own process's queue and each sender's messages keep their order.
    // False when even the overflow is full.
    bool postLocally(const Datagram& post);
    bool sendLocally(int fromFd, const SocketAddress& replyTo, const Datagram& request);

    bool overflowPending();
    std::optional<LocalMessage> takeOverflow();
    // Makes the endpoint readable so that the dispatcher comes back for the overflow.
    void wakeDispatcher();

    std::atomic<int> sendTimeoutMs{5000};
    std::atomic<int> postTimeoutMs{2000};
    std::atomic<std::uint64_t> nextSerial{1};

    // At exit: removes the process's files; later changes are no longer published.
    void close();

private:
    Runtime(std::uint32_t pid, std::string folder, std::uint32_t firstWindowNumber);
    bool open(std::string* error);
    void closeSockets();
    bool queueLocally(int fromFd, const LocalMessage& message);

    const std::uint32_t pid_;
    const std::string folder_;
    int endpointFd_ = -1;
    int sendFd_ = -1;      // replies
    int localSendFd_ = -1; // posts to this process: its buffer never fills with datagrams
                           // stuck at a hung peer
    SocketAddress ownAddress_;
    WindowRegistry windows_;
    WindowDirectory directory_;
    std::mutex publishMutex_;
    std::atomic<bool> closed_{false};
    std::mutex overflowMutex_;
    std::deque<LocalMessage> overflow_;
    std::mutex postSocketsMutex_;
    std::map<std::uint32_t, std::shared_ptr<const int>> postSockets_;
};

// The most posts the overflow holds, like the platform's own post queue limit.
constexpr std::size_t kMaxOverflow = 10000;
// Post sockets kept open; beyond that the oldest peer's is closed (and opened again on demand).
constexpr std::size_t kMaxPostSockets = 64;

} // namespace messaging
