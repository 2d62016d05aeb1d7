#include "organizer/mainwindow/TextMeasure.h"

#include "organizer/link/PublicVar.h"
#include "platform/ui/controls/Twips.h"
#include "platform/ui/datetext/DateText.h"

#include <QDateTime>
#include <QFont>
#include <QFontDatabase>
#include <QFontMetricsF>

#include <cmath>

namespace tessaro {

std::int16_t MeasureTextWidth(const QString& text)
{
    QFont font(GridFontName);
    font.setPointSizeF(GridFontSize);
    const double pixels = QFontMetricsF(font).horizontalAdvance(text);
    return std::int16_t(std::nearbyint(pixels * torvane::controls::TwipsPerPixel * 1.1));
}

QStringList ScreenFonts()
{
    return QFontDatabase::families();
}

QString DateColumnSample()
{
    return torvane::datetext::formatDateTime(QDateTime::currentDateTime(),
                                             QStringLiteral("Ddd ") + ShortDateFormat + QLatin1Char(' ') +
                                                 ShortTimeFormat,
                                             torvane::datetext::DateNames::fromLocale(QLocale()));
}

} // namespace tessaro
