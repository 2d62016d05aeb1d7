// The forwarding and barring dialogs on screen (offscreen): typing and clicking goes into the
// logic, the engine's answers posted to the dialog's window move it on, the combos and status
// texts show the result, and the application's busy flag follows the outstanding request.
#include "GuiTestSupport.h"
#include "tests/mainprog/core/CallServiceFakes.h"
#include "tests/mainprog/core/CorvantFakes.h"

#include "mainprog/CCorvantApp.h"
#include "mainprog/CallServiceDialogs.h"
#include "mainprog/core/LauncherLayout.h"
#include "mainprog/ui/CMainFrame.h"

#include "mainprog/ui/CFwdDlg.h"
#include "mainprog/ui/CLockDlg.h"
#include "mainprog/ui/CPasswordDlg.h"
#include "platform/messaging/Messaging.h"
#include "platform/registry/AppProfile.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

using namespace corvant;
using corvant::test::FakeCallService;
using corvant::test::handlePosted;

namespace {

template <typename T>
T* control(QWidget& dialog, const QString& name)
{
    T* widget = dialog.findChild<T*>(name);
    EXPECT_NE(widget, nullptr) << qPrintable(name);
    return widget;
}

class CallServiceDlgTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        service = &corvant::test::scriptedService();
    }

    FakeCallService engine;
    torvane::registry::AppProfile profile{"Torvane", "Quorvane PRO"};
    torvane::ui::MessageService* service = nullptr;
    bool busy = false;
    QString pane;
};

TEST_F(CallServiceDlgTest, ForwardingSetTypedNumberThroughTheAnswersAndSavesOnClose)
{
    CFwdDlg dialog(engine, profile, [this](bool b) { busy = b; });
    dialog.show();
    auto* voice = control<QComboBox>(dialog, QStringLiteral("combo1005"));
    auto* delay = control<QComboBox>(dialog, QStringLiteral("combo1015"));
    ASSERT_TRUE(voice && delay);
    EXPECT_EQ(voice->currentText(), QStringLiteral("No forwarding"));
    EXPECT_EQ(delay->currentText(), QStringLiteral("15"));

    voice->setFocus();
    voice->lineEdit()->selectAll();
    QTest::keyClicks(voice->lineEdit(), QStringLiteral("0170/55"));
    delay->lineEdit()->selectAll();
    delay->setFocus();
    QTest::keyClicks(delay->lineEdit(), QStringLiteral("20"));
    auto* set = control<QPushButton>(dialog, QStringLiteral("button1031"));
    QTest::mouseClick(set, Qt::LeftButton);
    ASSERT_EQ(engine.requests.size(), 1u);
    EXPECT_EQ(engine.requests[0].number, "017055");
    EXPECT_EQ(engine.requests[0].time, 20);
    EXPECT_TRUE(busy);
    EXPECT_FALSE(control<QPushButton>(dialog, QStringLiteral("button1040"))->isEnabled());
    EXPECT_EQ(control<QLabel>(dialog, QStringLiteral("static1041"))->text(), QStringLiteral("Setting the forwardings..."));

    for (int i = 0; i < 3; ++i) {
        PostMessage(dialog.hwnd(), WM_FORWARD_SET_DONE, JOB_FORWARD_SET, 0);
        handlePosted();
    }
    EXPECT_EQ(engine.requests.size(), 3u);
    EXPECT_FALSE(busy);
    EXPECT_EQ(control<QLabel>(dialog, QStringLiteral("static1041"))->text(), QStringLiteral("Action successful"));
    EXPECT_EQ(voice->currentText(), QStringLiteral("0170/55"));
    EXPECT_EQ(voice->count(), 2);

    QTest::mouseClick(control<QPushButton>(dialog, QStringLiteral("button1040")),
                      Qt::LeftButton);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(profile.GetProfileString(FWD_SECTION, "NoRespVoiceNum1", ""), "0170/55");
    EXPECT_EQ(profile.GetProfileString(FWD_SECTION, "NoRespVoiceTimeVal", ""), "20");
}

TEST_F(CallServiceDlgTest, ForwardingQueryAnswerFillsTheCombos)
{
    CFwdDlg dialog(engine, profile, [this](bool b) { busy = b; });
    dialog.show();
    engine.answer(1, 1, "+4930777", 0);
    QTest::mouseClick(control<QPushButton>(dialog, QStringLiteral("button1034")), Qt::LeftButton);
    EXPECT_TRUE(busy);
    PostMessage(dialog.hwnd(), WM_FORWARD_QUERY_DONE, JOB_FORWARD_QUERY, 0);
    handlePosted();
    EXPECT_FALSE(busy);
    EXPECT_EQ(control<QComboBox>(dialog, QStringLiteral("combo1012"))->currentText(), QStringLiteral("+4930777"));
    EXPECT_EQ(control<QComboBox>(dialog, QStringLiteral("combo1007"))->currentText(), QStringLiteral("No forwarding"));
    EXPECT_FALSE(control<QPushButton>(dialog, QStringLiteral("button1034"))->isEnabled());
}

TEST_F(CallServiceDlgTest, ALetterTypedIntoANumberComboEmptiesIt)
{
    CFwdDlg dialog(engine, profile, {});
    dialog.show();
    auto* fax = control<QComboBox>(dialog, QStringLiteral("combo1004"));
    fax->setFocus();
    fax->lineEdit()->clear();
    QTest::keyClicks(fax->lineEdit(), QStringLiteral("12a"));
    EXPECT_EQ(fax->currentText(), QString());
}

TEST_F(CallServiceDlgTest, BarringAsksThePasswordOnceAndShowsProgressInThePane)
{
    profile.WriteProfileInt(LOCK_SECTION, "Lock_AllIncoming", 3);
    CLockDlg dialog(engine, profile, [this](bool b) { busy = b; }, [this](const QString& t) { pane = t; });
    dialog.show();
    EXPECT_EQ(control<QComboBox>(dialog, QStringLiteral("combo1005"))->currentText(),
              QStringLiteral("only data barred"));

    service->addAnswer({QStringLiteral("CPasswordDlg"), torvane::ui::IDOK, {{QStringLiteral("edit1029"), QStringLiteral("0000")}}});
    auto* combo = control<QComboBox>(dialog, QStringLiteral("combo1002"));
    combo->setCurrentIndex(2);
    emit combo->activated(2);
    QTest::mouseClick(control<QPushButton>(dialog, QStringLiteral("button1029")), Qt::LeftButton);
    EXPECT_TRUE(busy);
    EXPECT_EQ(pane, QStringLiteral("Check in progress..."));
    for (int i = 0; i < 3; ++i) {
        PostMessage(dialog.hwnd(), WM_LOCK_SET_DONE, JOB_LOCK_SET, 0);
        handlePosted();
    }
    EXPECT_FALSE(busy);
    EXPECT_EQ(pane, QStringLiteral("Action successful"));
    ASSERT_EQ(engine.requests.size(), 3u);
    EXPECT_EQ(engine.requests[0].password, "0000");
    EXPECT_EQ(engine.requests[0].mode, LOCK_MODE_LOCK);

    QTest::mouseClick(control<QPushButton>(dialog, QStringLiteral("button1031")), Qt::LeftButton);
    EXPECT_EQ(service->shown().size(), 1u); // no second password dialog
    EXPECT_EQ(engine.requests.back().password, "0000");
}

TEST_F(CallServiceDlgTest, BarringQueryAnswerSelectsTheMaskAndCloseSavesTheChoices)
{
    CLockDlg dialog(engine, profile, [this](bool b) { busy = b; }, [this](const QString& t) { pane = t; });
    dialog.show();
    QTest::mouseClick(control<QPushButton>(dialog, QStringLiteral("button1036")), Qt::LeftButton);
    ASSERT_EQ(engine.requests.size(), 1u);
    EXPECT_EQ(engine.requests[0].facility, "IR");
    PostMessage(dialog.hwnd(), WM_LOCK_QUERY_DONE, JOB_LOCK_QUERY, 6);
    handlePosted();
    EXPECT_EQ(control<QComboBox>(dialog, QStringLiteral("combo1006"))->currentText(),
              QStringLiteral("Data and FAX barred"));
    EXPECT_FALSE(busy);
    QTest::mouseClick(control<QPushButton>(dialog, QStringLiteral("button1")), Qt::LeftButton);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(profile.GetProfileInt(LOCK_SECTION, "Lock_IncomingRoam", -1), 5u);
}

TEST_F(CallServiceDlgTest, PasswordDialogKeepsAtMost255Characters)
{
    CPasswordDlg dialog;
    auto* edit = control<QLineEdit>(dialog, QStringLiteral("edit1029"));
    EXPECT_EQ(edit->echoMode(), QLineEdit::Password);
    edit->setText(QString(300, QLatin1Char('7')));
    dialog.accept();
    EXPECT_EQ(dialog.password().size(), 255u);
}

TEST_F(CallServiceDlgTest, TheFrameCommandsOpenTheDialogs)
{
    test::FakeEngine hostEngine;
    {
        CCorvantApp app(hostEngine, HostTimers {}, [](const std::string&) { return true; });
        app.setPortFactory([] { return std::make_unique<test::FakePort>(); });
        ASSERT_TRUE(app.InitInstance());
        CMainFrame* frame = app.mainFrame();
        frame->debugDlg().host().setReaderStart([] { return true; });
        EXPECT_FALSE(frame->commandAction(ID_CALL_FORWARDING)->isEnabled());
        installCallServiceDialogs(app, engine);
        EXPECT_TRUE(frame->commandAction(ID_CALL_FORWARDING)->isEnabled());
        EXPECT_TRUE(frame->commandAction(ID_BARRING)->isEnabled());

        frame->OnCommand(ID_CALL_FORWARDING);
        frame->OnCommand(ID_BARRING);
        ASSERT_EQ(service->shown().size(), 2u);
        EXPECT_EQ(service->shown()[0].kind, QStringLiteral("CFwdDlg"));
        EXPECT_EQ(service->shown()[0].caption, QStringLiteral("Call Forwarding"));
        EXPECT_EQ(service->shown()[1].kind, QStringLiteral("CLockDlg"));
        EXPECT_EQ(service->shown()[1].caption, QStringLiteral("Barring"));
        app.ExitInstance();
    }
}

} // namespace
