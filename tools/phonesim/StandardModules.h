// The modules every simulated phone has. A new feature (SMS, phonebooks, ...) is a module
// in its own file pair, listed once in standardModules().
#pragma once

#include "tools/phonesim/PhoneModule.h"

#include <memory>
#include <vector>

namespace torvane::phonesim {

std::vector<std::unique_ptr<PhoneModule>> standardModules();

} // namespace torvane::phonesim
