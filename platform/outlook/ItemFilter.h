// The filter texts Items::Find accepts: conditions on the start, joined by "and" (any letter
// case), for instance
//     [Start]>="01.02.2031 00:00" and [Start] <="07.02.2031 23:59"
// with the operators >=, <=, >, < and =, the date-time in single or double quotes and written
// in the organizer's short date-time picture, its year in four digits (two digits are read in
// the century window of the date fields). Blanks around the parts are free. Comparisons
// are to the minute: a start at 23:59:30 is not after 23:59. Conditions together give one
// inclusive range of minutes.
#pragma once

#include "platform/ui/datetext/DateNames.h"

#include <QDateTime>
#include <QStringView>

#include <optional>

namespace torvane::outlook {

// The start truncated to its minute.
QDateTime toMinute(const QDateTime& t);

struct StartRange {
    std::optional<QDateTime> from; // first minute that matches
    std::optional<QDateTime> to;   // last minute that matches

    bool contains(const QDateTime& start) const;
    bool beforeStart(const QDateTime& start) const; // start lies before the range
    bool afterEnd(const QDateTime& start) const;    // start lies after the range
};

// Throws Error (ErrInvalidArgument) for a text that is not such a filter.
StartRange parseStartFilter(QStringView filter, QStringView dateTimePicture, const datetext::DateNames& names);

} // namespace torvane::outlook
