// Helpers for the organizer's small windows that are laid out in twips as designed: labels
// stretched over the window's width with their text centred, and centring on the screen.
#pragma once

#include <QString>

class QLabel;
class QWidget;

namespace tessaro {

// A label named `name` across the whole width of `window` at `top`, `height` twips, its text
// centred, in Arial at `points`.
QLabel* addCentredLabel(QWidget* window, const QString& name, const QString& text, double top, double height,
                        int points, bool bold = false);

// Sizes `window` to `width` x `height` twips and puts it in the middle of its screen.
void placeCentredOnScreen(QWidget* window, double width, double height);

} // namespace tessaro
