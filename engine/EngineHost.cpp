#include "engine/EngineHost.h"

namespace zel {

bool ownerDrivesEngine(const EngineShared& shared, EngineServices& services)
{
    return shared.owner != 0 && services.windowExists(shared.owner);
}

} // namespace zel
