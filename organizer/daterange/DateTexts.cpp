#include "organizer/daterange/DateTexts.h"

#include "organizer/daterange/Calendar.h"
#include "organizer/daterange/DateArithmetic.h"
#include "organizer/daterange/ErrorReport.h"
#include "organizer/link/OrgError.h"
#include "organizer/link/PublicVar.h"
#include "organizer/link/TessaroStrings.h"
#include "organizer/link/TextRoutines.h"

#include "platform/ui/datetext/DateText.h"

#include <QTimeZone>

#include <cmath>
#include <cstdint>
#include <limits>

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

double wholeNumber(const QString& text)
{
    const double v = std::nearbyint(NumericValue(text));
    if (v < std::numeric_limits<std::int16_t>::min() || v > std::numeric_limits<std::int16_t>::max())
        throw overflowError();
    return v;
}

} // namespace

bool IsValidTime(const QString& text)
{
    QString rest = text;
    if (const auto time = readsAsTime(text))
        rest = dt::formatTime(*time, ShortTimeFormat, RegionalDateNames());
    const QString hourText = SplitToken(rest, QStringLiteral(":"));
    const double hour = wholeNumber(hourText);
    const double minute = wholeNumber(rest);
    return hour >= 0 && hour <= 23 && minute >= 0 && minute <= 59;
}

} // namespace tessaro
