// The entry editor's steps on the synchronisation's table and grids with a phone that fails where
// told: what a save stores, the change test behind the close box, the alarm check, the delete
// question, the checks of a typed date or time. (The whole road runs in EntryEditorSimTest.)
#include "organizer/entryeditor/MobileEntrySteps.h"

#include "organizer/entryeditor/EntryEditorSteps.h"
#include "organizer/mainwindow/MainFormState.h"

#include "organizer/sync/SyncTestSupport.h"

namespace tessaro {
namespace {

using test::at;

class EntryStepsTest : public test::SyncTest {
public:
    void SetUp() override
    {
        SyncTest::SetUp();
        RRuleValues = {QStringLiteral("D1"), QStringLiteral("W1"), QStringLiteral("Y1")};
        setDateTimeClock([this] { return clock; });
        installMobileEntrySteps();
        PhoneEntry& dentist = addPhoneEntry(1, test::vb(2026, 3, 3, 9, 0), QStringLiteral("Dentist"));
        dentist.IsSerie = FlagTrue;
        dentist.RRule = QStringLiteral("W1");
        addPhoneEntry(2, test::vb(2026, 3, 4, 12, 0), QStringLiteral("Lunch"));
        readBothSides();
    }
    void TearDown() override
    {
        form.reset();
        uninstallMobileEntrySteps();
        setDateTimeClock({});
        SyncTest::TearDown();
    }

    // Loads the editor for the entry at `location`, or for a new one (0).
    void open(int location)
    {
        CurrentEntry = location ? PhoneEntryTable.Entries(location) : PhoneEntry();
        form = std::make_unique<MobileEntryForm>();
        form->Form_Load(QRectF(0, 0, 12000, 9000));
    }
    void click(const char* tool) { form->HandleEntryTool(form->tool(QLatin1String(tool))); }
    // Types into a toolbar field and leaves it.
    void type(const char* tool, const QString& text)
    {
        controls::Tool t = form->tool(QLatin1String(tool));
        form->ActiveBar1_ToolGotFocus(t);
        t.setText(text);
        form->ActiveBar1_ToolLostFocus(t);
    }

    QDateTime clock = at(2026, 3, 2, 10, 0);
    std::unique_ptr<MobileEntryForm> form;
};

struct NewCase {
    int kind;
    bool alarm;
    int period; // -1: no serie
    QDateTime start;
    const char* rule;
    int mask;
};

class NewEntry : public EntryStepsTest, public ::testing::WithParamInterface<NewCase> {};

TEST_P(NewEntry, IsStoredAsTheFieldsSayAtTheFirstFreeLocation)
{
    const NewCase& c = GetParam();
    open(0);
    form->EntryOptions[std::size_t(c.kind)].setValue(true);
    form->EntryAlarm.setValue(c.alarm ? 1 : 0);
    if (c.period >= 0) {
        click("EntrySerie");
        form->tool(QStringLiteral("EntryPeriode")).setListIndex(c.period);
    }
    form->TIVStartCalendar.setValue(c.start.date());
    type("EntryTime", c.start.toString(QStringLiteral("h:mm")));
    click("EntrySave");

    const PhoneEntry& e = PhoneEntryTable.Entries(3);
    EXPECT_TRUE(PhoneEntryEquals(phone.held[3], e));
    const Flag16 kinds[] = {e.IsMemo, e.IsMeeting, e.IsAnniversary, e.IsPhoneCall};
    EXPECT_EQ(kinds[c.kind], FlagTrue);
    const VbDate start = fromDateTime(c.start);
    const Flag16 on = c.alarm ? FlagTrue : FlagFalse;
    EXPECT_EQ(std::make_tuple(e.StartTime, e.DAlarmSet, e.AAlarmSet, c.alarm ? e.DAlarm : e.DtStart),
              std::make_tuple(start, on, on, start));
    EXPECT_EQ(std::make_tuple(e.RRule, e.WeekdayMask), std::make_tuple(QString::fromLatin1(c.rule), c.mask));
    EXPECT_EQ(column(fg1(), ColPhoneLocation), QStringList({"1", "2", "3"}));
}

INSTANTIATE_TEST_SUITE_P(Fields, NewEntry, ::testing::Values(
    NewCase{EntryTypeMemo, true, -1, at(2026, 3, 10, 9, 30), "", 0},
    NewCase{EntryTypePhoneCall, false, -1, at(2026, 3, 11, 8, 0), "", 0},
    NewCase{EntryTypeMeeting, true, 1, at(2026, 3, 9, 14, 0), "W1", 2}, // from a Monday
    NewCase{EntryTypeAnniversary, false, 2, at(2026, 3, 14, 0, 0), "Y1", 0}));

TEST_F(EntryStepsTest, NothingIsWrittenForAnUnchangedEntryNorForANewOneWithoutAFreeLocation)
{
    open(2);
    click("EntrySave");
    for (int location = 3; location <= LastLocation; ++location)
        PhoneEntryTable.Reserve(location);
    open(0);
    form->TIVStartCalendar.setValue(QDate(2026, 3, 20));
    click("EntrySave");
    EXPECT_EQ(phone.calls, QStringList({"InitComm", "CloseComm", "InitComm", "CloseComm"}));
    EXPECT_EQ(column(fg1(), ColPhoneLocation), QStringList({"1", "2"}));
    EXPECT_EQ(PhoneEntryTable.Count, 2);
    ASSERT_EQ(boxes.boxes.size(), 1u);
    EXPECT_EQ(boxes.boxes[0].text, "Too many entries!  Max possible entries: 30");
}

struct CloseCase {
    const char* what;
    int location;
    std::function<void(EntryStepsTest&)> edit;
    std::deque<int> answers;
    bool closes;
    QStringList phoneCalls;
};

void PrintTo(const CloseCase& c, std::ostream* os)
{
    *os << c.what;
}

class CloseBox : public EntryStepsTest, public ::testing::WithParamInterface<CloseCase> {};

TEST_P(CloseBox, AsksOnlyAboutAChangeAndSavesThroughTheLink)
{
    const CloseCase& c = GetParam();
    open(c.location);
    c.edit(*this);
    boxes.answers = c.answers;
    EXPECT_EQ(form->QueryUnload(), c.closes);
    EXPECT_EQ(phone.calls, c.phoneCalls);
    EXPECT_EQ(boxes.boxes.size(), c.answers.size()) << "a question for each answer";
}

const auto kText = [](EntryStepsTest& t) { t.form->EntryDescriptionText.setText(QStringLiteral("x")); };

INSTANTIATE_TEST_SUITE_P(Cases, CloseBox, ::testing::Values(
    CloseCase{"new", 0, kText, {}, true, {}},
    CloseCase{"kind", 2, [](auto& t) { t.form->EntryOptions[1].setValue(true); }, {vbNo}, true, {}},
    CloseCase{"serie off", 1, [](auto& t) { t.click("EntrySerie"); }, {}, true, {}},
    CloseCase{"text, Yes", 2, kText, {vbYes}, true, {"InitComm", "write 2", "CloseComm"}},
    CloseCase{"alarm past, No", 1, [](auto& t) { t.clock = at(2026, 3, 3, 9, 0); t.click("EntrySerie");
                                                 t.form->EntryAlarm.setValue(1); }, {vbYes, vbNo}, false,
              {"InitComm", "CloseComm"}}));

struct AlarmCase {
    bool alarm, serie;
    int minutes; // the start from now
    bool accepted;
};

class AlarmCheck : public EntryStepsTest, public ::testing::WithParamInterface<AlarmCase> {};

TEST_P(AlarmCheck, RefusesOnlyAnAlarmNotLaterThanNowOutsideASerie)
{
    open(0);
    form->EntryAlarm.setValue(GetParam().alarm ? 1 : 0);
    form->tool(QStringLiteral("EntrySerie")).setPressed(GetParam().serie);
    const QDateTime start = clock.addSecs(60 * GetParam().minutes);
    form->tool(QStringLiteral("EntryTime")).setText(start.toString(QStringLiteral("hh:mm")));
    EXPECT_EQ(EntrySteps().CheckEntryAlarm(*form), GetParam().accepted);
}

INSTANTIATE_TEST_SUITE_P(Starts, AlarmCheck, ::testing::Values(AlarmCase{true, false, 0, false},
    AlarmCase{true, false, 1, true}, AlarmCase{true, false, -1, false}, AlarmCase{false, false, -1, true},
    AlarmCase{true, true, -1, true}));

TEST_F(EntryStepsTest, TheDeleteQuestionNamesTheEntryAndCancelKeepsIt)
{
    open(2);
    boxes.answers = {vbCancel};
    click("EntryDelete");
    ASSERT_EQ(boxes.boxes.size(), 1u);
    EXPECT_EQ(boxes.boxes[0].text, "Entry < Lunch >\r\nWed 04.03.26 12:00\r\nWarning! The entry will be deletet from "
                                   "the mobile.\r\nAre you sure?");
    EXPECT_EQ(boxes.boxes[0].style, vbOKCancel | vbExclamation);
    EXPECT_EQ(PhoneEntryTable.Count, 2);
    EXPECT_FALSE(phone.calls.contains(QStringLiteral("delete 2")));
}

struct TypedCase {
    const char* tool;
    const char* typed;
    const char* shown;
};

class Typed : public EntryStepsTest, public ::testing::WithParamInterface<TypedCase> {};

TEST_P(Typed, TextsThatAreNoDateOrTimePutTheOldTextBack)
{
    open(2);
    type(GetParam().tool, QLatin1String(GetParam().typed));
    EXPECT_EQ(form->tool(QLatin1String(GetParam().tool)).text(), QLatin1String(GetParam().shown));
}

INSTANTIATE_TEST_SUITE_P(Texts, Typed, ::testing::Values(TypedCase{"EntryTime", "9:", "09:00"},
    TypedCase{"EntryTime", "25:00", "12:00"}, TypedCase{"EntryTime", "930", "12:00"},
    TypedCase{"EntryTime", "12:5x", "12:00"}, TypedCase{"EntryStart", "24.12.99", "Fri 24.12.99"},
    TypedCase{"EntryStart", "Xmas", "Wed 04.03.26"}));

} // namespace
} // namespace tessaro
