// The whole road in a process of its own: the host program loads the library, installs it in
// both viewers, presses its command, and unloads it before it ends.
#include "tests/outlookbutton/PlinketTestSupport.h"

#include "tests/outlookbutton/ProgramRecord.h"

#include <cstdio>

using namespace torvane::testing;

namespace {

std::string runHost(const std::string& arguments)
{
    const std::string command = std::string("\"") + EXCHEXT_HOST + "\" \"" + PLINKET_LIBRARY + "\" " + arguments;
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
    setCommandValue("exe;" + std::string(PLINKET_RECORDER) + " D");
    RecordedPrograms programs(testFolder() + "/host.rec");

    const std::string output = runHost("--press");
    EXPECT_NE(output.find("context 2\n  Install: S_OK\n  InstallCommands: S_OK"), std::string::npos) << output;
    EXPECT_NE(output.find("menu Tools: Torvane Appointments (1000)"), std::string::npos) << output;
    EXPECT_NE(output.find("button 20 on toolbar 1: S_OK \"Torvane Appointments Button\" command 1000 image 20"),
              std::string::npos)
        << output;
    EXPECT_NE(output.find("context 4\n  Install: S_OK"), std::string::npos) << output;
    EXPECT_NE(output.find("unloaded"), std::string::npos) << output;

    ASSERT_TRUE(programs.waitForAll());
    const auto records = programs.records();
    ASSERT_EQ(records.size(), 3u); // a press in each viewer, then the unload
    EXPECT_EQ(records[0].arguments, std::vector<std::string>{"D"});
    EXPECT_EQ(records[1].arguments, std::vector<std::string>{"D"});
    EXPECT_EQ(records[2].arguments, (std::vector<std::string>{"D", "kill"}));
}

} // namespace
