#include "tests/integration/randominput/ProgramTree.h"

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <fstream>
#include <sstream>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace torvane::test {

ProgramTree::ProgramTree()
{
    ::prctl(PR_SET_CHILD_SUBREAPER, 1);
}

ProgramTree::~ProgramTree()
{
    ::prctl(PR_SET_CHILD_SUBREAPER, 0);
}

pid_t ProgramTree::start(const std::vector<std::string>& argv, const std::string& folder, const std::string& output)
{
    std::vector<char*> args;
    for (const std::string& a : argv)
        args.push_back(const_cast<char*>(a.c_str()));
    args.push_back(nullptr);
    const pid_t pid = ::fork();
    if (pid != 0)
        return pid;
    const int out = ::open(output.c_str(), O_WRONLY | O_CREAT | O_APPEND, 0600);
    const int none = ::open("/dev/null", O_RDONLY);
    if (out < 0 || none < 0 || ::chdir(folder.c_str()) != 0)
        ::_exit(126);
    ::dup2(none, 0);
    ::dup2(out, 1);
    ::dup2(out, 2);
    ::execve(args[0], args.data(), environ);
    ::_exit(127);
}

void ProgramTree::seeChildren()
{
    const std::string self = std::to_string(::getpid());
    DIR* proc = ::opendir("/proc");
    if (!proc)
        return;
    while (dirent* entry = ::readdir(proc)) {
        const pid_t pid = pid_t(std::atoi(entry->d_name));
        if (pid <= 0)
            continue;
        std::ifstream stat("/proc/" + std::string(entry->d_name) + "/stat");
        std::string line;
        std::getline(stat, line);
        // "pid (name) state ppid ...", where the name may hold blanks and parentheses.
        const std::size_t open = line.find('(');
        const std::size_t close = line.rfind(')');
        if (open == std::string::npos || close == std::string::npos || close < open)
            continue;
        std::istringstream rest(line.substr(close + 1));
        std::string state, parent;
        rest >> state >> parent;
        // Looked at again each time: a child seen between its fork and its exec changes its name.
        if (parent == self)
            names_[pid] = line.substr(open + 1, close - open - 1);
    }
    ::closedir(proc);
}

std::vector<ProgramTree::Ended> ProgramTree::look()
{
    seeChildren();
    std::vector<Ended> ended;
    int status = 0;
    pid_t pid;
    while ((pid = ::waitpid(-1, &status, WNOHANG)) > 0) {
        Ended e;
        e.pid = pid;
        e.status = status;
        if (auto it = names_.find(pid); it != names_.end()) {
            e.name = it->second;
            names_.erase(it);
        }
        e.stoppedByUs = stopped_.erase(pid) != 0;
        ended.push_back(std::move(e));
    }
    return ended;
}

std::vector<pid_t> ProgramTree::running(const std::string& name) const
{
    std::vector<pid_t> pids;
    for (const auto& [pid, n] : names_)
        if (n == name)
            pids.push_back(pid);
    return pids;
}

void ProgramTree::stopAll(int signal)
{
    seeChildren();
    for (const auto& [pid, name] : names_) {
        stopped_[pid] = true;
        ::kill(pid, signal);
    }
}

std::string ProgramTree::threads(pid_t pid)
{
    std::string text;
    const std::string tasks = "/proc/" + std::to_string(pid) + "/task";
    DIR* dir = ::opendir(tasks.c_str());
    if (!dir)
        return "gone";
    while (dirent* entry = ::readdir(dir)) {
        if (entry->d_name[0] == '.')
            continue;
        std::ifstream stat(tasks + "/" + entry->d_name + "/stat");
        std::string line;
        std::getline(stat, line);
        const std::size_t close = line.rfind(')');
        std::ifstream wchan(tasks + "/" + entry->d_name + "/wchan");
        std::string waits;
        std::getline(wchan, waits);
        text += (text.empty() ? "" : ", ") + std::string(entry->d_name) + " " +
                (close != std::string::npos && close + 2 < line.size() ? line.substr(close + 2, 1) : "?") +
                (waits.empty() || waits == "0" ? "" : " " + waits);
    }
    ::closedir(dir);
    return text;
}

std::string ProgramTree::describe(int status)
{
    if (WIFEXITED(status))
        return "exit code " + std::to_string(WEXITSTATUS(status));
    if (WIFSIGNALED(status))
        return "signal " + std::to_string(WTERMSIG(status)) + " (" + ::strsignal(WTERMSIG(status)) + ")";
    return "status " + std::to_string(status);
}

} // namespace torvane::test
