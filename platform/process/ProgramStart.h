// Starting programs by command line, as the programs' launch buttons and plug-ins do: no shell
// is involved, the line is split as the original platform splits it, and the program runs on
// its own: the caller never waits for it and no finished child is left behind.
#pragma once

#include "platform/process/SystemError.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace torvane::process {

struct StartOptions {
    // Start the program in a session of its own, away from the starter's terminal (what a
    // program "with a new console" amounts to here).
    bool newSession = false;
};

// The folder of the running program's executable ("" when it can't be told).
std::string ownProgramFolder();

// Where a program name leads: a name holding "/" is taken as it is; a bare name is looked up
// in the running program's own folder first, then in each folder of PATH. The result names an
// executable regular file; ENOENT (or EACCES when only unusable files were met) otherwise.
std::optional<std::string> findProgram(std::string_view name, SystemError* error = nullptr);

// Starts argv[0] (found with findProgram) with the arguments argv[1...], the caller's
// environment and current folder, and none of its open files beyond standard input, output and
// error. Returns once the program runs, or with the reason it could not be run.
std::optional<SystemError> startProgram(const std::vector<std::string>& argv, const StartOptions& options = {});

// splitCommandLine + startProgram. A blank line is EINVAL.
std::optional<SystemError> startCommandLine(std::string_view commandLine, const StartOptions& options = {});

} // namespace torvane::process
