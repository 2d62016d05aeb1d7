// The date picker's frame on the main window and on a window with the calendar alone.
#include "organizer/daterange/CalendarFrame.h"

#include "DateRangeSupport.h"

namespace tessaro {
namespace {

struct Rect {
    double left, top, width, height;
    bool operator==(const Rect&) const = default;
};

Rect rectOf(const controls::Control& c)
{
    return {c.left(), c.top(), c.width(), c.height()};
}

std::array<double, 4> points(const controls::Line& l)
{
    return {l.x1(), l.y1(), l.x2(), l.y2()};
}

void PrintTo(const Rect& r, std::ostream* os)
{
    *os << "(" << r.left << ", " << r.top << ", " << r.width << ", " << r.height << ")";
}

class CalendarFrameTest : public test::DateRangeTestBase {
protected:
    void SetUp() override
    {
        DateRangeTestBase::SetUp();
        Main_Form().PeriodeCombo.setHeight(315);
        RangeStart = makeVbDate(2003, 7, 14);
    }
};

TEST_F(CalendarFrameTest, TheMainWindowsPickerHoldsTheFieldsBesideTheCalendar)
{
    MainFormControls& f = Main_Form();
    CalendarFrameSetMainForm(0, 0, 3000, 2400);

    EXPECT_EQ(rectOf(f.StartCalendarFrame), (Rect{0, 0, 5880, 2400}));
    EXPECT_EQ(rectOf(f.TIVStartCalendar), (Rect{20, 20, 2960, 2360}));
    EXPECT_EQ(rectOf(f.DateFieldsFrame), (Rect{3080, 0, 2700, 1230}));
    EXPECT_EQ(rectOf(f.CalCommandOK), (Rect{3355, 1805, 975, 375}));
    EXPECT_EQ(rectOf(f.CalCommandCancel), (Rect{4430, 1805, 975, 375}));
    EXPECT_EQ(rectOf(f.StartDateText), (Rect{200, 300, 1100, 315}));
    EXPECT_EQ(rectOf(f.EndDateText), (Rect{1400, 300, 1100, 315}));
    EXPECT_EQ(rectOf(f.PeriodeText), (Rect{200, 715, 600, 315}));
    EXPECT_EQ(rectOf(f.PeriodeCombo), (Rect{900, 715, 1000, 315}));
    EXPECT_EQ(points(f.Line1[0]), (std::array<double, 4>{0, 0, 5880, 0}));
    EXPECT_EQ(points(f.Line1[1]), (std::array<double, 4>{0, 2390, 5880, 2390}));
    EXPECT_EQ(points(f.Line2[0]), (std::array<double, 4>{1, 0, 1, 2400}));
    EXPECT_EQ(points(f.Line2[1]), (std::array<double, 4>{5870, 0, 5870, 2400}));

    for (const controls::Control* c : std::initializer_list<const controls::Control*>{
             &f.StartCalendarFrame, &f.TIVStartCalendar, &f.StartDateText, &f.EndDateText, &f.PeriodeText,
             &f.PeriodeCombo})
        EXPECT_TRUE(c->isVisible()) << c->name().toStdString();
    // The calendar opens on the range's start; the count field's change handler ends the set-up.
    EXPECT_EQ(f.TIVStartCalendar.value(), QDate(2003, 7, 14));
    EXPECT_EQ(f.StartDateText.text(), "14.07.03");
    EXPECT_EQ(f.PeriodeCombo.toolTipText(), "Selection of possible date units.");
    EXPECT_EQ(f.PeriodeText.toolTipText(), "Number of date units.");
    EXPECT_EQ(window.calls.back(), "PeriodeText_Change");
    EXPECT_TRUE(boxes.boxes.empty());
}

TEST_F(CalendarFrameTest, WideButtonsSetTheWidthOfTheFieldsFrame)
{
    MainFormControls& f = Main_Form();
    f.CalCommandOK.setWidth(1300);
    f.CalCommandCancel.setWidth(1300);
    CalendarFrameSetMainForm(0, 0, 3000, 2400);
    EXPECT_EQ(f.CalCommandOK.left(), 3080);
    EXPECT_EQ(f.CalCommandCancel.left(), 4480);
    EXPECT_EQ(f.DateFieldsFrame.left(), 3080);
    EXPECT_EQ(f.DateFieldsFrame.width(), 2700);
    EXPECT_EQ(f.StartDateText.left(), 200);
    EXPECT_EQ(f.StartCalendarFrame.width(), 5880);

    f.CalCommandOK.setWidth(1500);
    f.CalCommandCancel.setWidth(1500);
    CalendarFrameSetMainForm(0, 0, 3000, 2400);
    EXPECT_EQ(f.DateFieldsFrame.width(), 3100);
    EXPECT_EQ(f.StartDateText.left(), 400);
    EXPECT_EQ(f.StartCalendarFrame.width(), 6280);
}

TEST_F(CalendarFrameTest, AWindowWithTheCalendarAloneAndHidingEither)
{
    controls::Control frame;
    controls::MonthCalendar calendar;
    std::array<controls::Line, 2> line1, line2;
    const CalendarPickerWindow editor{QStringLiteral("MobileEntry"), frame, calendar, line1, line2};
    frame.setVisible(false);
    calendar.setVisible(false);

    CalendarFrameSet(editor, 0, 0, 2400, 2100);
    EXPECT_EQ(rectOf(frame), (Rect{0, 0, 2400, 2100}));
    EXPECT_EQ(rectOf(calendar), (Rect{20, 20, 2360, 2060}));
    EXPECT_EQ(points(line1[0]), (std::array<double, 4>{0, 0, 2400, 0}));
    EXPECT_EQ(points(line1[1]), (std::array<double, 4>{0, 2090, 2400, 2090}));
    EXPECT_EQ(points(line2[0]), (std::array<double, 4>{1, 0, 1, 2100}));
    EXPECT_EQ(points(line2[1]), (std::array<double, 4>{2390, 0, 2390, 2100}));
    EXPECT_TRUE(frame.isVisible() && calendar.isVisible());

    // The editor's fields are its own: clearing its frame leaves the main window's alone.
    MainFormControls& f = Main_Form();
    CalendarFrameSetMainForm(0, 0, 3000, 2400);
    CalendarFrameClear(editor);
    EXPECT_FALSE(frame.isVisible() || calendar.isVisible());
    EXPECT_TRUE(f.StartDateText.isVisible() && f.StartCalendarFrame.isVisible());

    f.EndDateText.setVisible(true);
    CalendarFrameClear(MainFormPicker());
    for (const controls::Control* c : std::initializer_list<const controls::Control*>{
             &f.StartCalendarFrame, &f.TIVStartCalendar, &f.StartDateText, &f.PeriodeText, &f.PeriodeCombo})
        EXPECT_FALSE(c->isVisible()) << c->name().toStdString();
    EXPECT_TRUE(f.EndDateText.isVisible());
}

} // namespace
} // namespace tessaro
