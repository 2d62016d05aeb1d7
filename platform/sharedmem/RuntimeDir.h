// Where the suite keeps the objects its processes share while they run (shared memory blocks,
// named mutexes): a folder private to the user, so no other account can see or touch them.
#pragma once

#include <string>
#include <string_view>

namespace torvane {

// The suite's runtime folder ("$XDG_RUNTIME_DIR/torvane", or "/tmp/torvane-<uid>" without an
// absolute XDG_RUNTIME_DIR), made with mode 0700 when missing; one that is not the user's own
// private folder is refused (EACCES). Returns the path, or an empty text with *err set to an
// errno value.
std::string runtimeDir(int* err);

// Turns an object name (any bytes but NUL) into a file name of its own: letters, digits, '-',
// '_' and inner '.' stay, every other byte becomes %XX. Empty when the name is empty or too long.
std::string objectFileName(std::string_view name);

} // namespace torvane
