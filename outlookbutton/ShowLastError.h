// The box a failed start or library call ends in: "Error:" and the name of what failed as the
// caption, the system's reason as the text.
#pragma once

#include "platform/process/SystemError.h"

namespace torvane::plinket {

// name null or empty: the caption is "Error".
void ShowLastError(const char* name, const process::SystemError& error);

} // namespace torvane::plinket
