// The main window's pictures, drawn by its own code: the menu and toolbar strip, the 15-cell strip
// of the toolbar picture list, the pictograms of the phone entries by kind, series and alarm,
// the grid's row pictograms, the arrows beside the grids and the phone pictures of the status
// bar. Each is looked up by the resource name the window uses.
#pragma once

#include "platform/ui/controls/Picture.h"

#include <QImage>
#include <QString>

#include <vector>

namespace tessaro {

// A bitmap resource by name: "MEM", "MEM_DAY", ..., "CALL_YEAR_BELL" (16 x 16), the row
// pictograms "m", "s", "w", "y", "j", "r", "l" (16 x 16), "ImageMobile2PC" and "ImagePC2Mobile"
// (64 x 32), "ImageHandy_gruen" and "ImageHandy_grau" (16 x 16). A null picture for any other
// name.
torvane::controls::Picture LoadResPicture(const QString& name);

// The entry editor's toolbar strip: 15 cells of 16 x 16 in one row (memo, meeting, anniversary,
// phone call, on/off, delete, save, new, help, series, calendar, alarm, rubber, phone test,
// organizer).
QImage ToolbarStripPicture();
inline constexpr int ToolbarStripCells = 15;

// The menu and toolbar's 22 pictures; the cells no tool shows are empty.
std::vector<torvane::controls::Picture> BarPictures();

} // namespace tessaro
