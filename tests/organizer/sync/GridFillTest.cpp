// Whole grids: the PC grid from the calendar under the status window, the phone grid from the
// table.
#include "organizer/sync/GridFill.h"
#include "organizer/sync/SyncMarks.h"

#include "SyncTestSupport.h"

namespace tessaro {
namespace {

using test::at;
using test::vb;

class GridFillTest : public test::SyncTest {
protected:
    bool fill() { return FillGridOutlookEntry(calendar(), 2, 4, 9, 5, 3, RangeStart, RangeEnd); }
};

TEST_F(GridFillTest, EveryOccurrenceInTheRangeIsARowOfItsOwn)
{
    setRange(QDate(2026, 3, 2), QDate(2026, 3, 20));
    addAppointment(QStringLiteral("Yoga"), at(2026, 2, 25, 18, 0), [](outlook::AppointmentItem& i) {
        i.GetRecurrencePattern().setRecurrenceType(1);
    });
    addAppointment(QStringLiteral("Dentist"), at(2026, 3, 10, 9, 30));
    addAppointment(QStringLiteral("Holiday"), at(2026, 4, 1, 9, 0));

    EXPECT_TRUE(fill());
    EXPECT_EQ(column(fg2(), 0),
              QStringList({"Wed 04.03.26 18:00", "Tue 10.03.26 09:30", "Wed 11.03.26 18:00", "Wed 18.03.26 18:00"}));
    EXPECT_EQ(pictureKey(fg2(), 2, 4), "ImageList:w");
    EXPECT_EQ(pictureKey(fg2(), 3, 4), "");
    EXPECT_EQ(OrganizerEntryCount, 4);
    EXPECT_TRUE(OrganizerEntriesRead);
    EXPECT_EQ(lastCall(), "SetProgressStatus Calendar 4 0");
    EXPECT_EQ(status.texts.front(), "Searching for Outlook entries");
    EXPECT_EQ(status.texts.back(), "CalendarSearching for Outlook entries: 4");
}

TEST_F(GridFillTest, ACancelKeepsTheRowsInsertedAndCountsThem)
{
    for (int day = 1; day <= 6; ++day)
        addAppointment(QStringLiteral("Day %1").arg(day), at(2026, 3, day, 9, 0));
    status.goOn = [](int poll) { return poll < 3; };
    EXPECT_FALSE(fill());
    // The third appointment went in before the question that cancelled.
    EXPECT_EQ(column(fg2(), 4), QStringList({"Day 1", "Day 2", "Day 3"}));
    EXPECT_EQ(OrganizerEntryCount, 3);
    EXPECT_TRUE(OrganizerEntriesRead);
}

TEST_F(GridFillTest, NothingInTheRangeIsAReadCalendarWithoutRows)
{
    addAppointment(QStringLiteral("Elsewhere"), at(2026, 5, 1, 9, 0));
    OrganizerEntryCount = 12;
    EXPECT_FALSE(fill());
    EXPECT_TRUE(rows(fg2()).empty());
    EXPECT_EQ(OrganizerEntryCount, 0);
    EXPECT_TRUE(OrganizerEntriesRead);
    EXPECT_EQ(fg2().rows(), 7);
}

TEST_F(GridFillTest, ThePhoneGridHasARowPerEntryAndASeriesOnce)
{
    PhoneEntry& series = addPhoneEntry(4, vb(2026, 3, 2, 7, 0), QStringLiteral("Run"));
    series.IsSerie = FlagTrue;
    series.RRule = QStringLiteral("D1");
    addPhoneEntry(9, vb(2026, 1, 1, 0, 0), QStringLiteral("New year"));
    addPhoneEntry(2, vb(2027, 6, 1, 12, 0), QStringLiteral("Far away"));
    EXPECT_TRUE(FillGridMobileEntry(PhoneEntryTable, 9, 4, 5, 8));
    EXPECT_EQ(column(fg1(), 9), QStringList({"New year", "Run", "Far away"}));
    EXPECT_EQ(column(fg1(), 8), QStringList({"9", "4", "2"}));
    EXPECT_EQ(status.texts, QStringList({"Mobile Entry: 1", "Mobile Entry: 2", "Mobile Entry: 3"}));
    EXPECT_TRUE(MobileEntriesRead);
}

TEST_F(GridFillTest, AnEntryThatFindsNoPlaceLeavesTheTableAsItIs)
{
    addPhoneEntry(1, vb(2026, 3, 2, 7, 0), QStringLiteral("First"));
    addPhoneEntry(2, vb(2026, 3, 3, 7, 0), QStringLiteral("Second"));
    addPhoneEntry(3, vb(2026, 3, 4, 7, 0), QStringLiteral("Third"));
    // A grid without the phone's columns: no entry finds its place.
    fg1().setCols(8);
    EXPECT_FALSE(FillGridMobileEntry(PhoneEntryTable, 9, 4, 5, 8));
    ASSERT_FALSE(boxes.boxes.empty());
    EXPECT_EQ(boxes.boxes[0].caption, "An Error Occurred In: FG1:InsertGridEntryMobile");
    // The phone still holds all three: none of them may look free to the next write.
    EXPECT_EQ(PhoneEntryTable.Count, 3);
    EXPECT_EQ(PhoneEntryTable.Entries(3).Location, "3");
    std::int16_t slot = 0;
    std::int32_t location = 0;
    EXPECT_TRUE(FindFreeMobileSlot(PhoneEntryTable, slot));
    EXPECT_TRUE(FindFreeMobileLocation(PhoneEntryTable, location));
    EXPECT_EQ(slot, 4);
    EXPECT_EQ(location, 4);
}

} // namespace
} // namespace tessaro
