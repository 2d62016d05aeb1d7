// The main window's commands on the control models, with the synchronisation's fakes (a phone
// that holds what it is given, a calendar file, recorders for the window's steps and the boxes),
// a recorder for the windows the commands open, and a scripted link for the phone test.
#include "organizer/mainwindow/ActiveBar.h"
#include "organizer/mainwindow/CommandDispatch.h"
#include "organizer/mainwindow/CommandWindows.h"
#include "organizer/mainwindow/MenuStates.h"
#include "organizer/mainwindow/PeriodFields.h"

#include "organizer/daterange/DateTexts.h"
#include "organizer/link/ComDrv.h"
#include "organizer/link/MobileStatus.h"
#include "organizer/sync/TIVOutlook.h"

#include "organizer/link/ScriptedCalendarPhone.h"
#include "organizer/sync/SyncTestSupport.h"

#include <sys/resource.h>

#include <csignal>
#include <optional>

namespace tessaro {
namespace {

using test::at;
using test::vb;
namespace controls = torvane::controls;

// Writes to files fail (EFBIG) while it lives.
class FileSizeLimit {
public:
    FileSizeLimit()
    {
        ::getrlimit(RLIMIT_FSIZE, &m_old);
        m_handler = std::signal(SIGXFSZ, SIG_IGN);
        const rlimit tiny{1, m_old.rlim_max};
        ::setrlimit(RLIMIT_FSIZE, &tiny);
    }
    ~FileSizeLimit()
    {
        ::setrlimit(RLIMIT_FSIZE, &m_old);
        std::signal(SIGXFSZ, m_handler);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

private:
    rlimit m_old{};
    void (*m_handler)(int) = nullptr;
};

class RecordingWindows : public CommandWindows {
public:
    RecordingWindows() { m_previous = setCommandWindows(this); }
    ~RecordingWindows() override { setCommandWindows(m_previous); }
    RecordingWindows(const RecordingWindows&) = delete;
    RecordingWindows& operator=(const RecordingWindows&) = delete;

    void MobileEntryFormShow() override { record(QStringLiteral("editor ") + CurrentEntry.Location); }
    void ShowAbout() override { record(QStringLiteral("about")); }
    void ShowComEigenschaften() override { record(QStringLiteral("port")); }
    void ShowLanguage() override { record(QStringLiteral("language")); }
    void ShowHelpContents() override { record(QStringLiteral("help")); }
    void UnloadMainWindow() override { record(QStringLiteral("unload")); }
    void PhoneTestWindow(bool asking) override { record(QStringLiteral("test window %1").arg(int(asking))); }

    // Each call with whether a command was marked running and the menu titles greyed meanwhile.
    QStringList calls;

private:
    void record(const QString& what)
    {
        const bool greyed = !Main_Form().ActiveBar1.band(band::MainMenu).tool(tool::mnuEntry).isEnabled();
        calls << what + (CommandBusy && greyed ? QStringLiteral(" (busy)") : QString());
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
        CurrentGrid = {GridName::FG1, 0};
        // Dentist on both sides; the theatre only on the phone; yoga only in the calendar.
        addAppointment(QStringLiteral("Dentist"), at(2026, 3, 10, 9, 30));
        addAppointment(QStringLiteral("Yoga"), at(2026, 3, 11, 18, 0));
        addPhoneEntry(1, vb(2026, 3, 10, 9, 30), QStringLiteral("Dentist"));
        addPhoneEntry(2, vb(2026, 3, 12, 19, 0), QStringLiteral("Theatre"));
        readBothSides();
        MobileEntriesRead = true;
        phone.held = {{1, {}}, {2, {}}};
        boxes.boxes.clear();
        status.texts.clear();
        window.periodeTextChange = PeriodeText_Change;
    }

    void TearDown() override
    {
        ComDrvUnload();
        SyncTest::TearDown();
    }

    // The link on a scripted device, for the commands that ask the phone themselves.
    void loadLink()
    {
        auto owned = std::make_unique<test::ScriptedPort>(clock);
        port = owned.get();
        ComDrvLoad(std::move(owned), clock);
    }

    static void click(const QString& bandName, const QString& toolName)
    {
        controls::CommandBar& bar = Main_Form().ActiveBar1;
        bar.activate(bar.band(bandName).tool(toolName));
    }

    // The user puts the cell cursor on a cell and clicks or double-clicks it.
    static void clickCell(controls::Grid& grid, int row, int column, bool twice = false)
    {
        grid.userSelect(row, column);
        grid.focusChanged(true);
        grid.userClick();
        if (twice)
            grid.userDoubleClick();
    }

    int rowOf(const controls::Grid& grid, int column, const QString& text)
    {
        const QStringList texts = this->column(grid, column);
        return FirstEntryRow + int(texts.indexOf(text));
    }

    RecordingWindows windows;
    test::FakeLinkClock clock;
    test::ScriptedPort* port = nullptr;
};

TEST_F(CommandsTest, ToolStatesFollowTheCalendarTheCountsAndTheRoomOnThePhone)
{
    struct Case {
        bool calendar;
        int appointments, held;
        // ClearGrid, ClearBothCol, ClearMobileCol, ClearOrgCol, NewEntry, Clear enabled;
        // ClearGrid, Calendar, ReadOrganizer, ClearGrids (when the menu opens) shown.
        const char* states;
    };
    const Case cases[] = {
        {true, 0, 30, "-|-|+|-|-|+ -|+|+|+"},
        {true, 0, 29, "-|-|+|-|+|+ -|+|+|+"},
        {true, 2, 3, "-|+|+|+|+|+ -|+|+|+"},
        {true, 0, 0, "-|-|-|-|+|- -|+|+|+"},
        {false, 0, 5, "+|-|+|-|+|+ +|-|-|-"},
    };
    controls::CommandBar& bar = Main_Form().ActiveBar1;
    const auto flag = [](bool on) { return on ? QStringLiteral("+") : QStringLiteral("-"); };
    for (const Case& c : cases) {
        OrganizerAvailable = c.calendar;
        OrganizerEntryCount = std::int16_t(c.appointments);
        PhoneEntryTable.Count = std::int16_t(c.held);
        SetMenus_Click();
        ActiveBar1_BandOpen(band::TessaroOrganizerMenu);
        const controls::Band organizer = bar.band(band::TessaroOrganizerMenu);
        const controls::Band clear = bar.band(band::TessaroClearGridMenu);
        const controls::Band tools = bar.band(band::TessaroTools);
        const QStringList enabled = {flag(organizer.tool(tool::TessaroClearGrid).isEnabled()),
                                     flag(clear.tool(tool::TessaroClearBothCol).isEnabled()),
                                     flag(clear.tool(tool::TessaroClearMobileCol).isEnabled()),
                                     flag(clear.tool(tool::TessaroClearOrgCol).isEnabled()),
                                     flag(tools.tool(tool::TessaroNewEntry).isEnabled()),
                                     flag(tools.tool(tool::TessaroClear).isEnabled())};
        const QStringList shown = {flag(organizer.tool(tool::TessaroClearGrid).isVisible()),
                                   flag(tools.tool(tool::TessaroCalendar).isVisible()),
                                   flag(tools.tool(tool::TessaroReadOrganizer).isVisible()),
                                   flag(organizer.tool(tool::TessaroClearGrids).isVisible())};
        EXPECT_EQ(enabled.join('|') + ' ' + shown.join('|'), QLatin1String(c.states))
            << c.calendar << " " << c.appointments << " " << c.held;
    }
}

TEST_F(CommandsTest, ToolsRunOneAtATimeWithTheMenuTitlesGreyed)
{
    const std::pair<QString, QString> routes[] = {
        {tool::TessaroAbout, "about"},       {tool::TessaroComSettings, "port"}, {tool::TessaroLanguage, "language"},
        {tool::TessaroHelp, "help"},         {tool::TessaroEnd, "unload"},
    };
    for (const auto& [name, call] : routes) {
        windows.calls.clear();
        window.calls.clear();
        click(name == tool::TessaroEnd ? band::TessaroOrganizerMenu
              : name == tool::TessaroHelp || name == tool::TessaroAbout ? band::TessaroHelpMenu
                                                                         : band::TessaroExtraMenu,
              name);
        EXPECT_EQ(windows.calls, QStringList{call + " (busy)"});
        EXPECT_EQ(window.calls, (QStringList{"TIVResize", "SetMenus_Click"}));
        EXPECT_FALSE(CommandBusy);
        EXPECT_TRUE(Main_Form().ActiveBar1.band(band::MainMenu).tool(tool::mnuEntry).isEnabled());
    }
    // A click while the link or a command is busy only refreshes the states.
    for (bool* busy : {&LinkBusy, &CommandBusy}) {
        windows.calls.clear();
        window.calls.clear();
        *busy = true;
        click(band::TessaroHelpMenu, tool::TessaroAbout);
        clickCell(fg2(), rowOf(fg2(), 4, "Yoga"), ColPcText, true);
        *busy = false;
        EXPECT_TRUE(windows.calls.isEmpty());
        EXPECT_EQ(window.calls, QStringList{"SetMenus_Click"});
        EXPECT_EQ(windowsShown, 0);
    }
}

TEST_F(CommandsTest, DeleteAsksByItsSideAndTheDateColumnDoesNothing)
{
    // In the date column the delete does nothing at all.
    clickCell(fg1(), 2, ColDateText);
    click(band::TessaroTools, tool::TessaroDeleteEntry);
    EXPECT_TRUE(boxes.boxes.empty());
    EXPECT_TRUE(phone.calls.isEmpty());

    struct Case {
        bool serie;
        int answer;
        const char* warning;
    };
    const Case cases[] = {
        {false, vbCancel, "Warning! The entry will be deletet from the mobile."},
        {true, vbCancel,
         "Warning! The entry will be deletet from the mobile. All entries of this SERIE will be removed, too!"},
        {false, vbOK, "Warning! The entry will be deletet from the mobile."},
    };
    for (const Case& c : cases) {
        boxes.boxes.clear();
        boxes.answers = {c.answer};
        PhoneEntryTable.Entries(2).IsSerie = c.serie ? FlagTrue : FlagFalse;
        const int row = rowOf(fg1(), 9, "Theatre");
        const QString date = fg1().textMatrix(row, ColDateText);
        clickCell(fg1(), row, ColPhoneText);
        click(band::TessaroEntryMenu, tool::TessaroDeleteEntry);
        ASSERT_EQ(boxes.boxes.size(), 1u);
        EXPECT_EQ(boxes.boxes[0].text,
                  QStringLiteral("Entry < Theatre >\r\n") + date + "\r\n" + c.warning + "\r\nAre you sure?");
        EXPECT_EQ(boxes.boxes[0].style, vbExclamation | vbOKCancel);
        EXPECT_EQ(phone.held.count(2), c.answer == vbOK ? 0u : 1u);
    }
    EXPECT_EQ(column(fg1(), 9), QStringList({"Dentist"}));
    EXPECT_EQ(PhoneEntryTable.Count, 1);
    EXPECT_EQ(phone.calls.last(), "delete 2");
}

TEST_F(CommandsTest, AnAppointmentLeavesTheGridsOnlyOnceTheCalendarDeletedIt)
{
    const QString yoga = rows(fg2())[1].id;
    // The calendar cannot be written when the user confirms: no file may grow past one byte.
    std::optional<FileSizeLimit> full;
    setMessageBoxHandler([&](const QString& text, int, const QString&) {
        boxes.boxes.push_back({text, 0, {}});
        if (text.startsWith(QLatin1String("Entry <")))
            full.emplace();
        return vbOK;
    });
    clickCell(fg2(), rowOf(fg2(), 4, "Yoga"), ColPcText);
    click(band::TessaroEntryMenu, tool::TessaroDeleteEntry);
    full.reset();
    ASSERT_EQ(boxes.boxes.size(), 2u);
    EXPECT_EQ(boxes.boxes[0].text.section(QStringLiteral("\r\n"), 2, 2),
              QStringLiteral("Warning! You are removing the entry from Outlook!"));
    EXPECT_TRUE(boxes.boxes[1].text.startsWith(QLatin1String("Number: -1959"))) << boxes.boxes[1].text.toStdString();
    EXPECT_EQ(column(fg2(), 4), QStringList({"Dentist", "Yoga"}));
    EXPECT_EQ(OrganizerEntryCount, 2);

    // A calendar that writes: the appointment, its row and one from the count go.
    setMessageBoxHandler({});
    click(band::TessaroEntryMenu, tool::TessaroDeleteEntry);
    EXPECT_EQ(column(fg2(), 4), QStringList({"Dentist"}));
    EXPECT_EQ(OrganizerEntryCount, 1);
    OutlookApp.reset();
    EXPECT_THROW(calendar().GetNamespace(QStringLiteral("MAPI")).GetItemFromID(yoga), torvane::outlook::Error);
}

TEST_F(CommandsTest, DoubleClicksCopyByTheMarkAndReportAMissingAppointment)
{
    // A full phone takes no copy.
    for (int location = 3; location <= 30; ++location)
        addPhoneEntry(location, vb(2026, 4, 1), QStringLiteral("Full"));
    clickCell(fg2(), rowOf(fg2(), 4, "Yoga"), ColSyncPicture, true);
    ASSERT_EQ(boxes.boxes.size(), 1u);
    EXPECT_EQ(boxes.boxes[0].text, QStringLiteral("Too many entries!  Max possible entries: 30"));
    EXPECT_EQ(boxes.boxes[0].style, vbInformation);
    EXPECT_EQ(phone.writes, 0);

    // The phone-only theatre goes to the calendar, and its row shows both sides.
    clickCell(fg1(), rowOf(fg1(), 9, "Theatre"), ColSyncPicture, true);
    EXPECT_EQ(column(fg2(), 4), QStringList({"Dentist", "Yoga", "Theatre"}));
    EXPECT_EQ(column(fg1(), 5).mid(0, 2), QStringList({"j", "j"}));

    // An FG1 row whose appointment FG2 no longer shows.
    boxes.boxes.clear();
    const int row = rowOf(fg1(), 9, "Dentist");
    fg1().setTextMatrix(row, ColEntryId, QStringLiteral("gone"));
    clickCell(fg1(), row, ColDateText, true);
    ASSERT_EQ(boxes.boxes.size(), 1u);
    EXPECT_EQ(boxes.boxes[0].caption, QStringLiteral("An Error Occurred In: FG1_DblClick:FG1_DblClick"));
    EXPECT_EQ(boxes.boxes[0].text.section(QStringLiteral("\r\n"), 0, 1),
              QStringLiteral("Number: -1978\r\nDescription: Error! Could not find source entry of: ") +
                  fg1().textMatrix(row, ColPhoneText));
    EXPECT_FALSE(CommandBusy);
}

TEST_F(CommandsTest, NewAndOpenActOnTheCurrentCell)
{
    QStringList opened;
    appointmentWindow = [&](outlook::AppointmentItem& item) { opened << item.Subject(); };
    // Open from the phone grid's PC text opens that row's appointment, whatever FG2 last selected.
    clickCell(fg2(), rowOf(fg2(), 4, "Yoga"), ColPcText);
    clickCell(fg1(), rowOf(fg1(), 9, "Dentist"), ColPcText);
    click(band::TessaroEntryMenu, tool::TessaroOpenEntry);
    clickCell(fg1(), rowOf(fg1(), 9, "Theatre"), ColPhoneText);
    click(band::TessaroEntryMenu, tool::TessaroOpenEntry);
    click(band::TessaroEntryMenu, tool::TessaroNewEntry);
    EXPECT_EQ(opened, QStringList{"Dentist"});
    EXPECT_EQ(windows.calls, (QStringList{"editor 2 (busy)", "editor  (busy)"}));
    // A phone that cannot be read gets no new entry: its free locations are not known.
    windows.calls.clear();
    ClearEntryTable();
    MobileEntryCount = 0;
    loadLink();
    port->openResult = [] { return SerialBackend::OpenStatus::NotFound; };
    clickCell(fg1(), FirstEntryRow, ColPhoneText);
    click(band::TessaroEntryMenu, tool::TessaroNewEntry);
    EXPECT_FALSE(MobileEntriesRead);
    EXPECT_TRUE(windows.calls.isEmpty());
}

TEST_F(CommandsTest, ClearingThePhoneAsksFirstAndCancelLeavesEverything)
{
    MobileConnected = true;
    for (int answer : {vbCancel, vbOK}) {
        boxes.answers = {answer};
        click(band::TessaroOrganizerMenu, tool::TessaroClearMobile);
        EXPECT_EQ(boxes.boxes.back().text,
                  QStringLiteral("Warning! You are removing all entries from the mobile!\r\nAre you sure?"));
        EXPECT_EQ(phone.held.size(), answer == vbOK ? 0u : 2u);
        EXPECT_EQ(column(fg1(), 9), answer == vbOK ? QStringList() : QStringList({"Dentist", "Theatre"}));
    }
    EXPECT_EQ(phone.calls.mid(0, 3), QStringList({"InitComm", "InitComm", "delete 1"}));
}

TEST_F(CommandsTest, ThePhoneTestShowsTheAnswerAndKeepsTheEntriesRead)
{
    loadLink();
    test::ScriptedCalendarPhone answers(*port);
    click(band::TessaroExtraMenu, tool::TessaroTestMobile);
    EXPECT_EQ(status.texts, (QStringList{"Please wait. Reading status from mobile!", "TRVANE 45\rMobile OK"}));
    EXPECT_FALSE(status.log.contains("Quit"));
    EXPECT_EQ(windows.calls, (QStringList{"test window 1 (busy)", "test window 0 (busy)"}));
    // Delete and clear stay possible: the table, its count and its read flag are as they were.
    EXPECT_EQ(PhoneEntryTable.Count, 2);
    EXPECT_EQ(MobileEntryCount, 2);
    EXPECT_TRUE(MobileEntriesRead);
    EXPECT_EQ(window.panels[PanelEntryCounter], QStringLiteral("Mobile Entries occupied: 2/30"));

    // No phone: the window closes and the status bar says so.
    answers.silentCommands = {"ATE0+CMEE=2\r"};
    boxes.answers = {vbOK};
    click(band::TessaroExtraMenu, tool::TessaroTestMobile);
    EXPECT_EQ(status.log.last(), "Quit");
    EXPECT_EQ(window.panels[PanelMobileStatus], QStringLiteral("offline"));
}

class PeriodFieldsTest : public CommandsTest {
protected:
    void SetUp() override
    {
        CommandsTest::SetUp();
        // A week from Thursday 4 February 1999, as the window starts.
        MainFormControls& f = Main_Form();
        f.TIVStartCalendar.setValue(QDate(1999, 2, 4));
        f.PeriodeCombo.setListIndex(1);
        f.PeriodeText.setText(QStringLiteral("1"));
        OrganizerEntriesRead = false;
    }
    static MainFormControls& form() { return Main_Form(); }
    static void key(controls::TextBox& box, int keyAscii, bool swallowed = true)
    {
        EXPECT_EQ(box.userKeyPress(keyAscii) == 0, swallowed) << box.name().toStdString() << " " << keyAscii;
    }
};

TEST_F(PeriodFieldsTest, TheCountIsANumberAndNamesTheUnits)
{
    const struct {
        int language;
        const char* typed;
        const char* count;
        const char* units;
    } cases[] = {
        {10000, "1", "1", "Day|Week|Month|Year"},     {10000, "2", "2", "Days|Weeks|Month|Years"},
        {10000, "abc", "0", "Days|Weeks|Month|Years"}, {10000, "3x", "3", "Days|Weeks|Month|Years"},
        {20000, "1", "1", "Tag|Woche|Monat|Jahr"},     {20000, "0", "0", "Tage|Wochen|Monate|Jahre"},
    };
    for (const auto& c : cases) {
        LanguageBase = std::int16_t(c.language);
        form().PeriodeText.setText(QLatin1String(c.typed));
        EXPECT_EQ(form().PeriodeText.text(), QLatin1String(c.count)) << c.typed;
        EXPECT_EQ(form().PeriodeCombo.items().join('|'), QLatin1String(c.units)) << c.typed;
        EXPECT_EQ(form().PeriodeCombo.listIndex(), 1);
    }
    // No count: the range ends the second before it starts.
    LanguageBase = 10000;
    form().PeriodeText.setText(QStringLiteral("x"));
    EXPECT_EQ(RangeEnd, vb(1999, 2, 3, 23, 59, 59));
    EXPECT_EQ(form().EndDateText.text(), QStringLiteral("Wed 03.02.99"));
}

TEST_F(PeriodFieldsTest, TypedDatesMoveTheRangeOrComeBack)
{
    form().PeriodeText.setText(QStringLiteral("2"));
    // An end date with its weekday: the start is two weeks before, plus a day.
    form().EndDateText.setText(QStringLiteral("Wed 03.03.99"));
    key(form().EndDateText, 13);
    EXPECT_EQ(form().StartDateText.text(), QStringLiteral("Thu 18.02.99"));
    EXPECT_EQ(form().EndDateText.text(), QStringLiteral("Wed 03.03.99"));
    EXPECT_EQ(RangeStart, vb(1999, 2, 18));
    // A start without its weekday is read whole; no date and Esc bring the accepted text back.
    form().StartDateText.setText(QStringLiteral("04.02.99"));
    key(form().StartDateText, 13);
    EXPECT_EQ(form().StartDateText.text(), QStringLiteral("Thu 04.02.99"));
    EXPECT_EQ(form().EndDateText.text(), QStringLiteral("Wed 17.02.99"));
    for (int k : {13, 27}) {
        form().StartDateText.setText(QStringLiteral("Fri 31.02.99"));
        key(form().StartDateText, k);
        EXPECT_EQ(form().StartDateText.text(), QStringLiteral("Thu 04.02.99"));
    }
    key(form().PeriodeText, 13);
    key(form().PeriodeText, 65, false);
}

TEST_F(PeriodFieldsTest, ThePickerTakesAChangedRangeAndCancelPutsItBack)
{
    // OK without a change only closes the picker, also with the calendar's entries shown.
    OrganizerEntriesRead = true;
    click(band::TessaroTools, tool::TessaroCalendar);
    EXPECT_TRUE(form().TIVStartCalendar.isVisible());
    form().CalCommandOK.userClick();
    EXPECT_FALSE(form().TIVStartCalendar.isVisible());
    EXPECT_TRUE(boxes.boxes.empty());
    EXPECT_EQ(RangeStart, vb(1999, 2, 4));

    // A picked day fills both fields; another unit, then another count: Cancel keeps the unit
    // last taken and puts the count, the day and the texts back.
    click(band::TessaroTools, tool::TessaroCalendar);
    form().TIVStartCalendar.userClick(QDate(1999, 3, 1));
    EXPECT_EQ(form().StartDateText.text(), QStringLiteral("Mon 01.03.99"));
    EXPECT_EQ(form().EndDateText.text(), QStringLiteral("Sun 07.03.99"));
    form().PeriodeCombo.userPicked(2);
    form().PeriodeText.setText(QStringLiteral("3"));
    form().CalCommandCancel.userClick();
    EXPECT_EQ(form().TIVStartCalendar.value(), QDate(1999, 2, 4));
    EXPECT_EQ(form().PeriodeCombo.listIndex(), 2);
    EXPECT_EQ(form().PeriodeText.text(), QStringLiteral("1"));
    EXPECT_EQ(form().StartDateText.text(), QStringLiteral("Thu 04.02.99"));
    EXPECT_EQ(form().EndDateText.text(), QStringLiteral("Wed 10.02.99"));

    // A start typed while the picker is open moved the range; Esc in the picker puts it back.
    form().PeriodeCombo.setListIndex(1);
    click(band::TessaroTools, tool::TessaroCalendar);
    form().StartDateText.setText(QStringLiteral("01.03.99"));
    key(form().StartDateText, 13);
    EXPECT_EQ(RangeStart, vb(1999, 3, 1));
    form().TIVStartCalendar.userKeyPress(27);
    EXPECT_EQ(RangeStart, vb(1999, 2, 4));
    EXPECT_EQ(RangeEnd, vb(1999, 2, 10, 23, 59, 59));

    // A changed range with the calendar's entries shown is asked about; Cancel there cancels.
    click(band::TessaroTools, tool::TessaroCalendar);
    form().TIVStartCalendar.userClick(QDate(1999, 3, 1));
    boxes.answers = {vbCancel};
    form().CalCommandOK.userClick();
    ASSERT_EQ(boxes.boxes.size(), 1u);
    EXPECT_EQ(boxes.boxes[0].text, QStringLiteral("Synchronize with the new date range?"));
    EXPECT_EQ(RangeStart, vb(1999, 2, 4));
    EXPECT_EQ(form().StartDateText.text(), QStringLiteral("Thu 04.02.99"));
}

} // namespace
} // namespace tessaro
