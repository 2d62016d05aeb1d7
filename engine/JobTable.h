// The state machines the cycle serves, one entry per job kind in the fixed order of JobKind.
// A family of jobs adds itself by declaring its step functions in its own header and filling
// its kinds' entries in JobTable.cpp.
#pragma once

#include "engine/JobStep.h"

#include <span>

namespace zel {

using JobTable = std::span<const JobHandler>;

// The engine's own table. A kind whose state machine is not part of this build has no step;
// the cycle leaves its requests pending.
JobTable standardJobTable();

} // namespace zel
