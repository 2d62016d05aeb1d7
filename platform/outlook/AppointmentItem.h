// One appointment: a single event or a whole series (or, from Find with IncludeRecurrences,
// one occurrence of a series). The item is a working copy: setters change the copy, Save
// writes the fields that were set into the calendar file, leaving the rest of the event (and
// changes another program made to other fields) as it is. Copies of the handle share the copy;
// there is no empty handle (Find gives std::optional).
#pragma once

#include "platform/outlook/RecurrencePattern.h"

#include <QDateTime>
#include <QString>

#include <memory>

namespace torvane::outlook {

namespace detail {
struct ItemState;
}

// MeetingStatus values.
constexpr int NonMeeting = 0;
constexpr int Meeting = 1;
constexpr int MeetingReceived = 3;
constexpr int MeetingCanceled = 5;
constexpr int MeetingReceivedAndCanceled = 7;

class AppointmentItem {
public:
    // Local wall-clock start. Setting it on a weekly series whose only weekday was the old
    // start's moves that weekday along. An invalid time throws ErrInvalidArgument.
    QDateTime Start() const;
    void setStart(const QDateTime& start);
    QString Subject() const;
    void setSubject(const QString& subject);
    QString Body() const;
    void setBody(const QString& body);
    // Empty until the first Save; then the event's UID, for good.
    QString EntryID() const;
    // 0, 1, 3, 5 or 7; other values throw ErrInvalidArgument.
    int MeetingStatus() const;
    void setMeetingStatus(int status);
    bool IsRecurring() const;
    // A reminder 15 minutes before the start (an alarm of another program counts as well).
    bool ReminderSet() const;
    void setReminderSet(bool set);
    // The time of the last save that changed something (invalid before the first Save).
    // Every such save moves it forward by at least one second.
    QDateTime LastModificationTime() const;

    // Writes the fields that were set since the item was read or last saved. When none differs
    // from the calendar, nothing is written and LastModificationTime stays. A recurring
    // pattern moves the start to the first day the pattern gives. Throws ErrItemDeleted for a
    // deleted appointment (here or by another program), ErrCalendarWrite and
    // ErrCalendarUnreadable when the file fails.
    void Save();
    // Shows the appointment window (modal with true) through the application's display
    // handler; ErrNoDisplay without one, ErrItemDeleted for a deleted appointment.
    void Display(bool modal = false);
    // Removes the appointment, a series with all its occurrences. ErrItemDeleted when it is
    // gone already; an occurrence throws ErrOccurrenceReadOnly.
    void Delete();
    // Makes the appointment a single one (written by the next Save).
    void ClearRecurrencePattern();
    // The pattern of the series; on a single appointment a weekly pattern on the start's
    // weekday that makes the appointment recurring only once one of its fields is set.
    RecurrencePattern GetRecurrencePattern() const;

    // True for an occurrence handed out by Find with IncludeRecurrences.
    bool isOccurrence() const;

private:
    friend class Items;
    friend class NameSpace;
    // The window takes its edits back after a failed save.
    friend class AppointmentDialog;
    explicit AppointmentItem(std::shared_ptr<detail::ItemState> state);
    std::shared_ptr<detail::ItemState> d;
};

} // namespace torvane::outlook
