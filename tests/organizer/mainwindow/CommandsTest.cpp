// The main window's commands on the control models, with the synchronisation's fakes (a phone
// that holds what it is given, a calendar file, recorders for the window's steps and the boxes)
// and a recorder for the windows the commands open. The whole road against the simulated phone is
// tests/organizer/ui/CommandsSimTest.cpp.
#include "organizer/mainwindow/ActiveBar.h"
#include "organizer/mainwindow/CommandDispatch.h"
#include "organizer/mainwindow/CommandWindows.h"
#include "organizer/mainwindow/MenuStates.h"
#include "organizer/mainwindow/PeriodFields.h"

#include "organizer/link/ComDrv.h"
#include "organizer/sync/TIVOutlook.h"

#include "organizer/link/ScriptedPort.h"
#include "organizer/sync/SyncTestSupport.h"

#include <sys/resource.h>

#include <csignal>
#include <optional>

namespace tessaro {
namespace {

using test::at;
using test::vb;
namespace controls = torvane::controls;

class RecordingWindows : public CommandWindows {
public:
    RecordingWindows() { m_previous = setCommandWindows(this); }
    ~RecordingWindows() override { setCommandWindows(m_previous); }

    void MobileEntryFormShow() override { record("editor " + CurrentEntry.Location); }
    void ShowAbout() override { record("about"); }
    void ShowComEigenschaften() override { record("port"); }
    void ShowLanguage() override { record("language"); }
    void ShowHelpContents() override { record("help"); }
    void UnloadMainWindow() override { record("unload"); }
    void PhoneTestWindow(bool asking) override { record(QStringLiteral("test window %1").arg(int(asking))); }

    // Each call, marked when a command was running with the menu titles greyed.
    QStringList calls;

private:
    void record(const QString& what)
    {
        const bool greyed = !Main_Form().ActiveBar1.band(band::MainMenu).tool(tool::mnuEntry).isEnabled();
        calls << what + (CommandBusy && greyed ? " (busy)" : "");
    }
    CommandWindows* m_previous = nullptr;
};

class CommandsTest : public test::SyncTest {
protected:
    void SetUp() override
    {
        SyncTest::SetUp();
        Main_Form().ActiveBar1.load(TessaroBarLayout());
        ConnectMainFormEvents();
        CommandBusy = LinkBusy = false;
        // Dentist on both sides; the theatre only on the phone; yoga only in the calendar.
        addAppointment(QStringLiteral("Dentist"), at(2026, 3, 10, 9, 30));
        addAppointment(QStringLiteral("Yoga"), at(2026, 3, 11, 18, 0));
        addPhoneEntry(1, vb(2026, 3, 10, 9, 30), QStringLiteral("Dentist"));
        addPhoneEntry(2, vb(2026, 3, 12, 19, 0), QStringLiteral("Theatre"));
        readBothSides();
        MobileEntriesRead = true;
        phone.held = {{1, {}}, {2, {}}};
        boxes.boxes.clear();
        window.periodeTextChange = PeriodeText_Change;
    }
    void TearDown() override
    {
        ComDrvUnload();
        SyncTest::TearDown();
    }

    static void click(const QString& bandName, const QString& toolName)
    {
        controls::CommandBar& bar = Main_Form().ActiveBar1;
        bar.activate(bar.band(bandName).tool(toolName));
    }
    // The user puts the cell cursor on the row showing `text` in `column`, clicks in `clickColumn`
    // (and double-clicks).
    void clickRow(controls::Grid& grid, int column, const char* text, int clickColumn, bool twice = false)
    {
        grid.userSelect(FirstEntryRow + int(this->column(grid, column).indexOf(QLatin1String(text))), clickColumn);
        grid.focusChanged(true);
        grid.userClick();
        if (twice)
            grid.userDoubleClick();
    }

    RecordingWindows windows;
    test::FakeLinkClock clock;
};

TEST_F(CommandsTest, ToolStatesFollowTheCalendarTheCountsAndTheRoomOnThePhone)
{
    // Enabled: ClearGrid, ClearBothCol, ClearMobileCol, ClearOrgCol, NewEntry, Clear; shown:
    // ClearGrid, Calendar, ReadOrganizer and, once the organizer menu opens, ClearGrids.
    const struct {
        bool calendar;
        int appointments, held;
        const char* states;
    } cases[] = {
        {true, 0, 30, "-|-|+|-|-|+ -|+|+|+"}, {true, 0, 29, "-|-|+|-|+|+ -|+|+|+"},
        {true, 2, 3, "-|+|+|+|+|+ -|+|+|+"},  {true, 0, 0, "-|-|-|-|+|- -|+|+|+"},
        {false, 0, 5, "+|-|+|-|+|+ +|-|-|-"},
    };
    const auto state = [](const controls::Band& b, const QString& t, bool shown) {
        return (shown ? b.tool(t).isVisible() : b.tool(t).isEnabled()) ? QStringLiteral("+") : QStringLiteral("-");
    };
    for (const auto& c : cases) {
        OrganizerAvailable = c.calendar;
        OrganizerEntryCount = std::int16_t(c.appointments);
        PhoneEntryTable.Count = std::int16_t(c.held);
        SetMenus_Click();
        click(band::MainMenu, tool::TessaroOrganizer);
        const controls::CommandBar& bar = Main_Form().ActiveBar1;
        const controls::Band org = bar.band(band::TessaroOrganizerMenu), clear = bar.band(band::TessaroClearGridMenu),
                             tools = bar.band(band::TessaroTools);
        const QStringList enabled = {state(org, tool::TessaroClearGrid, false),
                                     state(clear, tool::TessaroClearBothCol, false),
                                     state(clear, tool::TessaroClearMobileCol, false),
                                     state(clear, tool::TessaroClearOrgCol, false),
                                     state(tools, tool::TessaroNewEntry, false), state(tools, tool::TessaroClear, false)};
        const QStringList shown = {state(org, tool::TessaroClearGrid, true), state(tools, tool::TessaroCalendar, true),
                                   state(tools, tool::TessaroReadOrganizer, true),
                                   state(org, tool::TessaroClearGrids, true)};
        EXPECT_EQ(enabled.join('|') + ' ' + shown.join('|'), QLatin1String(c.states)) << c.appointments << " " << c.held;
    }
    // Opening the organizer menu, and its Clear grids sub-menu, each refresh the states once.
    OrganizerAvailable = true;
    click(band::MainMenu, tool::TessaroOrganizer);
    for (const QString& menu : {tool::TessaroOrganizer, tool::TessaroClearGrids}) {
        window.calls.clear();
        click(menu == tool::TessaroOrganizer ? band::MainMenu : band::TessaroOrganizerMenu, menu);
        EXPECT_EQ(window.calls, QStringList{"SetMenus_Click"}) << menu.toStdString();
    }
}

TEST_F(CommandsTest, ToolsRunOneAtATimeWithTheMenuTitlesGreyed)
{
    const std::tuple<QString, QString, const char*> routes[] = {
        {band::TessaroHelpMenu, tool::TessaroAbout, "about"},
        {band::TessaroExtraMenu, tool::TessaroComSettings, "port"},
        {band::TessaroExtraMenu, tool::TessaroLanguage, "language"},
        {band::TessaroHelpMenu, tool::TessaroHelp, "help"},
        {band::TessaroOrganizerMenu, tool::TessaroEnd, "unload"},
    };
    for (const auto& [bandName, toolName, call] : routes) {
        windows.calls.clear();
        window.calls.clear();
        click(bandName, toolName);
        EXPECT_EQ(windows.calls, QStringList{QLatin1String(call) + " (busy)"});
        EXPECT_EQ(window.calls, (QStringList{"TIVResize", "SetMenus_Click"}));
        EXPECT_TRUE(Main_Form().ActiveBar1.band(band::MainMenu).tool(tool::mnuEntry).isEnabled());
    }
    // A click, or a double click in a grid, while the link or a command is busy only refreshes.
    for (bool* busy : {&LinkBusy, &CommandBusy}) {
        windows.calls.clear();
        window.calls.clear();
        *busy = true;
        click(band::TessaroHelpMenu, tool::TessaroAbout);
        clickRow(fg2(), ColPcText, "Yoga", ColPcText, true);
        *busy = false;
        EXPECT_TRUE(windows.calls.isEmpty());
        EXPECT_EQ(window.calls, QStringList{"SetMenus_Click"});
        EXPECT_EQ(windowsShown, 0);
    }
}

TEST_F(CommandsTest, DeleteAndClearAskFirstAndCancelLeavesEverything)
{
    // In the date column the delete does nothing at all.
    clickRow(fg1(), ColPhoneText, "Theatre", ColDateText);
    click(band::TessaroTools, tool::TessaroDeleteEntry);
    EXPECT_TRUE(boxes.boxes.empty());
    const QString date = fg1().textMatrix(fg1().row(), ColDateText);
    for (bool serie : {false, true}) {
        PhoneEntryTable.Entries(2).IsSerie = serie ? FlagTrue : FlagFalse;
        boxes.answers = {vbCancel};
        clickRow(fg1(), ColPhoneText, "Theatre", ColPhoneText);
        click(band::TessaroEntryMenu, tool::TessaroDeleteEntry);
        EXPECT_EQ(boxes.boxes.back().text,
                  "Entry < Theatre >\r\n" + date + "\r\nWarning! The entry will be deletet from the mobile." +
                      (serie ? " All entries of this SERIE will be removed, too!" : "") + "\r\nAre you sure?");
        EXPECT_EQ(boxes.boxes.back().style, vbExclamation | vbOKCancel);
    }
    MobileConnected = true;
    boxes.answers = {vbCancel};
    click(band::TessaroOrganizerMenu, tool::TessaroClearMobile);
    EXPECT_EQ(boxes.boxes.back().text,
              QStringLiteral("Warning! You are removing all entries from the mobile!\r\nAre you sure?"));
    EXPECT_EQ(phone.held.size(), 2u);
    EXPECT_EQ(PhoneEntryTable.Count, 2);
    EXPECT_EQ(column(fg1(), ColPhoneText), QStringList({"Dentist", "Theatre"}));
    EXPECT_EQ(phone.calls, QStringList({"InitComm", "InitComm", "InitComm"}));
}

TEST_F(CommandsTest, ClearingASideEmptiesItAndLeavesTheOtherSidesRows)
{
    // The calendar's side goes through its hidden twin; the phone rows lose its cells.
    click(band::TessaroClearGridMenu, tool::TessaroClearOrgCol);
    EXPECT_EQ(ActiveGridIndexFG2, 1);
    EXPECT_TRUE(fg2().isVisible() && !Main_Form().FG2[0].isVisible());
    EXPECT_TRUE(rows(fg2()).empty());
    EXPECT_EQ(OrganizerEntryCount, 0);
    EXPECT_EQ(column(fg1(), ColPcText), QStringList({"", ""}));
    // The single grid is cleared in place, dates and all.
    click(band::TessaroOrganizerMenu, tool::TessaroClearGrid);
    EXPECT_EQ(ActiveGridIndexFG1, 0);
    EXPECT_TRUE(rows(fg1()).empty());
    EXPECT_EQ(PhoneEntryTable.Count, 0);
    // The phone's side through its twin; the calendar rows keep theirs without the phone's cells.
    addPhoneEntry(1, vb(2026, 3, 10, 9, 30), QStringLiteral("Dentist"));
    readBothSides();
    click(band::TessaroClearGridMenu, tool::TessaroClearMobileCol);
    EXPECT_EQ(ActiveGridIndexFG1, 1);
    EXPECT_TRUE(fg1().isVisible() && rows(fg1()).empty());
    EXPECT_EQ(column(fg2(), ColPcText), QStringList({"Dentist", "Yoga"}));
    EXPECT_EQ(column(fg2(), ColPhoneText), QStringList({"", ""}));
    EXPECT_EQ(PhoneEntryTable.Count, 0);
}

// Writes to files fail (EFBIG) while it lives.
class FileSizeLimit {
public:
    FileSizeLimit() : m_handler(std::signal(SIGXFSZ, SIG_IGN))
    {
        ::getrlimit(RLIMIT_FSIZE, &m_old);
        const rlimit tiny{1, m_old.rlim_max};
        ::setrlimit(RLIMIT_FSIZE, &tiny);
    }
    ~FileSizeLimit()
    {
        ::setrlimit(RLIMIT_FSIZE, &m_old);
        std::signal(SIGXFSZ, m_handler);
    }
private:
    rlimit m_old{};
    void (*m_handler)(int);
};

TEST_F(CommandsTest, AnAppointmentLeavesTheGridsOnlyOnceTheCalendarDeletedIt)
{
    const QString yoga = rows(fg2())[1].id;
    // The calendar cannot be written when the user confirms the first time.
    std::optional<FileSizeLimit> full;
    setMessageBoxHandler([&](const QString& text, int, const QString&) {
        boxes.boxes.push_back({text, 0, {}});
        if (boxes.boxes.size() == 1)
            full.emplace();
        return vbOK;
    });
    clickRow(fg2(), ColPcText, "Yoga", ColPcText);
    click(band::TessaroEntryMenu, tool::TessaroDeleteEntry);
    full.reset();
    ASSERT_EQ(boxes.boxes.size(), 2u);
    EXPECT_EQ(boxes.boxes[0].text.section(QStringLiteral("\r\n"), 2, 2),
              QStringLiteral("Warning! You are removing the entry from Outlook!"));
    EXPECT_TRUE(boxes.boxes[1].text.startsWith(QLatin1String("Number: -1959"))) << boxes.boxes[1].text.toStdString();
    EXPECT_EQ(column(fg2(), ColPcText), QStringList({"Dentist", "Yoga"}));
    EXPECT_EQ(OrganizerEntryCount, 2);
    OutlookApp.reset();
    EXPECT_NO_THROW(calendar().GetNamespace(QStringLiteral("MAPI")).GetItemFromID(yoga));
}

TEST_F(CommandsTest, DoubleClicksReportAFullPhoneAndAMissingAppointment)
{
    for (int location = 3; location <= 30; ++location)
        addPhoneEntry(location, vb(2026, 4, 1), QStringLiteral("Later"));
    clickRow(fg2(), ColPcText, "Yoga", ColSyncPicture, true);
    ASSERT_EQ(boxes.boxes.size(), 1u);
    EXPECT_EQ(boxes.boxes[0].text, QStringLiteral("Too many entries!  Max possible entries: 30"));
    EXPECT_EQ(boxes.boxes[0].style, vbInformation);
    EXPECT_EQ(phone.writes, 0);

    // An FG1 row whose appointment FG2 no longer shows.
    fg1().setTextMatrix(FirstEntryRow, ColEntryId, QStringLiteral("gone"));
    clickRow(fg1(), ColPhoneText, "Dentist", ColDateText, true);
    ASSERT_EQ(boxes.boxes.size(), 2u);
    EXPECT_EQ(boxes.boxes[1].caption, QStringLiteral("An Error Occurred In: FG1_DblClick:FG1_DblClick"));
    EXPECT_EQ(boxes.boxes[1].text.section(QStringLiteral("\r\n"), 0, 1),
              "Number: -1978\r\nDescription: Error! Could not find source entry of: " +
                  fg1().textMatrix(FirstEntryRow, ColPhoneText));
    EXPECT_FALSE(CommandBusy);
}

// A double click copies by a row's pictogram only from an "r" row (or an "l" one), and only with
// the phone connected: not from a paired ("j") or greyed ("g") row, nor from a header row that
// holds an "r" and an appointment's id.
TEST_F(CommandsTest, DoubleClicksThatCopyNothing)
{
    ASSERT_EQ(column(fg2(), ColPcText), QStringList({"Dentist", "Yoga"}));
    const int dentist = FirstEntryRow, yoga = FirstEntryRow + 1;
    fg2().setTextMatrix(0, ColEntryId, fg2().textMatrix(yoga, ColEntryId));
    const struct {
        int row;
        const char* mark;
        bool connected;
        int writes;
    } cases[] = {{dentist, "j", true, 0}, {yoga, "g", true, 0}, {0, "r", true, 0}, {yoga, "r", false, 0},
                 {yoga, "r", true, 1}};
    for (const auto& c : cases) {
        MobileConnected = c.connected;
        fg2().setTextMatrix(c.row, ColMark, QLatin1String(c.mark));
        fg2().setRow(c.row);
        fg2().setCol(ColSyncPicture);
        fg2().userDoubleClick();
        EXPECT_EQ(phone.writes, c.writes) << c.row << " " << c.mark << " " << c.connected;
    }
    EXPECT_TRUE(boxes.boxes.empty());
}

TEST_F(CommandsTest, NewAndOpenActOnTheCurrentCell)
{
    QStringList opened;
    appointmentWindow = [&](outlook::AppointmentItem& item) { opened << item.Subject(); };
    // Open from the phone grid's PC text opens that row's appointment, whatever FG2 last selected.
    clickRow(fg2(), ColPcText, "Yoga", ColPcText);
    clickRow(fg1(), ColPhoneText, "Dentist", ColPcText);
    click(band::TessaroEntryMenu, tool::TessaroOpenEntry);
    clickRow(fg1(), ColPhoneText, "Theatre", ColPhoneText);
    click(band::TessaroEntryMenu, tool::TessaroOpenEntry);
    click(band::TessaroEntryMenu, tool::TessaroNewEntry);
    EXPECT_EQ(opened, QStringList{"Dentist"});
    EXPECT_EQ(windows.calls, (QStringList{"editor 2 (busy)", "editor  (busy)"}));

    // A phone that cannot be read gets no new entry: its free locations are not known.
    windows.calls.clear();
    ClearEntryTable();
    auto port = std::make_unique<test::ScriptedPort>(clock);
    port->openResult = [] { return SerialBackend::OpenStatus::NotFound; };
    ComDrvLoad(std::move(port), clock);
    clickRow(fg1(), ColPhoneText, "Dentist", ColPhoneText);
    click(band::TessaroEntryMenu, tool::TessaroNewEntry);
    EXPECT_FALSE(MobileEntriesRead);
    EXPECT_TRUE(windows.calls.isEmpty());
}

class PeriodFieldsTest : public CommandsTest {
protected:
    void SetUp() override
    {
        CommandsTest::SetUp();
        // A week from Thursday 4 February 1999, as the window starts.
        f().TIVStartCalendar.setValue(QDate(1999, 2, 4));
        f().PeriodeCombo.setListIndex(1);
        f().PeriodeText.setText(QStringLiteral("1"));
        OrganizerEntriesRead = false;
    }
    // Types a text into a field and presses a key; true when the key was swallowed.
    static bool type(controls::TextBox& box, const char* text, int keyAscii)
    {
        box.setText(QLatin1String(text));
        return box.userKeyPress(keyAscii) == 0;
    }
    static MainFormControls& f() { return Main_Form(); }
};

TEST_F(PeriodFieldsTest, TheCountIsANumberAndNamesTheUnits)
{
    const struct {
        int language;
        const char *typed, *count, *units;
    } cases[] = {
        {10000, "1", "1", "Day|Week|Month|Year"},     {10000, "2", "2", "Days|Weeks|Month|Years"},
        {10000, "abc", "0", "Days|Weeks|Month|Years"}, {10000, "3x", "3", "Days|Weeks|Month|Years"},
        {20000, "1", "1", "Tag|Woche|Monat|Jahr"},     {20000, "0", "0", "Tage|Wochen|Monate|Jahre"},
    };
    for (const auto& c : cases) {
        LanguageBase = std::int16_t(c.language);
        f().PeriodeText.setText(QLatin1String(c.typed));
        EXPECT_EQ(f().PeriodeText.text() + ' ' + f().PeriodeCombo.items().join('|'), QLatin1String(c.count) + ' ' + c.units);
        EXPECT_EQ(f().PeriodeCombo.listIndex(), 1);
    }
    // No count: the range ends the second before it starts.
    EXPECT_EQ(RangeEnd, vb(1999, 2, 3, 23, 59, 59));
    EXPECT_EQ(f().EndDateText.text(), QStringLiteral("Wed 03.02.99"));
}

TEST_F(PeriodFieldsTest, TypedDatesMoveTheRangeOrComeBack)
{
    f().PeriodeText.setText(QStringLiteral("2"));
    // An end date with its weekday: the start is two weeks before, plus a day.
    EXPECT_TRUE(type(f().EndDateText, "Wed 03.03.99", 13));
    EXPECT_EQ(f().StartDateText.text() + ' ' + f().EndDateText.text(), QStringLiteral("Thu 18.02.99 Wed 03.03.99"));
    EXPECT_EQ(RangeStart, vb(1999, 2, 18));
    // A start without its weekday is read whole; no date, and Esc, bring the accepted text back.
    EXPECT_TRUE(type(f().StartDateText, "04.02.99", 13));
    EXPECT_EQ(f().StartDateText.text() + ' ' + f().EndDateText.text(), QStringLiteral("Thu 04.02.99 Wed 17.02.99"));
    EXPECT_TRUE(type(f().StartDateText, "Fri 31.02.99", 13));
    EXPECT_TRUE(type(f().EndDateText, "Fri 31.02.99", 27));
    EXPECT_EQ(f().StartDateText.text() + ' ' + f().EndDateText.text(), QStringLiteral("Thu 04.02.99 Wed 17.02.99"));
    EXPECT_TRUE(type(f().PeriodeText, "2", 13));
    EXPECT_FALSE(type(f().PeriodeText, "2", 'A'));

    // A range after 2029 picked in the picker: Enter on either field's own text keeps its year.
    click(band::TessaroTools, tool::TessaroCalendar);
    f().TIVStartCalendar.userClick(QDate(2031, 3, 17));
    f().CalCommandOK.userClick();
    for (controls::TextBox* field : {&f().StartDateText, &f().EndDateText})
        EXPECT_TRUE(type(*field, field->text().toLatin1().constData(), 13));
    EXPECT_EQ(RangeStart, vb(2031, 3, 17));
    EXPECT_EQ(f().StartDateText.text() + ' ' + f().EndDateText.text(), QStringLiteral("Mon 17.03.31 Sun 30.03.31"));
}

TEST_F(PeriodFieldsTest, ThePickerTakesAChangedRangeAndCancelPutsItBack)
{
    // OK without a change only closes the picker, also with the calendar's entries shown.
    OrganizerEntriesRead = true;
    click(band::TessaroTools, tool::TessaroCalendar);
    EXPECT_TRUE(f().TIVStartCalendar.isVisible());
    f().CalCommandOK.userClick();
    EXPECT_FALSE(f().TIVStartCalendar.isVisible());
    EXPECT_TRUE(boxes.boxes.empty());

    // A picked day fills both fields; another unit, then another count: Cancel keeps the unit
    // last taken and puts the count, the day and the texts back.
    click(band::TessaroTools, tool::TessaroCalendar);
    f().TIVStartCalendar.userClick(QDate(1999, 3, 1));
    EXPECT_EQ(f().StartDateText.text() + ' ' + f().EndDateText.text(), QStringLiteral("Mon 01.03.99 Sun 07.03.99"));
    f().PeriodeCombo.userPicked(2);
    f().PeriodeText.setText(QStringLiteral("3"));
    f().CalCommandCancel.userClick();
    EXPECT_EQ(f().TIVStartCalendar.value(), QDate(1999, 2, 4));
    EXPECT_EQ(f().PeriodeCombo.listIndex(), 2);
    EXPECT_EQ(f().PeriodeText.text(), QStringLiteral("1"));
    EXPECT_EQ(f().StartDateText.text() + ' ' + f().EndDateText.text(), QStringLiteral("Thu 04.02.99 Wed 10.02.99"));

    // A start typed while the picker is open moved the range; Esc in the picker puts it back.
    f().PeriodeCombo.setListIndex(1);
    click(band::TessaroTools, tool::TessaroCalendar);
    type(f().StartDateText, "01.03.99", 13);
    EXPECT_EQ(RangeStart, vb(1999, 3, 1));
    f().TIVStartCalendar.userKeyPress(27);
    EXPECT_EQ(RangeStart, vb(1999, 2, 4));
    EXPECT_EQ(RangeEnd, vb(1999, 2, 10, 23, 59, 59));

    // A changed range with the calendar's entries shown is asked about; Cancel there cancels.
    click(band::TessaroTools, tool::TessaroCalendar);
    f().TIVStartCalendar.userClick(QDate(1999, 3, 1));
    boxes.answers = {vbCancel};
    f().CalCommandOK.userClick();
    ASSERT_EQ(boxes.boxes.size(), 1u);
    EXPECT_EQ(boxes.boxes[0].text, QStringLiteral("Synchronize with the new date range?"));
    EXPECT_EQ(RangeStart, vb(1999, 2, 4));
    EXPECT_EQ(f().StartDateText.text(), QStringLiteral("Thu 04.02.99"));
}

} // namespace
} // namespace tessaro
