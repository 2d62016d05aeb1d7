// Test support for programs started detached: the test process becomes the reaper of its
// orphaned descendants, so it can wait (with a deadline) until every started program has ended
// and then read what the recorder program wrote.
#pragma once

#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <thread>
#include <vector>

namespace torvane::testing {

// One start of the recorder program.
struct ProgramRecord {
    bool ownSession = false;
    int inheritedFiles = -1;
    std::vector<std::string> arguments;
};

class RecordedPrograms {
public:
    // Becomes the reaper of orphaned descendants and points the recorder at a fresh file.
    explicit RecordedPrograms(const std::string& file)
        : m_file(file)
    {
        std::remove(m_file.c_str());
        ::setenv("TORVANE_RECORD_FILE", m_file.c_str(), 1);
        ::prctl(PR_SET_CHILD_SUBREAPER, 1);
    }

    ~RecordedPrograms()
    {
        waitForAll();
        ::prctl(PR_SET_CHILD_SUBREAPER, 0);
        ::unsetenv("TORVANE_RECORD_FILE");
    }

    // Waits until no descendant is left; false when some still run at the deadline.
    bool waitForAll(std::chrono::milliseconds limit = std::chrono::seconds(10)) const
    {
        const auto deadline = std::chrono::steady_clock::now() + limit;
        for (;;) {
            const pid_t pid = ::waitpid(-1, nullptr, WNOHANG);
            if (pid < 0 && errno == ECHILD)
                return true;
            if (pid > 0)
                continue;
            if (std::chrono::steady_clock::now() >= deadline)
                return false;
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
        }
    }

    // Every record so far (call after waitForAll for a complete list).
    std::vector<ProgramRecord> records() const
    {
        std::vector<ProgramRecord> result;
        std::ifstream in(m_file);
        std::string line;
        while (std::getline(in, line)) {
            std::vector<std::string> fields;
            std::stringstream fieldStream(line);
            std::string field;
            while (std::getline(fieldStream, field, '\x1f'))
                fields.push_back(field);
            if (line.ends_with('\x1f'))
                fields.emplace_back();
            ProgramRecord record;
            if (fields.size() >= 2) {
                record.ownSession = fields[0] == "session";
                record.inheritedFiles = std::atoi(fields[1].c_str());
                record.arguments.assign(fields.begin() + 2, fields.end());
            } else {
                record.arguments = fields; // a line of the procedure library
            }
            result.push_back(std::move(record));
        }
        return result;
    }

    // The raw lines, for the library's procedure calls ("called").
    std::vector<std::string> lines() const
    {
        std::vector<std::string> result;
        std::ifstream in(m_file);
        std::string line;
        while (std::getline(in, line))
            result.push_back(line);
        return result;
    }

private:
    std::string m_file;
};

// A private folder for one test ($TORVANE_TEST_TMP from the test runner, else /tmp).
inline std::string testFolder()
{
    const char* base = std::getenv("TORVANE_TEST_TMP");
    return base ? base : "/tmp";
}

} // namespace torvane::testing
