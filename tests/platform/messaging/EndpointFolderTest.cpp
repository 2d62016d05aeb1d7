#include "platform/messaging/EndpointFolder.h"
#include "platform/messaging/Messaging.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <optional>
#include <string>

using namespace messaging;

namespace {

std::string testTemp()
{
    const char* tmp = std::getenv("TORVANE_TEST_TMP");
    return tmp != nullptr ? tmp : "/tmp";
}

bool exists(const std::string& path)
{
    struct stat st {};
    return ::lstat(path.c_str(), &st) == 0;
}

// Sets an environment variable for one scope.
class ScopedEnv {
public:
    ScopedEnv(const char* name, const char* value)
        : name_(name)
    {
        if (const char* old = std::getenv(name))
            old_ = old;
        if (value != nullptr)
            ::setenv(name, value, 1);
        else
            ::unsetenv(name);
    }
    ~ScopedEnv()
    {
        if (old_)
            ::setenv(name_, old_->c_str(), 1);
        else
            ::unsetenv(name_);
    }

private:
    const char* name_;
    std::optional<std::string> old_;
};

} // namespace

TEST(EndpointFolder, TheProcessEndpointLivesInAPrivateFolderUnderTheRuntimeDirectory)
{
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    ASSERT_NE(runtime, nullptr) << "run through tests/isolate.sh";
    const std::string folder = endpointFolder();
    ASSERT_EQ(folder, std::string(runtime) + "/torvane");
    struct stat st {};
    ASSERT_EQ(::lstat(folder.c_str(), &st), 0);
    EXPECT_TRUE(S_ISDIR(st.st_mode));
    EXPECT_EQ(st.st_mode & 0777, 0700u);
    ASSERT_EQ(::lstat(endpointPathOf(std::uint32_t(::getpid())).c_str(), &st), 0);
    EXPECT_TRUE(S_ISSOCK(st.st_mode));
}

TEST(EndpointFolder, FallsBackToTmpOnlyWithoutAnAbsoluteRuntimeDirectory)
{
    const std::string fallback = "/tmp/torvane-" + std::to_string(::getuid());
    {
        ScopedEnv env("XDG_RUNTIME_DIR", nullptr);
        EXPECT_EQ(endpointFolderPath(), fallback);
    }
    {
        ScopedEnv env("XDG_RUNTIME_DIR", "relative/run");
        EXPECT_EQ(endpointFolderPath(), fallback);
    }
    {
        ScopedEnv env("XDG_RUNTIME_DIR", "/run/user/1000");
        EXPECT_EQ(endpointFolderPath(), "/run/user/1000/torvane");
    }
}

TEST(EndpointFolder, AFolderOpenToOthersAndImpostorsAreRefusedAndLeftAsTheyAre)
{
    const std::string base = testTemp() + "/folders-" + std::to_string(::getpid());
    ASSERT_EQ(::mkdir(base.c_str(), 0700), 0);
    std::string error;

    const std::string fresh = base + "/fresh";
    EXPECT_TRUE(ensurePrivateFolder(fresh, &error)) << error;
    struct stat st {};
    ASSERT_EQ(::stat(fresh.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0700u);

    const std::string wide = base + "/wide";
    ASSERT_EQ(::mkdir(wide.c_str(), 0755), 0);
    ASSERT_EQ(::chmod(wide.c_str(), 0777), 0);
    EXPECT_FALSE(ensurePrivateFolder(wide, nullptr));
    ASSERT_EQ(::stat(wide.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0777u);

    const std::string link = base + "/link";
    ASSERT_EQ(::symlink(fresh.c_str(), link.c_str()), 0);
    error.clear();
    EXPECT_FALSE(ensurePrivateFolder(link, &error));
    EXPECT_EQ(error, link + " is a symbolic link; remove it");

    const std::string file = base + "/file";
    std::ofstream(file) << "x";
    error.clear();
    EXPECT_FALSE(ensurePrivateFolder(file, &error));
    EXPECT_FALSE(error.empty());

    error.clear();
    EXPECT_FALSE(ensurePrivateFolder(base + "/missing/parent", &error));
    EXPECT_FALSE(error.empty());
}

struct NameCase {
    const char* name;
    std::optional<EndpointFileName> parsed;
};

class EndpointFileNames : public ::testing::TestWithParam<NameCase> {};

TEST_P(EndpointFileNames, OnlyOurOwnNamesAreRecognised)
{
    EXPECT_EQ(parseEndpointFileName(GetParam().name), GetParam().parsed) << GetParam().name;
}

INSTANTIATE_TEST_SUITE_P(
    Table, EndpointFileNames,
    ::testing::Values(NameCase{"msg-123.sock", EndpointFileName{123, EndpointFileKind::Endpoint}},
                      NameCase{"msg-123.win", EndpointFileName{123, EndpointFileKind::WindowList}},
                      NameCase{"msg-123.win.tmp", EndpointFileName{123, EndpointFileKind::WindowListTemp}},
                      NameCase{"msg-4294967295-r17.sock", EndpointFileName{4294967295u, EndpointFileKind::Reply}},
                      NameCase{"msg-4294967296.sock", std::nullopt}, NameCase{"msg-0123.sock", std::nullopt},
                      NameCase{"msg-.sock", std::nullopt}, NameCase{"msg-12.socket", std::nullopt},
                      NameCase{"msg-12-r.sock", std::nullopt}, NameCase{"msg-12-rx.sock", std::nullopt},
                      NameCase{"shm-12.lock", std::nullopt}, NameCase{"msg-12", std::nullopt},
                      NameCase{".", std::nullopt}));

TEST(EndpointFolder, SweepRemovesOnlyFilesOfGoneProcessesAndNothingElse)
{
    const std::string folder = testTemp() + "/sweep-" + std::to_string(::getpid());
    std::string error;
    ASSERT_TRUE(ensurePrivateFolder(folder, &error)) << error;
    // A pid above the kernel's pid_max names no process.
    const std::uint32_t gone = 4194305;
    const std::uint32_t alive = std::uint32_t(::getppid());
    const std::uint32_t self = std::uint32_t(::getpid());
    for (const std::string& path :
         {endpointFilePath(folder, gone), windowListFilePath(folder, gone), replyFilePath(folder, gone, 3),
          endpointFilePath(folder, alive), windowListFilePath(folder, alive), windowListFilePath(folder, self),
          folder + "/shm-" + std::to_string(gone) + ".lock", folder + "/other"})
        std::ofstream(path) << "x";

    sweepStaleFiles(folder, 999999999);
    EXPECT_FALSE(exists(endpointFilePath(folder, gone)));
    EXPECT_FALSE(exists(windowListFilePath(folder, gone)));
    EXPECT_FALSE(exists(replyFilePath(folder, gone, 3)));
    EXPECT_TRUE(exists(endpointFilePath(folder, alive)));
    EXPECT_TRUE(exists(windowListFilePath(folder, alive)));
    EXPECT_TRUE(exists(windowListFilePath(folder, self)));
    EXPECT_TRUE(exists(folder + "/shm-" + std::to_string(gone) + ".lock"));
    EXPECT_TRUE(exists(folder + "/other"));

    // A new process with a reused pid clears what the old one left.
    sweepStaleFiles(folder, self);
    EXPECT_FALSE(exists(windowListFilePath(folder, self)));
    EXPECT_TRUE(exists(windowListFilePath(folder, alive)));

    removeFilesOf(folder, alive);
    EXPECT_FALSE(exists(endpointFilePath(folder, alive)));
    EXPECT_FALSE(exists(windowListFilePath(folder, alive)));
    EXPECT_TRUE(exists(folder + "/other"));
}
