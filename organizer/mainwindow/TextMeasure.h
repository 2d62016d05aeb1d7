// Measuring texts in the grid font, for the widths of the grids' columns.
#pragma once

#include <QString>
#include <QStringList>

#include <cstdint>

namespace tessaro {

// The width in twips that `text` takes in GridFontName at GridFontSize, with a tenth added for
// the cell's margins, rounded. Needs the application's fonts (a QGuiApplication).
std::int16_t MeasureTextWidth(const QString& text);

// The screen's font families, in the font database's order.
QStringList ScreenFonts();

// The date column's text for now: the weekday, the short date and the short time
// ("Thu 04.02.99 13:45"), whose width the grids' date column takes.
QString DateColumnSample();

} // namespace tessaro
