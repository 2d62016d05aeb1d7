#include "platform/files/FileNames.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdio>
#include <ctime>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace torvane::files {

namespace {

char fold(char c)
{
    return static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
}

} // namespace

bool matchesPattern(const std::string& name, const std::string& pattern)
{
    // Iterative match with one back-track point for the last "*": linear in practice and
    // without recursion depth on long names.
    size_t n = 0, p = 0, starP = std::string::npos, starN = 0;
    while (n < name.size()) {
        if (p < pattern.size() && (pattern[p] == '?' || fold(pattern[p]) == fold(name[n]))) {
            ++n;
            ++p;
        } else if (p < pattern.size() && pattern[p] == '*') {
            starP = p++;
            starN = n;
        } else if (starP != std::string::npos) {
            p = starP + 1;
            n = ++starN;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == '*')
        ++p;
    return p == pattern.size();
}

std::string withSlash(const std::string& folder)
{
    if (folder.empty() || folder.back() == '/')
        return folder;
    return folder + "/";
}

std::vector<std::string> matchingFiles(const std::string& folder, const std::string& pattern)
{
    std::vector<std::string> names;
    DIR* dir = opendir(folder.empty() ? "." : folder.c_str());
    if (!dir)
        return names;
    const std::string base = withSlash(folder);
    while (dirent* entry = readdir(dir)) {
        const std::string name = entry->d_name;
        if (name == "." || name == ".." || !matchesPattern(name, pattern))
            continue;
        struct stat info {};
        if (stat((base + name).c_str(), &info) == 0 && S_ISREG(info.st_mode))
            names.push_back(name);
    }
    closedir(dir);
    std::sort(names.begin(), names.end());
    return names;
}

namespace {

// Tries the unique names of folder in turn until `take` claims one (true) or fails for another
// reason than the name being in use (errno other than EEXIST).
template <class Take>
std::string claimUniqueName(const std::string& folder, const std::string& prefix, Take take)
{
    const std::string base = withSlash(folder);
    // Start from a number of this process and the moment, then count up past names in use.
    unsigned seed = static_cast<unsigned>(getpid()) * 2654435761u ^ static_cast<unsigned>(time(nullptr));
    for (unsigned attempt = 0; attempt < 65536; ++attempt) {
        char hex[16];
        std::snprintf(hex, sizeof hex, "%X", (seed + attempt) & 0xFFFFu);
        const std::string path = base + prefix + hex + ".TMP";
        if (take(path))
            return path;
        if (errno != EEXIST)
            return {};
    }
    return {};
}

} // namespace

std::string createUniqueFile(const std::string& folder, const std::string& prefix)
{
    return claimUniqueName(folder, prefix, [](const std::string& path) {
        const int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL, 0644);
        if (fd < 0)
            return false;
        close(fd);
        return true;
    });
}

std::string moveToUniqueFile(const std::string& from, const std::string& folder, const std::string& prefix)
{
    bool noReplace = true;
    const std::string moved = claimUniqueName(folder, prefix, [&](const std::string& path) {
        if (renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, path.c_str(), RENAME_NOREPLACE) == 0)
            return true;
        if (errno == EINVAL || errno == ENOSYS)
            noReplace = false; // a file system that cannot refuse to replace: see below
        return false;
    });
    if (!moved.empty() || noReplace)
        return moved;
    // Claim the name with an empty file first, then replace that file in one step.
    const std::string claimed = createUniqueFile(folder, prefix);
    if (claimed.empty())
        return {};
    if (::rename(from.c_str(), claimed.c_str()) != 0) {
        unlink(claimed.c_str());
        return {};
    }
    return claimed;
}

} // namespace torvane::files
