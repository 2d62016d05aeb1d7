// The melody editor's bitmaps, cursors and icons, drawn by our own code at the sizes the layout
// and the hit tests rely on.
#pragma once

#include <QCursor>
#include <QIcon>
#include <QImage>
#include <QPixmap>

constexpr int KEYBOARD_WIDTH = 552;
constexpr int KEYBOARD_HEIGHT = 90;
constexpr int PALETTE_BUTTON_WIDTH = 38;
constexpr int PALETTE_BUTTON_HEIGHT = 40;

namespace melvio_art {

// "KLAVIATUR": the upper band one column of 14 pixels per semitone from 48 to 83, then 84 and
// the rest key; the lower band 22 white keys of 24 pixels and the rest key.
QPixmap keyboard();
// "NOTE_1U" ... "PUNKT_D": button 0 to 5 (whole to thirty-second), 6 sharp, 7 dot.
QPixmap paletteButton(int button, bool down);
// Bitmap 151: the caret's shape, 14 x 105.
QImage caretShape();
// Cursors 140 to 145: the note of a duration, hot spot on its head.
QCursor durationCursor(int duration);
// Icon 128.
QIcon applicationIcon();
// The tool bar's 16 x 15 images: 0 New, 1 Open, 2 Save, 3 Cut, 4 Copy, 5 Paste, 6 Play, 7 Stop.
QPixmap toolImage(int index);

} // namespace melvio_art
