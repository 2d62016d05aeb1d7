#include "organizer/mainwindow/MainFormLayout.h"

#include "organizer/link/MainWindowSeams.h"
#include "organizer/link/PublicVar.h"
#include "organizer/mainwindow/ErrorBox.h"
#include "organizer/mainwindow/MainFormControls.h"
#include "organizer/mainwindow/MainFormState.h"
#include "organizer/mainwindow/WindowLayout.h"

namespace tessaro {

namespace controls = torvane::controls;

namespace {

GridShape shapeOf(const controls::Grid& grid)
{
    GridShape shape;
    shape.rows = grid.rows();
    shape.fixedRows = grid.fixedRows();
    shape.headerRowHeight = grid.rowHeight(0);
    shape.entryRowHeight = grid.fixedRows() < grid.rows() ? grid.rowHeight(grid.fixedRows()) : grid.rowHeight(0);
    shape.left = grid.left();
    shape.top = grid.top();
    shape.width = grid.width();
    shape.height = grid.height();
    shape.colWidth0 = grid.colWidth(ColDateText);
    shape.colWidth6 = grid.colWidth(ColSyncPicture);
    return shape;
}

void setGrid(controls::Grid& grid, const LayoutResult& r, bool organizer)
{
    grid.setWidth(r.gridWidth);
    grid.setColWidth(ColPhoneText, r.colWidth9);
    grid.setColWidth(ColPcText, r.colWidth4);
    if (!organizer)
        grid.setColWidth(ColSyncPicture, 0);
}

void resize()
{
    MainFormControls& f = Main_Form();
    controls::Grid& phone = f.FG1[std::size_t(ActiveGridIndexFG1)];
    controls::Grid& pc = f.FG2[std::size_t(ActiveGridIndexFG2)];
    LayoutInput in;
    in.windowState = f.Form.windowState();
    in.visible = f.Form.isVisible();
    in.organizer = OrganizerAvailable;
    in.windowWidth = f.Form.width();
    in.windowHeight = f.Form.height();
    in.statusBarHeight = f.TivStatusBar.height();
    in.toolbarHeight = ToolbarHeight;
    in.arrowWidth = f.ImageMobile2PC.width();
    in.phone = shapeOf(phone);
    in.pc = shapeOf(pc);

    // The normal layout sizes the window: the resize events that raises must not lay it out
    // again meanwhile.
    if (in.visible && in.windowState == WindowStateNormal)
        ResizeEnabled = false;
    const LayoutResult r = layOutMainWindow(in);
    if (r.laidOut) {
        for (controls::Grid& grid : f.FG1)
            setGrid(grid, r, OrganizerAvailable);
        if (OrganizerAvailable)
            for (controls::Grid& grid : f.FG2)
                setGrid(grid, r, true);
        for (controls::Grid& grid : f.FG1)
            grid.setHeight(r.phoneHeight);
        if (r.pcHeight)
            for (controls::Grid& grid : f.FG2)
                grid.setHeight(*r.pcHeight);
        if (r.pcTop)
            for (controls::Grid& grid : f.FG2)
                grid.setTop(*r.pcTop);
        // Width and height in one step: the window is never sized to the one with the old other.
        if (r.windowWidth || r.windowHeight)
            f.Form.move(f.Form.left(), f.Form.top(), r.windowWidth.value_or(f.Form.width()),
                        r.windowHeight.value_or(f.Form.height()));
        f.TivStatusBar.setTop(r.statusBarTop);
    }
    PlacePictogramm(OrganizerAvailable);
    ResizeEnabled = true;
}

} // namespace

void TIVResize()
{
    runWithErrorBox(QStringLiteral("TIVResize"), resize);
}

void PlacePictogramm(bool showPcArrow)
{
    MainFormControls& f = Main_Form();
    ArrowInput in;
    in.windowWidth = f.Form.width();
    in.phoneGridLeft = f.FG1[0].left();
    in.phoneGridTop = f.FG1[0].top();
    in.phoneGridWidth = f.FG1[0].width();
    in.phoneGridHeight = f.FG1[0].height();
    in.pcGridTop = f.FG2[0].top();
    in.pcGridHeight = f.FG2[0].height();
    in.phoneArrowWidth = f.ImageMobile2PC.width();
    in.phoneArrowHeight = f.ImageMobile2PC.height();
    in.pcArrowHeight = f.ImagePC2Mobile.height();
    in.showPcArrow = showPcArrow;
    const ArrowPlaces places = placeArrows(in);
    f.ImageMobile2PC.setTop(places.phoneArrowTop);
    f.ImageMobile2PC.setLeft(places.phoneArrowLeft);
    if (places.pcArrowTop) {
        f.ImagePC2Mobile.setVisible(true);
        f.ImagePC2Mobile.setTop(*places.pcArrowTop);
        f.ImagePC2Mobile.setLeft(*places.pcArrowLeft);
    }
}

void Form_Resize()
{
    if (MainFormReady && ResizeEnabled)
        TIVResize();
}

} // namespace tessaro
