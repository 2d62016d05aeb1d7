// Between libical's times and the local wall-clock times the object model hands out.
// Our own events are floating (no zone); times of other programs' events may be dates, UTC or
// in a named zone, and keep that form when we move them.
#pragma once

#include <QDateTime>

#include <libical/ical.h>

namespace torvane::outlook {

// The time of a property with its TZID looked up in the calendar's VTIMEZONEs, else among the
// built-in zones; an unknown zone leaves the time floating.
icaltimetype resolveZone(icaltimetype t, icalproperty* prop, icalcomponent* root);

// A date is its midnight; a floating time the local clock skips is read with the offset before
// the skip (moved on by the skip's length). Invalid for a null or impossible time.
QDateTime localFromIcal(const icaltimetype& t);

// The local time in the form of `like`: a date stays a date while the time is midnight, UTC
// stays UTC, a zoned time stays in its zone, anything else is floating.
icaltimetype icalLike(const QDateTime& local, const icaltimetype& like);
icaltimetype icalFloating(const QDateTime& local);
icaltimetype icalUtc(const QDateTime& local);

// Whether libical can write the time (it takes the years 0 to 3000).
bool isWritableTime(const icaltimetype& t);
// A local time an event of ours can start at.
bool isWritableLocalTime(const QDateTime& local);

// Sets a date or date-time property, keeping its VALUE and TZID parameters in step with the
// time; false, with the property unchanged, for a time libical cannot write.
bool setTimeProperty(icalproperty* prop, const icaltimetype& t);

} // namespace torvane::outlook
