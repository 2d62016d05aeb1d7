#include "organizer/mainwindow/WindowLayout.h"

#include "organizer/link/OrgError.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>

namespace tessaro {

namespace {

constexpr int WindowStateNormal = 0;
constexpr int WindowStateMaximized = 2;
// Twips the layout keeps free: above the phone grid's rows the window's caption and borders
// (450), between the grids (20), below a grid for its border (90), right of a grid beside the
// arrow (200 + 190), and the least width of a text column (600).
constexpr double kFrameHeight = 450;
constexpr double kGridGap = 20;
constexpr double kGridBorder = 90;
constexpr double kArrowRoom = 200 + 190;
constexpr double kLeastTextColumn = 600;

// To the nearest whole number, halves to the even one; beyond the 32-bit range an overflow.
int round32(double v)
{
    const double r = std::nearbyint(v);
    if (!(r >= std::numeric_limits<std::int32_t>::min() && r <= std::numeric_limits<std::int32_t>::max()))
        throw overflowError();
    return int(r);
}

int round16(double v)
{
    const double r = std::nearbyint(v);
    if (!(r >= std::numeric_limits<std::int16_t>::min() && r <= std::numeric_limits<std::int16_t>::max()))
        throw overflowError();
    return int(r);
}

double headerHeight(const GridShape& g)
{
    return double(g.fixedRows) * g.headerRowHeight;
}

// The normal state keeps a grid border below the rows; a maximized window does not.
double leastHeight(const GridShape& g, bool normal)
{
    return headerHeight(g) + g.entryRowHeight + (normal ? kGridBorder : 0);
}

double contentHeight(const GridShape& g, bool normal)
{
    return headerHeight(g) + double(g.rows - g.fixedRows) * g.entryRowHeight + (normal ? kGridBorder : 0);
}

double sideAllowance(const LayoutInput& in)
{
    return in.arrowWidth + kArrowRoom;
}

// The text columns share the grid width after the date column (and the sync column); a
// maximized window on a small screen may leave them nothing, never less.
void setColumns(const LayoutInput& in, LayoutResult& out)
{
    const double w = out.gridWidth;
    if (in.organizer) {
        out.colWidth9 = std::max(0, round32((w - in.phone.colWidth0 - in.phone.colWidth6) / 2));
        out.colWidth4 = out.colWidth9;
    } else {
        out.colWidth9 = std::max(0, round32(w - in.phone.colWidth0));
        out.colWidth4 = 0;
    }
}

void layOutNormal(const LayoutInput& in, LayoutResult& out)
{
    const double side = sideAllowance(in);
    const double leastWidth = in.organizer
        ? round32(side + in.phone.colWidth0 + in.phone.colWidth6 + 2 * kLeastTextColumn)
        : round32(side + in.phone.colWidth0 + kLeastTextColumn);
    if (in.windowWidth > leastWidth) {
        out.gridWidth = in.windowWidth - side;
    } else {
        out.windowWidth = leastWidth;
        out.gridWidth = leastWidth - side;
    }
    setColumns(in, out);

    const double s = in.statusBarHeight;
    const double t = in.phone.top;
    const double b = in.toolbarHeight;
    const double min1 = leastHeight(in.phone, true);
    const double min2 = leastHeight(in.pc, true);
    const double leastWindowHeight = in.organizer ? round32(s + t + min1 + kGridGap + min2 + kFrameHeight + b)
                                                  : round32(s + t + min1 + kGridBorder + kFrameHeight + b);
    const double available = CalcHeigth(in);
    double windowHeight = in.windowHeight;
    if (in.windowHeight > leastWindowHeight) {
        const double c1 = contentHeight(in.phone, true);
        if (in.organizer) {
            const double c2 = contentHeight(in.pc, true);
            double phone = available / 2;
            if (phone < min1)
                phone = min1;
            else if (phone > c1)
                phone = c1;
            double pc = available - phone;
            if (pc < min2) {
                pc = min2;
            } else if (pc > c2) {
                pc = c2;
                // The calendar needs less than its half: the phone grid may take the rest.
                if (phone < c1) {
                    phone = available - pc;
                    if (phone > c1)
                        phone = c1;
                }
            }
            out.phoneHeight = phone;
            out.pcHeight = pc;
            windowHeight = t + kGridGap + kFrameHeight + s + phone + pc + b;
        } else {
            double phone = available;
            if (phone < min1)
                phone = min1;
            else if (phone > c1)
                phone = c1;
            out.phoneHeight = phone;
            windowHeight = t + kGridGap + kFrameHeight + s + phone + kGridBorder + b;
        }
    } else {
        windowHeight = leastWindowHeight;
        out.phoneHeight = min1;
        if (in.organizer)
            out.pcHeight = min2;
    }
    out.windowHeight = windowHeight;
    if (in.organizer)
        out.pcTop = t + out.phoneHeight + kGridGap;
    out.statusBarTop = windowHeight - s;
}

void layOutMaximized(const LayoutInput& in, LayoutResult& out)
{
    // A maximized window keeps the screen's size, however small: no least width widens it.
    out.gridWidth = std::max(0.0, in.windowWidth - sideAllowance(in));
    setColumns(in, out);

    const double s = in.statusBarHeight;
    const double t = in.phone.top;
    const double b = in.toolbarHeight;
    const double wh = in.windowHeight;
    const double c1 = contentHeight(in.phone, false);
    const double m1 = leastHeight(in.phone, false);
    if (in.organizer) {
        const double fixed = round32(s + t + kGridBorder + kGridGap + kGridBorder + kFrameHeight + b);
        const double half = std::max(0, round32((wh - fixed) / 2));
        const double c2 = contentHeight(in.pc, false);
        const double m2 = leastHeight(in.pc, false);
        double phone = 0;
        double pc = 0;
        if (wh >= fixed + c1 + c2) {
            phone = std::max(c1, m1);
            pc = std::max(c2, m2);
        } else if (c1 <= half) {
            phone = c1;
            pc = round32(wh - (fixed + c1));
        } else if (c2 > half) {
            phone = half;
            pc = half;
        } else {
            phone = round32(wh - (fixed + c2));
            pc = c2;
        }
        out.phoneHeight = phone;
        out.pcHeight = pc;
        out.pcTop = t + phone + kGridGap;
    } else {
        // The only grid shows its rows as far as the window has room for them, and scrolls the
        // rest; it never shrinks below a header and one row.
        const double fixed = round32(s + t + kGridBorder + kGridGap + kFrameHeight + b);
        out.phoneHeight = std::max(m1, std::min(c1, wh - fixed));
    }
    out.statusBarTop = wh - s;
}

} // namespace

int CalcHeigth(const LayoutInput& in)
{
    const double fixed = in.organizer
        ? in.statusBarHeight + in.phone.top + kGridGap + kFrameHeight
        : in.statusBarHeight + in.phone.top + kGridBorder + kGridGap + kFrameHeight;
    return round16(in.windowHeight - fixed - in.toolbarHeight);
}

LayoutResult layOutMainWindow(const LayoutInput& in)
{
    LayoutResult out;
    if (!in.visible || (in.windowState != WindowStateNormal && in.windowState != WindowStateMaximized))
        return out;
    out.laidOut = true;
    if (in.windowState == WindowStateNormal)
        layOutNormal(in, out);
    else
        layOutMaximized(in, out);
    return out;
}

ArrowPlaces placeArrows(const ArrowInput& in)
{
    ArrowPlaces out;
    out.phoneArrowTop = in.phoneGridTop + (in.phoneGridHeight - in.phoneArrowHeight) / 2;
    out.phoneArrowLeft = (in.phoneGridLeft + in.phoneGridWidth + in.windowWidth - in.phoneArrowWidth) / 2 - 45;
    if (in.showPcArrow) {
        out.pcArrowTop = in.pcGridTop + (in.pcGridHeight - in.pcArrowHeight) / 2;
        out.pcArrowLeft = out.phoneArrowLeft;
    }
    return out;
}

} // namespace tessaro
