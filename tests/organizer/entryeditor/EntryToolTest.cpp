// The entry editor's toolbar commands on a scripted link: what each tool runs, with the link
// open or not, the alarm question, when the window closes, and a click that arrives while a
// command still waits for the phone.
#include "organizer/entryeditor/MobileEntryForm.h"
#include "organizer/entryeditor/MobileEntrySteps.h"

#include "organizer/link/ComDrv.h"
#include "organizer/link/MessageBox.h"
#include "organizer/link/OrgError.h"
#include "organizer/link/PhoneEntry.h"
#include "organizer/link/PublicVar.h"
#include "organizer/link/TessaroStrings.h"

#include "organizer/entryeditor/RecordingSteps.h"
#include "organizer/link/LinkFixture.h"
#include "organizer/link/MainWindowFakes.h"
#include "organizer/link/QtPrinters.h"

#include <gtest/gtest.h>

namespace tessaro {
namespace {

using controls::Tool;

class EntryToolTest : public test::ScriptedLinkTest {
protected:
    void SetUp() override
    {
        ScriptedLinkTest::SetUp();
        EntryToolBusy = false;
        ClearCurrentEntry();
        ShortDateFormat = QStringLiteral("dd.mm.yy");
        answerHandshake();
        form.Form_Load(QRectF(0, 0, 12000, 9000));
        QObject::connect(&form, &MobileEntryForm::unloadRequested, [this] { ++unloads; });
        steps.calls.clear();
        main.calls.clear();
    }
    void TearDown() override
    {
        EntryToolBusy = false;
        ScriptedLinkTest::TearDown();
    }

    // A tool as the user clicks it: in the toolbar, or in its menu for help and about.
    Tool toolbarTool(const QString& name) const
    {
        const controls::Band tools = form.ActiveBar1.band(QStringLiteral("EntryTools"));
        for (int i = 0; i < tools.toolCount(); ++i)
            if (tools.tool(i).name() == name)
                return tools.tool(i);
        return form.ActiveBar1.band(QStringLiteral("Help")).tool(name);
    }
    void click(const QString& name) { form.HandleEntryTool(toolbarTool(name)); }

    bool toolsOff() const
    {
        return !form.ActiveBar1.band(QStringLiteral("MainMenu")).tool(QStringLiteral("mnuEntry")).isEnabled()
               && !form.EntryDescriptionText.isEnabled() && !form.EntryAlarm.isEnabled();
    }
    int statusRefreshes() const { return int(main.callsStartingWith(QStringLiteral("SetMenus_Click")).size()); }
    const test::ShownBox* boxWithText(const QString& text) const
    {
        for (const auto& b : boxes.boxes)
            if (b.text == text)
                return &b;
        return nullptr;
    }

    test::FakeMainWindow main;
    test::RecordingSteps steps;
    MobileEntryForm form;
    int unloads = 0;
};

TEST_F(EntryToolTest, SaveRunsWithTheToolsOffAndTheLinkOpenThenClosesTheEditor)
{
    bool busy = false, off = false, open = false, hourglass = false;
    steps.during = [&](const QString& step, MobileEntryForm& f) {
        if (step != QLatin1String("SaveMobileEntry"))
            return;
        busy = EntryToolBusy;
        off = toolsOff();
        open = port->isOpen;
        hourglass = f.Form.mousePointer() == editor::PointerHourglass;
    };
    click(QStringLiteral("EntrySave"));

    EXPECT_EQ(steps.calls, QStringList({QStringLiteral("CheckEntryAlarm"), QStringLiteral("SaveMobileEntry")}));
    EXPECT_TRUE(busy && off && open && hourglass);
    EXPECT_FALSE(port->isOpen) << "the link is closed after the save";
    EXPECT_FALSE(EntryToolBusy);
    EXPECT_FALSE(toolsOff());
    EXPECT_EQ(form.Form.mousePointer(), editor::PointerDefault);
    EXPECT_EQ(unloads, 1);
    EXPECT_EQ(statusRefreshes(), 1);
}

class AlarmInThePast : public EntryToolTest, public ::testing::WithParamInterface<int> {};

TEST_P(AlarmInThePast, SaveAsksAndYesSavesWithoutTheAlarmWhileNoSavesNothing)
{
    const bool yes = GetParam() == vbYes;
    steps.alarmAccepted = false;
    form.EntryAlarm.setValue(1);
    boxes.answers.push_back(GetParam());
    click(QStringLiteral("EntrySave"));

    const test::ShownBox* question = boxWithText(LangText(158));
    ASSERT_NE(question, nullptr);
    EXPECT_EQ(question->style, vbYesNo | vbExclamation);
    EXPECT_EQ(question->caption, AppTitle);
    EXPECT_EQ(steps.calls.contains(QStringLiteral("SaveMobileEntry")), yes);
    EXPECT_EQ(form.EntryAlarm.value(), yes ? 0 : 1);
    EXPECT_FALSE(port->isOpen);
    EXPECT_EQ(unloads, 1);
}

INSTANTIATE_TEST_SUITE_P(Answers, AlarmInThePast, ::testing::Values(vbYes, vbNo));

class WithoutLink : public EntryToolTest, public ::testing::WithParamInterface<const char*> {};

TEST_P(WithoutLink, SaveOrDeletePutTheFieldsBackAndCloseTheEditor)
{
    port->openResult = [] { return SerialBackend::OpenStatus::NotFound; };
    click(QString::fromLatin1(GetParam()));
    EXPECT_EQ(steps.calls, QStringList({QStringLiteral("PreSetMobileEntryForm")}));
    EXPECT_FALSE(boxes.boxes.empty()) << "the link reports its failure itself";
    EXPECT_EQ(unloads, 1);
    EXPECT_FALSE(EntryToolBusy);
}

INSTANTIATE_TEST_SUITE_P(Tools, WithoutLink, ::testing::Values("EntrySave", "EntryDelete"));

TEST_F(EntryToolTest, DeleteClosesTheEditorOnlyWhenTheEntryWasDeleted)
{
    steps.deleted = false;
    click(QStringLiteral("EntryDelete"));
    EXPECT_EQ(steps.calls, QStringList({QStringLiteral("EntryDelete_Click")}));
    EXPECT_EQ(unloads, 0);
    EXPECT_FALSE(port->isOpen);

    steps.deleted = true;
    click(QStringLiteral("EntryDelete"));
    EXPECT_EQ(unloads, 1);
}

TEST_F(EntryToolTest, SerieHelpAndAboutRunWithoutTheLink)
{
    QStringList shown;
    QObject::connect(&form, &MobileEntryForm::helpRequested, [&](const QString& file) { shown << file; });
    QObject::connect(&form, &MobileEntryForm::aboutRequested, [&] { shown << QStringLiteral("about"); });
    click(QStringLiteral("EntrySerie"));
    click(QStringLiteral("EntryHelp"));
    LanguageBase = LanguageGerman;
    click(QStringLiteral("EntryHelp"));
    click(QStringLiteral("EntryAbout"));

    EXPECT_EQ(steps.calls, QStringList({QStringLiteral("SwitchEntrySerie")}));
    EXPECT_EQ(shown, QStringList({QStringLiteral("TessaroHelpe.hlp"), QStringLiteral("TessaroHelpd.hlp"),
                                  QStringLiteral("about")}));
    EXPECT_TRUE(port->openTimes.empty());
    EXPECT_EQ(unloads, 0);
    EXPECT_EQ(statusRefreshes(), 4);
}

struct PickerCase {
    QString start;
    QDate day;
};

class CalendarTool : public EntryToolTest, public ::testing::WithParamInterface<PickerCase> {};

TEST_P(CalendarTool, OpensThePickerOnTheStartDateAndASecondClickClosesIt)
{
    const PickerCase& c = GetParam();
    form.TIVStartCalendar.setValue(QDate(2024, 6, 4));
    form.tool(QStringLiteral("EntryStart")).setText(c.start);
    click(QStringLiteral("EntryCalendar"));
    EXPECT_EQ(steps.calls, QStringList({QStringLiteral("CalendarFrameSet 0 0 2400 2100")}));
    EXPECT_EQ(form.TIVStartCalendar.value(), c.day);
    EXPECT_EQ(form.PickerStartText, form.TIVStartCalendar.text(PickerStartPicture()));

    form.TIVStartCalendar.setVisible(true); // as the shown picker is
    click(QStringLiteral("EntryCalendar"));
    EXPECT_EQ(steps.calls.last(), QStringLiteral("TIVStartCalendar_LostFocus"));
    EXPECT_EQ(unloads, 0);
}

INSTANTIATE_TEST_SUITE_P(StartTexts, CalendarTool,
                         ::testing::Values(PickerCase {QStringLiteral("Fri 24.12.99"), QDate(1999, 12, 24)},
                                           PickerCase {QStringLiteral("25.12.99"), QDate(1999, 12, 25)},
                                           PickerCase {QStringLiteral("next week"), QDate(2024, 6, 4)}));

// The phone's answers take a while; the link lets window events run meanwhile, so the user may
// click the toolbar again. Such a click must neither run, nor close the editor under the save,
// nor touch the busy flag.
class ClickDuringSave : public EntryToolTest, public ::testing::WithParamInterface<const char*> {};

TEST_P(ClickDuringSave, DoesNothing)
{
    int unloadsDuring = -1;
    bool busyAfter = false;
    int refreshesDuring = -1;
    steps.during = [&](const QString& step, MobileEntryForm& f) {
        if (step != QLatin1String("SaveMobileEntry"))
            return;
        f.HandleEntryTool(toolbarTool(QString::fromLatin1(GetParam())));
        unloadsDuring = unloads;
        busyAfter = EntryToolBusy;
        refreshesDuring = statusRefreshes();
    };
    click(QStringLiteral("EntrySave"));

    EXPECT_EQ(unloadsDuring, 0);
    EXPECT_TRUE(busyAfter);
    EXPECT_EQ(refreshesDuring, 0);
    EXPECT_EQ(steps.calls, QStringList({QStringLiteral("CheckEntryAlarm"), QStringLiteral("SaveMobileEntry")}));
    EXPECT_EQ(port->openTimes.size(), 1u);
    EXPECT_EQ(unloads, 1) << "the save itself still closes the editor";
    EXPECT_FALSE(toolsOff());
}

INSTANTIATE_TEST_SUITE_P(Tools, ClickDuringSave,
                         ::testing::Values("EntrySave", "EntryDelete", "EntrySerie", "EntryCalendar"));

TEST_F(EntryToolTest, AFailingStepIsReportedAndLeavesTheEditorOpenAndUsable)
{
    steps.during = [&](const QString& step, MobileEntryForm&) {
        if (step == QLatin1String("SaveMobileEntry"))
            throw OrgError(ErrTimeout, QStringLiteral("SendSingleEntry"), LangText(TxtTimeout));
    };
    click(QStringLiteral("EntrySave"));

    ASSERT_FALSE(boxes.boxes.empty());
    EXPECT_EQ(boxes.boxes.back().caption, QStringLiteral("An Error Occurred In: SendSingleEntry:HandleEntryTool"));
    EXPECT_EQ(unloads, 0);
    EXPECT_FALSE(EntryToolBusy);
    EXPECT_FALSE(toolsOff());
    EXPECT_FALSE(port->isOpen);
    EXPECT_EQ(form.Form.mousePointer(), editor::PointerDefault);
}

} // namespace
} // namespace tessaro
