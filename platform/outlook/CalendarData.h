// One parsed calendar file: the whole iCalendar object as libical holds it, the file's own text
// piece by piece, and an index of its events by UID.
//
// Writing gives back the file's own text for every component nothing changed, in the file's
// order, and libical's writing only for the events the object model changed or added, so that
// what the object model does not know - time zones, to-dos, X- properties, alarms of other
// programs, the other programs' spelling - stays as it was.
//
// Reading is strict where that matters: an event, which a change makes libical write anew, is
// only taken when libical read every line of it and writes back what it says; a time zone only
// when libical read every line of it. The rest is only ever written back as it stands.
#pragma once

#include "platform/outlook/CalendarText.h"
#include "platform/outlook/IcalPtr.h"

#include <QByteArray>
#include <QHash>
#include <QString>

#include <optional>
#include <vector>

namespace torvane::outlook {

class CalendarData {
public:
    struct Event {
        icalcomponent* component = nullptr;
        QString uid;
        bool exception = false; // carries a RECURRENCE-ID: one changed occurrence of a series
    };

    // A new, empty calendar.
    CalendarData();
    // Nothing, with the reason in why, unless the bytes are one iCalendar object whose events
    // and time zones libical reads and keeps. Blank input is an empty calendar.
    static std::optional<CalendarData> fromBytes(const QByteArray& bytes, QString* why = nullptr);

    CalendarData(CalendarData&&) noexcept = default;
    CalendarData& operator=(CalendarData&&) noexcept = default;
    CalendarData clone() const;

    QByteArray toBytes() const;
    icalcomponent* root() const { return m_root.get(); }

    // The events in file order.
    const std::vector<Event>& events() const { return m_events; }
    // The series or single event of a UID (the first of its components without RECURRENCE-ID).
    icalcomponent* master(const QString& uid) const;
    // Every component of a UID: the event and its changed occurrences.
    std::vector<icalcomponent*> componentsOf(const QString& uid) const;
    // Builds the index again after components were added or removed.
    void reindex();
    // Takes a component out of the calendar and frees it.
    void removeComponent(icalcomponent* component);

    static QString uidOf(icalcomponent* event);

private:
    // A piece of the file; a component piece knows its component and how libical wrote it
    // when it was read, so that a rewrite sees whether it changed since.
    struct Piece {
        CalendarPiece::Kind kind;
        QByteArray text;
        icalcomponent* component = nullptr;
        QByteArray rendered;
    };

    explicit CalendarData(IcalComponentPtr root);
    static std::optional<CalendarData> read(const QByteArray& bytes, bool strict, QString* why);
    void assignMissingUids();
    // libical writes CRLF; a file of bare line feeds keeps them.
    QByteArray inFileLineEnds(QByteArray text) const;

    IcalComponentPtr m_root;
    // Empty for a calendar of our own, which libical writes whole.
    std::vector<Piece> m_pieces;
    QByteArray m_renderedProperties; // the calendar's own properties as libical wrote them when read
    bool m_crlf = true;
    std::vector<Event> m_events;
    QHash<QString, icalcomponent*> m_masters;
};

} // namespace torvane::outlook
