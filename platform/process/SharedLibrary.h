// Calling a procedure of a shared library by name: load the library, look the procedure up,
// call it without arguments, unload the library again.
#pragma once

#include "platform/process/SystemError.h"

#include <optional>
#include <string_view>

namespace torvane::process {

struct LibraryCallError {
    enum class Stage {
        Load,   // the library could not be loaded
        Lookup, // the library has no procedure of that name (it has been unloaded again)
    };
    Stage stage = Stage::Load;
    SystemError error; // code 0: the loader gave only a text
};

// A path holding "/" is loaded as it is; a bare file name is taken from the running program's
// own folder when it is there, else the system's library search applies. The procedure is
// called as void(void); the library is unloaded afterwards whatever happened.
std::optional<LibraryCallError> callLibraryProcedure(std::string_view library, std::string_view procedure);

} // namespace torvane::process
