// The real corvant program against the simulated phone on a pseudo-terminal linked as COM1.
//
// This test process watches as another program of the suite would: it registers a status
// window of its own with the engine (ATStatusReg) and so receives the phone state that corvant
// broadcasts. Corvant's dialogs are answered through its message service: the test writes the
// answers to a script file (TORVANE_UI_SCRIPT) and reads every box corvant showed from a log
// file (TORVANE_UI_LOG).
#include "engine/zeldll.h"
#include "mainprog/core/CfgPage2Model.h"
#include "mainprog/core/CorvantStrings.h"
#include "mainprog/core/LauncherLayout.h"
#include "platform/messaging/Messaging.h"
#include "platform/serial/SerialPortName.h"
#include "platform/ui/msgservice/ScriptFile.h"
#include "support/MessagesUntil.h"
#include "support/PeerProcess.h"
#include "support/UnwritableFolder.h"
#include "tools/phonesim/PhoneSim.h"

#include <gtest/gtest.h>

#include <QFile>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <functional>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

using namespace std::chrono_literals;
using torvane::phonesim::Fault;
using torvane::phonesim::FaultKind;
using torvane::phonesim::PhoneSim;
using torvane::phonesim::PhoneState;
using torvane::phonesim::SimLock;
using Clock = std::chrono::steady_clock;

using torvane::test::waitFor;

namespace {

// What this process's status window saw: every broadcast phone state, with its time.
class StatusWindow : public messaging::MessageHandler {
public:
    struct Seen {
        int state;
        Clock::time_point at;
    };
    std::vector<Seen> seen;
    std::vector<UINT> answers; // the engine's answers to this process's requests

    LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_PHONE_STATE && wParam == 1)
            seen.push_back({int(lParam), Clock::now()});
        else if (message != WM_PHONE_STATE)
            answers.push_back(message);
        return 0;
    }
    int last() const { return seen.empty() ? -1 : seen.back().state; }
    bool sawSince(int state, Clock::time_point since) const
    {
        for (const Seen& s : seen)
            if (s.state == state && s.at >= since)
                return true;
        return false;
    }
};

class CorvantProcess : public ::testing::Test {
protected:
    void SetUp() override
    {
        const char* tmp = std::getenv("TORVANE_TEST_TMP");
        ASSERT_NE(tmp, nullptr) << "run through tests/isolate.sh";
        const std::string name = ::testing::UnitTest::GetInstance()->current_test_info()->name();
        scriptPath_ = std::string(tmp) + "/" + name + ".script";
        logPath_ = std::string(tmp) + "/" + name + ".log";
        std::string error;
        ASSERT_TRUE(sim_.start(torvane::serial::portLinkFolder() + "/COM1", &error)) << error;
        client_ = messaging::registerWindow(&window_);
        ASSERT_NE(client_, 0u);
    }

    void TearDown() override
    {
        if (slot_ >= 0)
            ATStatusDeReg(slot_);
        if (corvant_ && corvant_->started() && !exited_) {
            const HWND frame = FindWindowByTitlePrefix("Quorvane 3.0", 39);
            if (frame != 0)
                PostMessage(frame, WM_CLOSE, 0, 0);
            EXPECT_EQ(corvant_->waitExit(30s), 0) << "corvant ends when its window is closed";
        }
        corvant_.reset();
        messaging::unregisterWindow(client_);
        // The PIN record lives in the engine's shared section, which this process keeps.
        std::memset(ZelSimPin, 0, ZEL_SIM_PIN_SIZE);
        sim_.stop();
    }

    // Starts corvant with the given answers for its dialogs; timers "" keeps the product's.
    void startCorvant(const std::vector<std::string>& script, const char* timers = "500,2000")
    {
        std::ofstream out(scriptPath_);
        for (const std::string& line : script)
            out << line << "\n";
        out.close();
        setenv("TORVANE_UI_SCRIPT", scriptPath_.c_str(), 1);
        setenv("TORVANE_UI_LOG", logPath_.c_str(), 1);
        if (timers[0] != 0)
            setenv("CORVANT_TIMER_PERIODS", timers, 1);
        else
            unsetenv("CORVANT_TIMER_PERIODS");
        corvant_ = std::make_unique<torvane::test::PeerProcess>(CORVANT_PROGRAM);
        ASSERT_TRUE(corvant_->started());
        // The engine's mutex exists once corvant has initialised the engine.
        ASSERT_TRUE(waitFor([&] {
            slot_ = ATStatusReg(client_, WM_PHONE_STATE);
            return slot_ >= 0;
        }, 20s)) << "corvant did not come up";
    }

    // The boxes corvant has shown so far.
    std::vector<torvane::ui::ShownBox> shownBoxes() const
    {
        std::vector<torvane::ui::ShownBox> boxes;
        QFile log(QString::fromStdString(logPath_));
        if (!log.open(QIODevice::ReadOnly))
            return boxes;
        for (const QByteArray& line : log.readAll().split('\n'))
            if (auto box = torvane::ui::parseLogLine(QString::fromUtf8(line)))
                boxes.push_back(*box);
        return boxes;
    }

    int countShown(const QString& kind) const
    {
        int n = 0;
        for (const auto& box : shownBoxes())
            n += box.kind == kind ? 1 : 0;
        return n;
    }

    static QString fieldOf(const torvane::ui::ShownBox& box, const QString& name)
    {
        for (const auto& [control, text] : box.fields)
            if (control == name)
                return text;
        return {};
    }

    PhoneSim sim_;
    StatusWindow window_;
    HWND client_ = 0;
    int slot_ = -1;
    std::unique_ptr<torvane::test::PeerProcess> corvant_;
    bool exited_ = false;
    std::string scriptPath_;
    std::string logPath_;
};

TEST_F(CorvantProcess, StatusCheckRunsAndThePhoneBecomesReady)
{
    startCorvant({});
    ASSERT_TRUE(waitFor([&] { return window_.last() == PHONESTATE_READY; }, 30s))
        << "states seen: " << window_.seen.size() << "\n" << sim_.transcript().received();
    EXPECT_EQ(sim_.transcript().received().rfind("ATE1Q0V1\rAT+CGMI\rAT+CPIN?\rAT+CREG?\rAT+CBC\rAT+CSQ\r", 0), 0u)
        << sim_.transcript().received();
    EXPECT_TRUE(shownBoxes().empty()) << "no box for a ready phone";
}

TEST_F(CorvantProcess, SimAskingForItsPinGetsTheTypedPin)
{
    sim_.withState([](PhoneState& s) {
        s.sim.lock = SimLock::SimPin;
        s.sim.pin = "4711";
    });
    startCorvant({"CPinDlg\tOK\tedit1023=4711"});
    ASSERT_TRUE(waitFor([&] { return window_.last() == PHONESTATE_ENTRY_REQUIRED; }, 30s));
    ASSERT_TRUE(waitFor([&] { return window_.last() == PHONESTATE_READY; }, 30s)) << sim_.transcript().received();

    const auto boxes = shownBoxes();
    ASSERT_EQ(boxes.size(), 1u) << "the PIN dialog, once";
    EXPECT_EQ(boxes[0].kind, QStringLiteral("CPinDlg"));
    EXPECT_EQ(boxes[0].caption, QStringLiteral("PIN-Check"));
    EXPECT_EQ(fieldOf(boxes[0], QStringLiteral("static")), QStringLiteral("Please enter the PIN"));
    EXPECT_EQ(boxes[0].answer, torvane::ui::IDOK);
    EXPECT_NE(sim_.transcript().received().find("AT+CPIN=4711\r"), std::string::npos);
    EXPECT_EQ(sim_.state().sim.lock, SimLock::Ready);
}

TEST_F(CorvantProcess, WrongPinShowsTheRejection)
{
    sim_.withState([](PhoneState& s) {
        s.sim.lock = SimLock::SimPin;
        s.sim.pin = "4711";
    });
    startCorvant({"CPinDlg\tOK\tedit1023=1111", "MessageBox\tOK"});
    ASSERT_TRUE(waitFor([&] { return countShown(torvane::ui::kMessageBoxName) == 1; }, 40s))
        << sim_.transcript().received();

    const auto boxes = shownBoxes();
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[0].kind, QStringLiteral("CPinDlg"));
    EXPECT_EQ(boxes[1].text, QString::fromLatin1(corvant::corvantString(corvant::IDS_PIN_REJECTED)));
    EXPECT_EQ(sim_.state().sim.pinAttempts, 2) << "the wrong PIN was tried once";
    EXPECT_EQ(sim_.state().sim.lock, SimLock::SimPin);
    EXPECT_EQ(window_.last(), PHONESTATE_ENTRY_REQUIRED);
}

// Phonebook writes as the phonebook editor makes them, each once the one before is answered: each
// reaches the phone within a few tens of milliseconds, not at one of corvant's pump ticks (two
// seconds apart here, so that a tick cannot pass for the answer to the request).
TEST_F(CorvantProcess, RequestOfAnotherProgramReachesThePhoneAtOnce)
{
    startCorvant({}, "2000,600000");
    std::vector<double> delaysMs;
    for (int index = 1; index <= 5; ++index) {
        const size_t answered = window_.answers.size();
        const auto asked = Clock::now();
        ASSERT_EQ(ATPBWrite(client_, WM_USER + 102, "SM", index, "Kick", "+4930123456"), 0);
        ASSERT_TRUE(waitFor([&] { return window_.answers.size() > answered; }, 10s));
        for (const auto& entry : sim_.transcript().entries())
            if (entry.direction == torvane::phonesim::Transcript::Direction::In && entry.at >= asked
                && entry.bytes.find("AT^SPBS") != std::string::npos) {
                delaysMs.push_back(std::chrono::duration<double, std::milli>(entry.at - asked).count());
                break;
            }
    }
    ASSERT_EQ(delaysMs.size(), 5u) << sim_.transcript().received();
    std::sort(delaysMs.begin(), delaysMs.end());
    EXPECT_LT(delaysMs[2], 50.0) << ::testing::PrintToString(delaysMs);
    EXPECT_LT(delaysMs.back(), 500.0) << ::testing::PrintToString(delaysMs);
}

// With the product's 15-second polling: a phone that stops answering is "not connected" after
// at most two polls.
TEST_F(CorvantProcess, SilentPhoneIsNotConnectedWithinTwoPolls)
{
    startCorvant({}, "");
    ASSERT_TRUE(waitFor([&] { return window_.last() == PHONESTATE_READY; }, 30s));
    Fault silent;
    silent.kind = FaultKind::Silent;
    sim_.addFault(silent);
    const auto unplugged = Clock::now();
    ASSERT_TRUE(waitFor([&] { return window_.sawSince(PHONESTATE_NOT_CONNECTED, unplugged); }, 30s))
        << sim_.transcript().received();
    EXPECT_TRUE(shownBoxes().empty());
}

// The configuration sheet's OK while the settings folder takes nothing (read-only for a user, a
// full disk for root): one box names the settings file and the system's reason, the values hold
// while corvant runs, and the file keeps its bytes; each further OK that cannot store them says
// so again; once the folder takes them, an OK stores them without a word. The box as a user sees
// it: reference/settings_failure_box.png.
TEST_F(CorvantProcess, SettingsThatCannotBeStoredAreToldOnceForEachConfigurationOk)
{
    const std::string autoload = "check" + std::to_string(corvant::CHECK_AUTOLOAD);
    startCorvant({"CCfgPropSheet\tOK\t" + autoload + "=1", "CCfgPropSheet\tCancel",
                  "CCfgPropSheet\tOK\t" + autoload + "=1", "CCfgPropSheet\tOK\t" + autoload + "=1"});
    ASSERT_TRUE(waitFor([&] { return window_.last() == PHONESTATE_READY; }, 30s));
    const HWND frame = FindWindowByTitlePrefix("Quorvane 3.0", 39);
    ASSERT_NE(frame, 0u);
    const std::string folder = std::string(std::getenv("XDG_CONFIG_HOME")) + "/torvane";
    const std::string settings = folder + "/HKEY_CURRENT_USER.reg";
    const auto fileText = [&] {
        std::ifstream in(settings, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    };
    const QString sheet = QStringLiteral("CCfgPropSheet");
    {
        torvane::test::UnwritableFolder unwritable(folder);
        ASSERT_FALSE(unwritable.reason().empty());
        const std::string before = fileText();
        PostMessage(frame, WM_COMMAND, corvant::ID_CONFIGURATION, 0);
        ASSERT_TRUE(waitFor([&] { return countShown(torvane::ui::kMessageBoxName) == 1; }, 20s));
        PostMessage(frame, WM_COMMAND, corvant::ID_CONFIGURATION, 0);
        ASSERT_TRUE(waitFor([&] { return countShown(sheet) == 2; }, 20s));

        const auto boxes = shownBoxes();
        ASSERT_EQ(boxes.size(), 3u) << "the sheet, one box for its OK, the sheet again";
        EXPECT_EQ(boxes[1].kind, torvane::ui::kMessageBoxName);
        EXPECT_EQ(boxes[1].caption, QStringLiteral("Quorvane PRO"));
        EXPECT_TRUE(boxes[1].text.contains(QString::fromStdString(settings + ": " + unwritable.reason())))
            << boxes[1].text.toStdString();
        EXPECT_EQ(fieldOf(boxes[2], QString::fromStdString(autoload)), QStringLiteral("1"));

        // Not once a run: the user's next OK that cannot be stored is told as well.
        PostMessage(frame, WM_COMMAND, corvant::ID_CONFIGURATION, 0);
        ASSERT_TRUE(waitFor([&] { return countShown(torvane::ui::kMessageBoxName) == 2; }, 20s));
        EXPECT_EQ(countShown(sheet), 3);
        EXPECT_EQ(fileText(), before);
    }
    PostMessage(frame, WM_COMMAND, corvant::ID_CONFIGURATION, 0);
    PostMessage(frame, WM_COMMAND, corvant::ID_APP_ABOUT, 0);
    ASSERT_TRUE(waitFor([&] { return countShown(QStringLiteral("CAboutDlg")) == 1; }, 20s));
    EXPECT_EQ(countShown(sheet), 4);
    EXPECT_EQ(countShown(torvane::ui::kMessageBoxName), 2);
    EXPECT_NE(fileText().find("\"Autoload\"=dword:00000001"), std::string::npos) << fileText();
}

} // namespace
