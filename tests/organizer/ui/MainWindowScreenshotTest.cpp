// The organizer's main window on a real X display (a virtual one under xvfb-run), started against
// the simulated phone in English and German, with and without the desktop calendar, and its range
// picker; the real program on that display, which has no window manager. Each screenshot is
// saved beside the test binary; reference/ holds the ones a person looked at.
#include "TessaroAppFixture.h"

#include "organizer/daterange/Calendar.h"
#include "organizer/link/MainWindowSeams.h"
#include "organizer/link/MobileStatus.h"
#include "organizer/link/QtPrinters.h"
#include "organizer/mainwindow/ActiveBar.h"
#include "organizer/ui/MainWindow.h"

#include "platform/registry/Registry.h"
#include "platform/ui/locale/LocaleService.h"
#include "platform/ui/controls/widgets/CommandBarWidget.h"
#include "platform/ui/controls/widgets/GridWidget.h"
#include "platform/ui/controls/widgets/StatusBarWidget.h"
#include "support/ClippedTexts.h"
#include "support/PeerProcess.h"
#include "support/ScreenCapture.h"

#include <QAction>
#include <QApplication>
#include <QFontInfo>
#include <QPushButton>
#include <QTest>
#include <QToolBar>

#include <xcb/xcb.h>

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
    const char* picker = nullptr;
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

private:
    FixedLocale m_locale;
};

class MainWindowScreenshot : public ScreenshotTest, public ::testing::WithParamInterface<Look> {};

TEST_P(MainWindowScreenshot, ShowsEveryControlWhereItsLayoutPutsIt)
{
    ASSERT_EQ(QGuiApplication::platformName(), QStringLiteral("xcb")) << "run under xvfb-run";
    const Look& look = GetParam();
    ASSERT_EQ(torvane::registry::writeDword(HKEY_CURRENT_USER, "Software\\Torvane\\Tessaro\\Settings", "Language",
                                            look.german ? 20000 : 10000),
              ERROR_SUCCESS);
    ASSERT_TRUE(startPhone());
    ASSERT_TRUE(startOrganizer(look.calendar ? QString() : QStringLiteral("NOORG")));
    ASSERT_TRUE(waitUntilUp());
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
    if (!look.picker)
        return;

    // The range picker at its designed size on a range that starts on a Wednesday of September
    // (the longest names of their kinds) shows every text whole.
    RangeStart = makeVbDate(2031, 9, 24);
    Main_Form().ActiveBar1.activate(calendarTool);
    QWidget* frame = window.findChild<QWidget*>(QStringLiteral("StartCalendarFrame"));
    ASSERT_TRUE(frame && frame->isVisible());
    EXPECT_EQ(frame->size(), QSize(5880 / 15, 2400 / 15));
    EXPECT_EQ(Main_Form().StartDateText.text(), QStringLiteral("Wed 24.09.31"));
    // Its buttons speak the language the organizer started in.
    QStringList buttons;
    for (const QPushButton* button : frame->findChildren<QPushButton*>())
        buttons << button->text();
    EXPECT_EQ(buttons, (QStringList{"OK", look.german ? "abbrechen" : "cancel"}));
    const QImage picker = screenOf(window).copy(inWindow(frame, frame->rect()));
    ASSERT_TRUE(picker.save(QStringLiteral(SCREENSHOT_DIR "/") + QLatin1String(look.picker)));
    EXPECT_LT(differingShare(QImage(QStringLiteral(REFERENCE_DIR "/") + QLatin1String(look.picker)), picker), 0.02);
    torvane::test::expectNothingClipped(*frame);
}

INSTANTIATE_TEST_SUITE_P(Looks, MainWindowScreenshot,
                         ::testing::Values(Look{false, true, "tessaro_main_en_calendar.png", "tessaro_picker_en.png"},
                                           Look{true, true, "tessaro_main_de_calendar.png", "tessaro_picker_de.png"},
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
    controls::CommandBar& bar = Main_Form().ActiveBar1;
    bar.activate(bar.band(band::TessaroTools).tool(tool::TessaroReadMobile));
    bar.activate(bar.band(band::TessaroTools).tool(tool::TessaroReadOrganizer));
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

// The real program's main window: without a window manager the programs' windows are the root's
// children. Found while it is the one mapped window with the caption (the start-up's status
// window has gone).
std::pair<xcb_window_t, QRect> organizerWindow(xcb_connection_t* x)
{
    const auto owned = [](auto* reply) {
        return std::unique_ptr<std::remove_pointer_t<decltype(reply)>, void (*)(void*)>(reply, &std::free);
    };
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(x)).data->root;
    const auto tree = owned(xcb_query_tree_reply(x, xcb_query_tree(x, root), nullptr));
    std::vector<std::pair<xcb_window_t, QRect>> found;
    for (int i = 0; tree && i < xcb_query_tree_children_length(tree.get()); ++i) {
        const xcb_window_t w = xcb_query_tree_children(tree.get())[i];
        const auto shown = owned(xcb_get_window_attributes_reply(x, xcb_get_window_attributes(x, w), nullptr));
        const auto title = owned(xcb_get_property_reply(
            x, xcb_get_property(x, 0, w, XCB_ATOM_WM_NAME, XCB_GET_PROPERTY_TYPE_ANY, 0, 64), nullptr));
        const auto at = owned(xcb_get_geometry_reply(x, xcb_get_geometry(x, w), nullptr));
        if (shown && shown->map_state == XCB_MAP_STATE_VIEWABLE && title && at &&
            QByteArray(static_cast<const char*>(xcb_get_property_value(title.get())),
                       xcb_get_property_value_length(title.get())) == "Torvane Appointments")
            found.push_back({w, QRect(at->x, at->y, at->width, at->height)});
    }
    return found.size() == 1 ? found.front() : std::pair<xcb_window_t, QRect>();
}

// Where the grids' white entry cells end, right and bottom, in the window: the last pixels white
// with white two pixels around (the status bar's white lines are thin).
QPoint gridsEnd(const QRect& window)
{
    const QImage shot = QGuiApplication::primaryScreen()
                            ->grabWindow(0, window.x(), window.y(), window.width(), window.height())
                            .toImage();
    const auto white = [&](int x, int y) { return shot.pixel(x, y) == 0xffffffff; };
    QPoint end(-1, -1);
    for (int y = 2; y + 2 < shot.height(); ++y)
        for (int x = 2; x + 2 < shot.width(); ++x)
            if (white(x, y) && white(x, y - 2) && white(x, y + 2) && white(x - 2, y) && white(x + 2, y))
                end = QPoint(std::max(end.x(), x), std::max(end.y(), y));
    return end;
}

// Where no window manager takes the start-up's request to minimize, the real organizer's window
// stays on screen and is laid out as shown there: its grids fill it, and they grow with a drag
// of its corner (from outside, width and height at once).
TEST_F(ScreenshotTest, WithoutAWindowManagerTheProgramsWindowIsLaidOutAndFollowsTheUsersDrag)
{
    ASSERT_EQ(QGuiApplication::platformName(), QStringLiteral("xcb")) << "run under xvfb-run";
    ASSERT_TRUE(startPhone());
    const QString boxLog = qEnvironmentVariable("TORVANE_TEST_TMP") + QStringLiteral("/program-boxes.log");
    setenv("TORVANE_UI_SCRIPT", "/dev/null", 1);
    setenv("TORVANE_UI_LOG", boxLog.toLocal8Bit().constData(), 1);
    torvane::test::PeerProcess organizer(TESSARO_PROGRAM);
    const std::unique_ptr<xcb_connection_t, void (*)(xcb_connection_t*)> x(xcb_connect(nullptr, nullptr),
                                                                            xcb_disconnect);
    const auto drag = [&](QSize size) {
        const std::uint32_t values[] = {std::uint32_t(size.width()), std::uint32_t(size.height())};
        const std::uint16_t sides = XCB_CONFIG_WINDOW_WIDTH | XCB_CONFIG_WINDOW_HEIGHT;
        xcb_configure_window(x.get(), organizerWindow(x.get()).first, sides, values);
        xcb_flush(x.get());
    };
    // Up once its start-up has asked the phone who it is and let the port go.
    ASSERT_TRUE(waitFor([&] {
        return sim.transcript().received().find("AT^SBNW=?\r") != std::string::npos && !sim.peerConnected() &&
               organizerWindow(x.get()).first != 0;
    }, 60s));
    const QSize opened = organizerWindow(x.get()).second.size();

    // Squeezed below its least height, it is laid out at that height, the grids filling it to
    // the status bar, once the screen shows the same twice.
    drag({opened.width(), 100});
    QRect least;
    QPoint end, seen;
    ASSERT_TRUE(waitFor([&] {
        least = organizerWindow(x.get()).second;
        seen = std::exchange(end, gridsEnd(least));
        return least.width() == opened.width() && least.height() > 100 && least.height() < opened.height() &&
               end == seen && least.height() - end.y() < 40 && end.x() > least.width() - 120;
    }, 20s)) << "stands at " << least.width() << "x" << least.height() << ", grids end at " << end.y();

    // Dragged wider and taller at once, the grids grow by as much (twips round to pixels: one
    // either way).
    drag(least.size() + QSize(150, 100));
    QRect now;
    EXPECT_TRUE(waitFor([&] {
        now = organizerWindow(x.get()).second;
        const QPoint grown = gridsEnd(now);
        return now.size() == least.size() + QSize(150, 100) && grown.x() == end.x() + 150 &&
               std::abs(grown.y() - end.y() - 100) <= 1;
    }, 20s)) << "stands at " << now.width() << "x" << now.height();
    EXPECT_FALSE(QFile::exists(boxLog)) << "the program showed a box";
    EXPECT_EQ(torvane::dde::execute(QStringLiteral("Tessaro"), QStringLiteral("DDE"), QStringLiteral("KILL")),
              torvane::dde::ExecuteResult::Accepted);
    EXPECT_EQ(organizer.waitExit(30s), 0);
}

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
