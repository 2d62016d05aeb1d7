#include "organizer/daterange/DateTexts.h"

#include "organizer/daterange/Calendar.h"
#include "organizer/daterange/DateArithmetic.h"
#include "organizer/link/ErrorReport.h"
#include "organizer/link/PublicVar.h"
#include "organizer/link/TessaroStrings.h"

#include "platform/ui/datetext/DateText.h"

#include <QRegularExpression>
#include <QTimeZone>

namespace tessaro {

namespace dt = torvane::datetext;

QString FormatDate(VbDate date, const QString& picture)
{
    const DateParts p = vbDateParts(date);
    // Formatted as written: a wall-clock time inside a change to summer time still shows as such.
    const QDateTime value(QDate(p.year, p.month, p.day), QTime(p.hour, p.minute, p.second), QTimeZone::utc());
    return dt::formatDateTime(value, picture, RegionalDateNames());
}

QString SetStartDate(VbDate date)
{
    try {
        return FormatDate(date, QStringLiteral("Ddd")) + QLatin1Char(' ') + FormatDate(date, ShortDateFormat);
    } catch (...) {
        ShowCaughtError(QStringLiteral("SetStartDate"));
        return {};
    }
}

QString SetPeriodeHeader()
{
    try {
        return FormatDate(RangeStart, ShortDateFormat) + QLatin1Char(' ') + LangText(TxtRangeTo) +
               QLatin1Char(' ') + FormatDate(RangeEnd, ShortDateFormat);
    } catch (...) {
        ShowCaughtError(QStringLiteral("SetPeriodeHeader"));
        return {};
    }
}

QString GetCurrentTimeText()
{
    return dt::formatTime(CurrentDateTime().time(), TimeFormat, RegionalDateNames());
}

QString GetShiftedTimeText(const QString& interval, const QString& countText, VbDate base)
{
    return FormatDate(DateAdd(interval, NumericValue(countText), base), ShortTimeFormat);
}

namespace {

std::optional<QTime> readsAsTime(const QString& text)
{
    for (const QString* picture : {&ShortTimeFormat, &TimeFormat})
        if (auto t = dt::parseTime(text, *picture, RegionalDateNames()))
            return t;
    if (auto t = dt::parseDateTime(text, ShortDateTimeFormat, RegionalDateNames()))
        return t->time();
    return std::nullopt;
}

} // namespace

std::optional<QTime> TimeOfDay(const QString& text)
{
    if (auto time = readsAsTime(text))
        return time;
    // Hours and minutes as typed, also where the regional time is written otherwise.
    static const QRegularExpression hoursAndMinutes(QStringLiteral("^\\s*(\\d{1,2}):(\\d{2})\\s*$"));
    const QRegularExpressionMatch m = hoursAndMinutes.match(text);
    if (!m.hasMatch())
        return std::nullopt;
    const QTime time(m.captured(1).toInt(), m.captured(2).toInt());
    return time.isValid() ? std::optional<QTime>(time) : std::nullopt;
}

bool IsValidTime(const QString& text)
{
    return TimeOfDay(text).has_value();
}

QString ShortTimeText(const QString& text)
{
    const auto time = readsAsTime(text);
    return time ? dt::formatTime(*time, ShortTimeFormat, RegionalDateNames()) : text;
}

} // namespace tessaro
