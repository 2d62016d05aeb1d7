#include "tools/phonesim/StandardModules.h"

#include "tools/phonesim/BasicCommands.h"
#include "tools/phonesim/ObjectStoreCommands.h"
#include "tools/phonesim/StatusCommands.h"

namespace torvane::phonesim {

std::vector<std::unique_ptr<PhoneModule>> standardModules()
{
    std::vector<std::unique_ptr<PhoneModule>> modules;
    modules.push_back(std::make_unique<BasicCommands>());
    modules.push_back(std::make_unique<StatusCommands>());
    modules.push_back(std::make_unique<ObjectStoreCommands>());
    return modules;
}

} // namespace torvane::phonesim
