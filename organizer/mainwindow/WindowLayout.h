// The main window's layout as a pure function from the sizes it reads to the geometry it sets:
// the phone grid pair above the desktop calendar's grid pair (that one only when the calendar
// is present), an arrow picture right of each, the status bar at the bottom. In the normal
// window state the window is widened to a least width and its height is fitted to the grids; a
// maximized window keeps its size and the grids share it. All lengths are twips.
#pragma once

#include <optional>

namespace tessaro {

// What the layout reads of the visible instance of a grid pair.
struct GridShape {
    int rows = 7;
    int fixedRows = 2;
    int headerRowHeight = 300; // row 0
    int entryRowHeight = 300;  // the first entry row, standing for every entry row
    double left = 0;
    double top = 0;
    double width = 0;
    double height = 0;
    int colWidth0 = 0;
    int colWidth6 = 0;
};

struct LayoutInput {
    int windowState = 0; // 0 normal, 1 minimized, 2 maximized
    bool visible = true;
    bool organizer = false; // the desktop calendar's grids are shown
    double windowWidth = 0;  // outer size
    double windowHeight = 0;
    double statusBarHeight = 0;
    double toolbarHeight = 0; // the menu and tool bands
    double arrowWidth = 960;  // ImageMobile2PC
    GridShape phone; // FG1's visible instance
    GridShape pc;    // FG2's visible instance
};

// What the layout sets. Unset optionals are left as they are.
struct LayoutResult {
    bool laidOut = false;           // normal or maximized: the values below apply
    std::optional<double> windowWidth;
    std::optional<double> windowHeight;
    double gridWidth = 0;           // both phone instances, and both calendar instances with a calendar
    int colWidth4 = 0;              // likewise
    int colWidth9 = 0;
    double phoneHeight = 0;         // both phone instances
    std::optional<double> pcHeight; // both calendar instances
    std::optional<double> pcTop;
    double statusBarTop = 0;
};

// Throws OrgError 6 (overflow) when a rounded value leaves its range; the caller shows it.
LayoutResult layOutMainWindow(const LayoutInput& in);

// The height the grids may share in the normal state, as a 16-bit value.
int CalcHeigth(const LayoutInput& in);

// Where the arrow pictures stand: each centred beside its grid's instance 0, between the grid's
// right edge and the window's outer width, 45 further left; the calendar's arrow is only placed
// (and shown) when asked.
struct ArrowPlaces {
    double phoneArrowLeft = 0;
    double phoneArrowTop = 0;
    std::optional<double> pcArrowLeft;
    std::optional<double> pcArrowTop;
};

struct ArrowInput {
    double windowWidth = 0;
    double phoneGridLeft = 0, phoneGridTop = 0, phoneGridWidth = 0, phoneGridHeight = 0;
    double pcGridTop = 0, pcGridHeight = 0;
    double phoneArrowWidth = 960, phoneArrowHeight = 480, pcArrowHeight = 480;
    bool showPcArrow = false;
};

ArrowPlaces placeArrows(const ArrowInput& in);

} // namespace tessaro
