// The shared state behind AppointmentItem and RecurrencePattern handles.
#pragma once

#include "platform/outlook/EventFields.h"
#include "platform/outlook/OccurrenceCursor.h"
#include "platform/outlook/Session.h"

#include <memory>

namespace torvane::outlook::detail {

struct ItemState {
    enum Field : unsigned {
        StartField = 1,
        SubjectField = 2,
        BodyField = 4,
        MeetingField = 8,
        ReminderField = 16,
        RecurrenceField = 32,
        AllFields = 63,
    };

    std::shared_ptr<Session> session;
    QString entryId;
    bool deleted = false;
    bool occurrence = false;
    EventValues values;
    QDateTime lastModified;
    unsigned dirty = 0;

    static std::shared_ptr<ItemState> added(std::shared_ptr<Session> session);
    static std::shared_ptr<ItemState> fromEvent(std::shared_ptr<Session> session, icalcomponent* event,
                                                icalcomponent* root);
    static std::shared_ptr<ItemState> fromFound(std::shared_ptr<Session> session, const CalendarData& data,
                                                const FoundItem& found);

    // Throws ErrOccurrenceReadOnly for an occurrence.
    void checkChangeable() const;
    void setStart(const QDateTime& start);
    // Makes the appointment recurring (for a pattern field being set).
    void beginPatternChange();
    void save();
    void remove();

private:
    unsigned changedFields(const EventValues& stored) const;
    void loadFrom(icalcomponent* event, icalcomponent* root);
};

} // namespace torvane::outlook::detail
