// The organizer starting in the test's process against the simulated phone on COM1: the window
// comes up, the status window asks the phone who it is, the status bar shows the phone; with a
// silent phone the window comes up all the same; a failing set-up ends the program; the
// synchronisation it installs fills the window's grids from the phone and the calendar file.
#include "TessaroAppFixture.h"

#include "organizer/link/MobileStatus.h"
#include "organizer/link/ReadMobile.h"
#include "organizer/link/VCalCodec.h"
#include "organizer/mainwindow/ActiveBar.h"
#include "organizer/mainwindow/GridSetup.h"
#include "organizer/ui/MainWindow.h"
#include "organizer/ui/frmSplash.h"

#include "platform/outlook/AppointmentDialog.h"
#include "platform/outlook/NameSpace.h"
#include "platform/registry/Registry.h"
#include "platform/ui/controls/Twips.h"
#include "platform/ui/help/HelpPage.h"

#include <QDir>
#include <QFile>
#include <QWindow>
#include "tools/phonesim/ObjectStoreCommands.h"
#include "tools/phonesim/PhoneFault.h"

namespace tessaro::test {
namespace {

using namespace std::chrono_literals;
using torvane::phonesim::Fault;
using torvane::phonesim::FaultKind;

int twipsToPixelsOf(double twips)
{
    return torvane::controls::twipsToPixels(twips);
}

// The height of a grid's headers and rows, without its border.
double rowsHeight(const torvane::controls::Grid& g)
{
    return g.fixedRows() * g.rowHeight(0) + (g.rows() - g.fixedRows()) * g.rowHeight(g.fixedRows());
}

bool readMobileEnabled()
{
    auto& bar = Main_Form().ActiveBar1;
    return bar.band(band::TessaroTools).tool(tool::TessaroReadMobile).isEnabled() &&
           bar.band(band::TessaroOrganizerMenu).tool(tool::TessaroReadMobile).isEnabled();
}

TEST_F(TessaroAppTest, StartsAgainstThePhoneAndShowsItInTheStatusBar)
{
    ASSERT_TRUE(startPhone());
    ASSERT_TRUE(startOrganizer(QString()));
    EXPECT_FALSE(Main_Form().Form.isVisible()) << "the window waits for the start-up timer";
    EXPECT_NE(LoadedSplash(), nullptr);
    ASSERT_TRUE(waitUntilUp());
    EXPECT_TRUE(waitFor([] { return LoadedSplash() == nullptr; }, 5s)) << "the splash goes when the window comes";

    EXPECT_TRUE(app->window()->isVisible());
    EXPECT_EQ(app->window()->windowTitle(), QStringLiteral("Torvane Appointments"));
    EXPECT_EQ(recorder->log, (QStringList{"Start Torvane Appointments",
                                          "SetText Please wait. Reading status from mobile! shown", "Quit"}));
    EXPECT_FALSE(app->statusWindow().isLoaded());
    EXPECT_EQ(sim.transcript().received(), std::string("\x1b" "ATE0+CMEE=2\rAT+CGMI\rAT+CGMM\rAT^SBNW=?\r"));
    EXPECT_TRUE(MobileConnected);
    EXPECT_EQ(FirstLocation, 1);
    EXPECT_EQ(LastLocation, 50);
    EXPECT_EQ(PhoneEntryTable.LBound(), 1);
    EXPECT_EQ(PhoneEntryTable.UBound(), 50);
    // Every O and K goes from the maker's and model's names.
    EXPECT_EQ(panel(PanelMobile), QStringLiteral("TORVANE TV-35"));
    EXPECT_EQ(Main_Form().TivStatusBar.panel(PanelMobile).pictureName(), QStringLiteral("ImageHandy_gruen"));
    EXPECT_EQ(panel(PanelMobileStatus), QStringLiteral("connected"));
    EXPECT_EQ(panel(PanelEntryCounter), QStringLiteral("Mobile Entries occupied: ?/50"));
    // The calendar file is there (an empty one): its panel shows, with no entries read.
    EXPECT_TRUE(OrganizerAvailable);
    EXPECT_EQ(panel(PanelProgressIndicator), QStringLiteral("Torvane Calendar Entries read: 0"));
    EXPECT_TRUE(readMobileEnabled());
    EXPECT_TRUE(boxes().empty());
    EXPECT_EQ(ends, 0);

    // The user closes the window: the settings are saved and the program ends.
    app->window()->close();
    EXPECT_EQ(ends, 1);
    const auto width = torvane::registry::readDword(HKEY_CURRENT_USER, "Software\\Torvane\\Tessaro\\Settings", "Width");
    ASSERT_TRUE(width);
    EXPECT_EQ(int(*width), int(Main_Form().Form.width()));
}

TEST_F(TessaroAppTest, SilentPhoneStillEndsWithTheWindowShown)
{
    ASSERT_TRUE(startPhone());
    Fault silent;
    silent.kind = FaultKind::Silent;
    sim.addFault(silent);
    ASSERT_TRUE(startOrganizer(QStringLiteral("NOORG")));
    ASSERT_TRUE(waitUntilUp());
    EXPECT_TRUE(app->window()->isVisible());
    EXPECT_FALSE(MobileConnected);
    EXPECT_EQ(LastLocation, 30);
    EXPECT_EQ(panel(PanelMobile), QStringLiteral("No mobile"));
    EXPECT_EQ(Main_Form().TivStatusBar.panel(PanelMobile).pictureName(), QStringLiteral("ImageHandy_grau"));
    EXPECT_EQ(panel(PanelMobileStatus), QStringLiteral("offline"));
    EXPECT_EQ(panel(PanelEntryCounter), QStringLiteral("Mobile Entries occupied: ?"));
    ASSERT_EQ(boxes().size(), 1u);
    EXPECT_EQ(boxes()[0].caption, QStringLiteral("An Error Occurred In: InitComm:InitComm"));
    EXPECT_TRUE(readMobileEnabled());
    // Without the calendar its grid, arrow, panel and tools are not shown.
    EXPECT_FALSE(OrganizerAvailable);
    EXPECT_FALSE(Main_Form().FG2[0].isVisible());
    EXPECT_FALSE(Main_Form().ImagePC2Mobile.isVisible());
    EXPECT_FALSE(Main_Form().TivStatusBar.panel(PanelProgressIndicator).isVisible());
    EXPECT_FALSE(Main_Form().ActiveBar1.band(band::TessaroTools).tool(tool::TessaroCalendar).isVisible());
}

TEST_F(TessaroAppTest, StartedByTheSuiteTakesItsPortAndLanguageAndHidesItsOwnSettings)
{
    // The suite says COM1 and German; the organizer's own setting says port 5.
    const char* suite = "Software\\Torvane\\Quorvane PRO\\Settings";
    ASSERT_EQ(torvane::registry::writeString(HKEY_CURRENT_USER, suite, "KONF_COMPORT", "COM1"), ERROR_SUCCESS);
    ASSERT_EQ(torvane::registry::writeDword(HKEY_CURRENT_USER, suite, "TessaroSprache", 7), ERROR_SUCCESS);
    ASSERT_EQ(torvane::registry::writeDword(HKEY_CURRENT_USER, "Software\\Torvane\\Tessaro\\Settings", "ComPort", 5),
              ERROR_SUCCESS);
    ASSERT_TRUE(startPhone());
    ASSERT_TRUE(startOrganizer(QStringLiteral("caller=qbr NOORG")));
    ASSERT_TRUE(waitUntilUp());
    EXPECT_EQ(LanguageBase, 20000);
    EXPECT_EQ(app->window()->windowTitle(), QStringLiteral("Torvane Termine"));
    EXPECT_EQ(panel(PanelMobileStatus), QStringLiteral("verbunden"));
    const auto extra = Main_Form().ActiveBar1.band(band::TessaroExtraMenu);
    EXPECT_FALSE(extra.tool(tool::TessaroLanguage).isVisible());
    EXPECT_FALSE(extra.tool(tool::TessaroComSettings).isVisible());
    EXPECT_EQ(Main_Form().ActiveBar1.band(band::MainMenu).tool(tool::mnuEntry).caption(), QStringLiteral("Eint&rag"));
    // No splash window when a caller started the program.
    EXPECT_EQ(LoadedSplash(), nullptr);
}

TEST_F(TessaroAppTest, TheWindowIsLaidOutAsTheUserSizesItAndItsEndAndHelpAnswer)
{
    ASSERT_TRUE(startOrganizer(QStringLiteral("NOORG")));
    ASSERT_TRUE(waitUntilUp());
    MainWindow& window = *app->window();
    FormWindow& form = Main_Form().Form;
    // Narrower than the date column and one text column: widened to that, the grid with it.
    window.resize(100, window.height());
    const double least = 960 + 390 + DateColumnWidth + 600;
    ASSERT_TRUE(waitFor([&] { return form.width() == least && window.width() == twipsToPixelsOf(least - 120); }, 10s))
        << form.width() << " " << window.width();
    EXPECT_EQ(Main_Form().FG1[0].width(), least - 1350);
    EXPECT_EQ(Main_Form().FG1[1].colWidth(9), 600);
    EXPECT_TRUE(ResizeEnabled);
    // Taller than the grid needs: the window shrinks to its grid again.
    const torvane::controls::Grid& grid = Main_Form().FG1[0];
    const double rows = rowsHeight(grid) + 90;
    const int fitted =
        twipsToPixelsOf(grid.top() + 20 + Main_Form().TivStatusBar.height() + rows + 90 + ToolbarHeight);
    window.resize(900, fitted + 200);
    ASSERT_TRUE(waitFor([&] { return window.height() == fitted && window.width() == 900; }, 10s)) << window.height();
    EXPECT_EQ(Main_Form().FG1[0].width(), 900 * 15 + 120 - 1350);
    EXPECT_EQ(grid.height(), rows);

    // Help shows the language's page when there is one, and nothing without.
    EXPECT_TRUE(torvane::ui::findHelpPage(HelpFile).isEmpty());
    const QString help = qEnvironmentVariable("XDG_DATA_HOME") + QStringLiteral("/torvane/help");
    ASSERT_TRUE(QDir().mkpath(help));
    for (const char* name : {"TessaroHelpe.html", "TessaroHelpd.html"}) {
        QFile page(help + QLatin1Char('/') + QLatin1String(name));
        ASSERT_TRUE(page.open(QIODevice::WriteOnly));
    }
    EXPECT_EQ(torvane::ui::findHelpPage(HelpFile), help + QStringLiteral("/TessaroHelpe.html"));

    // The menu's End ends the program.
    Main_Form().ActiveBar1.activate(Main_Form().ActiveBar1.band(band::TessaroOrganizerMenu).tool(tool::TessaroEnd));
    EXPECT_EQ(ends, 1);
}

// Sized through its window handle, as a window system does it (the widget hears of each size
// afterwards): width and height reach the layout together, also at the least width, and
// maximized the window keeps the screen while its grids show every row.
TEST_F(TessaroAppTest, EverySizeTheUserGivesReachesTheLayoutWhole)
{
    ASSERT_TRUE(startPhone());
    ASSERT_TRUE(startOrganizer(QString()));
    ASSERT_TRUE(waitUntilUp());
    MainWindow& window = *app->window();
    const MainFormControls& f = Main_Form();
    const torvane::controls::Grid& grid = f.FG1[0];
    // The window and the form hold the size, also once every size the system still had to
    // report has come in; the grids share the height below the rows they would need.
    const auto standsAt = [&](QSize size) {
        const auto holds = [&] {
            const double shared = f.Form.height() - (f.TivStatusBar.height() + grid.top() + 470) - ToolbarHeight;
            return window.size() == size && f.Form.height() == size.height() * 15 + MainWindow::FrameHeightTwips &&
                   grid.width() == f.Form.width() - 1350 && (window.isMaximized() || grid.height() == shared / 2);
        };
        const bool reached = waitFor(holds, 10s);
        for (int round = 0; round < 20; ++round)
            QCoreApplication::processEvents();
        return reached && holds();
    };
    const QSize opened = window.size();
    window.windowHandle()->resize(opened + QSize(150, -40));
    EXPECT_TRUE(standsAt(opened + QSize(150, -40))) << window.width() << "x" << window.height();
    window.windowHandle()->resize(100, opened.height() - 60);
    ASSERT_TRUE(waitFor([&] { return window.width() > 100 && window.height() == opened.height() - 60; }, 10s));
    const QSize least(window.width(), opened.height() - 20);
    window.windowHandle()->resize(least);
    EXPECT_TRUE(standsAt(least)) << "at the least width " << window.width() << "x" << window.height();

    window.showMaximized();
    ASSERT_TRUE(waitFor([&] { return window.isMaximized() && window.width() > least.width() + 100; }, 10s));
    EXPECT_TRUE(standsAt(window.size()));
    EXPECT_EQ(grid.height(), rowsHeight(grid));
    window.showNormal();
    EXPECT_TRUE(standsAt(least)) << window.width() << "x" << window.height();
}

TEST_F(TessaroAppTest, TheSynchronisationFillsTheWindowsGridsFromThePhoneAndTheCalendar)
{
    // Tomorrow, inside the week the window starts with: the dentist on both sides, the theatre
    // only on the phone, yoga only in the calendar.
    const QDate tomorrow = QDate::currentDate().addDays(1);
    putOnPhone(1, tomorrow, 9, "Dentist");
    putOnPhone(2, tomorrow, 19, "Theatre");
    putInCalendar({{QDateTime(tomorrow, QTime(9, 0)), "Dentist"}, {QDateTime(tomorrow, QTime(18, 0)), "Yoga"}});
    ASSERT_TRUE(startPhone());
    ASSERT_TRUE(startOrganizer(QString()));
    ASSERT_TRUE(waitUntilUp());
    const auto* display = OutlookOptions.display.target<void (*)(outlook::AppointmentItem&, bool)>();
    ASSERT_NE(display, nullptr);
    EXPECT_EQ(*display, &outlook::showAppointmentDialog);

    // What the read commands run, through the seams the program installed.
    ASSERT_TRUE(ReadMobile(true));
    ReadOutlook(true);
    EXPECT_TRUE(boxes().empty());
    const auto column = [](const controls::Grid& grid, int col) {
        QStringList texts;
        for (int r = grid.fixedRows(); r < grid.rows() && !grid.textMatrix(r, ColDateText).isEmpty(); ++r)
            texts << grid.textMatrix(r, col).trimmed();
        return texts;
    };
    const controls::Grid& phone = Main_Form().FG1[std::size_t(ActiveGridIndexFG1)];
    const controls::Grid& pc = Main_Form().FG2[std::size_t(ActiveGridIndexFG2)];
    EXPECT_TRUE(phone.isVisible());
    EXPECT_TRUE(pc.isVisible());
    EXPECT_EQ(column(phone, ColPhoneText), (QStringList{"Dentist", "Theatre"}));
    EXPECT_EQ(column(phone, ColMark), (QStringList{"j", "l"}));
    EXPECT_EQ(column(pc, ColPcText), (QStringList{"Dentist", "Yoga"}));
    EXPECT_EQ(column(pc, ColMark), (QStringList{"j", "r"}));
    // Each read left its grid's first entry row selected, and the window recorded it.
    EXPECT_EQ(GridSelection.FG1Row, FirstEntryRow);
    EXPECT_EQ(GridSelection.FG1Col, ColPhoneText);
    EXPECT_EQ(GridSelection.FG2Row, FirstEntryRow);
    EXPECT_EQ(GridSelection.FG2Cell, pc.cols() * FirstEntryRow + ColPcText);

    // The end lets the calendar go.
    EXPECT_TRUE(OutlookApp);
    app->window()->close();
    EXPECT_EQ(ends, 1);
    EXPECT_FALSE(OutlookApp);
}

} // namespace
} // namespace tessaro::test
