// A failure the operating system reported: its number (errno, or 0 when the system gave only
// a text, as the dynamic loader does) and the system's own wording of it for people.
#pragma once

#include <string>

namespace torvane::process {

struct SystemError {
    int code = 0;
    std::string message;
};

// The system's message for an errno value, in the language of the current locale.
SystemError systemErrorFromErrno(int code);

} // namespace torvane::process
