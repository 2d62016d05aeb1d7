#include "platform/process/SystemError.h"

#include <cstring>

namespace torvane::process {

SystemError systemErrorFromErrno(int code)
{
    char buffer[256];
    // The GNU strerror_r may answer with a static text instead of filling the buffer.
    const char* text = strerror_r(code, buffer, sizeof buffer);
    return SystemError{code, text ? text : ""};
}

} // namespace torvane::process
