// The organizer's active date range and what it is computed from. Everything that shows or reads
// entries of "the range" (grid filling, matching, deleting, the calendar search) reads RangeStart
// and RangeEnd; only SetGlobalStartEndDate writes them (and start-up, before the window exists).
#pragma once

#include "organizer/link/VbDate.h"

#include "platform/ui/datetext/DateNames.h"

#include <QDateTime>
#include <QString>

#include <functional>

namespace tessaro {

// The first instant of the range (the start day at 00:00:00) and the last (23:59:59 on the day
// before the start plus the count of units).
inline VbDate RangeStart = 0;
inline VbDate RangeEnd = 0;

// Text offsets of the range.
constexpr int TxtRangeTo = 129;
constexpr int TxtTipStartDate = 178;
constexpr int TxtTipEndDate = 179;
constexpr int TxtTipUnitList = 180;
constexpr int TxtTipCount = 181;

// The weekday and month names of the user's regional settings, which the date texts spell out.
const torvane::datetext::DateNames& RegionalDateNames();
void setRegionalDateNames(const torvane::datetext::DateNames& names);

// The local date and time now; tests install a clock of their own (an empty one: the system's).
QDateTime CurrentDateTime();
void setDateTimeClock(std::function<QDateTime()> clock);

// Between the organizer's date values and wall-clock date-times (to the second). A time the
// clock skips when summer time begins becomes the time the calendar shows for it, moved on by
// the skip (a phone entry may well stand at 02:30 on that night).
QDateTime toDateTime(VbDate date);
VbDate fromDateTime(const QDateTime& dateTime);
// The date as the calendar holds it: the same, or moved on past the skip.
VbDate onTheClock(VbDate date);

// RangeStart and RangeEnd from the calendar value, the count text and the unit list of the main
// window; the start and end fields show them, and with the desktop calendar present the range
// line of both visible grids does too.
void RefreshDateRange();

} // namespace tessaro
