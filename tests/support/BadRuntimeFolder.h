// The ways the suite's runtime folder ($XDG_RUNTIME_DIR/torvane) can be something other than the
// user's own private folder: a file in its place, a folder of another user, a folder open to
// others, a symbolic link (to a private folder of the user's). A test makes one under a base
// folder of its own, runs the code with XDG_RUNTIME_DIR pointing there, and checks that nothing
// in or behind it changed.
#pragma once

#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <string>
#include <vector>

namespace torvane::test {

enum class BadFolder { File, OtherOwner, OpenToOthers, SymbolicLink };

inline const char* nameOf(BadFolder kind)
{
    switch (kind) {
    case BadFolder::File:
        return "File";
    case BadFolder::OtherOwner:
        return "OtherOwner";
    case BadFolder::OpenToOthers:
        return "OpenToOthers";
    case BadFolder::SymbolicLink:
        return "SymbolicLink";
    }
    return "?";
}

inline constexpr BadFolder kBadFolders[] = {BadFolder::File, BadFolder::OtherOwner, BadFolder::OpenToOthers,
                                            BadFolder::SymbolicLink};

// The name of a test of one kind: INSTANTIATE_TEST_SUITE_P(Kinds, Suite, ValuesIn(kBadFolders), nameOfParam).
inline std::string nameOfParam(const ::testing::TestParamInfo<BadFolder>& info)
{
    return nameOf(info.param);
}

// Someone else's user id: the one nobody logs in as.
constexpr uid_t kOtherUser = 65534;

// Makes base/torvane of that kind (base must exist); false when it cannot be made here (a folder
// of another user needs the right to give it away).
inline bool makeBadFolder(const std::string& base, BadFolder kind)
{
    const std::string folder = base + "/torvane";
    switch (kind) {
    case BadFolder::File:
        return static_cast<bool>(std::ofstream(folder) << "not a folder");
    case BadFolder::OtherOwner:
        return ::mkdir(folder.c_str(), 0700) == 0 && ::chown(folder.c_str(), kOtherUser, kOtherUser) == 0;
    case BadFolder::OpenToOthers:
        return ::mkdir(folder.c_str(), 0700) == 0 && ::chmod(folder.c_str(), 0777) == 0;
    case BadFolder::SymbolicLink: {
        const std::string target = base + "/elsewhere";
        return ::mkdir(target.c_str(), 0700) == 0 && ::symlink(target.c_str(), folder.c_str()) == 0;
    }
    }
    return false;
}

// What lies in base, one line per entry with its kind, mode and owner, and the entries of every
// folder in it: equal before and after when nothing was touched.
inline std::string folderState(const std::string& base)
{
    std::vector<std::string> lines;
    const auto list = [&](const std::string& folder, const std::string& prefix, auto& self) -> void {
        DIR* dir = ::opendir(folder.c_str());
        if (dir == nullptr)
            return;
        std::vector<std::string> names;
        while (const dirent* entry = ::readdir(dir))
            if (std::string(entry->d_name) != "." && std::string(entry->d_name) != "..")
                names.emplace_back(entry->d_name);
        ::closedir(dir);
        for (const std::string& name : names) {
            const std::string path = folder + "/" + name;
            struct stat st {};
            if (::lstat(path.c_str(), &st) != 0)
                continue;
            lines.push_back(prefix + name + " mode " + std::to_string(st.st_mode) + " owner " +
                            std::to_string(st.st_uid));
            if (S_ISDIR(st.st_mode))
                self(path, prefix + name + "/", self);
        }
    };
    list(base, "", list);
    std::sort(lines.begin(), lines.end());
    std::string state;
    for (const std::string& line : lines)
        state += line + "\n";
    return state;
}

} // namespace torvane::test
