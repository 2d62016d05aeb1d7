// Corvant's pictures and icons, drawn in code: the launcher picture in its normal (bitmap 130)
// and pressed (bitmap 131) look, the program's icon (128), the four tray icons (138 ready,
// 139 not ready, 140 the blink's second image, 141 not connected) and the settings icon (149).
#pragma once

#include <QIcon>
#include <QImage>

namespace corvant {

constexpr int IDB_LAUNCHER = 130;
constexpr int IDB_LAUNCHER_PRESSED = 131;
constexpr int IDI_MAINFRAME = 128;
constexpr int IDI_SETTINGS = 149;

// The launcher picture, 400 x 320 pixels: the seven buttons lie in the rectangles of
// LauncherLayout.h.
QImage launcherPicture(bool pressed);

// Icons by resource id; an empty icon for an id that is not Corvant's.
QIcon corvantIcon(int id);

} // namespace corvant
