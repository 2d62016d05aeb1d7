// The forwarding and barring dialogs of the corvant application (offscreen, in this process)
// with the real engine against the simulated phone on a pseudo-terminal linked as COM1: what
// the dialogs set reaches the phone, and what the phone holds comes back into the dialogs.
#include "mainprog/CCorvantApp.h"
#include "mainprog/engine/ZelCallService.h"
#include "mainprog/engine/ZelEngine.h"
#include "mainprog/ui/CFwdDlg.h"
#include "mainprog/ui/CLockDlg.h"
#include "mainprog/ui/CMainFrame.h"
#include "platform/messaging/Messaging.h"
#include "platform/serial/SerialPortName.h"
#include "platform/ui/msgservice/MessageService.h"
#include "tools/phonesim/BarringCommands.h"
#include "tools/phonesim/ForwardingCommands.h"
#include "tools/phonesim/PhoneSim.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

#include <chrono>
#include <functional>

using namespace corvant;
using namespace std::chrono_literals;
using torvane::phonesim::BarringCommands;
using torvane::phonesim::ForwardingCommands;
using torvane::phonesim::PhoneSim;
using Clock = std::chrono::steady_clock;

namespace {

class CallServiceDialogsSim : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::string error;
        ASSERT_TRUE(sim.start(torvane::serial::portLinkFolder() + "/COM1", &error)) << error;
        auto& service = torvane::ui::MessageService::instance();
        service.setScripted(true);
        service.clearAnswers();
        service.clearShown();
        HostTimers timers;
        timers.pumpMs = 100;
        timers.pollMs = 2000;
        app = std::make_unique<CCorvantApp>(engine, timers, [](const std::string&) { return true; });
        ASSERT_TRUE(app->InitInstance());
    }

    void TearDown() override
    {
        if (app)
            app->ExitInstance();
        app.reset();
        sim.stop();
    }

    bool waitFor(const std::function<bool()>& done, std::chrono::milliseconds within = 30s)
    {
        const auto deadline = Clock::now() + within;
        while (!done()) {
            if (Clock::now() >= deadline)
                return false;
            QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
            messaging::dispatchMessages(20);
        }
        return true;
    }

    static void click(QWidget& dialog, int id)
    {
        auto* button = dialog.findChild<QPushButton*>(QStringLiteral("button%1").arg(id));
        ASSERT_NE(button, nullptr) << id;
        button->click();
    }

    PhoneSim sim;
    ZelEngine engine;
    ZelCallService calls;
    std::unique_ptr<CCorvantApp> app;
};

TEST_F(CallServiceDialogsSim, ForwardingOnNoReplyWithADelayIsSetAndCheckedBack)
{
    CFwdDlg dialog(calls, app->profile(), [this](bool b) { app->setBusy(b); }, app->mainFrame());
    dialog.show();
    auto* status = dialog.findChild<QLabel*>(QStringLiteral("static1041"));
    auto* voice = dialog.findChild<QComboBox*>(QStringLiteral("combo1005"));
    auto* delay = dialog.findChild<QComboBox*>(QStringLiteral("combo1015"));
    ASSERT_TRUE(status && voice && delay);
    voice->setFocus();
    voice->lineEdit()->selectAll();
    QTest::keyClicks(voice->lineEdit(), QStringLiteral("+49 "));
    ASSERT_EQ(voice->currentText(), QString()) << "a blank is no number character";
    QTest::keyClicks(voice->lineEdit(), QStringLiteral("+49170-1234"));
    delay->setFocus();
    delay->lineEdit()->selectAll();
    QTest::keyClicks(delay->lineEdit(), QStringLiteral("25"));

    click(dialog, fwdSetButton(2));
    EXPECT_TRUE(app->busy());
    ASSERT_TRUE(waitFor([&] { return !dialog.logic().busy(); })) << sim.transcript().received();
    EXPECT_EQ(status->text(), QStringLiteral("Action successful")) << sim.transcript().received();
    EXPECT_FALSE(app->busy());
    const auto forward = sim.withModule<ForwardingCommands>([](ForwardingCommands& m) { return m.at(2, 1); });
    EXPECT_TRUE(forward.active);
    EXPECT_EQ(forward.number, "+491701234");
    EXPECT_EQ(forward.time, 25);

    // A second run of the dialog reads it back from the phone.
    CFwdDlg again(calls, app->profile(), [this](bool b) { app->setBusy(b); }, app->mainFrame());
    again.show();
    click(again, fwdCheckButton(2));
    ASSERT_TRUE(waitFor([&] { return !again.logic().busy(); })) << sim.transcript().received();
    EXPECT_EQ(again.findChild<QLabel*>(QStringLiteral("static1041"))->text(), QStringLiteral("Action successful"));
    EXPECT_EQ(again.findChild<QComboBox*>(QStringLiteral("combo1005"))->currentText(), QStringLiteral("+491701234"));
    EXPECT_EQ(again.findChild<QComboBox*>(QStringLiteral("combo1015"))->currentText(), QStringLiteral("25"));
}

TEST_F(CallServiceDialogsSim, BarringAllOutgoingForVoiceIsSetAndCheckedBack)
{
    auto& service = torvane::ui::MessageService::instance();
    service.addAnswer({QStringLiteral("CPasswordDlg"), torvane::ui::IDOK, {{QStringLiteral("edit1029"), QStringLiteral("0000")}}});
    CLockDlg dialog(calls, app->profile(), [this](bool b) { app->setBusy(b); },
                    [this](const QString& t) { app->mainFrame()->setStatusText(t); }, app->mainFrame());
    dialog.show();
    auto* combo = dialog.findChild<QComboBox*>(QStringLiteral("combo1002"));
    ASSERT_NE(combo, nullptr);
    combo->setCurrentIndex(2);
    emit combo->activated(2);
    click(dialog, 1029);
    ASSERT_TRUE(waitFor([&] { return !dialog.logic().busy(); })) << sim.transcript().received();
    EXPECT_EQ(app->mainFrame()->statusText(), QStringLiteral("Action successful")) << sim.transcript().received();
    EXPECT_EQ(sim.withModule<BarringCommands>([](BarringCommands& m) { return m.barred["AO"]; }), 1);

    CLockDlg again(calls, app->profile(), [this](bool b) { app->setBusy(b); },
                   [this](const QString& t) { app->mainFrame()->setStatusText(t); }, app->mainFrame());
    click(again, 1028);
    ASSERT_TRUE(waitFor([&] { return !again.logic().busy(); })) << sim.transcript().received();
    EXPECT_EQ(again.findChild<QComboBox*>(QStringLiteral("combo1002"))->currentText(), QStringLiteral("only voice barred"));
    EXPECT_EQ(app->mainFrame()->statusText(), QStringLiteral("Action successful"));
}

TEST_F(CallServiceDialogsSim, AWrongPasswordIsReportedAndEndsTheWalk)
{
    auto& service = torvane::ui::MessageService::instance();
    service.addAnswer({QStringLiteral("CPasswordDlg"), torvane::ui::IDOK, {{QStringLiteral("edit1029"), QStringLiteral("9999")}}});
    CLockDlg dialog(calls, app->profile(), [this](bool b) { app->setBusy(b); },
                    [this](const QString& t) { app->mainFrame()->setStatusText(t); }, app->mainFrame());
    dialog.show();
    click(dialog, IDC_LOCK_DELETE_ALL);
    ASSERT_TRUE(waitFor([&] { return !dialog.logic().busy(); })) << sim.transcript().received();
    EXPECT_EQ(app->mainFrame()->statusText(), QStringLiteral("Error during password entry."));
    EXPECT_FALSE(app->busy());
    EXPECT_FALSE(dialog.logic().walking());
    EXPECT_FALSE(dialog.logic().holdsPassword());
    const std::string sent = sim.transcript().received();
    std::size_t locks = 0;
    for (std::size_t at = sent.find("AT^SLCK="); at != std::string::npos; at = sent.find("AT^SLCK=", at + 1))
        ++locks;
    EXPECT_EQ(locks, 1u) << sent;

    // The error report reaches corvant's error dialog: an operating error with its text.
    ASSERT_TRUE(waitFor([&] {
        for (const auto& box : service.shown())
            if (box.kind == QStringLiteral("CErrorDlg"))
                return true;
        return false;
    })) << "no error dialog";
    bool found = false;
    for (const auto& box : service.shown()) {
        if (box.kind != QStringLiteral("CErrorDlg"))
            continue;
        for (const auto& [name, text] : box.fields)
            found = found || text.contains(QStringLiteral("Error during password entry."));
    }
    EXPECT_TRUE(found);
}

} // namespace
