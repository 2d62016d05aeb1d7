// A helper program run as a real peer process for multi-process tests: the test writes command
// lines to its stdin and reads its answers from its stdout, each with a deadline, and can kill it.
#pragma once

#include <chrono>
#include <optional>
#include <string>
#include <sys/types.h>
#include <vector>

namespace torvane::test {

class PeerProcess {
public:
    // stderrPath: where the peer's standard error goes (appended), instead of this process's.
    explicit PeerProcess(const std::string& program, const std::vector<std::string>& args = {},
                         const std::string& stderrPath = {});
    // A peer still running is killed (SIGKILL) and reaped.
    ~PeerProcess();
    PeerProcess(const PeerProcess&) = delete;
    PeerProcess& operator=(const PeerProcess&) = delete;

    bool started() const { return pid_ > 0; }
    pid_t pid() const { return pid_; }

    bool send(const std::string& line);
    // Closes the peer's standard input: it reads the end of its input.
    void closeInput();
    // The next line of the peer's output without its line end; nullopt when none came in time
    // or the peer closed its output.
    std::optional<std::string> readLine(std::chrono::milliseconds timeout = std::chrono::seconds(20));
    // send + readLine; the empty text when no answer came in time.
    std::string ask(const std::string& line,
                    std::chrono::milliseconds timeout = std::chrono::seconds(20));

    void kill(int signal);
    // Stops the peer (SIGSTOP) and returns once it has stopped; false when it could not be.
    bool stop();
    // The exit status (or 128 + signal) once the peer has ended; nullopt when it is still running
    // at the deadline.
    std::optional<int> waitExit(std::chrono::milliseconds timeout = std::chrono::seconds(20));

private:
    pid_t pid_ = -1;
    int toPeer_ = -1;
    int fromPeer_ = -1;
    std::string buffered_;
    std::optional<int> exitStatus_;
};

} // namespace torvane::test
