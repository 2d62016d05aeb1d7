// The main window: its size, menu and status bar, the launcher buttons, the tray look that
// follows the broadcast phone state, the busy input filter, and the application's start and exit.
#include "GuiTestSupport.h"
#include "tests/mainprog/core/CorvantFakes.h"

#include "mainprog/CCorvantApp.h"
#include "mainprog/core/CorvantStrings.h"
#include "mainprog/core/LauncherLayout.h"
#include "mainprog/core/SuiteSettings.h"
#include "mainprog/ui/CCorvantView.h"
#include "mainprog/ui/CMainFrame.h"
#include "platform/messaging/qt/WindowTimers.h"
#include "platform/registry/RegistryFixture.h"
#include "platform/ui/busyfilter/BusyInputFilter.h"

#include <QAction>
#include <QLabel>
#include <QMenuBar>
#include <QStatusBar>
#include <QTest>

#include <gtest/gtest.h>

using namespace corvant;
using corvant::test::FakeEngine;
using corvant::test::FakePort;
using corvant::test::handlePosted;

namespace {

QPoint middleOf(int button)
{
    const ButtonRect& r = kButtonRects[button];
    return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

class MainFrameTest : public torvane::test::RegistryFixture {
protected:
    void SetUp() override
    {
        RegistryFixture::SetUp();
        service = &corvant::test::scriptedService();
    }

    void TearDown() override { frame.reset(); }

    void makeFrame()
    {
        frame = std::make_unique<CMainFrame>(engine, profile, std::make_unique<FakePort>(), HostTimers {},
                                             [this](const std::string& line) {
                                                 started.push_back(line);
                                                 pressedWhileRunning = frame->view().pressedButton();
                                                 return true;
                                             });
        frame->debugDlg().host().setReaderStart([] { return true; });
        frame->show();
        frame->view().OnInitialUpdate();
    }

    LRESULT phoneState(int state) { return SendMessage(frame->view().hwnd(), WM_PHONE_STATE, 1, state); }

    FakeEngine engine;
    torvane::registry::AppProfile profile = corvantProfile();
    torvane::ui::MessageService* service = nullptr;
    std::unique_ptr<CMainFrame> frame;
    std::vector<std::string> started;
    int pressedWhileRunning = -2;
};

TEST_F(MainFrameTest, FixedWindowAroundTheLauncherPicture)
{
    makeFrame();
    EXPECT_EQ(frame->windowTitle(), QStringLiteral("Quorvane 3.0"));
    EXPECT_EQ(frame->view().size(), QSize(400, 320));
    EXPECT_EQ(frame->centralWidget(), &frame->view());
    EXPECT_EQ(frame->minimumSize(), frame->maximumSize()) << "no sizing border";
    EXPECT_FALSE(frame->windowFlags() & Qt::WindowMaximizeButtonHint);
    EXPECT_EQ(frame->height(), 320 + frame->menuBar()->height() + frame->statusBar()->height());

    for (const char* pane : {"pane0", "paneCaps", "paneNum", "paneScroll"})
        EXPECT_NE(frame->statusBar()->findChild<QLabel*>(QLatin1String(pane)), nullptr) << pane;
    const QStringList menus {QStringLiteral("&File"), QStringLiteral("&Applications"), QStringLiteral("&?")};
    QStringList titles;
    for (QAction* a : frame->menuBar()->actions())
        titles << a->text();
    EXPECT_EQ(titles, menus);
}

struct MenuCase {
    int command;
    const char* text;
};

class MenuCommands : public MainFrameTest, public ::testing::WithParamInterface<MenuCase> {};

TEST_P(MenuCommands, EachCommandHasItsItem)
{
    makeFrame();
    QAction* action = frame->commandAction(GetParam().command);
    ASSERT_NE(action, nullptr);
    EXPECT_EQ(action->text(), QLatin1String(GetParam().text));
    EXPECT_EQ(action->objectName(), QStringLiteral("command%1").arg(GetParam().command));
}

INSTANTIATE_TEST_SUITE_P(Menu, MenuCommands,
                         ::testing::Values(MenuCase {ID_APPOINTMENTS, "&Appointments"},
                                           MenuCase {ID_PHONEBOOK, "&Mobile Phone Directory"},
                                           MenuCase {ID_RINGTONE, "&Ring Tone Editor"},
                                           MenuCase {ID_CALL_FORWARDING, "Call &Forwarding"},
                                           MenuCase {ID_BARRING, "&Barring"},
                                           MenuCase {ID_CONFIGURATION, "&Configuration"},
                                           MenuCase {ID_HELP_FINDER, "&Help"},
                                           MenuCase {ID_APP_EXIT, "E&xit"},
                                           MenuCase {ID_APP_ABOUT, "&About Quorvane 3.0"}));

TEST_F(MainFrameTest, ViewRegistersAsStatusWindowAndStartsNotConnected)
{
    makeFrame();
    ASSERT_EQ(engine.registrations.size(), 1u);
    EXPECT_EQ(engine.registrations[0].first, frame->view().hwnd());
    EXPECT_EQ(engine.registrations[0].second, WM_PHONE_STATE);
    EXPECT_EQ(frame->view().trayLook(), (TrayLook {IDI_NOT_CONNECTED, IDS_TIP_NOT_CONNECTED}));
    EXPECT_EQ(frame->view().trayTip(), QStringLiteral("Quorvane 3.0 - Phone not connected"));
    EXPECT_TRUE(engine.reports.empty());

    phoneState(PHONESTATE_NOT_CONNECTED);
    EXPECT_EQ(frame->view().trayLook().icon, IDI_NOT_CONNECTED);
}

TEST_F(MainFrameTest, FailedRegistrationAndDeregistrationAreReported)
{
    engine.registrationResult = -1;
    makeFrame();
    ASSERT_EQ(engine.reports.size(), 1u);
    EXPECT_EQ(engine.reports[0].wParam, 3u);
    EXPECT_EQ(engine.reports[0].lParam, 41500);
    frame.reset();
    EXPECT_TRUE(engine.deregistrations.empty()) << "nothing to give back";

    engine.registrationResult = 2;
    engine.deregistrationResult = -1;
    engine.reports.clear();
    makeFrame();
    frame.reset();
    EXPECT_EQ(engine.deregistrations, std::vector<int>({2}));
    ASSERT_EQ(engine.reports.size(), 1u);
    EXPECT_EQ(engine.reports[0].lParam, 41501);
}

TEST_F(MainFrameTest, TrayFollowsThePhoneStateAndBlinksWhileEntryIsRequired)
{
    makeFrame();
    const HWND view = frame->view().hwnd();
    phoneState(PHONESTATE_READY);
    EXPECT_EQ(frame->view().trayLook(), (TrayLook {IDI_READY, IDS_TIP_READY}));
    phoneState(PHONESTATE_NOT_READY);
    EXPECT_EQ(frame->view().trayTip(), QStringLiteral("Quorvane 3.0 - Phone not ready"));

    phoneState(PHONESTATE_ENTRY_REQUIRED);
    EXPECT_EQ(messaging::timerPeriod(view, BLINK_TIMER_ID), 300);
    EXPECT_EQ(frame->view().trayLook().icon, IDI_NOT_READY) << "unchanged until the first tick";
    SendMessage(view, WM_TIMER, BLINK_TIMER_ID, 0);
    EXPECT_EQ(frame->view().trayLook(), (TrayLook {IDI_READY, IDS_TIP_ENTRY_REQUIRED}));
    SendMessage(view, WM_TIMER, BLINK_TIMER_ID, 0);
    EXPECT_EQ(frame->view().trayLook().icon, IDI_BLINK);

    phoneState(PHONESTATE_READY);
    EXPECT_EQ(messaging::timerPeriod(view, BLINK_TIMER_ID), -1) << "the blink stops";
    EXPECT_EQ(frame->view().trayLook(), (TrayLook {IDI_READY, IDS_TIP_READY}));
}

TEST_F(MainFrameTest, ButtonsStartTheirProgramsWithThePressedLook)
{
    makeFrame();
    profile.WriteProfileString(section::Settings, value::TerminPrg, "tessaro");
    QTest::mouseClick(&frame->view(), Qt::LeftButton, {}, middleOf(1));
    EXPECT_EQ(started, std::vector<std::string>({"brevik"}));
    EXPECT_EQ(pressedWhileRunning, 1);
    EXPECT_EQ(frame->view().pressedButton(), -1) << "released";
    QTest::mouseClick(&frame->view(), Qt::LeftButton, {}, middleOf(2));
    QTest::mouseClick(&frame->view(), Qt::LeftButton, {}, middleOf(0));
    EXPECT_EQ(started, std::vector<std::string>({"brevik", "melvio", "tessaro"}));
}

TEST_F(MainFrameTest, ClickOnABorderOrBesideTheButtonsRunsNothing)
{
    makeFrame();
    QTest::mouseClick(&frame->view(), Qt::LeftButton, {}, QPoint(10, 60));
    QTest::mouseClick(&frame->view(), Qt::LeftButton, {}, QPoint(60, 82));
    QTest::mouseClick(&frame->view(), Qt::LeftButton, {}, QPoint(300, 150));
    QTest::mouseClick(&frame->view(), Qt::RightButton, {}, middleOf(1));
    EXPECT_TRUE(started.empty());
    EXPECT_TRUE(service->shown().empty());
}

TEST_F(MainFrameTest, ConfigurationButtonOpensTheSettingsSheet)
{
    makeFrame();
    QTest::mouseClick(&frame->view(), Qt::LeftButton, {}, middleOf(5));
    ASSERT_EQ(service->shown().size(), 1u);
    EXPECT_EQ(service->shown()[0].kind, QStringLiteral("CCfgPropSheet"));
    EXPECT_EQ(service->shown()[0].caption, QStringLiteral("Configuring"));
    EXPECT_EQ(service->shown()[0].answer, torvane::ui::IDCANCEL);
}

TEST_F(MainFrameTest, ForwardingAndBarringOpenNothingUntilTheirDialogsAreGiven)
{
    makeFrame();
    EXPECT_FALSE(frame->commandAction(ID_CALL_FORWARDING)->isEnabled());
    EXPECT_FALSE(frame->commandAction(ID_BARRING)->isEnabled());
    QTest::mouseClick(&frame->view(), Qt::LeftButton, {}, middleOf(3));
    EXPECT_TRUE(service->shown().empty());

    std::vector<int> opened;
    frame->setDialogEntry(ID_CALL_FORWARDING, [&](QWidget* parent) {
        EXPECT_EQ(parent, frame.get());
        opened.push_back(ID_CALL_FORWARDING);
    });
    frame->setDialogEntry(ID_BARRING, [&](QWidget*) { opened.push_back(ID_BARRING); });
    EXPECT_TRUE(frame->commandAction(ID_CALL_FORWARDING)->isEnabled());
    QTest::mouseClick(&frame->view(), Qt::LeftButton, {}, middleOf(3));
    frame->commandAction(ID_BARRING)->trigger();
    EXPECT_EQ(opened, std::vector<int>({ID_CALL_FORWARDING, ID_BARRING}));
    EXPECT_EQ(frame->view().pressedButton(), -1) << "painted anew after the dialog";
}

TEST_F(MainFrameTest, HelpWithoutItsFileSaysSo)
{
    makeFrame();
    frame->commandAction(ID_HELP_FINDER)->trigger();
    ASSERT_EQ(service->shown().size(), 1u);
    EXPECT_TRUE(service->shown()[0].text.contains(QStringLiteral("qvnpro.hlp")));
}

TEST_F(MainFrameTest, DebugSettingShowsTheHostWithItsTrace)
{
    profile.WriteProfileInt(section::Settings, value::DebugDlg, 1);
    makeFrame();
    EXPECT_TRUE(frame->debugDlg().isVisible());
    EXPECT_TRUE(frame->debugDlg().host().tracing());
}

TEST_F(MainFrameTest, HostStaysHiddenByDefault)
{
    makeFrame();
    EXPECT_FALSE(frame->debugDlg().isVisible());
    EXPECT_FALSE(frame->debugDlg().host().tracing());
}

class AppTest : public MainFrameTest {
protected:
    void TearDown() override
    {
        app.reset();
        MainFrameTest::TearDown();
    }

    std::unique_ptr<CCorvantApp> makeApp()
    {
        auto a = std::make_unique<CCorvantApp>(engine, HostTimers {}, [this](const std::string& line) {
            started.push_back(line);
            return true;
        });
        a->setPortFactory([] { return std::make_unique<FakePort>(); });
        return a;
    }

    std::unique_ptr<CCorvantApp> app;
};

TEST_F(AppTest, SecondInstanceEndsAtOnce)
{
    app = makeApp();
    ASSERT_TRUE(app->InitInstance());
    EXPECT_NE(app->mainFrame(), nullptr);
    auto second = makeApp();
    EXPECT_FALSE(second->InitInstance());
    EXPECT_EQ(second->mainFrame(), nullptr);
}

TEST_F(AppTest, BusyApplicationDropsKeysAndLeftClicks)
{
    app = makeApp();
    ASSERT_TRUE(app->InitInstance());
    CCorvantView& view = app->mainFrame()->view();
    app->mainFrame()->debugDlg().host().setReaderStart([] { return true; });

    app->setBusy(true);
    QTest::mouseClick(&view, Qt::LeftButton, {}, middleOf(1));
    QTest::mouseDClick(&view, Qt::LeftButton, {}, middleOf(2));
    EXPECT_TRUE(started.empty());

    app->setBusy(false);
    QTest::mouseClick(&view, Qt::LeftButton, {}, middleOf(1));
    EXPECT_EQ(started, std::vector<std::string>({"brevik"}));
}

TEST_F(AppTest, BusyFilterDropsOnlyInput)
{
    QKeyEvent key(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier);
    QKeyEvent keyUp(QEvent::KeyRelease, Qt::Key_A, Qt::NoModifier);
    QMouseEvent left(QEvent::MouseButtonPress, QPointF(1, 1), QPointF(1, 1), Qt::LeftButton, Qt::LeftButton, {});
    QMouseEvent right(QEvent::MouseButtonPress, QPointF(1, 1), QPointF(1, 1), Qt::RightButton, Qt::RightButton, {});
    QMouseEvent dbl(QEvent::MouseButtonDblClick, QPointF(1, 1), QPointF(1, 1), Qt::LeftButton, Qt::LeftButton, {});
    QEvent paint(QEvent::Paint);
    EXPECT_TRUE(torvane::ui::BusyInputFilter::isDroppedWhileBusy(&key));
    EXPECT_FALSE(torvane::ui::BusyInputFilter::isDroppedWhileBusy(&keyUp));
    EXPECT_TRUE(torvane::ui::BusyInputFilter::isDroppedWhileBusy(&left));
    EXPECT_FALSE(torvane::ui::BusyInputFilter::isDroppedWhileBusy(&right));
    EXPECT_TRUE(torvane::ui::BusyInputFilter::isDroppedWhileBusy(&dbl));
    EXPECT_FALSE(torvane::ui::BusyInputFilter::isDroppedWhileBusy(&paint));
}

TEST_F(AppTest, ExitRunsTheEndCommand)
{
    profile.WriteProfileString(section::Settings, value::TerminPrgTrm, "tessaro KILL");
    app = makeApp();
    ASSERT_TRUE(app->InitInstance());
    EXPECT_EQ(app->smsManager(), nullptr) << "no SMS manager until the spool exists";
    EXPECT_EQ(app->ExitInstance(), 0);
    EXPECT_EQ(started, std::vector<std::string>({"tessaro KILL"}));
}

} // namespace
