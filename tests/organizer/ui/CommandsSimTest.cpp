// The organizer's commands as a user drives them, through the toolbar, the menus and the grids
// of the started program, against the simulated phone and a calendar file: test the phone, read
// both sides, copy a row each way by its mark, delete a row on each side, clear the phone, move
// the range with the picker, and test a phone that refuses. After each step the phone's store and
// the calendar file hold what the grids show.
#include "TessaroAppFixture.h"

#include "organizer/daterange/Calendar.h"
#include "organizer/link/MobileStatus.h"
#include "organizer/mainwindow/ActiveBar.h"
#include "organizer/mainwindow/GridSetup.h"
#include "organizer/sync/GridFill.h"
#include "organizer/sync/GridRows.h"
#include "organizer/sync/TIVOutlook.h"
#include "tools/phonesim/PhoneFault.h"

#include <QLabel>
#include <QPushButton>
#include <QTest>

namespace tessaro::test {
namespace {

using namespace std::chrono_literals;
namespace controls = torvane::controls;
using torvane::ui::IDOK;
using torvane::ui::kMessageBoxName;

class CommandsSimTest : public TessaroAppTest {
protected:
    static void click(const QString& bandName, const QString& toolName)
    {
        controls::CommandBar& bar = Main_Form().ActiveBar1;
        bar.activate(bar.band(bandName).tool(toolName));
    }

    // The row of the visible instance of `pair` whose `column` shows `text`; clicked (and
    // double-clicked) in `clickColumn` as the user would.
    static void clickRow(GridName pair, int column, const char* text, int clickColumn, bool twice = false)
    {
        controls::Grid& grid = GridOf(VisibleGrid(pair));
        for (int row = grid.fixedRows(); row < grid.rows(); ++row) {
            if (WithoutLeadingBlanks(grid.textMatrix(row, column)) != QLatin1String(text))
                continue;
            grid.userSelect(row, clickColumn);
            grid.focusChanged(true);
            grid.userClick();
            if (twice)
                grid.userDoubleClick();
            return;
        }
        ADD_FAILURE() << "no row " << text;
    }

    // The texts of one column of the visible instance, row by row, up to the first row without
    // a date.
    static QStringList shown(GridName pair, int column)
    {
        const controls::Grid& grid = GridOf(VisibleGrid(pair));
        QStringList texts;
        for (int r = grid.fixedRows(); r < grid.rows() && !grid.textMatrix(r, ColDateText).isEmpty(); ++r)
            texts << WithoutLeadingBlanks(grid.textMatrix(r, column));
        return texts;
    }

    // The phone's entries as "location text", from its store.
    QStringList phoneStore()
    {
        QStringList held;
        sim.withModule<torvane::phonesim::ObjectStoreCommands>([&](auto& store) {
            for (const auto& [location, object] : store.objects["vcs"]) {
                const QString text = QString::fromLatin1(object);
                for (const char* name : {"Dentist", "Theatre", "Yoga", "Concert"})
                    if (text.contains(QLatin1String(name)))
                        held << QStringLiteral("%1 %2").arg(location).arg(QLatin1String(name));
            }
        });
        return held;
    }

    // The calendar file's appointments as another program reads them, in the order of their
    // starts: those of the range, or all of them.
    static QStringList calendarFile(bool withinRange)
    {
        outlook::ApplicationOptions options;
        options.shortDateTimeFormat = ShortDateTimeFormat;
        std::optional<outlook::Application> calendar = outlook::Application::create(options);
        if (!calendar)
            return {QStringLiteral("unreadable")};
        outlook::Items items =
            calendar->GetNamespace(QStringLiteral("MAPI")).GetDefaultFolder(outlook::CalendarFolder).Items();
        items.Sort(QStringLiteral("[Start]"));
        const QString filter = withinRange ? CalendarFilter(RangeStart, RangeEnd)
                                           : CalendarFilter(makeVbDate(2000, 1, 1), makeVbDate(2029, 12, 31));
        QStringList subjects;
        for (auto item = items.Find(filter); item; item = items.FindNext())
            subjects << item->Subject();
        return subjects;
    }

    static void answerOk() { torvane::ui::MessageService::instance().addAnswer({kMessageBoxName, IDOK, {}}); }
};

TEST_F(CommandsSimTest, TheWholeCommandSetThroughTheToolbarAndTheGrids)
{
    const QDate tomorrow = QDate::currentDate().addDays(1);
    putOnPhone(1, tomorrow, 9, "Dentist");
    putOnPhone(2, tomorrow, 19, "Theatre");
    putInCalendar({{QDateTime(tomorrow, QTime(9, 0)), "Dentist"},
                   {QDateTime(tomorrow, QTime(18, 0)), "Yoga"},
                   {QDateTime(tomorrow.addDays(10), QTime(20, 0)), "Concert"}});
    ASSERT_TRUE(startPhone());
    ASSERT_TRUE(startOrganizer(QString()));
    ASSERT_TRUE(waitUntilUp());

    // The phone test, by its key, shows who answered until the user presses OK.
    recorder->log.clear();
    QTest::keyClick(app->window(), Qt::Key_T, Qt::ControlModifier);
    EXPECT_EQ(recorder->log, (QStringList{"Start Torvane Appointments",
                                          "SetText Please wait. Reading status from mobile! shown",
                                          "SetText TORVANE TV-35\rMobile OK shown"}));
    ASSERT_TRUE(app->statusWindow().isLoaded());
    EXPECT_EQ(app->statusWindow().Text()->text(), QStringLiteral("TORVANE TV-35\nMobile OK"));
    EXPECT_FALSE(app->statusWindow().Abbrechen()->isVisible());
    app->statusWindow().OK()->click();
    EXPECT_FALSE(app->statusWindow().isLoaded());

    // Both sides read: the dentist pairs up, the theatre waits for the calendar, yoga for the phone.
    click(band::TessaroTools, tool::TessaroReadMobile);
    click(band::TessaroTools, tool::TessaroReadOrganizer);
    EXPECT_EQ(shown(GridName::FG1, ColPhoneText), (QStringList{"Dentist", "Theatre"}));
    EXPECT_EQ(shown(GridName::FG1, ColMark), (QStringList{"j", "l"}));
    EXPECT_EQ(shown(GridName::FG2, ColPcText), (QStringList{"Dentist", "Yoga"}));
    EXPECT_EQ(shown(GridName::FG2, ColMark), (QStringList{"j", "r"}));
    // Testing the phone again keeps what was read; reading again shows each entry once.
    click(band::TessaroExtraMenu, tool::TessaroTestMobile);
    app->statusWindow().OK()->click();
    EXPECT_TRUE(MobileEntriesRead);
    EXPECT_EQ(PhoneEntryTable.Count, 2);
    EXPECT_EQ(panel(PanelEntryCounter), QStringLiteral("Mobile Entries occupied: 2/50"));
    click(band::TessaroTools, tool::TessaroReadMobile);
    EXPECT_EQ(shown(GridName::FG1, ColPhoneText), (QStringList{"Dentist", "Theatre"}));

    // A double click on a row's pictogram copies it to the side that lacks it.
    clickRow(GridName::FG1, ColPhoneText, "Theatre", ColSyncPicture, true);
    clickRow(GridName::FG2, ColPcText, "Yoga", ColSyncPicture, true);
    EXPECT_EQ(shown(GridName::FG1, ColPhoneText), (QStringList{"Dentist", "Yoga", "Theatre"}));
    EXPECT_EQ(shown(GridName::FG2, ColPcText), (QStringList{"Dentist", "Yoga", "Theatre"}));
    EXPECT_EQ(shown(GridName::FG2, ColMark), (QStringList{"j", "j", "j"}));
    EXPECT_EQ(phoneStore(), (QStringList{"1 Dentist", "2 Theatre", "3 Yoga"}));
    EXPECT_EQ(calendarFile(true), (QStringList{"Dentist", "Yoga", "Theatre"}));

    // Delete: the theatre from the phone, yoga from the calendar, each after its question.
    answerOk();
    clickRow(GridName::FG1, ColPhoneText, "Theatre", ColPhoneText);
    click(band::TessaroTools, tool::TessaroDeleteEntry);
    answerOk();
    clickRow(GridName::FG2, ColPcText, "Yoga", ColPcText);
    click(band::TessaroTools, tool::TessaroDeleteEntry);
    EXPECT_EQ(shown(GridName::FG1, ColPhoneText), (QStringList{"Dentist", "Yoga"}));
    EXPECT_EQ(shown(GridName::FG2, ColPcText), (QStringList{"Dentist", "Theatre"}));
    EXPECT_EQ(shown(GridName::FG2, ColMark), (QStringList{"j", "r"}));
    EXPECT_EQ(phoneStore(), (QStringList{"1 Dentist", "3 Yoga"}));
    EXPECT_EQ(calendarFile(true), (QStringList{"Dentist", "Theatre"}));
    EXPECT_EQ(panel(PanelProgressIndicator), QStringLiteral("Torvane Calendar Entries read: 2"));

    // Clearing the phone asks first, then empties it and its column.
    answerOk();
    click(band::TessaroOrganizerMenu, tool::TessaroClearMobile);
    EXPECT_TRUE(phoneStore().isEmpty());
    EXPECT_TRUE(shown(GridName::FG1, ColPhoneText).isEmpty());
    EXPECT_EQ(shown(GridName::FG2, ColMark), (QStringList{"r", "r"}));

    // The picker moves the range to the concert's day; the calendar is read for it after question 112.
    click(band::TessaroTools, tool::TessaroCalendar);
    ASSERT_TRUE(Main_Form().TIVStartCalendar.isVisible());
    Main_Form().TIVStartCalendar.userClick(tomorrow.addDays(10));
    answerOk();
    Main_Form().CalCommandOK.userClick();
    EXPECT_FALSE(Main_Form().TIVStartCalendar.isVisible());
    EXPECT_EQ(toDateTime(RangeStart).date(), tomorrow.addDays(10));
    EXPECT_EQ(shown(GridName::FG2, ColPcText), QStringList{"Concert"});
    EXPECT_EQ(calendarFile(true), QStringList{"Concert"});
    EXPECT_EQ(calendarFile(false), (QStringList{"Dentist", "Theatre", "Concert"}));

    // A phone that refuses to name itself: the test closes its window and shows no phone.
    torvane::phonesim::Fault refuse;
    refuse.kind = torvane::phonesim::FaultKind::Error;
    refuse.command = "+CGMI";
    sim.addFault(refuse);
    recorder->log.clear();
    click(band::TessaroExtraMenu, tool::TessaroTestMobile);
    EXPECT_EQ(recorder->log.back(), QStringLiteral("Quit"));
    EXPECT_FALSE(app->statusWindow().isLoaded());
    EXPECT_FALSE(MobileConnected);
    EXPECT_EQ(boxes().back().caption, QStringLiteral("An Error Occurred In: ComDrvEmpfangeVonMs:GetMobileInfo"));
    EXPECT_EQ(panel(PanelEntryCounter), QStringLiteral("Mobile Entries occupied: ?"));
    // Every question was asked and took its answer.
    EXPECT_EQ(torvane::ui::MessageService::instance().pendingAnswers(), 0u);
}

} // namespace
} // namespace tessaro::test
