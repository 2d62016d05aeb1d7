// Where the calendar file lives: the value CalendarFile under HKEY_CURRENT_USER
// "Software\Torvane\Calendar" when it names a file, else $XDG_DATA_HOME/torvane/calendar.ics.
#pragma once

#include <QString>

#include <optional>

namespace torvane::outlook {

QString calendarFilePath();
QString defaultCalendarFilePath();
// The registry's choice, when there is one.
std::optional<QString> calendarFileFromRegistry();

} // namespace torvane::outlook
