// Rows put in one at a time: their sorted place, when a row is shared and when not, the range's
// bounds, and the pictograms and texts of a row.
#include "organizer/sync/GridFill.h"
#include "organizer/sync/RowInsert.h"
#include "organizer/sync/SyncMarks.h"

#include "SyncTestSupport.h"

namespace tessaro {
namespace {

using test::at;
using test::vb;

class RowInsertTest : public test::SyncTest {
protected:
    bool insert(const outlook::AppointmentItem& item, bool* added = nullptr)
    {
        return InsertGridEntry(fg2(), item, 2, 4, 9, 0, 5, 3, added);
    }
    bool insertPhone(const PhoneEntry& entry) { return InsertGridEntryMobile(fg1(), entry, 2, 9, 4, 0, 5, 8); }
};

TEST_F(RowInsertTest, RowsStandInStartOrderAndTheGridKeepsItsLeastRows)
{
    // The first entry takes row 2 without a row being added.
    ASSERT_TRUE(insert(addAppointment(QStringLiteral("Middle"), at(2026, 3, 10, 9, 0))));
    EXPECT_EQ(fg2().rows(), 7);
    EXPECT_EQ(fg2().textMatrix(2, 0), "Tue 10.03.26 09:00");
    EXPECT_EQ(fg2().textMatrix(2, 1), "2026-03-10 09:00:00");
    // The phone's list is not read: no mark but "g".
    EXPECT_EQ(fg2().textMatrix(2, 5), "g");

    // An earlier one goes on top, a later one after the last entry, before the empty rows.
    ASSERT_TRUE(insert(addAppointment(QStringLiteral("Early"), at(2026, 3, 2, 8, 0))));
    ASSERT_TRUE(insert(addAppointment(QStringLiteral("Late"), at(2026, 3, 30, 18, 0))));
    // Equal starts: a different subject goes below, a contained one shares the row.
    ASSERT_TRUE(insert(addAppointment(QStringLiteral("Other"), at(2026, 3, 10, 9, 0))));
    EXPECT_EQ(column(fg2(), 4), QStringList({"Early", "Middle", "Other", "Late"}));
    EXPECT_EQ(fg2().rows(), 7);

    for (int i = 0; i < 4; ++i)
        ASSERT_TRUE(insert(addAppointment(QStringLiteral("More %1").arg(i), at(2026, 3, 20 + i, 8, 0))));
    // Past the least row count the grid grows by the rows inserted, and no empty row is left.
    EXPECT_EQ(fg2().rows(), 10);
    EXPECT_EQ(fg2().textMatrix(9, 4).trimmed(), "Late");
    EXPECT_EQ(boxes.boxes.size(), 0u);
}

TEST_F(RowInsertTest, OnlyAnEntryOfTheSameIdentityOrNoneSharesARow)
{
    // "Call" is contained in "Call Anna": the same start and a matching text. Distinct
    // appointments keep rows of their own, however alike.
    bool added = false;
    const auto first = addAppointment(QStringLiteral("Call Anna"), at(2026, 3, 5, 11, 0));
    ASSERT_TRUE(insert(first, &added));
    EXPECT_TRUE(added);
    ASSERT_TRUE(insert(addAppointment(QStringLiteral("Call"), at(2026, 3, 5, 11, 0)), &added));
    EXPECT_TRUE(added);
    EXPECT_EQ(column(fg2(), 4), QStringList({"Call Anna", "Call"}));

    // The same appointment again fills its own row: a refill changes nothing.
    ASSERT_TRUE(insert(first, &added));
    EXPECT_FALSE(added);
    EXPECT_EQ(rows(fg2()).size(), 2u);

    // Phone entries alike: two locations, two rows; the same location again, its row.
    PhoneEntry& a = addPhoneEntry(1, vb(2026, 3, 5, 11, 0), QStringLiteral("Call Anna"));
    PhoneEntry& b = addPhoneEntry(2, vb(2026, 3, 5, 11, 0), QStringLiteral("Call"));
    ASSERT_TRUE(insertPhone(a));
    ASSERT_TRUE(insertPhone(b));
    ASSERT_TRUE(insertPhone(a));
    EXPECT_EQ(column(fg1(), 8), QStringList({"1", "2"}));
}

TEST_F(RowInsertTest, TheRangeHoldsBothEndsToTheSecond)
{
    setRange(QDate(2026, 3, 2), QDate(2026, 3, 8));
    bool added = true;
    EXPECT_TRUE(insert(addAppointment(QStringLiteral("Before"), at(2026, 3, 1, 23, 59, 59)), &added));
    EXPECT_FALSE(added);
    EXPECT_TRUE(insert(addAppointment(QStringLiteral("First"), at(2026, 3, 2, 0, 0, 0))));
    EXPECT_TRUE(insert(addAppointment(QStringLiteral("Last"), at(2026, 3, 8, 23, 59, 59))));
    EXPECT_TRUE(insert(addAppointment(QStringLiteral("After"), at(2026, 3, 9, 0, 0, 0))));
    EXPECT_EQ(column(fg2(), 4), QStringList({"First", "Last"}));
}

struct PictogramCase {
    Flag16 memo, meeting, anniversary, call;
    bool alarm;
    const char* rule;
    const char* picture;
    const char* blanks;
};

class PictogramTest : public RowInsertTest, public ::testing::WithParamInterface<PictogramCase> {};

TEST_P(PictogramTest, APhoneRowShowsItsKindAlarmAndSeries)
{
    const PictogramCase& c = GetParam();
    PhoneEntry& e = addPhoneEntry(3, vb(2026, 3, 4, 10, 0), QStringLiteral("Entry"));
    e.IsMemo = c.memo;
    e.IsMeeting = c.meeting;
    e.IsAnniversary = c.anniversary;
    e.IsPhoneCall = c.call;
    e.AAlarmSet = c.alarm ? FlagTrue : FlagFalse;
    if (*c.rule) {
        e.IsSerie = FlagTrue;
        e.RRule = QLatin1String(c.rule);
    }
    ASSERT_TRUE(insertPhone(e));
    EXPECT_EQ(pictureKey(fg1(), 2, 9), QLatin1String(c.picture));
    EXPECT_EQ(fg1().textMatrix(2, 9), QLatin1String(c.blanks) + "Entry");
    EXPECT_EQ(fg1().textMatrix(2, 8), "3");
}

constexpr Flag16 T = FlagTrue;
constexpr Flag16 F = FlagFalse;

INSTANTIATE_TEST_SUITE_P(
    Kinds, PictogramTest,
    ::testing::Values(PictogramCase{F, F, T, F, true, "Y1", "BirthdayBell:Year", "              "},
                      PictogramCase{F, F, F, F, false, "", "Memo:Normal", "     "},
                      PictogramCase{F, F, F, F, true, "D1", "MemoBell:Day", "              "},
                      PictogramCase{F, T, F, T, false, "D7", "Meeting:Week", "              "},
                      PictogramCase{F, F, F, T, true, "W1", "CallBell:Week", "              "},
                      PictogramCase{T, T, F, F, false, "M1", "Memo:Normal", "     "}));

TEST_F(RowInsertTest, AnAppointmentShowsItsMeetingOrItsRepetition)
{
    const auto meeting = addAppointment(QStringLiteral("Review"), at(2026, 3, 2, 9, 0),
                                        [](outlook::AppointmentItem& i) { i.setMeetingStatus(outlook::Meeting); });
    ASSERT_TRUE(insert(meeting));
    EXPECT_EQ(pictureKey(fg2(), 2, 4), "ImageList:m");
    EXPECT_EQ(fg2().textMatrix(2, 4), "     Review");

    // A monthly series shows the weekly picture, also when it is a meeting.
    addAppointment(QStringLiteral("Rent"), at(2026, 3, 3, 9, 0), [](outlook::AppointmentItem& i) {
        i.setMeetingStatus(outlook::MeetingReceived);
        i.GetRecurrencePattern().setRecurrenceType(2);
    });
    outlook::Items items = calendarItems();
    items.setIncludeRecurrences(true);
    items.Sort(QStringLiteral("[Start]"));
    auto item = items.Find(CalendarFilter(RangeStart, RangeEnd));
    item = items.FindNext();
    ASSERT_TRUE(item && item->IsRecurring());
    ASSERT_TRUE(insert(*item));
    EXPECT_EQ(pictureKey(fg2(), 3, 4), "ImageList:w");
    EXPECT_EQ(fg2().textMatrix(3, 4), "          Rent");
}

TEST_F(RowInsertTest, EmptyRowsGoOnlyFromTheBottomAndAddedRowsAreEntryRows)
{
    controls::Grid& g = fg2();
    g.setRows(12);
    g.setTextMatrix(11, 0, QStringLiteral("dated"));
    RemoveEmptyRows(g, 0, 7);
    EXPECT_EQ(g.rows(), 12);
    g.setTextMatrix(11, 0, QString());
    RemoveEmptyRows(g, 0, 7);
    EXPECT_EQ(g.rows(), 7);

    g.setRow(3);
    g.setCol(2);
    EXPECT_EQ(AddGridRow(g, -1), 7);
    EXPECT_EQ(AddGridRow(g, 4), 4);
    EXPECT_EQ(g.rows(), 9);
    EXPECT_EQ(g.rowHeight(4), 300);
    EXPECT_EQ(g.row(), 3);
    EXPECT_EQ(g.col(), 2);
    g.setRow(4);
    g.setCol(0);
    EXPECT_EQ(g.cellAlignment(), controls::AlignCenterCenter);
    g.setCol(9);
    EXPECT_EQ(g.cellAlignment(), controls::AlignLeftTop);
}

} // namespace
} // namespace tessaro
