#include "platform/ui/datetext/WallClock.h"

#include <QTimeZone>

namespace torvane::datetext {

QDateTime wallClock(QDate date, QTime time)
{
    const QDateTime plain(date, time);
    if (plain.isValid())
        return plain;
    const QDateTime dayBefore(date.addDays(-1), time);
    if (!dayBefore.isValid())
        return {};
    return QDateTime(date, time, QTimeZone(dayBefore.offsetFromUtc())).toLocalTime();
}

} // namespace torvane::datetext
