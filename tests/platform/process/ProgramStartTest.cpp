#include "platform/process/ProgramStart.h"

#include "outlookbutton/ProgramRecord.h"

#include <gtest/gtest.h>

#include <chrono>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

using namespace torvane::process;
using torvane::testing::RecordedPrograms;
using torvane::testing::testFolder;

namespace {

const std::string kRecorder = TORVANE_RECORDER;

std::string quoted(const std::string& path)
{
    return "\"" + path + "\"";
}

void writeFile(const std::string& path, const std::string& content, mode_t mode)
{
    std::ofstream(path) << content;
    ::chmod(path.c_str(), mode);
}

class ScopedPath {
public:
    explicit ScopedPath(const std::string& value)
    {
        if (const char* old = std::getenv("PATH"))
            m_old = old;
        ::setenv("PATH", value.c_str(), 1);
    }
    ~ScopedPath() { ::setenv("PATH", m_old.c_str(), 1); }

private:
    std::string m_old;
};

TEST(ProgramStart, RunsTheProgramWithItsArgumentsAndNoShell)
{
    RecordedPrograms programs(testFolder() + "/args.rec");
    EXPECT_FALSE(startCommandLine(quoted(kRecorder) + R"( "a b" $HOME;echo x|y "" kill)"));
    ASSERT_TRUE(programs.waitForAll());
    const auto records = programs.records();
    ASSERT_EQ(records.size(), 1u);
    EXPECT_EQ(records[0].arguments, (std::vector<std::string>{"a b", "$HOME;echo", "x|y", "", "kill"}));
}

TEST(ProgramStart, NewSessionOnlyWhenAsked)
{
    RecordedPrograms programs(testFolder() + "/session.rec");
    EXPECT_FALSE(startCommandLine(quoted(kRecorder) + " own", StartOptions{.newSession = true}));
    ASSERT_TRUE(programs.waitForAll());
    EXPECT_FALSE(startCommandLine(quoted(kRecorder) + " joined", StartOptions{.newSession = false}));
    ASSERT_TRUE(programs.waitForAll());
    const auto records = programs.records();
    ASSERT_EQ(records.size(), 2u);
    EXPECT_TRUE(records[0].ownSession);
    EXPECT_FALSE(records[1].ownSession);
}

TEST(ProgramStart, PassesNoOpenFilesBeyondTheStandardOnes)
{
    RecordedPrograms programs(testFolder() + "/files.rec");
    const int inheritable = ::open("/dev/null", O_RDONLY); // deliberately without O_CLOEXEC
    ASSERT_GE(inheritable, 0);
    EXPECT_FALSE(startProgram({kRecorder}));
    ::close(inheritable);
    ASSERT_TRUE(programs.waitForAll());
    const auto records = programs.records();
    ASSERT_EQ(records.size(), 1u);
    EXPECT_EQ(records[0].inheritedFiles, 0);
}

TEST(ProgramStart, LeavesNoChildBehind)
{
    const std::string file = testFolder() + "/nochild.rec";
    ::setenv("TORVANE_RECORD_FILE", file.c_str(), 1);
    EXPECT_FALSE(startProgram({kRecorder, "x"}));
    // Not the starter's child any more: nothing to collect, nothing to turn zombie.
    errno = 0;
    EXPECT_EQ(::waitpid(-1, nullptr, WNOHANG), -1);
    EXPECT_EQ(errno, ECHILD);
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (!std::filesystem::exists(file) && std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    EXPECT_TRUE(std::filesystem::exists(file));
    ::unsetenv("TORVANE_RECORD_FILE");
}

struct FailureCase {
    const char* name;
    std::string commandLine;
    int code;
};

class ProgramStartFailure : public ::testing::TestWithParam<FailureCase> {
};

TEST_P(ProgramStartFailure, ReportsTheSystemsReason)
{
    const std::string folder = testFolder();
    writeFile(folder + "/notexec", "data", 0644);
    writeFile(folder + "/garbage", "\x01\x02 not a program\n", 0755);
    std::filesystem::create_directories(folder + "/adir");

    std::string line = GetParam().commandLine;
    if (line.starts_with("@"))
        line = folder + line.substr(1);
    const auto error = startCommandLine(line);
    ASSERT_TRUE(error);
    EXPECT_EQ(error->code, GetParam().code);
    EXPECT_FALSE(error->message.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ProgramStartFailure,
    ::testing::Values(FailureCase{"Blank", "   ", EINVAL},
                      FailureCase{"MissingBareName", "torvane-no-such-program-here", ENOENT},
                      FailureCase{"MissingPath", "@/missing arg", ENOENT},
                      FailureCase{"NotExecutable", "@/notexec", EACCES},
                      FailureCase{"Folder", "@/adir", EACCES},
                      FailureCase{"NotAProgram", "@/garbage", ENOEXEC}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(FindProgram, LooksInTheOwnFolderBeforePath)
{
    const std::string own = ownProgramFolder();
    ASSERT_FALSE(own.empty());
    char self[4096] = {};
    ASSERT_GT(::readlink("/proc/self/exe", self, sizeof self - 1), 0);
    const std::string name = std::filesystem::path(self).filename();

    const std::string pathFolder = testFolder() + "/bin";
    std::filesystem::create_directories(pathFolder);
    writeFile(pathFolder + "/" + name, "#!/bin/sh\n", 0755);
    writeFile(pathFolder + "/tv-only-on-path", "#!/bin/sh\n", 0755);
    ScopedPath path("/nonexistent::" + pathFolder);

    EXPECT_EQ(findProgram(name), own + "/" + name);
    EXPECT_EQ(findProgram("tv-only-on-path"), pathFolder + "/tv-only-on-path");
    EXPECT_EQ(findProgram(pathFolder + "/tv-only-on-path"), pathFolder + "/tv-only-on-path");
    SystemError error;
    EXPECT_FALSE(findProgram("tv-nowhere", &error));
    EXPECT_EQ(error.code, ENOENT);
}

TEST(FindProgram, SkipsAnUnusableFileAndFindsALaterOne)
{
    const std::string first = testFolder() + "/first";
    const std::string second = testFolder() + "/second";
    std::filesystem::create_directories(first);
    std::filesystem::create_directories(second);
    writeFile(first + "/tv-tool", "#!/bin/sh\n", 0644);
    writeFile(second + "/tv-tool", "#!/bin/sh\n", 0755);
    ScopedPath path(first + ":" + second);
    EXPECT_EQ(findProgram("tv-tool"), second + "/tv-tool");

    std::filesystem::remove(second + "/tv-tool");
    SystemError error;
    EXPECT_FALSE(findProgram("tv-tool", &error));
    EXPECT_EQ(error.code, EACCES);
}

} // namespace
