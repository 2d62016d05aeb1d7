// The organizer's hidden measuring window: how wide a text is in the grid font, and the 16 x 16
// pictures of the entry kinds and the alarm clock that the entry editor copies onto its window.
#pragma once

#include "platform/ui/controls/Picture.h"

#include <QString>

#include <cstdint>

namespace tessaro {

// The width in twips of `text` in the grid font (GridFontName at GridFontSize), plus a tenth,
// rounded to the nearest (halves to even). Needs the application's fonts (a QGuiApplication).
// A width past 16 bits is the overflow error.
std::int16_t MeasureTextWidth(const QString& text);

namespace CheckForm {

torvane::controls::Picture Memo16x16();
torvane::controls::Picture Meeting16x16();
torvane::controls::Picture Anniversary16x16();
torvane::controls::Picture PhoneCall16x16();
torvane::controls::Picture AlarmClock16x16();

} // namespace CheckForm

} // namespace tessaro
