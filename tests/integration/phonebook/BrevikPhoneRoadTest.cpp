// The phonebook editor's model against the simulated phone: this process is the editor, with a
// registered window that receives the engine's answers; corvant runs beside it and pumps the
// engine over the simulated phone's port. The SIM directory is read, one entry changed, one
// added and one removed, the directory written back, and the phone holds exactly the result.
#include "tests/phonebook/model/BrevikFakes.h"

#include "phonebook/engine/ZeldllPhoneEngine.h"
#include "phonebook/model/BrevikStrings.h"
#include "platform/messaging/Messaging.h"
#include "platform/serial/SerialPortName.h"
#include "support/MessagesUntil.h"
#include "support/PeerProcess.h"
#include "support/ShownBoxes.h"
#include "tools/phonesim/PhoneSim.h"
#include "tools/phonesim/PhonebookCommands.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <map>
#include <memory>

using namespace std::chrono_literals;
using namespace brevik;
using brevik::test::entry;
using torvane::phonesim::Fault;
using torvane::phonesim::FaultKind;
using torvane::phonesim::PhonebookCommands;
using torvane::phonesim::PhoneSim;
using Clock = std::chrono::steady_clock;

using torvane::test::waitFor;

namespace {

// The form's window: what the engine posts to it goes to the model.
class FormWindow : public messaging::MessageHandler {
public:
    DlgViewModel* model = nullptr;
    LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (model)
            model->OnEngineMessage(message, wParam, lParam);
        return 0;
    }
};

class BrevikPhoneRoad : public ::testing::Test {
protected:
    void SetUp() override
    {
        const char* tmp = std::getenv("TORVANE_TEST_TMP");
        ASSERT_NE(tmp, nullptr) << "run through tests/isolate.sh";
        logPath_ = std::string(tmp) + "/corvant.log";
        std::remove(logPath_.c_str());
        std::string error;
        ASSERT_TRUE(sim_.start(torvane::serial::portLinkFolder() + "/COM1", &error)) << error;
        window_ = messaging::registerWindow(&form_);
        ASSERT_NE(window_, 0u);
    }

    void TearDown() override
    {
        stopCorvant();
        form_.model = nullptr;
        model_.reset();
        messaging::unregisterWindow(window_);
        sim_.stop();
    }

    void stopCorvant()
    {
        if (corvant_ && corvant_->started()) {
            const HWND frame = FindWindowByTitlePrefix("Quorvane 3.0", 39);
            if (frame != 0)
                PostMessage(frame, WM_CLOSE, 0, 0);
            EXPECT_EQ(corvant_->waitExit(30s), 0) << "corvant ends when its window is closed";
        }
        corvant_.reset();
    }

    void startCorvant()
    {
        setenv("TORVANE_UI_SCRIPT", (logPath_ + ".script").c_str(), 1);
        setenv("TORVANE_UI_LOG", logPath_.c_str(), 1);
        setenv("CORVANT_TIMER_PERIODS", "500,2000", 1);
        corvant_ = std::make_unique<torvane::test::PeerProcess>(CORVANT_PROGRAM);
        ASSERT_TRUE(corvant_->started());
        // The engine's mutex exists once corvant has initialised the engine.
        int slot = -1;
        ASSERT_TRUE(waitFor([&] { return (slot = ATStatusReg(window_, WM_PHONE_STATE)) >= 0; }, 20s))
            << "corvant did not come up";
        ATStatusDeReg(slot);
    }

    // What corvant showed: error reports of this process end up there.
    std::vector<torvane::ui::ShownBox> shownBoxes() const { return torvane::test::shownBoxes(logPath_); }

    std::map<int, PhonebookCommands::Entry> simDirectory()
    {
        return sim_.withModule<PhonebookCommands>([](PhonebookCommands& p) { return p.storages["SM"].entries; });
    }

    // The editor's model on the real engine, started with the SIM directory read (autoload with
    // only that directory chosen); false when the read did not end well.
    DlgViewModel& startEditor()
    {
        model_ = std::make_unique<DlgViewModel>(engine_, view_, dialogs_, mapi_);
        model_->setWindow(window_);
        form_.model = model_.get();
        EXPECT_TRUE(model_->Start(StartSettings{true, AutoloadMask(1, 1)}));
        EXPECT_TRUE(waitFor([&] { return !model_->hasFlag(FLAG_BUSY); }, 30s)) << sim_.transcript().received();
        EXPECT_EQ(view_.lastStatus(), IDS_DONE) << sim_.transcript().received();
        return *model_;
    }

    PhoneSim sim_;
    ZeldllPhoneEngine engine_;
    test::FakeView view_;
    test::FakeDialogs dialogs_;
    torvane::mapi::Mapi mapi_;
    std::unique_ptr<DlgViewModel> model_;
    FormWindow form_;
    HWND window_ = 0;
    std::string logPath_;
    std::unique_ptr<torvane::test::PeerProcess> corvant_;
};

TEST_F(BrevikPhoneRoad, ReadChangeAddRemoveAndWriteTheSimDirectory)
{
    sim_.withModule<PhonebookCommands>([](PhonebookCommands& p) {
        auto& sm = p.storages["SM"].entries;
        sm[1] = {"0891111", 129, "Anna"};
        sm[2] = {"0892222", 129, "\x5C" "l"}; // 'Öl' in the phone's codes
        sm[3] = {"+49893333", 145, "Carl!"};
    });
    startCorvant();
    DlgViewModel& model = startEditor();
    test::FakeView& view = view_;
    ASSERT_EQ(model.directories().current, 0);
    const PhoneDirectory& sim = model.shownDirectory();
    ASSERT_EQ(sim.count, 3);
    EXPECT_EQ(sim.maxIndex, 250);
    EXPECT_EQ(sim.nameLength, 14);
    EXPECT_EQ(sim.numberLength, 20);
    EXPECT_EQ(sim.entries[1].name, "\xD6l");
    EXPECT_EQ(sim.entries[2].name, "Carl");
    EXPECT_EQ(sim.entries[2].status, "!");
    EXPECT_EQ(sim.entries[2].number, "+49893333");

    PhoneBookEntry anna = sim.entries[0];
    anna.name = "Anna B";
    anna.number = "(089) 44-44";
    ASSERT_TRUE(model.ChangeDirectoryEntry(0, anna));
    ASSERT_EQ(model.AddToDirectory(3, entry(0, "D\xF6rte X", "+49 170 5555")), 1);
    ASSERT_EQ(model.DeleteDirectoryEntry(1), 1);

    // Given up while nobody drives the engine, the write is not carried out by a corvant that
    // comes later: the barring query asked then starts only after every phonebook job waiting.
    stopCorvant();
    ASSERT_TRUE(model.WritePhonebook());
    model.CheckEngineHost();
    EXPECT_EQ(view.lastStatus(), IDS_ABORTED);
    startCorvant();
    ATLockGet(window_, WM_USER + 300, "AO");
    ASSERT_TRUE(waitFor([&] { return sim_.transcript().received().find("AT^SLCK") != std::string::npos; }, 30s));
    EXPECT_EQ(sim_.transcript().received().find("AT+CPBW"), std::string::npos) << sim_.transcript().received();

    ASSERT_TRUE(model.WritePhonebook());
    ASSERT_TRUE(waitFor([&] { return !model.hasFlag(FLAG_BUSY); }, 30s)) << sim_.transcript().received();
    EXPECT_EQ(view.lastStatus(), IDS_DONE) << sim_.transcript().received();
    EXPECT_FALSE(model.hasFlag(FLAG_PHONE_CHANGED));

    const std::map<int, PhonebookCommands::Entry> expected = {
        {1, {"0894444", 129, "Anna B"}},
        {3, {"+49893333", 145, "Carl!"}},
        {4, {"+491705555", 145, "D\x7Crte X"}},
    };
    EXPECT_EQ(simDirectory(), expected) << sim_.transcript().received();
    EXPECT_TRUE(shownBoxes().empty()) << "no error was reported";
}

// The phone refusing a write once, and staying silent on a directory's selection: each is
// reported through corvant's error dialog, nothing is lost, and the editor goes on.
TEST_F(BrevikPhoneRoad, RefusedWriteAndSilentReadAreReportedAndNothingIsLost)
{
    sim_.withModule<PhonebookCommands>([](PhonebookCommands& p) { p.storages["SM"].entries[1] = {"0891111", 129, "Anna"}; });
    startCorvant();
    DlgViewModel& model = startEditor();
    test::FakeView& view = view_;
    ASSERT_EQ(model.AddToDirectory(1, entry(0, "Bert", "0892222")), 1);

    Fault refuse;
    refuse.kind = FaultKind::Error;
    refuse.command = "+CPBW";
    refuse.times = 1;
    sim_.addFault(refuse);
    ASSERT_TRUE(model.WritePhonebook());
    ASSERT_TRUE(waitFor([&] { return !model.hasFlag(FLAG_BUSY); }, 30s));
    EXPECT_EQ(view.lastStatus(), IDS_ABORTED);
    EXPECT_TRUE(model.hasFlag(FLAG_PHONE_CHANGED)) << "the entry waits for the next write";
    EXPECT_EQ(simDirectory().size(), 1u);
    ASSERT_TRUE(waitFor([&] { return shownBoxes().size() == 1; }, 30s)) << "corvant shows the report";
    EXPECT_EQ(shownBoxes()[0].kind, QStringLiteral("CErrorDlg"));

    ASSERT_TRUE(model.WritePhonebook());
    ASSERT_TRUE(waitFor([&] { return !model.hasFlag(FLAG_BUSY); }, 30s));
    EXPECT_EQ(view.lastStatus(), IDS_DONE);
    EXPECT_EQ(simDirectory().at(2), (PhonebookCommands::Entry{"0892222", 129, "Bert"}));

    Fault silent;
    silent.kind = FaultKind::Silent;
    silent.command = "^SPBS";
    silent.times = 1;
    sim_.addFault(silent);
    model.SelectDirectory(1);
    ASSERT_TRUE(waitFor([&] { return !model.hasFlag(FLAG_BUSY); }, 30s));
    EXPECT_EQ(view.lastStatus(), IDS_ABORTED);
    EXPECT_EQ(model.directories().current, 0) << "back to the SIM directory";
    EXPECT_EQ(view.directorySelection, 0);
    EXPECT_EQ(model.shownDirectory().count, 2);
    EXPECT_TRUE(waitFor([&] { return shownBoxes().size() == 2; }, 30s)) << "the read's report";
}

} // namespace
