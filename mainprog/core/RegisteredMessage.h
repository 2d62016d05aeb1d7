// A window message number for a name, the same in every process of the suite (what the
// platform's registered window messages give): a number from 0xC000 to 0xFFFF.
#pragma once

#include "platform/wintypes.h"

#include <string_view>

namespace corvant {

UINT registerWindowMessage(std::string_view name);

} // namespace corvant
