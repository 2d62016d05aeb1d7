// Every process the programs start, however detached, ends up a child of this one: it is the
// subreaper of what it starts, so the programs that Corvant starts with a double fork are still
// its own to wait for, and how each one ended (its exit code or the signal that killed it) is
// known, not guessed from a window going away.
#pragma once

#include <map>
#include <string>
#include <sys/types.h>
#include <vector>

namespace torvane::test {

class ProgramTree {
public:
    // Makes this process the subreaper of everything it starts from now on.
    ProgramTree();
    ~ProgramTree();
    ProgramTree(const ProgramTree&) = delete;
    ProgramTree& operator=(const ProgramTree&) = delete;

    // Starts the program with this process's environment, in the folder, its output appended to
    // the file; -1 when it could not be started.
    pid_t start(const std::vector<std::string>& argv, const std::string& folder, const std::string& output);

    struct Ended {
        pid_t pid = 0;
        std::string name; // its command name; empty when it ended before it was seen
        int status = 0;   // as waitpid gives it
        bool stoppedByUs = false;
    };
    // Takes note of the programs that run now and returns those that ended since the last call.
    std::vector<Ended> look();

    // The living children of that command name, as the last look saw them.
    std::vector<pid_t> running(const std::string& name) const;
    // Whether no child of this process was left at the last look.
    bool empty() const { return names_.empty(); }

    // Ends them all with the signal (a program ended that way counts as stopped by us).
    void stopAll(int signal);

    // "exit code 3", "signal 6 (Aborted)".
    static std::string describe(int status);
    // What each thread of the process is doing as the kernel sees it: "1234 R, 1235 S futex_wait_queue".
    static std::string threads(pid_t pid);

private:
    void seeChildren();

    std::map<pid_t, std::string> names_;
    std::map<pid_t, bool> stopped_;
};

} // namespace torvane::test
