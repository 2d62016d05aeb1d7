// The organizer's icon (its resource "1Tessaro"), drawn by our own code: a calendar sheet with a
// mobile phone before it. Windows take it as their icon and the about and splash windows show it.
#pragma once

#include <QIcon>
#include <QImage>
#include <QString>

namespace tessaro {

// The picture at `size` x `size` pixels.
QImage TessaroIconImage(int size = 32);
QIcon TessaroIcon();

// The icon a window names by resource ("1Tessaro"); a null icon for other names.
QIcon IconByName(const QString& resourceName);

} // namespace tessaro
