#include "organizer/link/Allgemein.h"

namespace tessaro {

QString FindCourierFont(const QStringList& screenFonts)
{
    if (screenFonts.contains(QStringLiteral("Courier New")))
        return QStringLiteral("Courier New");
    return screenFonts.size() > 1 ? screenFonts[1] : screenFonts.value(0);
}

} // namespace tessaro
