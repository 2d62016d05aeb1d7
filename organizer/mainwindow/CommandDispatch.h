// The main window's commands: a click on a menu item or a toolbar button runs the command its
// tool names, one at a time, with the menu titles greyed meanwhile; the tools' states follow
// what the program holds afterwards. Also the two commands of the window's own: clearing every
// entry on the phone and clearing both grids.
#pragma once

#include <QString>

namespace tessaro {

// A tool was chosen. While the link or a command is busy only the tool states are refreshed.
void ActiveBar1_ToolClick(const QString& toolName);
// The organizer menu opens: it shows Clear grids and Read organizer with the desktop calendar,
// Clear grid without.
void ActiveBar1_BandOpen(const QString& bandName);
// The Clear grids sub-menu opens: its items show the current states.
void ActiveBar1_ToolNotify(const QString& toolName);

// After the question (texts 121 and 117) every phone location is deleted; the link is open.
void ClearMobileEntries();
void ClearBothCols();

// Ties the events of the main window's controls (toolbar, both grid pairs, the date picker and
// its fields) to the window's commands and handlers. Once per set of controls.
void ConnectMainFormEvents();

} // namespace tessaro
