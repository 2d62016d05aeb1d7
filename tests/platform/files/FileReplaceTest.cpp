#include "platform/files/FileReplace.h"

#include "support/UnwritableFolder.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sys/wait.h>
#include <unistd.h>

using namespace torvane::files;
namespace fs = std::filesystem;

namespace {

std::string contents(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

fs::path freshFolder(const char* name)
{
    const fs::path folder = fs::path(std::getenv("TORVANE_TEST_TMP")) / name;
    fs::create_directories(folder);
    return folder;
}

} // namespace

TEST(FileReplace, AFailedWriteKeepsTheOldFileAndLeavesNothingBehind)
{
    const fs::path folder = freshFolder("full");
    const fs::path file = folder / "tune.rte";
    std::ofstream(file, std::ios::binary) << "old melody";
    {
        torvane::test::UnwritableFolder unwritable(folder.string());
        ASSERT_FALSE(unwritable.reason().empty());
        const int err = replaceFile(file.string(), std::string(8192, 'n'));
        EXPECT_EQ(std::strerror(err), unwritable.reason());
        EXPECT_EQ(contents(file), "old melody");
        for (const auto& entry : fs::directory_iterator(folder))
            EXPECT_TRUE(entry.path() == file || entry.path().filename() == ".filler") << entry.path();
    }
    EXPECT_EQ(contents(file), "old melody");
}

TEST(FileReplace, AFileTheUserMayNotWriteIsRefusedThoughItsFolderIsOpen)
{
    // Outside the test's own folder, which only root may enter.
    char made[] = "/tmp/torvane-readonly.XXXXXX";
    ASSERT_TRUE(::mkdtemp(made));
    const fs::path folder = made;
    const fs::path file = folder / "settings";
    std::ofstream(file, std::ios::binary) << "kept";
    fs::permissions(folder, fs::perms(0777));
    fs::permissions(file, fs::perms(0444));
    // Root may write anything: the user is played by a child that gives up root.
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        if (::geteuid() == 0 && ::setuid(65534) != 0)
            ::_exit(100);
        ::_exit(replaceFile(file.string(), "changed"));
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), EACCES);
    EXPECT_EQ(contents(file), "kept");
    fs::remove_all(folder);
}

TEST(FileReplace, ALinkStaysALinkAndTheFileItNamesIsReplaced)
{
    const fs::path folder = freshFolder("linked");
    fs::create_directories(folder / "dotfiles");
    std::ofstream(folder / "dotfiles" / "settings", std::ios::binary) << "old";
    fs::permissions(folder / "dotfiles" / "settings", fs::perms(0640));
    fs::create_symlink("dotfiles/settings", folder / "settings");

    ASSERT_EQ(replaceFile((folder / "settings").string(), "new"), 0);
    EXPECT_TRUE(fs::is_symlink(folder / "settings"));
    EXPECT_EQ(contents(folder / "dotfiles" / "settings"), "new");
    EXPECT_EQ(fs::status(folder / "dotfiles" / "settings").permissions(), fs::perms(0640));

    // A link that leads nowhere names no file to keep: it is replaced like a file.
    fs::create_symlink("gone", folder / "dangling");
    ASSERT_EQ(replaceFile((folder / "dangling").string(), "made"), 0);
    EXPECT_FALSE(fs::is_symlink(folder / "dangling"));
    EXPECT_EQ(contents(folder / "dangling"), "made");
}
