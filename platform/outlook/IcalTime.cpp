#include "platform/outlook/IcalTime.h"

#include "platform/ui/datetext/WallClock.h"

#include <QTimeZone>

namespace torvane::outlook {

namespace {

using datetext::wallClock;

bool isZoned(const icaltimetype& t)
{
    return !t.is_date && t.zone != nullptr && !icaltime_is_utc(t);
}

} // namespace

icaltimetype resolveZone(icaltimetype t, icalproperty* prop, icalcomponent* root)
{
    if (t.is_date || icaltime_is_utc(t) || t.zone != nullptr || prop == nullptr)
        return t;
    icalparameter* param = icalproperty_get_first_parameter(prop, ICAL_TZID_PARAMETER);
    const char* tzid = param ? icalparameter_get_tzid(param) : nullptr;
    if (tzid == nullptr || *tzid == '\0')
        return t;
    icaltimezone* zone = root ? icalcomponent_get_timezone(root, tzid) : nullptr;
    if (zone == nullptr)
        zone = icaltimezone_get_builtin_timezone(tzid);
    if (zone != nullptr)
        t.zone = zone;
    return t;
}

QDateTime localFromIcal(const icaltimetype& t)
{
    if (icaltime_is_null_time(t))
        return {};
    const QDate date(t.year, t.month, t.day);
    if (!date.isValid())
        return {};
    if (t.is_date)
        return wallClock(date, QTime(0, 0));
    const QTime time(t.hour, t.minute, t.second);
    if (!time.isValid())
        return {};
    if (icaltime_is_utc(t))
        return QDateTime(date, time, QTimeZone::utc()).toLocalTime();
    if (isZoned(t)) {
        // Years libical cannot convert stay as written rather than jumping elsewhere.
        if (t.year < 1902 || t.year > 9999)
            return wallClock(date, time);
        return QDateTime::fromSecsSinceEpoch(static_cast<qint64>(icaltime_as_timet_with_zone(t, t.zone)));
    }
    return wallClock(date, time);
}

icaltimetype icalFloating(const QDateTime& local)
{
    icaltimetype t = icaltime_null_time();
    const QDate d = local.date();
    const QTime tm = local.time();
    t.year = d.year();
    t.month = d.month();
    t.day = d.day();
    t.hour = tm.hour();
    t.minute = tm.minute();
    t.second = tm.second();
    t.is_date = 0;
    return t;
}

icaltimetype icalUtc(const QDateTime& local)
{
    icaltimetype t = icalFloating(local.toUTC());
    t.zone = icaltimezone_get_utc_timezone();
    return t;
}

icaltimetype icalLike(const QDateTime& local, const icaltimetype& like)
{
    if (like.is_date && local.time() == QTime(0, 0)) {
        icaltimetype t = icalFloating(local);
        t.hour = t.minute = t.second = 0;
        t.is_date = 1;
        return t;
    }
    if (!like.is_date && icaltime_is_utc(like))
        return icalUtc(local);
    if (isZoned(like)) {
        icaltimetype t = icaltime_from_timet_with_zone(static_cast<time_t>(local.toSecsSinceEpoch()), 0, like.zone);
        // libical converts into the zone but may leave the result marked as UTC; beyond the
        // years it can convert it gives a null time, and the instant is then kept in UTC.
        if (icaltime_is_null_time(t) || !icaltime_is_valid_time(t) || t.year == 0)
            return icalUtc(local);
        t.zone = like.zone;
        return t;
    }
    return icalFloating(local);
}

bool isWritableTime(const icaltimetype& t)
{
    return !icaltime_is_null_time(t) && icaltime_is_valid_time(t) && t.year >= 1 && t.month >= 1 && t.day >= 1;
}

bool isWritableLocalTime(const QDateTime& local)
{
    return local.isValid() && isWritableTime(icalFloating(local));
}

bool setTimeProperty(icalproperty* prop, const icaltimetype& t)
{
    if (!isWritableTime(t))
        return false;
    icalproperty_set_value(prop, t.is_date ? icalvalue_new_date(t) : icalvalue_new_datetime(t));
    icalproperty_remove_parameter_by_kind(prop, ICAL_VALUE_PARAMETER);
    if (t.is_date)
        icalproperty_add_parameter(prop, icalparameter_new_value(ICAL_VALUE_DATE));
    if (!isZoned(t))
        icalproperty_remove_parameter_by_kind(prop, ICAL_TZID_PARAMETER);
    return true;
}

} // namespace torvane::outlook
