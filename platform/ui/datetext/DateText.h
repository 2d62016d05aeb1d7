// Formatting and reading dates and times with the organizer's pictures (its ShortDateFormat,
// ShortTimeFormat and ShortDateTimeFormat, the weekday picture "Ddd"). The organizer and the
// calendar both go through here, so a text one of them writes is always read back by the other.
//
// Picture letters: d/dd day, ddd/dddd weekday name (any letter case, so "Ddd" works);
// M/MM or m/mm month, MMM/MMMM (mmm/mmmm) month name; "m"/"mm" next to an hour or a second and
// n/nn are minutes; y/yy two-digit year, yyy/yyyy four digits; h/hh hours (12-hour only with a
// day-half marker), H/HH 24-hour; s/ss seconds; tt, AP, ap, AM/PM, am/pm whole day-half words,
// t, A/P, a/p one letter. Quoted text and a character after a backslash are copied as they are.
//
// Reading is forgiving where users and programs differ: numbers may drop their leading zero,
// runs of blanks match any blank in the picture, letter case does not matter, and a two-digit
// year is read with a fixed window (00-29 are 2000-2029, 30-99 are 1930-1999), also where the
// picture asks for four digits; a four-digit year is taken as written.
#pragma once

#include "platform/ui/datetext/DateNames.h"

#include <QDate>
#include <QDateTime>
#include <QString>
#include <QStringView>
#include <QTime>

#include <optional>

namespace torvane::datetext {

// The fixed century window for two-digit years: 0-29 -> 2000-2029, 30-99 -> 1930-1999.
int expandTwoDigitYear(int twoDigitYear);

QString formatDateTime(const QDateTime& value, QStringView picture, const DateNames& names = DateNames::english());
QString formatDate(QDate value, QStringView picture, const DateNames& names = DateNames::english());
QString formatTime(QTime value, QStringView picture, const DateNames& names = DateNames::english());

// Reads a whole text (blanks around it are ignored). A date-time needs day, month and year in
// the picture; without time fields it is midnight. A weekday name, when the picture has one,
// must be the date's. Fields missing from the text, numbers out of range and impossible dates
// give nothing. The date-time is local wall-clock time.
std::optional<QDateTime> parseDateTime(QStringView text, QStringView picture,
                                       const DateNames& names = DateNames::english());
std::optional<QDate> parseDate(QStringView text, QStringView picture, const DateNames& names = DateNames::english());
// A time needs an hour field; minutes and seconds not in the picture are 0.
std::optional<QTime> parseTime(QStringView text, QStringView picture, const DateNames& names = DateNames::english());

} // namespace torvane::datetext
