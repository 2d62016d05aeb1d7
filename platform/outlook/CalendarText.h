// The text of a calendar file as its lines stand: the pieces it is made of, and its content
// lines unfolded and taken apart. The pieces let a rewrite give back, byte for byte, every part
// of the file that nothing changed.
#pragma once

#include <QByteArray>

#include <optional>
#include <utility>
#include <vector>

namespace torvane::outlook {

struct CalendarPiece {
    enum class Kind {
        Line,      // BEGIN:VCALENDAR, or a blank line
        Property,  // a property of the calendar itself, with its folded lines
        Component, // one component from its BEGIN to its END line, with everything inside
        End,       // END:VCALENDAR
    };
    Kind kind;
    QByteArray text; // exactly as in the file, line ends included
    QByteArray name; // of a component, in capitals
};

// The pieces of one calendar; together their texts are the bytes. Nothing when the bytes are
// not one VCALENDAR whose every END closes the innermost open BEGIN of the same name, with
// nothing but blank lines before or after it, and no deeper than real calendars nest.
std::optional<std::vector<CalendarPiece>> splitCalendar(const QByteArray& bytes);

struct ContentLine {
    QByteArray name; // in capitals
    std::vector<std::pair<QByteArray, QByteArray>> parameters; // names in capitals, values as written
    QByteArray value;
};

// The logical lines of a text: folds undone, line ends dropped, blank lines left out.
std::vector<QByteArray> unfoldedLines(const QByteArray& text);
// One logical line taken apart; quoted parameter values may hold ':', ';' and ','.
ContentLine parseContentLine(const QByteArray& line);

} // namespace torvane::outlook
