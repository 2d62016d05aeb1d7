// The active range as the main window's fields set it: the globals, the two date fields and the
// range line of the grids.
#include "organizer/daterange/CalendarFrame.h"
#include "organizer/daterange/DateTexts.h"

#include "DateRangeSupport.h"

namespace tessaro {
namespace {

class DateRangeTest : public test::DateRangeTestBase {};

TEST_F(DateRangeTest, ADefaultWeekFromAThursday)
{
    RefreshDateRange();
    MainFormControls& form = Main_Form();
    EXPECT_EQ(RangeStart, makeVbDate(1999, 2, 4));
    EXPECT_EQ(RangeEnd, makeVbDate(1999, 2, 10, 23, 59, 59));
    EXPECT_EQ(form.StartDateText.text(), "Thu 04.02.99");
    EXPECT_EQ(form.EndDateText.text(), "Wed 10.02.99");
    // Only the visible instances carry the range line.
    EXPECT_EQ(form.FG1[0].textMatrix(1, 4), "04.02.99 to 10.02.99");
    EXPECT_EQ(form.FG2[1].textMatrix(1, 4), "04.02.99 to 10.02.99");
    EXPECT_EQ(form.FG1[1].textMatrix(1, 4), "");
    EXPECT_EQ(form.FG2[0].textMatrix(1, 4), "");

    LanguageBase = LanguageGerman;
    RefreshDateRange();
    EXPECT_EQ(form.FG2[1].textMatrix(1, 4), "04.02.99 bis 10.02.99");
    EXPECT_TRUE(boxes.boxes.empty());
}

TEST_F(DateRangeTest, WithoutTheDesktopCalendarOnlyTheFieldsChange)
{
    OrganizerAvailable = false;
    Main_Form().PeriodeText.setText(QStringLiteral("0"));
    RefreshDateRange();
    // An empty range: its end shows the day before its start.
    EXPECT_EQ(RangeEnd, makeVbDate(1999, 2, 3, 23, 59, 59));
    EXPECT_EQ(Main_Form().EndDateText.text(), "Wed 03.02.99");
    EXPECT_EQ(Main_Form().FG1[0].textMatrix(1, 4), "");
}

TEST_F(DateRangeTest, AFailedEndKeepsTheOldEndAndStillSetsTheStart)
{
    RefreshDateRange();
    MainFormControls& form = Main_Form();
    form.TIVStartCalendar.setValue(QDate(2001, 5, 1));
    form.PeriodeCombo.setListIndex(-1);
    EXPECT_EQ(SetGlobalStartEndDate(MainFormPicker(), QStringLiteral("1"), form.PeriodeCombo.listIndex()),
              "Tue 01.05.01");
    EXPECT_EQ(RangeStart, makeVbDate(2001, 5, 1));
    EXPECT_EQ(RangeEnd, makeVbDate(1999, 2, 10, 23, 59, 59));
    ASSERT_EQ(boxes.boxes.size(), 1u);
    EXPECT_EQ(boxes.boxes[0].caption, "An Error Occurred In: Tessaro:SetGlobalStartEndDate");
    EXPECT_TRUE(boxes.boxes[0].text.startsWith("Number: 9\r\nDescription: Subscript out of range"));

    // A count of years beyond the calendar's last day fails the same way.
    form.PeriodeCombo.setListIndex(3);
    form.PeriodeText.setText(QStringLiteral("9000"));
    RefreshDateRange();
    EXPECT_EQ(RangeEnd, makeVbDate(1999, 2, 10, 23, 59, 59));
    EXPECT_EQ(boxes.boxes.size(), 2u);
    EXPECT_EQ(form.StartDateText.text(), "Tue 01.05.01");
}

} // namespace
} // namespace tessaro
