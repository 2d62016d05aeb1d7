// Window measures in twips: 15 to a pixel at 96 dots per inch. The organizer's windows and the
// controls on them are laid out in twips and converted at the widget's edge.
#pragma once

#include <QPoint>
#include <QRect>

#include <cmath>

namespace torvane::controls {

constexpr int TwipsPerPixel = 15;

// To the nearest pixel, halves to the even one.
inline int twipsToPixels(double twips)
{
    return int(std::nearbyint(twips / TwipsPerPixel));
}

inline double pixelsToTwips(int pixels)
{
    return double(pixels) * TwipsPerPixel;
}

inline QRect twipsRect(double left, double top, double width, double height)
{
    return {twipsToPixels(left), twipsToPixels(top), twipsToPixels(width), twipsToPixels(height)};
}

} // namespace torvane::controls
