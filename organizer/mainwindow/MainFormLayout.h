// The main window's layout applied to its controls: TIVResize reads the window's and the grids'
// sizes, lays them out (WindowLayout.h) and sets what the layout gives; PlacePictogramm places
// the arrows beside the grids; Form_Resize is the window's resize event.
#pragma once

namespace tessaro {

// Does nothing while the window is hidden or minimized (but places the arrows). An error ends
// it in the error box "TIVResize" and leaves ResizeEnabled off until a later call completes.
void TIVResize();

// The calendar's arrow is placed and shown only when asked.
void PlacePictogramm(bool showPcArrow);

// Lays the window out once the grids are set up, unless the layout itself is sizing it.
void Form_Resize();

} // namespace tessaro
