// The entry editor's steps on the synchronisation's table and grids with a phone that fails where
// told: what a save stores, the change test behind the close box, the alarm check, the delete
// question, the checks of a typed date or time, and a full phone.
#include "organizer/entryeditor/MobileEntrySteps.h"

#include "organizer/entryeditor/EntryEditorSteps.h"
#include "organizer/mainwindow/MainFormState.h"

#include "organizer/sync/SyncTestSupport.h"

namespace tessaro {
namespace {

using test::vb;

class EntryStepsTest : public test::SyncTest {
public:
    void SetUp() override
    {
        SyncTest::SetUp();
        RRuleValues = {QStringLiteral("D1"), QStringLiteral("W1"), QStringLiteral("Y1")};
        setDateTimeClock([this] { return clock; });
        installMobileEntrySteps();
        PhoneEntry& dentist = addPhoneEntry(1, vb(2026, 3, 3, 9, 0), QStringLiteral("Dentist"));
        dentist.IsSerie = FlagTrue;
        dentist.RRule = QStringLiteral("W1");
        addPhoneEntry(2, vb(2026, 3, 4, 12, 0), QStringLiteral("Lunch"));
        phone.held = {{1, PhoneEntryTable.Entries(1)}, {2, PhoneEntryTable.Entries(2)}};
        readBothSides();
    }
    void TearDown() override
    {
        form.reset();
        uninstallMobileEntrySteps();
        setDateTimeClock({});
        ClearCurrentEntry();
        SyncTest::TearDown();
    }

    // Loads the editor for the entry at `location`, or for a new one (0).
    void open(int location)
    {
        CurrentEntry = location ? PhoneEntryTable.Entries(location) : PhoneEntry();
        form = std::make_unique<MobileEntryForm>();
        form->Form_Load(QRectF(0, 0, 12000, 9000));
        phone.calls.clear();
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

    QDateTime clock = test::at(2026, 3, 2, 10, 0);
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
    form->EntryDescriptionText.setText(QStringLiteral("Yoga"));
    click("EntrySave");

    EXPECT_EQ(phone.calls, QStringList({"InitComm", "write 3", "CloseComm"}));
    const PhoneEntry& e = PhoneEntryTable.Entries(3);
    EXPECT_TRUE(PhoneEntryEquals(phone.held[3], e));
    const VbDate start = fromDateTime(c.start);
    const Flag16 on = c.alarm ? FlagTrue : FlagFalse;
    const Flag16 kinds[] = {e.IsMemo, e.IsMeeting, e.IsAnniversary, e.IsPhoneCall};
    EXPECT_EQ(kinds[c.kind], FlagTrue);
    EXPECT_EQ(std::make_tuple(e.StartTime, e.DAlarmSet, e.AAlarmSet, e.DtStartSet),
              std::make_tuple(start, on, on, Flag16(c.alarm ? FlagFalse : FlagTrue)));
    EXPECT_EQ((c.alarm ? e.DAlarm : e.DtStart), start);
    EXPECT_EQ(e.RRule, QLatin1String(c.rule));
    EXPECT_EQ(e.WeekdayMask, c.mask);
    EXPECT_EQ(column(fg1(), ColPhoneLocation), QStringList({"1", "2", "3"}));
    EXPECT_EQ(MobileEntryCount, 3);
}

INSTANTIATE_TEST_SUITE_P(Fields, NewEntry, ::testing::Values(
    NewCase{EntryTypeMemo, true, -1, test::at(2026, 3, 10, 9, 30), "", 0},
    NewCase{EntryTypePhoneCall, false, -1, test::at(2026, 3, 11, 8, 0), "", 0},
    NewCase{EntryTypeMeeting, true, 1, test::at(2026, 3, 9, 14, 0), "W1", 2}, // a Monday
    NewCase{EntryTypeAnniversary, false, 2, test::at(2026, 3, 14, 0, 0), "Y1", 0}));

enum class PhoneAnswer { Unchanged, Takes, Refuses };

class ChangedEntry : public EntryStepsTest, public ::testing::WithParamInterface<PhoneAnswer> {};

// Opened from the calendar grid while the phone grid's selection rests on another entry.
TEST_P(ChangedEntry, GoesOverItsOwnLocationAndOnlyAWriteThePhoneTookChangesItsRowAndRecord)
{
    fg1().setRow(2);
    open(2);
    if (GetParam() != PhoneAnswer::Unchanged) {
        form->EntryDescriptionText.setText(QStringLiteral("Lunch Bob"));
        type("EntryTime", QStringLiteral("13:00"));
    }
    if (GetParam() == PhoneAnswer::Refuses)
        phone.refusedWrites = {1};
    click("EntrySave");

    const bool taken = GetParam() == PhoneAnswer::Takes;
    EXPECT_EQ(phone.calls.filter(QStringLiteral("write")).size(), GetParam() == PhoneAnswer::Unchanged ? 0 : 1);
    const QString text = taken ? QStringLiteral("Lunch Bob") : QStringLiteral("Lunch");
    EXPECT_EQ(phone.held[2].Description, text);
    EXPECT_EQ(PhoneEntryTable.Entries(2).Description, text);
    EXPECT_EQ(PhoneEntryTable.Entries(2).StartTime, vb(2026, 3, 4, taken ? 13 : 12));
    EXPECT_EQ(column(fg1(), ColPhoneText), QStringList({"Dentist", text}));
    EXPECT_EQ(PhoneEntryTable.Count, 2);
    EXPECT_EQ(fg1().col(), ColPhoneText);
}

INSTANTIATE_TEST_SUITE_P(Answers, ChangedEntry,
                         ::testing::Values(PhoneAnswer::Unchanged, PhoneAnswer::Takes, PhoneAnswer::Refuses));

struct CloseCase {
    const char* what;
    int location;
    std::function<void(EntryStepsTest&, MobileEntryForm&)> edit;
    std::deque<int> answers;
    bool closes;
    QStringList phoneCalls;
    int boxes;
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
    c.edit(*this, *form);
    boxes.answers = c.answers;
    EXPECT_EQ(form->QueryUnload(), c.closes) << c.what;
    EXPECT_EQ(phone.calls, c.phoneCalls) << c.what;
    EXPECT_EQ(int(boxes.boxes.size()), c.boxes) << c.what;
}

INSTANTIATE_TEST_SUITE_P(Cases, CloseBox, ::testing::Values(
    CloseCase{"new", 0, [](auto&, auto& f) { f.EntryDescriptionText.setText(QStringLiteral("x")); }, {}, true, {}, 0},
    CloseCase{"kind", 2, [](auto&, auto& f) { f.EntryOptions[1].setValue(true); }, {vbNo}, true, {}, 1},
    CloseCase{"serie off", 1, [](auto& t, auto&) { t.click("EntrySerie"); }, {}, true, {}, 0},
    CloseCase{"text, Yes", 2, [](auto&, auto& f) { f.EntryDescriptionText.setText(QStringLiteral("x")); }, {vbYes},
              true, {"InitComm", "write 2", "CloseComm"}, 1},
    CloseCase{"alarm past, No", 1, [](auto& t, auto& f) { t.clock = test::at(2026, 3, 3, 9, 0); t.click("EntrySerie");
                                                          f.EntryAlarm.setValue(1); }, {vbYes, vbNo}, false,
              {"InitComm", "CloseComm"}, 2}));

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

TEST_F(EntryStepsTest, DeleteAsksNamingTheEntryAndCancelKeepsIt)
{
    open(2);
    boxes.answers = {vbCancel};
    click("EntryDelete");
    ASSERT_EQ(boxes.boxes.size(), 1u);
    EXPECT_EQ(boxes.boxes[0].text, "Entry < Lunch >\r\nWed 04.03.26 12:00\r\nWarning! The entry will be deletet from "
                                   "the mobile.\r\nAre you sure?");
    EXPECT_EQ(boxes.boxes[0].style, vbOKCancel | vbExclamation);
    EXPECT_EQ(phone.held.size(), 2u);

    open(1);
    boxes.answers = {vbOK};
    click("EntryDelete");
    EXPECT_TRUE(boxes.boxes[1].text.contains(QStringLiteral("All entries of this SERIE")));
    EXPECT_EQ(phone.held.count(1), 0u);
    EXPECT_EQ(column(fg1(), ColPhoneText), QStringList({"Lunch"}));
    EXPECT_TRUE(CurrentEntry.Location.isEmpty());
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

TEST_F(EntryStepsTest, ANewEntryWithoutAFreeLocationShowsNothingAndCountsNothing)
{
    for (int location = 3; location <= LastLocation; ++location)
        PhoneEntryTable.Reserve(location);
    open(0);
    form->TIVStartCalendar.setValue(QDate(2026, 3, 20));
    click("EntrySave");
    EXPECT_TRUE(phone.calls.filter(QStringLiteral("write")).isEmpty());
    EXPECT_EQ(column(fg1(), ColPhoneLocation), QStringList({"1", "2"}));
    EXPECT_EQ(PhoneEntryTable.Count, 2);
    ASSERT_EQ(boxes.boxes.size(), 1u);
    EXPECT_EQ(boxes.boxes[0].text, "Too many entries!  Max possible entries: 30");
}

} // namespace
} // namespace tessaro
