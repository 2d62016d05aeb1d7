// Small helpers the organizer's windows share that need no window themselves.
#pragma once

#include <QString>
#include <QStringList>

namespace tessaro {

// The grid font: "Courier New" (exact name) when the screen has it, otherwise the second font
// of the screen's list (the first when there is only one; "" without fonts).
QString FindCourierFont(const QStringList& screenFonts);

} // namespace tessaro
