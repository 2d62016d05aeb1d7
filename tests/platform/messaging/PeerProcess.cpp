#include "PeerProcess.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <thread>

extern char** environ;

namespace {

using Clock = std::chrono::steady_clock;

int millisecondsLeft(Clock::time_point deadline)
{
    const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - Clock::now()).count();
    return left > 0 ? int(left) : 0;
}

} // namespace

PeerProcess::PeerProcess(const std::vector<std::string>& arguments)
{
    int toPeer[2];
    int fromPeer[2];
    if (::pipe2(toPeer, O_CLOEXEC) != 0)
        return;
    if (::pipe2(fromPeer, O_CLOEXEC) != 0) {
        ::close(toPeer[0]);
        ::close(toPeer[1]);
        return;
    }
    std::vector<std::string> argv{MESSAGING_PEER_PATH};
    argv.insert(argv.end(), arguments.begin(), arguments.end());
    std::vector<char*> args;
    for (std::string& a : argv)
        args.push_back(a.data());
    args.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, toPeer[0], STDIN_FILENO);
    posix_spawn_file_actions_adddup2(&actions, fromPeer[1], STDOUT_FILENO);
    pid_t pid = -1;
    const int rc = ::posix_spawn(&pid, args[0], &actions, nullptr, args.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    ::close(toPeer[0]);
    ::close(fromPeer[1]);
    if (rc != 0) {
        ::close(toPeer[1]);
        ::close(fromPeer[0]);
        return;
    }
    pid_ = pid;
    input_ = toPeer[1];
    output_ = fromPeer[0];
}

PeerProcess::~PeerProcess()
{
    if (input_ >= 0)
        ::close(input_);
    if (pid_ > 0 && !exitStatus_) {
        ::kill(pid_, SIGKILL);
        int status = 0;
        while (::waitpid(pid_, &status, 0) < 0 && errno == EINTR) {
        }
    }
    if (output_ >= 0)
        ::close(output_);
}

std::optional<std::string> PeerProcess::readLine(std::chrono::milliseconds timeout)
{
    const auto deadline = Clock::now() + timeout;
    for (;;) {
        const std::size_t end = buffered_.find('\n');
        if (end != std::string::npos) {
            std::string line = buffered_.substr(0, end);
            buffered_.erase(0, end + 1);
            return line;
        }
        pollfd p{output_, POLLIN, 0};
        const int r = ::poll(&p, 1, millisecondsLeft(deadline));
        if (r < 0 && errno == EINTR)
            continue;
        if (r <= 0)
            return std::nullopt;
        char chunk[256];
        const ssize_t n = ::read(output_, chunk, sizeof chunk);
        if (n <= 0)
            return std::nullopt;
        buffered_.append(chunk, std::size_t(n));
    }
}

std::optional<std::string> PeerProcess::expect(const std::string& key, std::chrono::milliseconds timeout)
{
    const auto deadline = Clock::now() + timeout;
    while (auto line = readLine(std::chrono::milliseconds(millisecondsLeft(deadline)))) {
        if (*line == key)
            return std::string();
        if (line->rfind(key + " ", 0) == 0)
            return line->substr(key.size() + 1);
    }
    return std::nullopt;
}

HWND PeerProcess::expectWindow(const std::string& key, std::chrono::milliseconds timeout)
{
    const auto text = expect(key, timeout);
    return text ? HWND(std::stoull(*text)) : 0;
}

void PeerProcess::signal(int number)
{
    if (pid_ > 0 && !exitStatus_)
        ::kill(pid_, number);
}

std::optional<int> PeerProcess::waitForExit(std::chrono::milliseconds timeout)
{
    if (exitStatus_ || pid_ <= 0)
        return exitStatus_;
    const auto deadline = Clock::now() + timeout;
    for (;;) {
        int status = 0;
        const pid_t r = ::waitpid(pid_, &status, WNOHANG);
        if (r == pid_) {
            exitStatus_ = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
            return exitStatus_;
        }
        if (Clock::now() >= deadline)
            return std::nullopt;
        // Polling a child's state has no descriptor to wait on; a short pause between looks.
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
}
