#include "platform/outlook/CalendarPath.h"

#include <QDir>

namespace torvane::outlook {

QString defaultCalendarFilePath()
{
    QString data = qEnvironmentVariable("XDG_DATA_HOME");
    if (data.isEmpty())
        data = QDir::homePath() + QStringLiteral("/.local/share");
    return data + QStringLiteral("/torvane/calendar.ics");
}

std::optional<QString> calendarFileFromRegistry()
{
    // The registry layer is not part of the tree yet; until it is, the default place holds.
    return std::nullopt;
}

QString calendarFilePath()
{
    if (auto configured = calendarFileFromRegistry(); configured && !configured->trimmed().isEmpty())
        return *configured;
    return defaultCalendarFilePath();
}

} // namespace torvane::outlook
