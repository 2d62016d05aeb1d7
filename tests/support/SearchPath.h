// A program the test built, found by its bare name as a user's PATH finds the installed one; a
// full path in a setting would make the test depend on where the checkout lies.
#pragma once

#include <cstdlib>
#include <filesystem>
#include <string>

namespace torvane::test {

// Puts the folder of `program` first on this process's PATH, which its children inherit.
inline void findOnPath(const std::string& program)
{
    const char* path = std::getenv("PATH");
    const std::string folder = std::filesystem::path(program).parent_path().string();
    ::setenv("PATH", (folder + (path ? std::string(":") + path : std::string())).c_str(), 1);
}

} // namespace torvane::test
