// The whole road in a process of its own: the host program loads the library, installs it in
// both viewers, presses its command, and unloads it before it ends.
#include "tests/outlookbutton/PlinketTestSupport.h"

#include "tests/outlookbutton/ProgramRecord.h"
#include "tests/support/SearchPath.h"

#include <gmock/gmock.h>

#include <cstdio>
#include <utility>

using namespace torvane::testing;

namespace {

// After a press the host stays until its input ends; an empty input ends it at once.
std::string runHost(const std::string& arguments)
{
    const std::string command =
        std::string("\"") + EXCHEXT_HOST + "\" \"" + PLINKET_LIBRARY + "\" " + arguments + " </dev/null";
    std::string output;
    FILE* pipe = ::popen(command.c_str(), "r");
    if (!pipe)
        return output;
    char buffer[512];
    while (std::size_t n = std::fread(buffer, 1, sizeof buffer, pipe))
        output.append(buffer, n);
    ::pclose(pipe);
    return output;
}

TEST(PlinketHostProgram, InstallsPressesAndUnloads)
{
    removeMachineSettings();
    // Named as a user names the organizer: the value holds at most 79 characters.
    torvane::test::findOnPath(PLINKET_RECORDER);
    setCommandValue("exe;plinket_recorder D");
    RecordedPrograms programs(testFolder() + "/host.rec");

    const std::string output = runHost("--press");
    EXPECT_NE(output.find("context 2\n  Install: S_OK\n  InstallCommands: S_OK"), std::string::npos) << output;
    EXPECT_NE(output.find("menu Tools: Torvane Appointments (1000)"), std::string::npos) << output;
    EXPECT_NE(output.find("button 20 on toolbar 1: S_OK \"Torvane Appointments Button\" command 1000 image 20"),
              std::string::npos)
        << output;
    EXPECT_NE(output.find("context 4\n  Install: S_OK"), std::string::npos) << output;
    EXPECT_NE(output.find("unloaded"), std::string::npos) << output;

    // A press in each viewer starts the configured program in a session of its own; the unload
    // starts it once more with "kill", without one. The programs run detached and independently,
    // so the order of their records is theirs to pick.
    ASSERT_TRUE(programs.waitForAll());
    using Start = std::pair<bool, std::vector<std::string>>; // own session, arguments
    std::vector<Start> starts;
    for (const ProgramRecord& record : programs.records())
        starts.emplace_back(record.ownSession, record.arguments);
    EXPECT_THAT(starts, ::testing::UnorderedElementsAre(Start{true, {"D"}}, Start{true, {"D"}},
                                                        Start{false, {"D", "kill"}}));
}

} // namespace
