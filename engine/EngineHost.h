// Whether a program drives the engine. Only the owner process (the one that called ZelDllInit)
// pumps jobs; a requester in another process that waits for an answer asks this, so that its
// wait ends once nobody is left to carry its job out.
#pragma once

#include "engine/EngineServices.h"
#include "engine/zeldll.h"

namespace zel {

// True while the owner window named by ZelDllInit exists; false before any owner was named and
// after its process has gone.
bool ownerDrivesEngine(const EngineShared& shared, EngineServices& services);

} // namespace zel
