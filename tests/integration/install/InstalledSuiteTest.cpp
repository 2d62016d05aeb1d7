// The suite installed by `cmake --install` into a prefix of its own and run as a user runs it:
// with no build folder on PATH and no LD_LIBRARY_PATH. Corvant's buttons start the installed
// phonebook editor, melody editor and organizer by their bare names, each found beside Corvant;
// its exit ends them again. Every process runs the installed file and maps nothing of the build
// or source tree, and the installed mail-client extension finds its libraries in the prefix.
#include "mainprog/core/LauncherLayout.h"
#include "platform/messaging/Hwnd.h"
#include "platform/messaging/Messaging.h"
#include "platform/registry/Registry.h"
#include "platform/serial/SerialPortName.h"
#include "support/MessagesUntil.h"
#include "support/PeerProcess.h"
#include "tools/phonesim/PhoneSim.h"

#include <gtest/gtest.h>

#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <regex>
#include <string>
#include <vector>

namespace fs = std::filesystem;
using namespace std::chrono_literals;
using torvane::test::waitFor;

namespace {

// Runs a program to its end; its output lines, or nullopt when it failed or did not end in time.
std::optional<std::vector<std::string>> run(const std::string& program, const std::vector<std::string>& args)
{
    torvane::test::PeerProcess process(program, args);
    std::vector<std::string> lines;
    while (auto line = process.readLine(120s))
        lines.push_back(*line);
    if (process.waitExit(120s) != 0)
        return std::nullopt;
    return lines;
}

std::string readAll(const fs::path& file)
{
    std::ifstream in(file);
    return {std::istreambuf_iterator<char>(in), {}};
}

// The programs Corvant starts outlive it when a check fails; they go with the test.
struct EndAtExit {
    std::vector<pid_t> pids;
    ~EndAtExit()
    {
        for (const pid_t pid : pids)
            ::kill(pid, SIGKILL);
    }
};

class InstalledSuite : public ::testing::Test {
protected:
    void SetUp() override
    {
        const char* tmp = std::getenv("TORVANE_TEST_TMP");
        ASSERT_NE(tmp, nullptr) << "run through tests/isolate.sh";
        tmp_ = tmp;
        prefix_ = tmp_ / "installed suite";
    }

    // The window's process runs the installed program and nothing of the build or source tree.
    void expectInstalled(HWND window, const char* program)
    {
        const fs::path proc = "/proc/" + std::to_string(messaging::hwndPid(window));
        EXPECT_EQ(fs::read_symlink(proc / "exe"), prefix_ / INSTALL_BINDIR / program);
        const std::string maps = readAll(proc / "maps");
        EXPECT_NE(maps.find((prefix_ / INSTALL_LIBDIR).string()), std::string::npos) << program;
        for (const char* tree : {BUILD_FOLDER, SOURCE_FOLDER})
            EXPECT_EQ(maps.find(tree), std::string::npos) << program << " maps a file of " << tree << ":\n" << maps;
    }

    fs::path tmp_;
    fs::path prefix_;
};

TEST_F(InstalledSuite, CorvantStartsTheInstalledProgramsBesideItAndItsExitEndsThem)
{
    ::unsetenv("DESTDIR");
    const auto installed = run(CMAKE_PROGRAM, {"--install", BUILD_FOLDER, "--prefix", prefix_.string()});
    ASSERT_TRUE(installed) << "cmake --install failed";
    ASSERT_TRUE(fs::exists(prefix_ / INSTALL_BINDIR / "corvant")) << "cmake --install left no corvant";

    // The programs in bin, the extension and the shared libraries of ours they load in lib: no
    // test, tool, static library or anything else.
    const std::regex deliverable(std::string("^(") + INSTALL_BINDIR + "/(corvant|brevik|melvio|tessaro)|" +
                                 INSTALL_LIBDIR + "/lib(plinket|zeldll|torvane_[a-z_]+)\\.so)$");
    for (const auto& entry : fs::recursive_directory_iterator(prefix_)) {
        const std::string file = entry.path().lexically_relative(prefix_).string();
        EXPECT_TRUE(entry.is_directory() || std::regex_match(file, deliverable)) << file;
    }

    // As a user starts it: nothing of the build on PATH, no library path of its own.
    ::setenv("PATH", "/usr/bin:/bin", 1);
    ::unsetenv("LD_LIBRARY_PATH");
    const std::string boxes = (tmp_ / "boxes.log").string();
    // The melody editor's new melody counts as changed: "No" to saving it as Corvant closes it.
    std::ofstream(tmp_ / "boxes.script") << "MessageBox\tNo\n";
    ::setenv("TORVANE_UI_SCRIPT", (tmp_ / "boxes.script").c_str(), 1);
    ::setenv("TORVANE_UI_LOG", boxes.c_str(), 1);
    // The organizer named as the README tells a user to name it.
    const char* suite = "Software\\Torvane\\Quorvane PRO\\Settings";
    ASSERT_EQ(torvane::registry::writeString(HKEY_CURRENT_USER, suite, "TerminPrg", "tessaro CALLER=Qbr"), ERROR_SUCCESS);
    ASSERT_EQ(torvane::registry::writeString(HKEY_CURRENT_USER, suite, "TerminPrgTrm", "tessaro KILL"), ERROR_SUCCESS);
    torvane::phonesim::PhoneSim phone;
    std::string error;
    ASSERT_TRUE(phone.start(torvane::serial::portLinkFolder() + "/COM1", &error)) << error;

    torvane::test::PeerProcess corvant((prefix_ / INSTALL_BINDIR / "corvant").string());
    ASSERT_TRUE(corvant.started());
    EndAtExit started;
    HWND frame = 0;
    // A program that cannot load its libraries ends at once.
    waitFor([&] { return (frame = FindWindowByTitlePrefix("Quorvane 3.0", 39)) != 0 || corvant.waitExit(0ms); }, 60s);
    ASSERT_NE(frame, 0u) << "the installed corvant did not come up: " << readAll(boxes);
    expectInstalled(frame, "corvant");

    struct Button {
        UINT command;
        const char* title;
        const char* program;
    };
    const Button buttons[] = {
        {corvant::ID_PHONEBOOK, "Telefonbuch", "brevik"},
        {corvant::ID_RINGTONE, "Ring Tone Editor", "melvio"},
        {corvant::ID_APPOINTMENTS, "Torvane Appointments", "tessaro"},
    };
    for (const Button& button : buttons) {
        SCOPED_TRACE(button.program);
        ASSERT_TRUE(PostMessage(frame, WM_COMMAND, button.command, 0));
        HWND window = 0;
        ASSERT_TRUE(waitFor([&] { return (window = FindWindowByTitlePrefix(button.title, 39)) != 0; }, 60s))
            << "no window of " << button.program << "; boxes: " << readAll(boxes);
        started.pids.push_back(pid_t(messaging::hwndPid(window)));
        expectInstalled(window, button.program);
    }

    ASSERT_TRUE(PostMessage(frame, WM_CLOSE, 0, 0));
    EXPECT_EQ(corvant.waitExit(60s), 0) << readAll(boxes);
    for (const Button& button : buttons)
        EXPECT_TRUE(waitFor([&] { return FindWindowByTitlePrefix(button.title, 39) == 0; }, 60s))
            << button.program << " outlived corvant";
    phone.stop();

    // The extension's host lies anywhere; the loader finds the libraries it needs beside it.
    const std::string extension = (prefix_ / INSTALL_LIBDIR / "libplinket.so").string();
    const auto loaded = run("/usr/bin/ldd", {extension});
    ASSERT_TRUE(loaded) << "ldd " << extension << " failed";
    int ours = 0;
    for (const std::string& line : *loaded) {
        EXPECT_EQ(line.find("not found"), std::string::npos) << line;
        if (line.find("libtorvane_") != std::string::npos || line.find("libzeldll") != std::string::npos) {
            ++ours;
            EXPECT_NE(line.find("=> " + (prefix_ / INSTALL_LIBDIR).string() + "/"), std::string::npos) << line;
        }
    }
    EXPECT_GT(ours, 0) << "the extension loads no library of ours";
}

} // namespace
