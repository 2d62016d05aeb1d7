// The organizer's main window on a real X display (a virtual one under xvfb-run), started against
// the simulated phone in English and German, with and without the desktop calendar. Each
// screenshot is saved beside the test binary; reference/ holds the ones a person looked at.
#include "TessaroAppFixture.h"

#include "organizer/daterange/Calendar.h"
#include "organizer/link/MainWindowSeams.h"
#include "organizer/link/MobileStatus.h"
#include "organizer/mainwindow/ActiveBar.h"
#include "organizer/ui/MainWindow.h"

#include "platform/registry/Registry.h"
#include "platform/ui/locale/LocaleService.h"
#include "platform/ui/controls/widgets/CommandBarWidget.h"
#include "platform/ui/controls/widgets/GridWidget.h"
#include "platform/ui/controls/widgets/StatusBarWidget.h"
#include "support/ClippedTexts.h"
#include "support/ScreenCapture.h"

#include <QAction>
#include <QApplication>
#include <QFontInfo>
#include <QTest>
#include <QToolBar>

namespace tessaro::test {
namespace {

using namespace std::chrono_literals;
namespace controls = torvane::controls;
using torvane::test::differingShare;
using torvane::test::screenOf;

struct Look {
    bool german;
    bool calendar;
    const char* file;
};

// The share of pixels of `area` whose colour is not `background`.
double inkShare(const QImage& shot, const QRect& area, const QColor& background)
{
    int ink = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            ink += shot.pixelColor(x, y) != background;
    return area.isEmpty() ? 0 : double(ink) / double(area.width() * area.height());
}

// A locale whose date and time pictures give the date column the same width on every day.
class FixedLocale : public torvane::LocaleService {
public:
    std::optional<QString> localeInfo(unsigned item, int&) override
    {
        switch (item) {
        case torvane::LOCALE_SSHORTDATE:
            return QStringLiteral("dd.MM.yy");
        case torvane::LOCALE_STIMEFORMAT:
            return QStringLiteral("HH:mm:ss");
        case torvane::LOCALE_SDATE:
            return QStringLiteral(".");
        default:
            return QStringLiteral(":");
        }
    }
};

// The organizer with the fixed locale.
class ScreenshotTest : public TessaroAppTest {
protected:
    void SetUp() override
    {
        TessaroAppTest::SetUp();
        torvane::setLocaleService(&m_locale);
    }
    void TearDown() override
    {
        TessaroAppTest::TearDown();
        torvane::setLocaleService(nullptr);
    }

    // The organizer up in the language, against the simulated phone.
    ::testing::AssertionResult startIn(bool german, const QString& commandLine)
    {
        if (torvane::registry::writeDword(HKEY_CURRENT_USER, "Software\\Torvane\\Tessaro\\Settings", "Language",
                                          german ? 20000 : 10000) != ERROR_SUCCESS)
            return ::testing::AssertionFailure() << "no settings";
        if (!startPhone() || !startOrganizer(commandLine) || !waitUntilUp())
            return ::testing::AssertionFailure() << "the organizer did not come up";
        return ::testing::AssertionSuccess();
    }

private:
    FixedLocale m_locale;
};

class MainWindowScreenshot : public ScreenshotTest, public ::testing::WithParamInterface<Look> {};

TEST_P(MainWindowScreenshot, ShowsEveryControlWhereItsLayoutPutsIt)
{
    ASSERT_EQ(QGuiApplication::platformName(), QStringLiteral("xcb")) << "run under xvfb-run";
    const Look& look = GetParam();
    ASSERT_TRUE(startIn(look.german, look.calendar ? QString() : QStringLiteral("NOORG")));
    for (const auto& box : boxes())
        ADD_FAILURE() << box.caption.toStdString() << ": " << box.text.toStdString();
    MainWindow& window = *app->window();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    EXPECT_EQ(window.windowTitle(), look.german ? QStringLiteral("Torvane Termine") : QStringLiteral("Torvane Appointments"));

    auto* phoneGrid = window.findChild<controls::GridWidget*>(QStringLiteral("FG1(0)"));
    auto* pcGrid = window.findChild<controls::GridWidget*>(QStringLiteral("FG2(0)"));
    auto* status = window.findChild<controls::StatusBarWidget*>();
    ASSERT_TRUE(phoneGrid && pcGrid && status);
    const auto inWindow = [&](QWidget* w, const QRect& r) { return QRect(w->mapTo(&window, r.topLeft()), r.size()); };
    const QColor button = window.palette().color(QPalette::Button);

    // The status bar's panels take their new texts' widths once the layout has run.
    QWidget* mobilePanel = status->panelWidget(1);
    ASSERT_TRUE(mobilePanel);
    EXPECT_TRUE(waitFor([&] { return mobilePanel->width() >= mobilePanel->sizeHint().width(); }, 10s))
        << "the phone's name is cut: " << mobilePanel->width() << " of " << mobilePanel->sizeHint().width();
    // The screen once it shows what the window painted (the status window that was just closed
    // has gone from it by then).
    const QImage shot = screenOf(window);
    ASSERT_TRUE(shot.save(QStringLiteral(SCREENSHOT_DIR "/") + QLatin1String(look.file)));
    // The reference a person looked at shows the same window, or the layout changed since and
    // wants looking at again.
    const QImage reference(QStringLiteral(REFERENCE_DIR "/") + QLatin1String(look.file));
    ASSERT_FALSE(reference.isNull()) << look.file;
    EXPECT_EQ(reference.size(), shot.size()) << look.file;
    EXPECT_LT(differingShare(reference, shot), 0.02) << look.file;
    EXPECT_GT(inkShare(shot, inWindow(phoneGrid, phoneGrid->cellRect(0, 9)).adjusted(2, 2, -2, -2), button), 0.02)
        << "the phone grid's header";

    EXPECT_EQ(GridFontName, QStringLiteral("Courier New"));
    EXPECT_TRUE(QFontInfo(QFont(GridFontName)).fixedPitch());

    // The grids, their arrows and the status bar lie inside the window, nothing cut off.
    const QRect client = window.rect();
    EXPECT_TRUE(client.contains(inWindow(phoneGrid, phoneGrid->rect())));
    EXPECT_EQ(pcGrid->isVisible(), look.calendar);
    if (look.calendar) {
        EXPECT_TRUE(client.contains(inWindow(pcGrid, pcGrid->rect())));
        EXPECT_GT(inkShare(shot, inWindow(pcGrid, pcGrid->cellRect(0, 4)).adjusted(2, 2, -2, -2), button), 0.02);
    }
    for (const char* name : {"ImageMobile2PC", "ImagePC2Mobile"}) {
        QWidget* arrow = window.findChild<QWidget*>(QLatin1String(name));
        ASSERT_TRUE(arrow) << name;
        const bool shown = look.calendar || QLatin1String(name) == QLatin1String("ImageMobile2PC");
        EXPECT_EQ(arrow->isVisible(), shown) << name;
        if (shown) {
            EXPECT_TRUE(client.contains(inWindow(arrow, arrow->rect()))) << name;
            EXPECT_GT(inkShare(shot, inWindow(arrow, arrow->rect()), window.palette().color(QPalette::Window)), 0.3)
                << name;
        }
    }
    EXPECT_EQ(inWindow(status, status->rect()).bottom(), client.bottom());
    EXPECT_GT(inkShare(shot, inWindow(mobilePanel, mobilePanel->rect()).adjusted(3, 3, -3, -3),
                       window.palette().color(QPalette::Window)),
              0.03)
        << "the phone's name";
    // The calendar's tools on the toolbar only with the calendar.
    QToolBar* tools = window.bar()->toolBar(QStringLiteral("TessaroTools"));
    ASSERT_TRUE(tools);
    const auto calendarTool = Main_Form().ActiveBar1.band(band::TessaroTools).tool(tool::TessaroCalendar);
    EXPECT_EQ(window.bar()->action(calendarTool)->isVisible(), look.calendar);
    EXPECT_GT(inkShare(shot, inWindow(tools, tools->rect()), window.palette().color(QPalette::Window)), 0.05);
}

INSTANTIATE_TEST_SUITE_P(Looks, MainWindowScreenshot,
                         ::testing::Values(Look{false, true, "tessaro_main_en_calendar.png"},
                                           Look{true, true, "tessaro_main_de_calendar.png"},
                                           Look{false, false, "tessaro_main_en.png"},
                                           Look{true, false, "tessaro_main_de.png"}));

TEST_F(ScreenshotTest, ShowsBothSidesReadWithTheirMarks)
{
    ASSERT_EQ(QGuiApplication::platformName(), QStringLiteral("xcb")) << "run under xvfb-run";
    // Tomorrow: the dentist on both sides, the theatre only on the phone, yoga only in the calendar.
    const QDate tomorrow = QDate::currentDate().addDays(1);
    putOnPhone(1, tomorrow, 9, "Dentist");
    putOnPhone(2, tomorrow, 19, "Theatre");
    putInCalendar({{QDateTime(tomorrow, QTime(9, 0)), "Dentist"}, {QDateTime(tomorrow, QTime(18, 0)), "Yoga"}});
    ASSERT_TRUE(startPhone());
    ASSERT_TRUE(startOrganizer(QString()));
    ASSERT_TRUE(waitUntilUp());
    readBothSides();
    for (const auto& box : boxes())
        ADD_FAILURE() << box.caption.toStdString() << ": " << box.text.toStdString();
    MainWindow& window = *app->window();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    auto* phoneGrid = window.findChild<controls::GridWidget*>(QStringLiteral("FG1(%1)").arg(ActiveGridIndexFG1));
    auto* pcGrid = window.findChild<controls::GridWidget*>(QStringLiteral("FG2(%1)").arg(ActiveGridIndexFG2));
    ASSERT_TRUE(phoneGrid && pcGrid);
    // The status window of the reads has gone and the panels hold their new texts.
    ASSERT_TRUE(waitFor([&] { return !app->statusWindow().isLoaded(); }, 10s));
    const QImage shot = screenOf(window);
    const QString file = QStringLiteral("tessaro_main_both_read.png");
    ASSERT_TRUE(shot.save(QStringLiteral(SCREENSHOT_DIR "/") + file));
    const QImage reference(QStringLiteral(REFERENCE_DIR "/") + file);
    ASSERT_FALSE(reference.isNull());
    EXPECT_EQ(reference.size(), shot.size());
    EXPECT_LT(differingShare(reference, shot), 0.02);

    // Each entry row shows its mark's pictogram.
    for (auto* grid : {phoneGrid, pcGrid})
        for (int row : {2, 3})
            EXPECT_GT(inkShare(shot, QRect(grid->mapTo(&window, grid->cellRect(row, ColSyncPicture).topLeft()),
                                           grid->cellRect(row, ColSyncPicture).size()).adjusted(2, 2, -2, -2),
                               Qt::white),
                      0.05)
                << grid->objectName().toStdString() << " row " << row;
}

class PickerScreenshot : public ScreenshotTest, public ::testing::WithParamInterface<Look> {};

TEST_P(PickerScreenshot, ShowsEveryTextWholeAtItsDesignedSize)
{
    ASSERT_EQ(QGuiApplication::platformName(), QStringLiteral("xcb")) << "run under xvfb-run";
    const Look& look = GetParam();
    ASSERT_TRUE(startIn(look.german, QString()));
    // A range that starts on a Wednesday of September: the longest names of their kinds.
    RangeStart = makeVbDate(2031, 9, 24);
    controls::CommandBar& bar = Main_Form().ActiveBar1;
    bar.activate(bar.band(band::TessaroTools).tool(tool::TessaroCalendar));
    MainWindow& window = *app->window();
    QWidget* frame = window.findChild<QWidget*>(QStringLiteral("StartCalendarFrame"));
    ASSERT_TRUE(frame && frame->isVisible());
    EXPECT_EQ(frame->size(), QSize(5880 / 15, 2400 / 15));
    EXPECT_EQ(Main_Form().StartDateText.text(), QStringLiteral("Wed 24.09.31"));
    const QImage shot = screenOf(window).copy(QRect(frame->mapTo(&window, QPoint(0, 0)), frame->size()));
    ASSERT_TRUE(shot.save(QStringLiteral(SCREENSHOT_DIR "/") + QLatin1String(look.file)));
    const QImage reference(QStringLiteral(REFERENCE_DIR "/") + QLatin1String(look.file));
    ASSERT_FALSE(reference.isNull()) << look.file;
    EXPECT_EQ(reference.size(), shot.size());
    EXPECT_LT(differingShare(reference, shot), 0.02);
    torvane::test::expectNothingClipped(*frame);
    EXPECT_TRUE(boxes().empty());
}

INSTANTIATE_TEST_SUITE_P(Languages, PickerScreenshot,
                         ::testing::Values(Look{false, true, "tessaro_picker_en.png"},
                                           Look{true, true, "tessaro_picker_de.png"}));

} // namespace
} // namespace tessaro::test

int main(int argc, char** argv)
{
    // The test runs under xvfb-run on the X platform, whatever the test environment says.
    qputenv("QT_QPA_PLATFORM", "xcb");
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
