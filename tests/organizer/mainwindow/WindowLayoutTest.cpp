// The main window's layout as a pure function: window sizes, grid widths and heights, the text
// columns and the arrows, for the normal and the maximized window, with and without the desktop
// calendar. Sizes in twips; bands 600, status bar 350, date column 1500, sync column 620.
#include "organizer/mainwindow/WindowLayout.h"

#include "organizer/link/OrgError.h"

#include <gtest/gtest.h>

namespace tessaro {
namespace {

GridShape grid(int rows, int col6)
{
    GridShape g;
    g.rows = rows;
    g.top = 200;
    g.left = 100;
    g.colWidth0 = 1500;
    g.colWidth6 = col6;
    return g;
}

LayoutInput input(int state, double ww, double wh, int phoneRows, int pcRows, bool organizer = true)
{
    LayoutInput in;
    in.windowState = state;
    in.organizer = organizer;
    in.windowWidth = ww;
    in.windowHeight = wh;
    in.statusBarHeight = 350;
    in.toolbarHeight = 600;
    in.phone = grid(phoneRows, organizer ? 620 : 0);
    in.pc = grid(pcRows, 620);
    return in;
}

TEST(WindowLayout, NormalWindowWithFewRowsShrinksToItsGrids)
{
    const LayoutResult r = layOutMainWindow(input(0, 12000, 9000, 7, 7));
    ASSERT_TRUE(r.laidOut);
    EXPECT_FALSE(r.windowWidth);
    EXPECT_EQ(r.gridWidth, 12000 - 1350);
    EXPECT_EQ(r.colWidth9, 4265);
    EXPECT_EQ(r.colWidth4, 4265);
    // Headers, five rows and the border each: 2190; the window fits them and its fixed parts.
    EXPECT_EQ(r.phoneHeight, 2190);
    EXPECT_EQ(r.pcHeight, 2190);
    EXPECT_EQ(r.pcTop, 200 + 2190 + 20);
    EXPECT_EQ(r.windowHeight, 200 + 20 + 450 + 350 + 2190 + 2190 + 600);
    EXPECT_EQ(r.statusBarTop, 6000 - 350);
}

TEST(WindowLayout, NormalWindowGivesTheLongerListTheRoomTheShorterLeaves)
{
    const LayoutResult manyPhone = layOutMainWindow(input(0, 12000, 9000, 52, 7));
    EXPECT_EQ(manyPhone.pcHeight, 2190);
    EXPECT_EQ(manyPhone.phoneHeight, 7380 - 2190);
    EXPECT_EQ(manyPhone.windowHeight, 9000);
    EXPECT_EQ(manyPhone.pcTop, 200 + 5190 + 20);
    // Both longer than the window: half each.
    const LayoutResult manyBoth = layOutMainWindow(input(0, 12000, 9000, 52, 52));
    EXPECT_EQ(manyBoth.phoneHeight, 3690);
    EXPECT_EQ(manyBoth.pcHeight, 3690);
    // At or below its least height the window is set to it, both grids at their least height.
    const LayoutResult low = layOutMainWindow(input(0, 12000, 3000, 52, 52));
    EXPECT_EQ(low.windowHeight, 3600);
    EXPECT_EQ(low.phoneHeight, 990);
    EXPECT_EQ(low.pcHeight, 990);
    EXPECT_EQ(low.pcTop, 1210);
}

TEST(WindowLayout, NarrowWindowIsWidenedAndColumnsRoundHalvesToEven)
{
    // 1350 arrow room + 1500 + 620 + two text columns of 600.
    const LayoutResult narrow = layOutMainWindow(input(0, 4001, 9000, 7, 7));
    EXPECT_EQ(narrow.windowWidth, 4670);
    EXPECT_EQ(narrow.gridWidth, 4670 - 1350);
    EXPECT_EQ(narrow.colWidth9, 600);
    EXPECT_EQ(layOutMainWindow(input(0, 4670, 9000, 7, 7)).windowWidth, 4670);
    EXPECT_EQ(layOutMainWindow(input(0, 10001, 9000, 7, 7)).colWidth9, 3266); // 3265.5
    EXPECT_EQ(layOutMainWindow(input(0, 9999, 9000, 7, 7)).colWidth9, 3264);  // 3264.5
}

TEST(WindowLayout, WithoutTheCalendarThePhoneGridTakesEverything)
{
    const LayoutResult r = layOutMainWindow(input(0, 6000, 8000, 7, 7, false));
    EXPECT_EQ(r.gridWidth, 4650);
    EXPECT_EQ(r.colWidth9, 4650 - 1500);
    EXPECT_EQ(r.colWidth4, 0);
    EXPECT_EQ(r.phoneHeight, 2190);
    EXPECT_FALSE(r.pcHeight);
    EXPECT_FALSE(r.pcTop);
    EXPECT_EQ(r.windowHeight, 200 + 20 + 450 + 350 + 2190 + 90 + 600);
    EXPECT_EQ(layOutMainWindow(input(0, 3000, 8000, 7, 7, false)).windowWidth, 1350 + 1500 + 600);
}

struct MaximizedCase {
    int phoneRows;
    int pcRows;
    double phone;
    double pc;
};

class MaximizedLayout : public ::testing::TestWithParam<MaximizedCase> {};

// Fixed height 1800 (status bar, top, borders, gap, caption, bands); a grid row is 300 and the
// headers 600, so 7 rows hold 2100 and 52 rows 15600; the window is 8000 high, half the rest 3100.
TEST_P(MaximizedLayout, SharesTheWindowWithoutSizingIt)
{
    const MaximizedCase& c = GetParam();
    const LayoutResult r = layOutMainWindow(input(2, 20000, 8000, c.phoneRows, c.pcRows));
    ASSERT_TRUE(r.laidOut);
    EXPECT_FALSE(r.windowWidth);
    EXPECT_FALSE(r.windowHeight);
    EXPECT_EQ(r.gridWidth, 20000 - 1350);
    EXPECT_EQ(r.phoneHeight, c.phone);
    EXPECT_EQ(r.pcHeight, c.pc);
    EXPECT_EQ(r.pcTop, 200 + c.phone + 20);
    EXPECT_EQ(r.statusBarTop, 8000 - 350);
}

INSTANTIATE_TEST_SUITE_P(FourBranches, MaximizedLayout,
                         ::testing::Values(MaximizedCase{7, 7, 2100, 2100},   // both fit
                                           MaximizedCase{2, 2, 900, 900},     // no rows: room for one
                                           MaximizedCase{7, 52, 2100, 4100},  // the phone's fit in half
                                           MaximizedCase{52, 52, 3100, 3100}, // neither fits in half
                                           MaximizedCase{52, 7, 4100, 2100})); // the calendar's fit

TEST(WindowLayout, HiddenOrMinimizedLaysNothingOut)
{
    LayoutInput hidden = input(0, 12000, 9000, 7, 7);
    hidden.visible = false;
    EXPECT_FALSE(layOutMainWindow(hidden).laidOut);
    EXPECT_FALSE(layOutMainWindow(input(1, 12000, 9000, 7, 7)).laidOut);
}

TEST(WindowLayout, AHeightBeyondSixteenBitsIsAnOverflow)
{
    EXPECT_EQ(CalcHeigth(input(0, 12000, 9000, 7, 7)), 7380);
    EXPECT_EQ(CalcHeigth(input(0, 12000, 9000, 7, 7, false)), 7290);
    try {
        layOutMainWindow(input(0, 12000, 40000, 7, 7));
        FAIL() << "no overflow";
    } catch (const OrgError& err) {
        EXPECT_EQ(err.number(), ErrOverflow);
    }
}

TEST(WindowLayout, ArrowsStandCentredBesideTheirGrids)
{
    ArrowInput in;
    in.windowWidth = 12000;
    in.phoneGridLeft = 100;
    in.phoneGridTop = 200;
    in.phoneGridWidth = 10650;
    in.phoneGridHeight = 2190;
    in.pcGridTop = 2410;
    in.pcGridHeight = 2191;
    const ArrowPlaces without = placeArrows(in);
    EXPECT_EQ(without.phoneArrowTop, 1055);
    EXPECT_EQ(without.phoneArrowLeft, 10850);
    EXPECT_FALSE(without.pcArrowTop);
    in.showPcArrow = true;
    const ArrowPlaces with = placeArrows(in);
    EXPECT_EQ(with.pcArrowTop, 3265.5); // not rounded
    EXPECT_EQ(with.pcArrowLeft, 10850);
}

} // namespace
} // namespace tessaro
