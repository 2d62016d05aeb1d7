// The real programs together: corvant on the simulated phone starts brevik from its launcher
// button; the editor reads the SIM directory, takes two of three cards of the address book
// folder into it, writes it to the phone, and writes the third, left unwritten, when corvant quits.
//
// This test process is another program of the suite: it posts and sends messages to the two
// programs' windows (found by their titles), as one program of the suite does to another, and
// reads every box they showed from the message service's log.
#include "engine/zeldll.h"
#include "phonebook/ui/CMainFrame.h"
#include "platform/messaging/Messaging.h"
#include "platform/registry/Registry.h"
#include "platform/serial/SerialPortName.h"
#include "support/MessagesUntil.h"
#include "support/PeerProcess.h"
#include "support/SearchPath.h"
#include "support/ShownBoxes.h"
#include "tools/phonesim/PhoneSim.h"
#include "tools/phonesim/PhonebookCommands.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <memory>

using namespace std::chrono_literals;
using torvane::phonesim::PhonebookCommands;
using torvane::phonesim::PhoneSim;
using Clock = std::chrono::steady_clock;

using torvane::test::waitFor;

namespace {

constexpr UINT ID_RUN_PHONEBOOK = 32771; // corvant's launcher button "Mobile Phone Directory"
constexpr char kEditorTitle[] = "Telefonbuch";

class BrevikProgram : public ::testing::Test {
protected:
    void SetUp() override
    {
        const char* tmp = std::getenv("TORVANE_TEST_TMP");
        ASSERT_NE(tmp, nullptr) << "run through tests/isolate.sh";
        logPath_ = std::string(tmp) + "/boxes.log";
        std::string error;
        ASSERT_TRUE(sim_.start(torvane::serial::portLinkFolder() + "/COM1", &error)) << error;
    }

    void TearDown() override
    {
        if (corvant_ && corvant_->started() && !corvant_->waitExit(0ms)) {
            if (const HWND frame = FindWindowByTitlePrefix("Quorvane 3.0", 39))
                PostMessage(frame, WM_CLOSE, 0, 0);
            corvant_->waitExit(30s);
        }
        // An editor left behind by a failed test goes with the test's folders.
        if (const HWND editor = FindWindowByTitlePrefix(kEditorTitle, 39))
            PostMessage(editor, WM_CLOSE, 0, 0);
        sim_.stop();
    }

    // A card of the address book folder that the editor opens by default.
    static void card(const std::string& uid, const std::string& name, const std::string& tel, int index)
    {
        const std::filesystem::path folder = std::filesystem::path(std::getenv("XDG_DATA_HOME")) / "torvane" / "addressbook";
        std::filesystem::create_directories(folder);
        std::ofstream(folder / (uid + ".vcf"), std::ios::binary)
            << "BEGIN:VCARD\r\nVERSION:4.0\r\nUID:urn:uuid:" << uid << "\r\nFN:" << name << "\r\nTEL:" << tel
            << "\r\nNOTE:Standard-Status - Index: " << index << " \r\nEND:VCARD\r\n";
    }

    std::vector<torvane::ui::ShownBox> shownBoxes() const { return torvane::test::shownBoxes(logPath_); }

    std::map<int, PhonebookCommands::Entry> simDirectory()
    {
        return sim_.withModule<PhonebookCommands>([](PhonebookCommands& p) { return p.storages["SM"].entries; });
    }

    // Clicks a row of one of the editor's lists once it is no longer busy; the rows selected.
    static LRESULT clickWhenIdle(HWND editor, int list, int row, bool withControl = false)
    {
        LRESULT selected = -1;
        waitFor(
            [&] {
                selected = SendMessage(editor, brevik::WM_CLICK_LIST_ROW,
                                       WPARAM(list) | (withControl ? brevik::MK_CONTROL : 0), row);
                return selected >= 0;
            },
            60s);
        return selected;
    }

    PhoneSim sim_;
    std::string logPath_;
    std::unique_ptr<torvane::test::PeerProcess> corvant_;
};

TEST_F(BrevikProgram, StartedByCorvantCopiesTwoCardsToTheSimAndClosesWithIt)
{
    sim_.withModule<PhonebookCommands>([](PhonebookCommands& p) {
        p.storages["SM"].entries[1] = {"0891111", 129, "Anna"};
        p.storages["SM"].entries[2] = {"+49892222", 145, "B\x7Ero!"}; // 'Büro', a VIP entry
    });
    // The names hold characters whose codes on the phone lie below 0x20.
    card("a", "Jörg_Müller", "+49 170 1111", 5);
    card("b", "Zoe Zett", "0173 2222", 6);
    card("c", "Éva Ørsted", "0171/3333", 7);
    // The settings page of corvant: the SIM directory read at start.
    const char* section = "Software\\Torvane\\Quorvane PRO\\CfgPropPage2";
    torvane::registry::writeDword(HKEY_CURRENT_USER, section, "Autoload", 1);
    torvane::registry::writeDword(HKEY_CURRENT_USER, section, "Phonebooks", 1);

    // Corvant finds the editor by its bare name on PATH, as scripts/run sets it.
    torvane::test::findOnPath(BREVIK_PROGRAM);
    setenv("TORVANE_UI_SCRIPT", (logPath_ + ".script").c_str(), 1);
    setenv("TORVANE_UI_LOG", logPath_.c_str(), 1);
    std::ofstream(logPath_ + ".script") << "MessageBox\tYes\n";
    setenv("CORVANT_TIMER_PERIODS", "500,2000", 1);
    corvant_ = std::make_unique<torvane::test::PeerProcess>(CORVANT_PROGRAM);
    ASSERT_TRUE(corvant_->started());
    HWND frame = 0;
    ASSERT_TRUE(waitFor([&] { return (frame = FindWindowByTitlePrefix("Quorvane 3.0", 39)) != 0; }, 30s));

    ASSERT_TRUE(PostMessage(frame, WM_COMMAND, ID_RUN_PHONEBOOK, 0));
    HWND editor = 0;
    ASSERT_TRUE(waitFor([&] { return (editor = FindWindowByTitlePrefix(kEditorTitle, 39)) != 0; }, 60s))
        << "corvant started no editor";

    // The address book list: Jörg, Zoe, Éva. Jörg and Éva go to the SIM directory once it is read.
    ASSERT_EQ(clickWhenIdle(editor, brevik::IDC_PAB_LIST, 0), 1) << sim_.transcript().received();
    ASSERT_EQ(SendMessage(editor, brevik::WM_CLICK_LIST_ROW, brevik::IDC_PAB_LIST | brevik::MK_CONTROL, 2), 2);
    ASSERT_EQ(SendMessage(editor, WM_COMMAND, brevik::IDC_COPY_TO_PHONE, 0), 1);
    ASSERT_EQ(SendMessage(editor, WM_COMMAND, brevik::IDC_SAVE_TO_PHONE, 0), 1);

    std::map<int, PhonebookCommands::Entry> expected = {
        {1, {"0891111", 129, "Anna"}},
        {2, {"+49892222", 145, "B\x7Ero!"}},
        {5, {"+491701111", 145, "J\x7Crg\x11M\x7Eller"}},
        {7, {"01713333", 129, "\x1Fva \x0Brsted"}},
    };
    EXPECT_TRUE(waitFor([&] { return simDirectory() == expected; }, 60s)) << sim_.transcript().received();
    // The write has ended when the editor takes clicks again.
    EXPECT_EQ(clickWhenIdle(editor, brevik::IDC_PHONE_LIST, 0), 1);

    // Zoe copied and not written: Corvant keeps the port until the editor's "Ja" has written her.
    ASSERT_EQ(SendMessage(editor, brevik::WM_CLICK_LIST_ROW, brevik::IDC_PAB_LIST, 1), 1);
    ASSERT_EQ(SendMessage(editor, WM_COMMAND, brevik::IDC_COPY_TO_PHONE, 0), 1);
    expected[6] = {"01732222", 129, "Zoe Zett"};
    ASSERT_TRUE(PostMessage(frame, WM_CLOSE, 0, 0));
    const auto closed = Clock::now();
    EXPECT_EQ(corvant_->waitExit(30s), 0);
    EXPECT_TRUE(waitFor([] { return FindWindowByTitlePrefix(kEditorTitle, 39) == 0; }, 30s))
        << "the editor is still open";
    EXPECT_LT(Clock::now() - closed, 15s);
    ASSERT_EQ(shownBoxes().size(), 1u) << "the question, answered as scripted";
    EXPECT_TRUE(shownBoxes()[0].text.startsWith(QStringLiteral("Es wurden Änderungen im Telefonbuch vorgenommen.")));
    EXPECT_EQ(simDirectory(), expected);
}

// Started while no program drives the engine, the editor gives its first read up and takes clicks.
TEST_F(BrevikProgram, AloneTheEditorGivesUpTheReadNobodyCarriesOut)
{
    torvane::test::PeerProcess brevik(BREVIK_PROGRAM);
    ASSERT_TRUE(brevik.started());
    HWND editor = 0;
    ASSERT_TRUE(waitFor([&] { return (editor = FindWindowByTitlePrefix(kEditorTitle, 39)) != 0; }, 30s));
    const auto idle = [&] { return SendMessage(editor, brevik::WM_CLICK_LIST_ROW, brevik::IDC_PAB_LIST, 0) >= 0; };
    EXPECT_TRUE(waitFor(idle, 10s)) << "still busy";
    // A corvant started now does not read behind the editor's back: the barring query (whose
    // answer nobody waits for) starts only after every phonebook job waiting.
    setenv("CORVANT_TIMER_PERIODS", "500,2000", 1);
    corvant_ = std::make_unique<torvane::test::PeerProcess>(CORVANT_PROGRAM);
    const auto received = [&](const char* command) {
        return sim_.transcript().received().find(command) != std::string::npos;
    };
    ASSERT_TRUE(waitFor([&] { return received("ATE1Q0V1"); }, 30s)) << "corvant drives no engine";
    ATLockGet(0, 0, "AO");
    ASSERT_TRUE(waitFor([&] { return received("AT^SLCK"); }, 30s));
    EXPECT_FALSE(received("AT^SPBS")) << sim_.transcript().received();
    ASSERT_TRUE(PostMessage(editor, WM_CLOSE, 0, 0));
    EXPECT_EQ(brevik.waitExit(30s), 0);
}

} // namespace
