// Copying across: an appointment to the phone (a weekly series on several days as one entry per
// day) and a phone entry to the calendar.
#include "organizer/sync/GridFill.h"
#include "organizer/sync/SyncMarks.h"
#include "organizer/sync/TIVOutlook.h"
#include "organizer/sync/Transfer.h"

#include "platform/outlook/NameSpace.h"

#include "SyncTestSupport.h"

namespace tessaro {
namespace {

using test::at;
using test::vb;

constexpr int kMonday = 1 << 1;
constexpr int kWednesday = 1 << 3;
constexpr int kFriday = 1 << 5;

class TransferTest : public test::SyncTest {
protected:
    void SetUp() override
    {
        SyncTest::SetUp();
        MobileEntriesRead = true;
    }

    // Copies FG2's row `row` to the phone, as a click on its pictogram does.
    bool copyToPhone(int row)
    {
        fg2().setRow(row);
        fg2().setCol(6);
        return EntryOutlookToMobile(fg2(), PhoneEntryTable, calendar());
    }

    std::vector<outlook::AppointmentItem> allAppointments()
    {
        outlook::Items items = calendarItems();
        std::vector<outlook::AppointmentItem> out;
        for (auto i = items.Find(QStringLiteral("[Start]>=\"01.01.1900 00:00\" and [Start] <=\"31.12.2199 23:59\""));
             i; i = items.FindNext())
            out.push_back(*i);
        return out;
    }
};

TEST_F(TransferTest, AnAppointmentBecomesAPhoneEntryInTheFirstFreeSlot)
{
    addPhoneEntry(1, vb(2026, 1, 5, 8, 0), QStringLiteral("Old"));
    addAppointment(QStringLiteral("Quarterly business review"), at(2026, 3, 10, 9, 30),
                   [](outlook::AppointmentItem& i) {
                       i.setBody(QStringLiteral("abc"));
                       i.setReminderSet(true);
                       i.setMeetingStatus(outlook::MeetingReceived);
                   });
    readBothSides();
    ASSERT_EQ(column(fg2(), 5), QStringList({"r"}));

    EXPECT_TRUE(copyToPhone(2));
    const PhoneEntry& e = PhoneEntryTable.Entries(2);
    EXPECT_EQ(e.Description, "Quarterly busine");
    EXPECT_EQ(e.DisplayText, "Quarterly busine");
    EXPECT_EQ(e.Summary, "abc");
    EXPECT_EQ(e.IsMeeting, FlagTrue);
    EXPECT_EQ(e.IsMemo, FlagFalse);
    EXPECT_EQ(e.DAlarmSet, FlagTrue);
    EXPECT_EQ(e.DAlarm, vb(2026, 3, 10, 9, 30));
    EXPECT_EQ(e.DtStartSet, FlagFalse);
    EXPECT_EQ(e.StartTime, vb(2026, 3, 10, 9, 30));
    EXPECT_EQ(e.Location, "2");
    EXPECT_EQ(e.LocationIndex, 2);
    EXPECT_EQ(PhoneEntryTable.Count, 2);
    EXPECT_EQ(MobileEntryCount, 2);
    EXPECT_EQ(phone.calls, QStringList({"write 2"}));
    EXPECT_EQ(phone.held[2].Description, "Quarterly busine");
    // Both rows now show both sides.
    EXPECT_EQ(column(fg2(), 5), QStringList({"j"}));
    EXPECT_EQ(column(fg2(), 8), QStringList({"2"}));
    EXPECT_EQ(column(fg1(), 9), QStringList({"Old", "Quarterly busine"}));
    EXPECT_EQ(column(fg1(), 5), QStringList({"l", "j"}));
}

struct TypeCase {
    int type;
    Flag16 serie;
    const char* rule;
};

class RecurrenceToPhoneTest : public TransferTest, public ::testing::WithParamInterface<TypeCase> {};

TEST_P(RecurrenceToPhoneTest, ASeriesKeepsTheRepetitionThePhoneKnows)
{
    const TypeCase& c = GetParam();
    addAppointment(QStringLiteral("Series"), at(2026, 3, 3, 9, 0),
                   [&](outlook::AppointmentItem& i) { i.GetRecurrencePattern().setRecurrenceType(c.type); });
    readBothSides();
    EXPECT_TRUE(copyToPhone(2));
    const PhoneEntry& e = PhoneEntryTable.Entries(1);
    EXPECT_EQ(e.IsSerie, c.serie);
    EXPECT_EQ(e.RRule, QLatin1String(c.rule));
    EXPECT_EQ(e.WeekdayMask, 0);
}

INSTANTIATE_TEST_SUITE_P(Types, RecurrenceToPhoneTest,
                         ::testing::Values(TypeCase{0, FlagTrue, "D1"}, TypeCase{2, FlagFalse, ""},
                                           TypeCase{3, FlagFalse, ""}, TypeCase{5, FlagTrue, "Y1"},
                                           TypeCase{6, FlagTrue, "Y1"}));

TEST_F(TransferTest, AWriteThePhoneRefusesLeavesNoTrace)
{
    addAppointment(QStringLiteral("Dentist"), at(2026, 3, 10, 9, 30));
    readBothSides();
    phone.refusedWrites = {1};
    EXPECT_FALSE(copyToPhone(2));
    EXPECT_EQ(PhoneEntryTable.Count, 0);
    EXPECT_TRUE(PhoneEntryTable.Entries(1).Location.isEmpty());
    EXPECT_TRUE(rows(fg1()).empty());
    EXPECT_EQ(rows(fg2())[0].location, "");
    EXPECT_EQ(rows(fg2())[0].phoneText, "");
    EXPECT_EQ(column(fg2(), 5), QStringList({"r"}));

    // A second try finds the slot free and writes it.
    EXPECT_TRUE(copyToPhone(2));
    EXPECT_EQ(column(fg2(), 5), QStringList({"j"}));
}

TEST_F(TransferTest, AWeeklySeriesBecomesAnEntryPerWeekday)
{
    addAppointment(QStringLiteral("Training"), at(2026, 3, 2, 18, 0), [](outlook::AppointmentItem& i) {
        outlook::RecurrencePattern p = i.GetRecurrencePattern();
        p.setRecurrenceType(1);
        p.setDayOfWeekMask(kMonday | kWednesday | kFriday);
    });
    setRange(QDate(2026, 3, 2), QDate(2026, 3, 15));
    readBothSides();
    ASSERT_EQ(rows(fg2()).size(), 6u);

    EXPECT_FALSE(copyToPhone(2));
    EXPECT_EQ(phone.calls, QStringList({"write 1", "write 2", "write 3"}));
    EXPECT_EQ(column(fg1(), 0),
              QStringList({"Mon 02.03.26 18:00", "Wed 04.03.26 18:00", "Fri 06.03.26 18:00"}));
    for (int location = 1; location <= 3; ++location) {
        const PhoneEntry& e = PhoneEntryTable.Entries(location);
        EXPECT_EQ(e.RRule, "W1");
        EXPECT_EQ(e.IsSerie, FlagTrue);
        EXPECT_EQ(e.WeekdayMask, kMonday | kWednesday | kFriday);
    }
    // Each weekday's entry repeats weekly: every occurrence in the range is matched.
    EXPECT_EQ(column(fg2(), 5), QStringList(6, QStringLiteral("j")));
    EXPECT_EQ(MobileEntryCount, 3);
}

TEST_F(TransferTest, WithTwoFreeLocationsTheUserDecides)
{
    MobileCapacity = 5;
    for (int location = 1; location <= 3; ++location)
        addPhoneEntry(location, vb(2026, 1, location, 8, 0), QStringLiteral("Taken"));
    PhoneEntry series;
    series.StartTime = vb(2026, 3, 2, 18, 0);
    series.Description = series.DisplayText = QStringLiteral("Training");
    series.IsSerie = FlagTrue;
    series.RRule = QStringLiteral("W1");
    series.WeekdayMask = kMonday | kWednesday | kFriday;

    boxes.answers = {vbNo};
    SplitWeeklySerie(fg1(), PhoneEntryTable, series);
    ASSERT_EQ(boxes.boxes.size(), 1u);
    EXPECT_EQ(boxes.boxes[0].text, "Number of possible entries: 2\r\nToo many new entries due to the serie. To you "
                                   "want to export all possible entries?");
    EXPECT_EQ(boxes.boxes[0].style, vbYesNo + vbExclamation);
    EXPECT_EQ(phone.writes, 0);
    EXPECT_EQ(PhoneEntryTable.Count, 3);

    // Yes: as many as announced, the first two days of the week.
    boxes.answers = {vbYes};
    SplitWeeklySerie(fg1(), PhoneEntryTable, series);
    EXPECT_EQ(phone.calls, QStringList({"write 4", "write 5"}));
    EXPECT_EQ(PhoneEntryTable.Entries(5).StartTime, vb(2026, 3, 4, 18, 0));
    EXPECT_EQ(PhoneEntryTable.Count, 5);

    // Full: nothing is asked or written.
    SplitWeeklySerie(fg1(), PhoneEntryTable, series);
    EXPECT_EQ(boxes.boxes.size(), 2u);
    EXPECT_EQ(phone.writes, 2);
}

TEST_F(TransferTest, ADayWithoutASlotIsNeitherCountedNorShown)
{
    // Three slots for locations 1 to 3, every slot taken while location 2 is named by none.
    PhoneEntryTable.Redim(1, 3);
    LastLocation = 3;
    MobileCapacity = 30;
    addPhoneEntry(1, vb(2026, 1, 1), QStringLiteral("A"));
    addPhoneEntry(3, vb(2026, 1, 3), QStringLiteral("C"));
    addPhoneEntry(2, vb(2026, 1, 2), QStringLiteral("B")).Location = QStringLiteral("3");
    PhoneEntry series;
    series.StartTime = vb(2026, 3, 2, 18, 0);
    series.Description = series.DisplayText = QStringLiteral("Training");
    series.IsSerie = FlagTrue;
    series.RRule = QStringLiteral("W1");
    series.WeekdayMask = kMonday;
    SplitWeeklySerie(fg1(), PhoneEntryTable, series);
    EXPECT_EQ(PhoneEntryTable.Count, 3);
    EXPECT_TRUE(rows(fg1()).empty());
    EXPECT_EQ(phone.writes, 0);
}

TEST_F(TransferTest, APhoneSeriesBecomesACalendarSeries)
{
    PhoneEntry& e = addPhoneEntry(1, vb(2026, 3, 3, 7, 30), QStringLiteral("Swim"));
    e.IsSerie = FlagTrue;
    e.RRule = QStringLiteral("D7");
    e.AAlarmSet = FlagTrue;
    e.IsMeeting = FlagTrue;
    e.IsMemo = FlagFalse;
    readBothSides();
    ASSERT_EQ(column(fg1(), 5), QStringList({"l"}));

    EXPECT_TRUE(EntryMobileToOutlook(fg2(), e, calendar()));
    const auto all = allAppointments();
    ASSERT_FALSE(all.empty());
    const outlook::AppointmentItem series = calendar().GetNamespace("MAPI").GetItemFromID(all[0].EntryID());
    EXPECT_TRUE(series.IsRecurring());
    EXPECT_EQ(series.GetRecurrencePattern().RecurrenceType(), 1);
    EXPECT_TRUE(series.ReminderSet());
    EXPECT_EQ(series.MeetingStatus(), outlook::Meeting);
    EXPECT_EQ(series.Body(), "Swim");
    // The series came in through a new read: its five March occurrences, each matched.
    EXPECT_TRUE(status.log.contains("Start Torvane Appointments 1"));
    EXPECT_EQ(column(fg2(), 5), QStringList(5, QStringLiteral("j")));
    EXPECT_EQ(column(fg1(), 5), QStringList({"j"}));
}

TEST_F(TransferTest, AnEntryCopiedOutsideTheRangeIsNotOfferedAgain)
{
    addPhoneEntry(1, vb(2026, 6, 1, 10, 0), QStringLiteral("Summer"));
    readBothSides();
    ASSERT_EQ(column(fg1(), 5), QStringList({"l"}));
    EXPECT_TRUE(EntryMobileToOutlook(fg2(), PhoneEntryTable.Entries(1), calendar()));
    // No PC row (it is not in the range), but the phone row names the new appointment.
    EXPECT_TRUE(rows(fg2()).empty());
    EXPECT_EQ(OrganizerEntryCount, 0);
    EXPECT_NE(column(fg1(), 5), QStringList({"l"}));
    EXPECT_EQ(rows(fg1())[0].id, allAppointments().at(0).EntryID());
    EXPECT_EQ(allAppointments().size(), 1u);

    // Read again, the grid no longer shows the pair; copying once more finds the copy.
    ReadOutlook(true);
    ASSERT_EQ(column(fg1(), 5), QStringList({"l"}));
    EXPECT_TRUE(EntryMobileToOutlook(fg2(), PhoneEntryTable.Entries(1), calendar()));
    EXPECT_EQ(allAppointments().size(), 1u);
    EXPECT_EQ(rows(fg1())[0].id, allAppointments().at(0).EntryID());
}

// Ranges from 2030 on, the last across the turn of the century, find their appointments.
TEST_F(TransferTest, RangesFrom2030OnFindTheirAppointments)
{
    for (const QDate first : {QDate(2030, 1, 7), QDate(2049, 6, 14), QDate(2099, 3, 2), QDate(2099, 12, 27)}) {
        addAppointment(first.toString(Qt::ISODate), QDateTime(first.addDays(13), QTime(23, 59)));
        setRange(first, first.addDays(13));
        ReadOutlook(true);
        EXPECT_EQ(column(fg2(), 4), QStringList{first.toString(Qt::ISODate)});
    }
}

// A series split first from a later row, then from every row still offered, with new reads
// between: over two weeks a daily one is one phone entry, a Monday, Wednesday and Friday one an
// entry per weekday; over two years a yearly one is one phone entry; each from the first day on.
struct SplitCase {
    int type;
    int firstRow;
    QStringList phoneRows;
    QDate last = QDate(2031, 3, 16); // the range's last day; it begins on 3 March 2031
};

class SplitAgainTest : public TransferTest, public ::testing::WithParamInterface<SplitCase> {};

TEST_P(SplitAgainTest, EveryRowOfASplitSeriesAddsNothingTwice)
{
    const SplitCase& c = GetParam();
    addAppointment(QStringLiteral("Choir"), at(2031, 3, 3, 19, 30), [&](outlook::AppointmentItem& i) {
        i.GetRecurrencePattern().setRecurrenceType(c.type);
        if (c.type == 1)
            i.GetRecurrencePattern().setDayOfWeekMask(kMonday | kWednesday | kFriday);
        i.setReminderSet(true);
    });
    setRange(QDate(2031, 3, 3), c.last);
    readBothSides();
    const int count = int(rows(fg2()).size());
    copyToPhone(2 + c.firstRow);
    for (int read = 0; read < 2; ++read) {
        for (int offered = 0; offered < count && column(fg2(), 5).contains("r"); ++offered)
            copyToPhone(2 + int(column(fg2(), 5).indexOf("r")));
        ReadOutlook(true);
    }
    EXPECT_EQ(column(fg2(), 5), QStringList(count, QStringLiteral("j")));
    EXPECT_EQ(column(fg1(), 0), c.phoneRows);
    for (const auto& [location, held] : phone.held)
        EXPECT_EQ(held.DAlarm, PhoneEntryTable.Entries(location).StartTime) << "the alarm moves with the start";
}

const QStringList kChoirWeek{"Mon 03.03.31 19:30", "Wed 05.03.31 19:30", "Fri 07.03.31 19:30"};
INSTANTIATE_TEST_SUITE_P(Series, SplitAgainTest,
                         ::testing::Values(SplitCase{1, 3, kChoirWeek}, SplitCase{1, 4, kChoirWeek},
                                           SplitCase{1, 5, kChoirWeek}, SplitCase{0, 9, {"Mon 03.03.31 19:30"}},
                                           SplitCase{5, 1, {"Mon 03.03.31 19:30"}, QDate(2033, 3, 2)}));

// A yearly appointment copied from a row that is not its first occurrence, and a yearly phone
// entry copied to the calendar.
TEST_F(TransferTest, ASeriesCopyStartsAtTheRowAndAYearlyEntryStaysYearly)
{
    addAppointment(QStringLiteral("Anna birthday"), at(2019, 3, 14, 8, 0),
                   [](outlook::AppointmentItem& i) { i.GetRecurrencePattern().setRecurrenceType(5); });
    PhoneEntry& e = addPhoneEntry(1, vb(1990, 3, 11, 0, 0), QStringLiteral("Ben"));
    e.IsSerie = FlagTrue;
    e.RRule = QStringLiteral("Y1");
    setRange(QDate(2031, 3, 10), QDate(2031, 3, 16));
    readBothSides();
    EXPECT_TRUE(copyToPhone(2));
    EXPECT_EQ(PhoneEntryTable.Entries(2).StartTime, vb(2031, 3, 14, 8, 0));
    EXPECT_TRUE(EntryMobileToOutlook(fg2(), e, calendar()));
    ASSERT_EQ(allAppointments().size(), 2u);
    EXPECT_EQ(allAppointments()[1].Start(), at(1990, 3, 11));
    EXPECT_EQ(allAppointments()[1].GetRecurrencePattern().RecurrenceType(), 5);
}

} // namespace
} // namespace tessaro
