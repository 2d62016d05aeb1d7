// What the programs keep on disk, read back the way the suite reads it: the desktop calendar,
// each card of the personal address book and each settings file. Random input may change any of
// them through the programs, and may remove cards; it must never leave one that cannot be read.
#pragma once

#include <string>
#include <vector>

namespace torvane::test {

// One line for each file that no longer reads back; none when all do. `config` and `data` are
// the profile's XDG_CONFIG_HOME and XDG_DATA_HOME.
std::vector<std::string> unreadableFiles(const std::string& config, const std::string& data);

} // namespace torvane::test
