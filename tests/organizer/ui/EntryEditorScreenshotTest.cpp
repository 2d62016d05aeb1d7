// The entry editor, the about window and the splash on a real X display (a virtual one under
// xvfb-run). The editor is shown twice, loaded from a phone entry as the program loads it: a
// phone call with its alarm set, and a weekly meeting. Each screenshot is saved beside the test
// binary; reference/ holds the ones a person looked at. The checks are what a user would see
// wrong: a control outside the window, a caption or a field's text cut off, a picture missing.
#include "organizer/ui/MobileEntry.h"
#include "organizer/ui/frmAbout.h"
#include "organizer/ui/frmSplash.h"

#include "organizer/link/PhoneEntry.h"
#include "organizer/link/PublicVar.h"
#include "organizer/link/TessaroStrings.h"

#include "organizer/entryeditor/MobileEntrySteps.h"

#include "platform/ui/controls/widgets/CommandBarWidget.h"
#include "support/ClippedTexts.h"
#include "support/ScreenCapture.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QTest>

#include <gtest/gtest.h>

namespace tessaro {
namespace {

using torvane::test::expectNothingClipped;

// The window shown and raised, as the screen shows it.
QImage shotOf(QWidget& window)
{
    window.show();
    window.raise();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(&window));
    return torvane::test::screenOf(window);
}

// Saves the shot beside the test; the reference a person looked at has the same size, or the
// window's layout changed since and wants looking at again.
void save(const QImage& shot, const char* name)
{
    EXPECT_TRUE(shot.save(QStringLiteral(SCREENSHOT_DIR "/") + QLatin1String(name)));
    const QImage reference(QStringLiteral(REFERENCE_DIR "/") + QLatin1String(name));
    ASSERT_FALSE(reference.isNull()) << name;
    EXPECT_EQ(reference.size(), shot.size()) << name;
}

// The share of the rectangle's pixels that differ from the window's background.
double inkShare(const QImage& shot, const QRect& area, const QColor& background)
{
    int ink = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            ink += shot.pixelColor(x, y) != background;
    return double(ink) / double(area.width() * area.height());
}

class Screenshots : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_EQ(QGuiApplication::platformName(), QStringLiteral("xcb")) << "run under xvfb-run";
        LanguageBase = LanguageEnglish;
        installMobileEntrySteps();
        owner.setGeometry(40, 40, 900, 650);
    }
    void TearDown() override
    {
        uninstallMobileEntrySteps();
        LanguageBase = LanguageEnglish;
    }

    // The phone entry the editor is opened on.
    static void openOn(int kind, const QString& text, bool alarm, VbDate start, const QString& rule)
    {
        ClearCurrentEntry();
        PhoneEntry& e = CurrentEntry;
        e.Location = QStringLiteral("3");
        e.LocationIndex = 3;
        Flag16* kinds[] = {&e.IsMemo, &e.IsMeeting, &e.IsAnniversary, &e.IsPhoneCall};
        *kinds[kind] = FlagTrue;
        e.Description = e.DisplayText = text;
        e.StartTime = start;
        e.DAlarmSet = alarm ? FlagTrue : FlagFalse;
        e.IsSerie = rule.isEmpty() ? FlagFalse : FlagTrue;
        e.RRule = rule;
    }

    void expectPictureAt(const MobileEntry& editor, const QImage& shot, const QString& name)
    {
        const QWidget* w = editor.findChild<QWidget*>(name);
        ASSERT_NE(w, nullptr) << name.toStdString();
        const QRect r(w->mapTo(&editor, QPoint(0, 0)), w->size());
        EXPECT_GT(inkShare(shot, r, editor.palette().color(QPalette::Window)), 0.2) << name.toStdString();
    }

    QWidget owner;
};

TEST_F(Screenshots, PhoneCallWithAlarm)
{
    openOn(EntryTypePhoneCall, QStringLiteral("+49170123456789012345"), true, makeVbDate(2024, 6, 4, 9, 30), {});
    MobileEntry editor(&owner);
    EXPECT_EQ(editor.form().tool(QStringLiteral("EntryStart")).text(), QStringLiteral("Tue 04.06.24"));
    const QImage shot = shotOf(editor);
    save(shot, "entry_phonecall.png");
    expectNothingClipped(editor);
    for (int i = 0; i < 4; ++i)
        expectPictureAt(editor, shot, QStringLiteral("EntryOptionImages(%1)").arg(i));
    expectPictureAt(editor, shot, QStringLiteral("EntryAlarmImage"));
    EXPECT_TRUE(editor.findChild<QAbstractButton*>(QStringLiteral("EntryOptions(3)"))->isChecked());
    EXPECT_TRUE(editor.findChild<QAbstractButton*>(QStringLiteral("EntryAlarm"))->isChecked());
    EXPECT_FALSE(editor.findChild<QWidget*>(QStringLiteral("EntryOptions(4)"))->isVisible());
    EXPECT_FALSE(editor.findChild<QWidget*>(QStringLiteral("StartCalendarFrame"))->isVisible());
}

TEST_F(Screenshots, WeeklyMeetingInGerman)
{
    LanguageBase = LanguageGerman;
    openOn(EntryTypeMeeting, QStringLiteral("Teambesprechung"), false, makeVbDate(2024, 6, 3, 14, 0),
           QStringLiteral("W1"));
    MobileEntry editor(&owner);
    const QImage shot = shotOf(editor);
    save(shot, "entry_weekly.png");
    expectNothingClipped(editor);
    const auto* periode = editor.findChild<QComboBox*>(QStringLiteral("EntryPeriode"));
    ASSERT_NE(periode, nullptr);
    EXPECT_TRUE(periode->isEnabled());
    EXPECT_EQ(periode->currentText(), QStringLiteral("wöchentlich"));
}

TEST_F(Screenshots, ThePickerOfTheStartDate)
{
    openOn(EntryTypeMemo, QStringLiteral("Harvest festival"), false, makeVbDate(2029, 9, 26, 18, 0), {});
    MobileEntry editor(&owner);
    shotOf(editor);
    const auto tools = editor.form().ActiveBar1.band(QStringLiteral("EntryTools"));
    editor.bar()->action(tools.tool(QStringLiteral("EntryCalendar")))->trigger();
    QWidget* frame = editor.findChild<QWidget*>(QStringLiteral("StartCalendarFrame"));
    ASSERT_TRUE(frame && frame->isVisible());
    const QRect picker(frame->mapTo(&editor, QPoint(0, 0)), frame->size());
    save(torvane::test::screenOf(editor).copy(picker), "entry_picker.png");
    expectNothingClipped(*frame);
}

TEST_F(Screenshots, AboutAndSplash)
{
    frmAbout about(nullptr, ProgramVersion {3, 0, 0});
    const QImage aboutShot = shotOf(about);
    save(aboutShot, "about.png");
    expectNothingClipped(about);
    about.close();

    frmSplash* splash = ShowSplash(ProgramVersion {3, 0, 0});
    const QImage splashShot = shotOf(*splash);
    save(splashShot, "splash.png");
    expectNothingClipped(*splash);
    for (const QLabel* label : splash->findChildren<QLabel*>()) {
        if (!label->text().isEmpty()) {
            EXPECT_LE(label->heightForWidth(label->width()), label->height()) << label->objectName().toStdString();
        }
    }
    UnloadSplash();
}

} // namespace
} // namespace tessaro

int main(int argc, char** argv)
{
    // The test runs under xvfb-run on the X platform, whatever the test environment says.
    qputenv("QT_QPA_PLATFORM", "xcb");
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
