#include "platform/outlook/CalendarPath.h"

#include "platform/registry/Registry.h"

#include <QDir>
#include <QFile>

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
    const auto value = registry::readString(HKEY_CURRENT_USER, "Software\\Torvane\\Calendar", "CalendarFile");
    if (!value)
        return std::nullopt;
    // The value holds the file name's bytes as they are.
    return QFile::decodeName(QByteArray::fromStdString(*value));
}

QString calendarFilePath()
{
    if (auto configured = calendarFileFromRegistry(); configured && !configured->trimmed().isEmpty())
        return *configured;
    return defaultCalendarFilePath();
}

} // namespace torvane::outlook
