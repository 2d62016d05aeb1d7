#include "support/PeerProcess.h"

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <poll.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace torvane::test {

namespace {

using Clock = std::chrono::steady_clock;

int remainingMs(Clock::time_point deadline)
{
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
    return left.count() < 0 ? 0 : int(left.count());
}

} // namespace

PeerProcess::PeerProcess(const std::string& program, const std::vector<std::string>& args,
                         const std::string& stderrPath)
{
    int in[2];
    int out[2];
    if (pipe2(in, O_CLOEXEC) != 0)
        return;
    if (pipe2(out, O_CLOEXEC) != 0) {
        close(in[0]);
        close(in[1]);
        return;
    }
    std::vector<std::string> argStrings;
    argStrings.push_back(program);
    argStrings.insert(argStrings.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (auto& a : argStrings)
        argv.push_back(a.data());
    argv.push_back(nullptr);

    pid_ = fork();
    if (pid_ == 0) {
        dup2(in[0], 0);
        dup2(out[1], 1);
        if (!stderrPath.empty()) {
            const int err = open(stderrPath.c_str(), O_WRONLY | O_CREAT | O_APPEND, 0644);
            if (err >= 0)
                dup2(err, 2);
        }
        execv(program.c_str(), argv.data());
        _exit(127);
    }
    close(in[0]);
    close(out[1]);
    toPeer_ = in[1];
    fromPeer_ = out[0];
    // A peer that died must not kill the test with SIGPIPE on the next send.
    signal(SIGPIPE, SIG_IGN);
}

PeerProcess::~PeerProcess()
{
    if (toPeer_ >= 0)
        close(toPeer_);
    if (fromPeer_ >= 0)
        close(fromPeer_);
    if (pid_ > 0 && !exitStatus_) {
        ::kill(pid_, SIGKILL);
        int status = 0;
        waitpid(pid_, &status, 0);
    }
}

bool PeerProcess::send(const std::string& line)
{
    const std::string data = line + "\n";
    std::size_t done = 0;
    while (done < data.size()) {
        const ssize_t n = write(toPeer_, data.data() + done, data.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        done += std::size_t(n);
    }
    return true;
}

void PeerProcess::closeInput()
{
    if (toPeer_ >= 0)
        close(toPeer_);
    toPeer_ = -1;
}

std::optional<std::string> PeerProcess::readLine(std::chrono::milliseconds timeout)
{
    const auto deadline = Clock::now() + timeout;
    for (;;) {
        if (const auto end = buffered_.find('\n'); end != std::string::npos) {
            std::string line = buffered_.substr(0, end);
            buffered_.erase(0, end + 1);
            return line;
        }
        pollfd p {fromPeer_, POLLIN, 0};
        const int ready = poll(&p, 1, remainingMs(deadline));
        if (ready < 0 && errno == EINTR)
            continue;
        if (ready <= 0)
            return std::nullopt;
        char chunk[4096];
        const ssize_t n = read(fromPeer_, chunk, sizeof chunk);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return std::nullopt;
        buffered_.append(chunk, std::size_t(n));
    }
}

std::string PeerProcess::ask(const std::string& line, std::chrono::milliseconds timeout)
{
    if (!send(line))
        return {};
    return readLine(timeout).value_or(std::string());
}

void PeerProcess::kill(int signal)
{
    if (pid_ > 0 && !exitStatus_)
        ::kill(pid_, signal);
}

bool PeerProcess::stop()
{
    int status = 0;
    if (pid_ <= 0 || exitStatus_ || ::kill(pid_, SIGSTOP) != 0 || waitpid(pid_, &status, WUNTRACED) != pid_)
        return false;
    if (!WIFSTOPPED(status))
        exitStatus_ = WIFSIGNALED(status) ? 128 + WTERMSIG(status) : WEXITSTATUS(status);
    return WIFSTOPPED(status);
}

std::optional<int> PeerProcess::waitExit(std::chrono::milliseconds timeout)
{
    if (exitStatus_ || pid_ <= 0)
        return exitStatus_;
    const auto deadline = Clock::now() + timeout;
    for (;;) {
        int status = 0;
        const pid_t r = waitpid(pid_, &status, WNOHANG);
        if (r == pid_) {
            exitStatus_ = WIFSIGNALED(status) ? 128 + WTERMSIG(status) : WEXITSTATUS(status);
            return exitStatus_;
        }
        if (r < 0 || Clock::now() >= deadline)
            return std::nullopt;
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
}

} // namespace torvane::test
