// The engine host dialog as a window of the messaging layer: what its messages and timers do,
// the dialogs it shows, its diagnostic controls. The engine and the port are fakes; the reader
// is run by hand.
#include "GuiTestSupport.h"
#include "tests/mainprog/core/CorvantFakes.h"

#include "mainprog/core/CorvantStrings.h"
#include "mainprog/core/SuiteSettings.h"
#include "mainprog/ui/CDebugDlg.h"
#include "platform/messaging/qt/WindowTimers.h"
#include "platform/registry/RegistryFixture.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

#include <gtest/gtest.h>

using namespace corvant;
using corvant::test::FakeEngine;
using corvant::test::FakePort;
using corvant::test::fieldText;
using corvant::test::handlePosted;
using torvane::ui::ScriptedAnswer;

namespace {

class FakeSmsManager : public SmsManagerHooks {
public:
    bool receiveArmed = false;
    bool sendArmed = false;
    std::vector<std::string> calls;

    bool receivePollArmed() const override { return receiveArmed; }
    bool sendPollArmed() const override { return sendArmed; }
    void RequestRead() override { calls.push_back("RequestRead"); }
    void ScanOutbox() override { calls.push_back("ScanOutbox"); }
    void OnPartSent(int r) override { calls.push_back("OnPartSent " + std::to_string(r)); }
    void OnMessageRead(int r) override { calls.push_back("OnMessageRead " + std::to_string(r)); }
    void OnMessageDeleted(int r) override { calls.push_back("OnMessageDeleted " + std::to_string(r)); }
    void OnPhoneStatus(int s, int r) override
    {
        calls.push_back("OnPhoneStatus " + std::to_string(s) + " " + std::to_string(r));
    }
    void Configure() override { calls.push_back("Configure"); }
};

class DebugDlgTest : public torvane::test::RegistryFixture {
protected:
    void SetUp() override
    {
        RegistryFixture::SetUp();
        service = &corvant::test::scriptedService();
        auto fakePort = std::make_unique<FakePort>();
        port = fakePort.get();
        dialog = std::make_unique<CDebugDlg>(engine, std::move(fakePort), profile);
        dialog->host().setReaderStart([] { return true; });
    }

    void TearDown() override { dialog.reset(); }

    template <class T>
    T* control(const char* name)
    {
        T* w = dialog->findChild<T*>(QLatin1String(name));
        EXPECT_NE(w, nullptr) << name;
        return w;
    }

    const torvane::ui::ShownBox* lastShown() const
    {
        return service->shown().empty() ? nullptr : &service->shown().back();
    }

    FakeEngine engine;
    FakePort* port = nullptr;
    torvane::registry::AppProfile profile = corvantProfile();
    torvane::ui::MessageService* service = nullptr;
    std::unique_ptr<CDebugDlg> dialog;
};

TEST_F(DebugDlgTest, InitialisesTheEngineAndStartsBothTimers)
{
    EXPECT_NE(dialog->hwnd(), 0u);
    EXPECT_EQ(engine.owner, dialog->hwnd());
    EXPECT_EQ(messaging::timerPeriod(dialog->hwnd(), PUMP_TIMER), 500);
    EXPECT_EQ(messaging::timerPeriod(dialog->hwnd(), POLL_TIMER), 15000);
    EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Mobile phone connection"));
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(control<QLineEdit>("edit1010")->text(), QStringLiteral("COM1"));
    EXPECT_GE(control<QLineEdit>("edit1001")->text().toUInt(), 0xC000u) << "the registered message's number";
    EXPECT_TRUE(control<QCheckBox>("check1022")->isChecked());
    for (const char* name : {"edit1009", "edit1015", "edit1017", "edit1018", "edit1019", "edit1020", "edit1021"})
        control<QLineEdit>(name);
    for (const char* name : {"button1006", "button1007", "button1008", "button1014", "button1"})
        control<QPushButton>(name);
    control<QCheckBox>("check1016");
    control<QListWidget>("list1000");
}

TEST_F(DebugDlgTest, InjectedTimerPeriodsAreUsed)
{
    dialog.reset();
    dialog = std::make_unique<CDebugDlg>(engine, std::make_unique<FakePort>(), profile, HostTimers {50, 700});
    EXPECT_EQ(messaging::timerPeriod(dialog->hwnd(), PUMP_TIMER), 50);
    EXPECT_EQ(messaging::timerPeriod(dialog->hwnd(), POLL_TIMER), 700);
}

struct ErrorCase {
    int errorClass;
    int id;
    const char* title;
    const char* text;
    const char* detail;
};

class ErrorDialogCases : public DebugDlgTest, public ::testing::WithParamInterface<ErrorCase> {};

TEST_P(ErrorDialogCases, ReportPostedToTheOwnerShowsTheErrorDialog)
{
    service->addAnswer(ScriptedAnswer {QStringLiteral("CErrorDlg"), torvane::ui::IDOK, {}});
    ASSERT_TRUE(PostMessage(dialog->hwnd(), WM_ENGINE_ERROR, WPARAM(GetParam().errorClass), GetParam().id));
    handlePosted();
    const auto* shown = lastShown();
    ASSERT_NE(shown, nullptr);
    EXPECT_EQ(shown->kind, QStringLiteral("CErrorDlg"));
    EXPECT_EQ(shown->caption, QStringLiteral("Quorvane 3.0 Error Message"));
    EXPECT_EQ(fieldText(*shown, QStringLiteral("edit1013")), QLatin1String(GetParam().title));
    EXPECT_EQ(fieldText(*shown, QStringLiteral("edit1011")), QLatin1String(GetParam().text));
    EXPECT_EQ(fieldText(*shown, QStringLiteral("edit1012")), QLatin1String(GetParam().detail));
}

INSTANTIATE_TEST_SUITE_P(
    Reports, ErrorDialogCases,
    ::testing::Values(ErrorCase {3, 41500, "Exceptional error", "Error during the registration of ZEL-DLL",
                                 "Error during the registration of ZEL-DLL. Wrong version or directory."},
                      ErrorCase {1, 12345, "Error", "Error 12345", ""}));

TEST_F(DebugDlgTest, PinWantedOpensThePinDialogAndStoresTheTypedPin)
{
    service->addAnswer(ScriptedAnswer {QStringLiteral("CPinDlg"), torvane::ui::IDOK, {{QStringLiteral("edit1023"), QStringLiteral("1234")}}});
    ASSERT_TRUE(PostMessage(dialog->hwnd(), WM_STATUS_CHECK_DONE, WPARAM(PHONE_PIN_AUTO), RESULT_OK));
    handlePosted();
    ASSERT_EQ(service->shown().size(), 1u);
    EXPECT_EQ(service->shown()[0].kind, QStringLiteral("CPinDlg"));
    EXPECT_EQ(service->shown()[0].caption, QStringLiteral("PIN-Check"));
    EXPECT_STREQ(engine.pin, "1234");
    EXPECT_EQ(control<QLineEdit>("edit1015")->text(), QStringLiteral("-1"));
    ASSERT_EQ(engine.broadcasts.size(), 1u);
    EXPECT_EQ(engine.broadcasts[0].lParam, PHONESTATE_ENTRY_REQUIRED);

    // The PIN is stored now: the next answer asks no more.
    PostMessage(dialog->hwnd(), WM_STATUS_CHECK_DONE, WPARAM(PHONE_PIN_AUTO), RESULT_OK);
    handlePosted();
    EXPECT_EQ(service->shown().size(), 1u);
}

TEST_F(DebugDlgTest, CancelledPinDialogLeavesThePinEmpty)
{
    std::strcpy(engine.pin, "");
    service->addAnswer(ScriptedAnswer {QStringLiteral("CPinDlg"), torvane::ui::IDCANCEL, {{QStringLiteral("edit1023"), QStringLiteral("99")}}});
    dialog->handleMessage(WM_STATUS_CHECK_DONE, WPARAM(PHONE_PIN_AUTO), RESULT_OK);
    EXPECT_STREQ(engine.pin, "");
}

TEST_F(DebugDlgTest, RejectedPinShowsStringOne)
{
    dialog->handleMessage(WM_STATUS_CHECK_DONE, WPARAM(PHONE_PIN_AUTO), RESULT_PIN_REJECTED);
    const auto* shown = lastShown();
    ASSERT_NE(shown, nullptr);
    EXPECT_EQ(shown->kind, torvane::ui::kMessageBoxName);
    EXPECT_EQ(shown->text, QString::fromLatin1(corvantString(IDS_PIN_REJECTED)));
}

TEST_F(DebugDlgTest, PollTimerAsksForAStatusCheckWhilePollingIsOn)
{
    SendMessage(dialog->hwnd(), WM_TIMER, POLL_TIMER, 0);
    ASSERT_EQ(engine.statusChecks.size(), 1u);
    EXPECT_EQ(engine.statusChecks[0].first, dialog->hwnd());
    EXPECT_EQ(engine.statusChecks[0].second, WM_STATUS_CHECK_DONE);

    control<QCheckBox>("check1022")->setChecked(false);
    SendMessage(dialog->hwnd(), WM_TIMER, POLL_TIMER, 0);
    EXPECT_EQ(engine.statusChecks.size(), 1u);

    control<QPushButton>("button1014")->click();
    EXPECT_EQ(engine.statusChecks.size(), 2u) << "the button asks regardless";
}

TEST_F(DebugDlgTest, PollTimerRunsTheSmsManagersArmedPollsInOrder)
{
    FakeSmsManager sms;
    dialog->setSmsManager([&] { return &sms; });
    SendMessage(dialog->hwnd(), WM_TIMER, POLL_TIMER, 0);
    EXPECT_TRUE(sms.calls.empty());
    sms.receiveArmed = sms.sendArmed = true;
    SendMessage(dialog->hwnd(), WM_TIMER, POLL_TIMER, 0);
    EXPECT_EQ(sms.calls, std::vector<std::string>({"RequestRead", "ScanOutbox"}));

    sms.calls.clear();
    PostMessage(dialog->hwnd(), WM_SMS_SEND_DONE, JOB_SMS_SEND, RESULT_TIMEOUT);
    PostMessage(dialog->hwnd(), WM_SMS_READ_DONE, JOB_SMS_READ, RESULT_NO_MESSAGE);
    PostMessage(dialog->hwnd(), WM_SMS_DELETE_DONE, JOB_SMS_DELETE, RESULT_OK);
    PostMessage(dialog->hwnd(), WM_STATUS_CHECK_DONE, WPARAM(PHONE_NONE), RESULT_TIMEOUT);
    handlePosted();
    EXPECT_EQ(sms.calls, std::vector<std::string>({"OnPartSent -1", "OnMessageRead -2", "OnMessageDeleted 0",
                                                   "OnPhoneStatus 0 -1"}));
}

TEST_F(DebugDlgTest, WithoutAnSmsManagerItsAnswersAreDropped)
{
    dialog->setSmsManager([] { return nullptr; });
    SendMessage(dialog->hwnd(), WM_TIMER, POLL_TIMER, 0);
    PostMessage(dialog->hwnd(), WM_SMS_SEND_DONE, JOB_SMS_SEND, RESULT_OK);
    handlePosted();
    EXPECT_EQ(engine.statusChecks.size(), 1u);
}

TEST_F(DebugDlgTest, PumpTimerCyclesTheEngine)
{
    SendMessage(dialog->hwnd(), WM_TIMER, PUMP_TIMER, 0);
    SendMessage(dialog->hwnd(), WM_TIMER, PUMP_TIMER, 0);
    EXPECT_EQ(engine.cycles.size(), 2u);
}

TEST_F(DebugDlgTest, SendButtonWritesTheTextWithCarriageReturnAndTraces)
{
    dialog->setTracing(true);
    control<QPushButton>("button1007")->click();
    ASSERT_TRUE(port->isOpen());
    control<QLineEdit>("edit1009")->setText(QStringLiteral("AT+CSQ"));
    control<QPushButton>("button1006")->click();
    EXPECT_EQ(port->writes, std::vector<std::string>({"AT+CSQ\r"}));
    control<QPushButton>("button1008")->click();
    EXPECT_FALSE(port->isOpen());

    auto* list = control<QListWidget>("list1000");
    ASSERT_EQ(list->count(), 3);
    EXPECT_EQ(list->item(0)->text(), QStringLiteral("Open..."));
    EXPECT_EQ(list->item(1)->text(), QStringLiteral("AT+CSQ\r"));
    EXPECT_EQ(list->item(2)->text(), QStringLiteral("...Close"));
}

TEST_F(DebugDlgTest, ReaderHandsLinesToTheEngineThroughTheHostWindow)
{
    dialog->host().OpenPort();
    port->incoming = "OK\r\n+CSQ: 9,99\r\n";
    dialog->host().reader().pollOnce();
    ASSERT_EQ(engine.cycles.size(), 2u);
    EXPECT_EQ(engine.cycles[0].line, "OK");
    EXPECT_EQ(engine.cycles[1].line, "+CSQ: 9,99");
}

TEST_F(DebugDlgTest, DiagnosticsFollowThePort)
{
    port->openFailure = PortOpenError {true, 16};
    control<QPushButton>("button1007")->click();
    handlePosted();
    EXPECT_EQ(control<QLineEdit>("edit1017")->text(), QStringLiteral("16"));
    EXPECT_EQ(dialog->host().portState(), PORT_ACCESS_DENIED);

    port->openFailure.reset();
    control<QPushButton>("button1007")->click();
    handlePosted();
    EXPECT_EQ(control<QLineEdit>("edit1017")->text(), QStringLiteral("0"));
    EXPECT_EQ(control<QLineEdit>("edit1021")->text(), QStringLiteral("7"));
}

} // namespace
