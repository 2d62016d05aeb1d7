// Starts tests/platform/messaging's peer program as a real process and talks to it over its
// standard input and output. The peer ends when this object goes (its input closes; it is also
// killed, in case it hangs in a handler).
#pragma once

#include "platform/wintypes.h"

#include <sys/types.h>

#include <chrono>
#include <optional>
#include <string>
#include <vector>

class PeerProcess {
public:
    explicit PeerProcess(const std::vector<std::string>& arguments);
    ~PeerProcess();

    PeerProcess(const PeerProcess&) = delete;
    PeerProcess& operator=(const PeerProcess&) = delete;

    bool started() const { return pid_ > 0; }
    pid_t pid() const { return pid_; }

    // The next line the peer prints, without its line end; nullopt when none came in time.
    std::optional<std::string> readLine(std::chrono::milliseconds timeout);

    // Reads lines until one is "<key>" or begins with "<key> "; returns what follows the key.
    std::optional<std::string> expect(const std::string& key, std::chrono::milliseconds timeout);

    // The window the peer announced with "<key> <hwnd>"; 0 when it did not.
    HWND expectWindow(const std::string& key, std::chrono::milliseconds timeout);

    void signal(int number);

    // The exit status once the peer has ended (its exit code, or 128 + the signal that ended it);
    // nullopt when it still runs at the end of timeout.
    std::optional<int> waitForExit(std::chrono::milliseconds timeout);

private:
    pid_t pid_ = -1;
    int input_ = -1;
    int output_ = -1;
    std::string buffered_;
    std::optional<int> exitStatus_;
};
