// The start-up's steps with the window layer played by a fake: what a first copy prepares, what
// a second copy and KILL do, the desktop calendar's probe, the trace boxes, a failing set-up,
// and a KILL that waits while the program is busy.
#include "organizer/mainwindow/StartUp.h"

#include "organizer/entryeditor/MobileEntryForm.h"
#include "organizer/link/ComDrv.h"
#include "organizer/link/Frontend.h"
#include "organizer/link/PublicVar.h"
#include "organizer/mainwindow/ActiveBar.h"
#include "organizer/mainwindow/MainFormControls.h"
#include "organizer/mainwindow/MainFormState.h"
#include "platform/registry/Registry.h"
#include "platform/ui/controls/ControlError.h"

#include "organizer/link/BoxRecorder.h"

#include <gtest/gtest.h>

namespace tessaro {
namespace {

class FakeHost : public StartupHost {
public:
    void loadMainWindow() override { calls << QStringLiteral("load"); }
    void startRangeNow() override { calls << QStringLiteral("rangeNow"); }
    bool otherCopyRunning(const QString& caption) override
    {
        calls << QStringLiteral("otherCopy ") + caption;
        return running;
    }
    void executeOnRunningCopy(const QString& title, const QString& command) override
    {
        calls << QStringLiteral("execute %1 %2 as %3").arg(title, command, AppTitle);
    }
    void activateRunningCopy(const QString& title) override
    {
        calls << QStringLiteral("activate %1 as %2").arg(title, AppTitle);
    }
    void armAppTimer(int ms) override { calls << QStringLiteral("arm %1").arg(ms); }
    void disarmAppTimer() override { calls << QStringLiteral("disarm"); }
    void showSplash() override { calls << QStringLiteral("splash"); }
    std::optional<OrganizerProbe> probeOrganizer() override
    {
        calls << QStringLiteral("probe");
        return organizer;
    }
    void repaintMainWindow() override
    {
        calls << QStringLiteral("repaint");
        if (failRepaint)
            throw torvane::controls::ControlError(380, QStringLiteral("Main_Form"), QStringLiteral("refused"));
    }
    void bringUpMainWindow() override { calls << QStringLiteral("bringUp"); }
    void statusWindowForProbe(bool probing) override { calls << QStringLiteral("probing %1").arg(int(probing)); }
    bool entryEditorOpen() override { return editorOpen; }
    void endProgram() override { calls << QStringLiteral("end"); }

    QStringList calls;
    bool running = false;
    bool failRepaint = false;
    bool editorOpen = false;
    std::optional<OrganizerProbe> organizer = OrganizerProbe{QStringLiteral("Torvane Calendar"), QStringLiteral("8.0")};
};

class StartUpTest : public ::testing::Test {
protected:
    void SetUp() override { reset(); }
    void TearDown() override { reset(); }
    static void reset()
    {
        resetMain_Form();
        ResetStartupState();
        ComDrvUnload();
        LanguageBase = 10000;
        CallerFlag = false;
        CallerName.clear();
        LinkBusy = FrontendBusy = false;
        RegDeleteKey(HKEY_CURRENT_USER, "Software\\Torvane\\Tessaro\\Settings");
    }

    QStringList boxTexts() const
    {
        QStringList out;
        for (const auto& b : boxes.boxes)
            out << b.text;
        return out;
    }

    FakeHost host;
    test::BoxRecorder boxes;
};

TEST_F(StartUpTest, AFirstCopyPreparesTheWindowAndStartsItSoon)
{
    EXPECT_TRUE(Main(host, QString()));
    EXPECT_EQ(host.calls, (QStringList{"otherCopy Torvane Appointments", "arm 65000", "splash", "probe", "rangeNow",
                                       "load", "repaint", "disarm", "arm 1500"}));
    EXPECT_TRUE(MainFormReady);
    EXPECT_TRUE(ResizeEnabled);
    EXPECT_TRUE(OrganizerAvailable);
    EXPECT_EQ(OrganizerName, QStringLiteral("Torvane Calendar"));
    EXPECT_EQ(HelpFile, QStringLiteral("TessaroHelpe.hlp"));
    EXPECT_EQ(CategoryNames[3], QStringLiteral("PHONE CALL"));
    EXPECT_EQ(RRuleValues[1], QStringLiteral("W1"));
    EXPECT_GT(DateColumnWidth, 0);
    EXPECT_EQ(ComDrvForm().Timer1.Interval(), 7500);
    const auto extra = Main_Form().ActiveBar1.band(band::TessaroExtraMenu);
    EXPECT_TRUE(extra.tool(tool::TessaroComSettings).isVisible());
    EXPECT_TRUE(extra.tool(tool::TessaroLanguage).isVisible());
    EXPECT_TRUE(boxes.boxes.empty());
}

TEST_F(StartUpTest, AStoredLinkTimeOutOfZeroStartsAsOneMillisecond)
{
    ASSERT_EQ(torvane::registry::writeDword(HKEY_CURRENT_USER, "Software\\Torvane\\Tessaro\\Settings", "ComTimeout", 0),
              ERROR_SUCCESS);
    EXPECT_TRUE(Main(host, QString()));
    EXPECT_EQ(ComTimeout, 1);
    EXPECT_EQ(ComDrvForm().Timer1.Interval(), 1);
}

TEST_F(StartUpTest, ASecondCopyWakesOrEndsTheFirstAndEndsItself)
{
    host.running = true;
    EXPECT_FALSE(Main(host, QStringLiteral("DEBUG")));
    EXPECT_EQ(host.calls, (QStringList{"otherCopy Torvane Appointments", "activate Tessaro as Tessaro2INST", "end"}));
    EXPECT_EQ(boxTexts(), QStringList{"Debug: App.PrevInstance = True : Tessaro"});

    reset();
    host.calls.clear();
    boxes.boxes.clear();
    EXPECT_FALSE(Main(host, QStringLiteral("debug kill")));
    EXPECT_EQ(host.calls,
              (QStringList{"otherCopy Torvane Appointments", "execute Tessaro KILL as Tessaro2INST", "end"}));
    EXPECT_EQ(boxTexts(), (QStringList{"Debug: App.PrevInstance = True : Tessaro", "Debug: GlobalCommandKill = True"}));
    EXPECT_FALSE(MainFormLoaded()) << "a second copy shows no window";
}

TEST_F(StartUpTest, KillWithNoCopyRunningEndsAtOnce)
{
    EXPECT_FALSE(Main(host, QStringLiteral("KILL")));
    EXPECT_EQ(host.calls, (QStringList{"otherCopy Torvane Appointments", "end"}));
    EXPECT_TRUE(KillFlag);
}

TEST_F(StartUpTest, AnOlderCalendarIsOfferedToBeLeftOut)
{
    host.organizer = OrganizerProbe{QStringLiteral("Old Calendar"), QStringLiteral("7.3")};
    boxes.answers = {vbNo};
    EXPECT_FALSE(Main(host, QString()));
    ASSERT_EQ(boxes.boxes.size(), 1u);
    EXPECT_EQ(boxes.boxes[0].text, QStringLiteral("PIM: Old Calendar 7.3\r\nThe existing PIM is currently not supported. "
                                                  "To you want to start without PIM?"));
    EXPECT_EQ(boxes.boxes[0].style, vbYesNo | vbExclamation);
    EXPECT_EQ(host.calls.mid(host.calls.size() - 2), (QStringList{"disarm", "end"}));

    reset();
    host.calls.clear();
    boxes.answers = {vbYes};
    EXPECT_TRUE(Main(host, QString()));
    EXPECT_FALSE(OrganizerAvailable);
    // No calendar at all, or one without a name: silently none.
    for (std::optional<OrganizerProbe> none : {std::optional<OrganizerProbe>(), std::optional(OrganizerProbe{})}) {
        reset();
        host.organizer = none;
        boxes.boxes.clear();
        EXPECT_TRUE(Main(host, QString()));
        EXPECT_FALSE(OrganizerAvailable);
        EXPECT_TRUE(boxes.boxes.empty());
    }
}

TEST_F(StartUpTest, DebugTracesEveryStepVerbatim)
{
    EXPECT_TRUE(Main(host, QStringLiteral("NOORG DEBUG")));
    EXPECT_EQ(boxTexts(), (QStringList{"Debug: NoPrevInstance", "Debug: AppTimer.Interval", "Debug: AppTimer.Enabled",
                                       "Debug: frmSplash-Aufruf", "Debug: Organizer = ???????", "Debug: RegDateCall",
                                       "Debug: RegDateCall finnished", "Debug: Main_Form.SetMenus_Click",
                                       "Debug: ActiveBar1", "Debug: ActiveBar1 finnished",
                                       "Debug: Main_Form.SetMenus_Click finnished", "Debug: Main_Form.FG",
                                       "Debug: Main_Form.FG finnished", "Debug: TIVInitListImage"}));
    EXPECT_FALSE(host.calls.contains(QStringLiteral("probe")));
    EXPECT_FALSE(OrganizerAvailable);
}

TEST_F(StartUpTest, ACallerOtherThanTheSuiteOnlyDropsTheSplash)
{
    EXPECT_TRUE(Main(host, QStringLiteral("CALLER=brevik")));
    EXPECT_FALSE(host.calls.contains(QStringLiteral("splash")));
    const auto extra = Main_Form().ActiveBar1.band(band::TessaroExtraMenu);
    EXPECT_TRUE(extra.tool(tool::TessaroComSettings).isVisible());
    EXPECT_TRUE(extra.tool(tool::TessaroLanguage).isVisible());

    reset();
    host.calls.clear();
    EXPECT_TRUE(Main(host, QStringLiteral("CALLER=QBR")));
    EXPECT_FALSE(Main_Form().ActiveBar1.band(band::TessaroExtraMenu).tool(tool::TessaroComSettings).isVisible());
    EXPECT_FALSE(Main_Form().ActiveBar1.band(band::TessaroExtraMenu).tool(tool::TessaroLanguage).isVisible());
    // With the suite as caller the window is loaded before the copy check, to hide the tool.
    EXPECT_EQ(host.calls.mid(0, 2), (QStringList{"load", "otherCopy Torvane Appointments"}));
}

TEST_F(StartUpTest, AFailedSetUpEndsTheProgramInsteadOfShowingAHalfWindowLater)
{
    host.failRepaint = true;
    EXPECT_FALSE(Main(host, QString()));
    ASSERT_EQ(boxes.boxes.size(), 1u);
    EXPECT_EQ(boxes.boxes[0].caption, QStringLiteral("An Error Occurred In: Main_Form:Main"));
    EXPECT_EQ(boxes.boxes[0].text,
              QStringLiteral("Number: 380\r\nDescription: refused\r\nLocation: Tessaro:Main"));
    EXPECT_EQ(host.calls.mid(host.calls.size() - 3), (QStringList{"repaint", "disarm", "end"}));
    EXPECT_FALSE(host.calls.contains(QStringLiteral("arm 1500")));
}

TEST_F(StartUpTest, KillIsTakenAtOnceAndCarriedOutWhenNothingIsBusy)
{
    ASSERT_TRUE(Main(host, QStringLiteral("NOORG")));
    EXPECT_FALSE(Form_LinkExecute(QStringLiteral("OPEN")));
    EXPECT_FALSE(KillPending);
    bool* flags[] = {&LinkBusy, &FrontendBusy, &CommandBusy, &EntryToolBusy, &host.editorOpen, &StartupProbeBusy};
    for (bool* busy : flags) {
        host.calls.clear();
        *busy = true;
        EXPECT_TRUE(Form_LinkExecute(QStringLiteral("Kill")));
        EXPECT_FALSE(CarryOutPendingKill(host));
        EXPECT_TRUE(KillPending);
        *busy = false;
    }
    EXPECT_TRUE(CarryOutPendingKill(host));
    EXPECT_EQ(host.calls, QStringList{"end"});
    EXPECT_FALSE(KillPending);
    EXPECT_TRUE(torvane::registry::readDword(HKEY_CURRENT_USER, "Software\\Torvane\\Tessaro\\Settings", "Width"))
        << "the copy that is killed saves its settings";
}

} // namespace
} // namespace tessaro
