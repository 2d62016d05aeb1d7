// What can stand where the suite's runtime folder belongs, what the programs call it and what they
// tell the user to do: a file, another user's folder, a folder open to others, a symbolic link to
// a private folder of the user's. Each maker puts its kind at `folder` and is false where this
// user cannot.
#pragma once

#include <sys/stat.h>
#include <unistd.h>

#include <fstream>
#include <string>

namespace torvane::test {

struct BadFolder {
    const char* name;
    bool (*make)(const std::string& folder);
    const char* reason;
    const char* remedy;
};

inline const BadFolder kBadFolders[] = {
    {"File", [](const std::string& f) { return bool(std::ofstream(f) << "x"); }, "is not a directory", "; remove it"},
    {"OtherOwner", [](const std::string& f) { return !::mkdir(f.c_str(), 0700) && !::chown(f.c_str(), 65534, 65534); },
     "belongs to another user", "; remove it (an administrator may have to)"},
    {"OpenToOthers", [](const std::string& f) { return !::mkdir(f.c_str(), 0700) && !::chmod(f.c_str(), 0777); },
     "is open to other users", "; make it private to you (chmod 700 "},
    {"SymbolicLink",
     [](const std::string& f) { return !::mkdir((f + "-behind").c_str(), 0700) && !::symlink("torvane-behind", f.c_str()); },
     "is a symbolic link", "; remove it"},
};

} // namespace torvane::test
