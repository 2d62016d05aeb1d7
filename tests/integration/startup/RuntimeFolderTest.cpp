// Corvant, Brevik and Melvio as real programs, each beside a first copy of its own: a second copy
// ends quietly with success; a copy whose runtime folder cannot be used says what is wrong with
// the folder and what to do, in a box (read from the message service's log) and on standard
// error, and ends failing.
#include "platform/sharedmem/NamedMutex.h"
#include "support/BadRuntimeFolder.h"
#include "support/MessagesUntil.h"
#include "support/PeerProcess.h"
#include "support/ShownBoxes.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace {

using namespace std::chrono_literals;

class RuntimeFolder : public ::testing::TestWithParam<std::string> {
protected:
    // Runs the program in that runtime folder, with its boxes logged to <name>.log and its
    // standard error kept in <name>.err.
    std::unique_ptr<torvane::test::PeerProcess> start(const std::string& name, const std::string& runtimeDir)
    {
        const std::string runtime = std::getenv("XDG_RUNTIME_DIR");
        setenv("TORVANE_UI_SCRIPT", "/dev/null", 1);
        setenv("TORVANE_UI_LOG", (tmp_ + name + ".log").c_str(), 1);
        setenv("XDG_RUNTIME_DIR", runtimeDir.c_str(), 1);
        auto program = std::make_unique<torvane::test::PeerProcess>(GetParam(), std::vector<std::string>{}, tmp_ + name + ".err");
        setenv("XDG_RUNTIME_DIR", runtime.c_str(), 1);
        return program;
    }
    std::string errors(const std::string& name) const
    {
        std::ifstream file(tmp_ + name + ".err");
        return {std::istreambuf_iterator<char>(file), {}};
    }

    const std::string program_ = std::filesystem::path(GetParam()).filename(); // the name of its mutex
    const std::string tmp_ = std::string(std::getenv("TORVANE_TEST_TMP")) + "/" + program_ + "-";
};

TEST_P(RuntimeFolder, ASecondCopyEndsQuietlyAndOneWithoutItsFolderSaysWhyAndFails)
{
    const auto first = start("first", std::getenv("XDG_RUNTIME_DIR"));
    ASSERT_TRUE(torvane::test::waitFor([&] { return torvane::NamedMutex::open(program_) != nullptr; }, 60s));
    EXPECT_EQ(start("second", std::getenv("XDG_RUNTIME_DIR"))->waitExit(60s), 0);
    EXPECT_TRUE(torvane::test::shownBoxes(tmp_ + "second.log").empty());
    EXPECT_EQ(errors("second"), "");

    for (const torvane::test::BadFolder& bad : torvane::test::kBadFolders) {
        SCOPED_TRACE(bad.name);
        const std::string folder = tmp_ + bad.name + "/torvane";
        ASSERT_TRUE(std::filesystem::create_directory(tmp_ + bad.name));
        if (!bad.make(folder))
            continue; // this user cannot give a folder away
        EXPECT_EQ(start(bad.name, tmp_ + bad.name)->waitExit(60s), EXIT_FAILURE);
        const auto boxes = torvane::test::shownBoxes(tmp_ + bad.name + ".log");
        ASSERT_EQ(boxes.size(), 1u);
        const std::string text = boxes[0].text.toStdString();
        EXPECT_NE(text.find(folder + " " + bad.reason + bad.remedy), std::string::npos) << text;
        EXPECT_NE(errors(bad.name).find(text), std::string::npos);
    }
}

INSTANTIATE_TEST_SUITE_P(Programs, RuntimeFolder, ::testing::Values(CORVANT_PROGRAM, BREVIK_PROGRAM, MELVIO_PROGRAM),
                         [](const auto& info) { return std::filesystem::path(info.param).filename().string(); });

} // namespace
