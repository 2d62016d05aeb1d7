#include "organizer/mainwindow/TextMeasure.h"

#include "organizer/link/PublicVar.h"
#include "platform/ui/datetext/DateText.h"

#include <QDateTime>
#include <QFont>
#include <QFontDatabase>
#include <QFontInfo>

namespace tessaro {

QStringList ScreenFonts()
{
    QStringList families = QFontDatabase::families();
    const QString courier = QStringLiteral("Courier New");
    if (!families.contains(courier) && QFontInfo(QFont(courier)).fixedPitch())
        families << courier;
    return families;
}

QString DateColumnSample()
{
    return torvane::datetext::formatDateTime(QDateTime::currentDateTime(),
                                             QStringLiteral("Ddd ") + ShortDateFormat + QLatin1Char(' ') +
                                                 ShortTimeFormat,
                                             torvane::datetext::DateNames::fromLocale(QLocale()));
}

} // namespace tessaro
