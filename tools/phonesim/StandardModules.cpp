#include "tools/phonesim/StandardModules.h"

#include "tools/phonesim/BarringCommands.h"
#include "tools/phonesim/BasicCommands.h"
#include "tools/phonesim/ForwardingCommands.h"
#include "tools/phonesim/MelodyCommands.h"
#include "tools/phonesim/ObjectStoreCommands.h"
#include "tools/phonesim/PhonebookCommands.h"
#include "tools/phonesim/SmsCommands.h"
#include "tools/phonesim/StatusCommands.h"

namespace torvane::phonesim {

std::vector<std::unique_ptr<PhoneModule>> standardModules()
{
    std::vector<std::unique_ptr<PhoneModule>> modules;
    modules.push_back(std::make_unique<BasicCommands>());
    modules.push_back(std::make_unique<StatusCommands>());
    modules.push_back(std::make_unique<ObjectStoreCommands>());
    modules.push_back(std::make_unique<SmsCommands>());
    modules.push_back(std::make_unique<PhonebookCommands>());
    modules.push_back(std::make_unique<BarringCommands>());
    modules.push_back(std::make_unique<ForwardingCommands>());
    modules.push_back(std::make_unique<MelodyCommands>());
    return modules;
}

} // namespace torvane::phonesim
