// What the grids' date column is measured from: the screen's fonts (to find the grid font) and
// the text the column must hold.
#pragma once

#include <QString>
#include <QStringList>

namespace tessaro {

// The screen's font families, in the font database's order. "Courier New" counts as installed
// when the font system stands a fixed-pitch font with its metrics in for it (as it does for the
// Liberation fonts), so the grids keep their fixed-pitch font.
QStringList ScreenFonts();

// The date column's text for now: the weekday, the short date and the short time
// ("Thu 04.02.99 13:45"), whose width the grids' date column takes.
QString DateColumnSample();

} // namespace tessaro
