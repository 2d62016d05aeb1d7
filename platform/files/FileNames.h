// File names as the programs expect them from their original platform: name patterns ("*", "?")
// match without regard to case, and a folder hands out unique names PREFIX<hex>.TMP.
#pragma once

#include <string>
#include <vector>

namespace torvane::files {

// True when name matches pattern; "*" stands for any run of characters, "?" for one; letters
// compare without regard to case (ASCII).
bool matchesPattern(const std::string& name, const std::string& pattern);

// The plain files in folder whose names match pattern, sorted by name so that the order does
// not depend on the file system. Empty when the folder cannot be read.
std::vector<std::string> matchingFiles(const std::string& folder, const std::string& pattern);

// Creates a new, empty file folder + prefix + hexadecimal digits + ".TMP" that did not exist
// before (exclusive creation) and returns its full path; empty when none can be created.
std::string createUniqueFile(const std::string& folder, const std::string& prefix);

// Moves the file `from` into folder under a new name as createUniqueFile would give, in one
// step that never replaces another file, and returns the new path; empty when it cannot be
// moved (`from` then stays where it was).
std::string moveToUniqueFile(const std::string& from, const std::string& folder, const std::string& prefix);

// folder with a "/" at its end.
std::string withSlash(const std::string& folder);

} // namespace torvane::files
