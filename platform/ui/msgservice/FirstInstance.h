// Each program's single-instance check as it starts, with the user told when the check itself
// cannot be made (the runtime folder is not the user's own private one).
#pragma once

#include "platform/sharedmem/NamedMutex.h"

#include <memory>
#include <string_view>

namespace torvane::ui {

// The mutex `name`, owned by the caller, when this is the first copy. Null otherwise, with
// *exitCode 0 when another copy runs (the caller ends quietly), or EXIT_FAILURE once the reason
// has been shown in a box titled with the application's name and written to standard error.
std::unique_ptr<NamedMutex> claimFirstInstanceOrTell(std::string_view name, int& exitCode);

} // namespace torvane::ui
