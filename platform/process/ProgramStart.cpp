#include "platform/process/ProgramStart.h"

#include "platform/process/CommandLine.h"

#include <cerrno>
#include <climits>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <linux/close_range.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace torvane::process {

namespace {

enum class Candidate { Usable, Missing, Unusable };

Candidate examine(const std::string& path)
{
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0)
        return Candidate::Missing;
    if (!S_ISREG(st.st_mode) || ::access(path.c_str(), X_OK) != 0)
        return Candidate::Unusable;
    return Candidate::Usable;
}

std::string searchPath()
{
    if (const char* path = std::getenv("PATH"))
        return path;
    return "/usr/local/bin:/usr/bin:/bin";
}

// Reads exactly one int from the start-up pipe; false on end of file (the program runs).
bool readChildErrno(int fd, int& code)
{
    char* out = reinterpret_cast<char*>(&code);
    std::size_t got = 0;
    while (got < sizeof code) {
        const ssize_t n = ::read(fd, out + got, sizeof code - got);
        if (n > 0)
            got += std::size_t(n);
        else if (n == 0)
            return false;
        else if (errno != EINTR)
            return false;
    }
    return true;
}

[[noreturn]] void reportAndExit(int fd, int code)
{
    [[maybe_unused]] const ssize_t ignored = ::write(fd, &code, sizeof code);
    ::_exit(127);
}

// Runs in the grandchild, after fork in a possibly multi-threaded process: only calls that are
// safe there, and nothing that allocates.
[[noreturn]] void execInChild(const char* path, char* const* argv, bool newSession, int errorFd, int fdLimit)
{
    if (newSession)
        ::setsid();
    sigset_t none;
    sigemptyset(&none);
    ::sigprocmask(SIG_SETMASK, &none, nullptr);
    struct sigaction defaults {};
    defaults.sa_handler = SIG_DFL;
    for (int sig = 1; sig < NSIG; ++sig)
        ::sigaction(sig, &defaults, nullptr);
    // The host's files, sockets and pipes stay with the host.
    if (::close_range(3, ~0U, CLOSE_RANGE_CLOEXEC) != 0) {
        for (int fd = 3; fd < fdLimit; ++fd)
            ::fcntl(fd, F_SETFD, FD_CLOEXEC);
    }
    ::execve(path, argv, environ);
    reportAndExit(errorFd, errno);
}

} // namespace

std::string ownProgramFolder()
{
    char buffer[PATH_MAX];
    const ssize_t n = ::readlink("/proc/self/exe", buffer, sizeof buffer - 1);
    if (n <= 0)
        return {};
    std::string path(buffer, std::size_t(n));
    const auto slash = path.rfind('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash == 0 ? 1 : slash);
}

std::optional<std::string> findProgram(std::string_view name, SystemError* error)
{
    auto fail = [error](int code) -> std::optional<std::string> {
        if (error)
            *error = systemErrorFromErrno(code);
        return std::nullopt;
    };
    if (name.empty())
        return fail(ENOENT);
    const std::string program(name);
    if (program.find('/') != std::string::npos) {
        switch (examine(program)) {
        case Candidate::Usable:
            return program;
        case Candidate::Missing:
            return fail(ENOENT);
        case Candidate::Unusable:
            return fail(EACCES);
        }
    }

    std::vector<std::string> folders;
    if (std::string own = ownProgramFolder(); !own.empty())
        folders.push_back(std::move(own));
    const std::string path = searchPath();
    std::size_t start = 0;
    while (start <= path.size()) {
        std::size_t colon = path.find(':', start);
        if (colon == std::string::npos)
            colon = path.size();
        // An empty entry would mean the current folder, which a launcher must not search.
        if (colon > start)
            folders.push_back(path.substr(start, colon - start));
        start = colon + 1;
    }

    bool sawUnusable = false;
    for (const std::string& folder : folders) {
        const std::string candidate = folder + (folder.ends_with('/') ? "" : "/") + program;
        switch (examine(candidate)) {
        case Candidate::Usable:
            return candidate;
        case Candidate::Unusable:
            sawUnusable = true;
            break;
        case Candidate::Missing:
            break;
        }
    }
    return fail(sawUnusable ? EACCES : ENOENT);
}

std::optional<SystemError> startProgram(const std::vector<std::string>& args, const StartOptions& options)
{
    if (args.empty() || args.front().empty())
        return systemErrorFromErrno(EINVAL);
    SystemError lookupError;
    const std::optional<std::string> path = findProgram(args.front(), &lookupError);
    if (!path)
        return lookupError;

    // Everything the children need is built before fork: they may not allocate.
    std::vector<char*> argv;
    argv.reserve(args.size() + 1);
    for (const std::string& arg : args)
        argv.push_back(const_cast<char*>(arg.c_str()));
    argv.push_back(nullptr);

    const long openMax = ::sysconf(_SC_OPEN_MAX);
    const int fdLimit = openMax > 0 && openMax < INT_MAX ? int(openMax) : 1024;

    int pipeFds[2];
    if (::pipe2(pipeFds, O_CLOEXEC) != 0)
        return systemErrorFromErrno(errno);

    // Two forks: the middle child exits at once and is collected here, so the program is
    // adopted by the system and never becomes a zombie of the host.
    const pid_t middle = ::fork();
    if (middle < 0) {
        const int code = errno;
        ::close(pipeFds[0]);
        ::close(pipeFds[1]);
        return systemErrorFromErrno(code);
    }
    if (middle == 0) {
        ::close(pipeFds[0]);
        const pid_t program = ::_Fork();
        if (program < 0)
            reportAndExit(pipeFds[1], errno);
        if (program == 0)
            execInChild(path->c_str(), argv.data(), options.newSession, pipeFds[1], fdLimit);
        ::_exit(0);
    }

    ::close(pipeFds[1]);
    int status = 0;
    while (::waitpid(middle, &status, 0) < 0 && errno == EINTR) {
    }
    int childErrno = 0;
    const bool failed = readChildErrno(pipeFds[0], childErrno);
    ::close(pipeFds[0]);
    if (failed)
        return systemErrorFromErrno(childErrno);
    return std::nullopt;
}

std::optional<SystemError> startCommandLine(std::string_view commandLine, const StartOptions& options)
{
    const std::vector<std::string> args = splitCommandLine(commandLine);
    if (args.empty())
        return systemErrorFromErrno(EINVAL);
    return startProgram(args, options);
}

} // namespace torvane::process
