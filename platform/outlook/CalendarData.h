// One parsed calendar file: the whole iCalendar object as libical holds it (so that what the
// object model does not know - time zones, to-dos, X- properties, alarms of other programs -
// is written back as it was read) and an index of its events by UID.
//
// Reading is strict: a file is only taken when libical read every line of it, so that a later
// rewrite can never drop something we failed to understand.
#pragma once

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
    // Nothing, with the reason in why, unless the bytes are one iCalendar object libical
    // reads without a single error. Blank input is an empty calendar.
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

    static QString uidOf(icalcomponent* event);

private:
    explicit CalendarData(IcalComponentPtr root);
    void assignMissingUids();

    IcalComponentPtr m_root;
    std::vector<Event> m_events;
    QHash<QString, icalcomponent*> m_masters;
};

} // namespace torvane::outlook
