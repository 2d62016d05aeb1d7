// The appointment fields the object model offers, read from and written into one VEVENT.
// Only the properties behind a changed field are touched; everything else of the event stays.
//
//   Start          DTSTART (our events floating; others' keep their date, UTC or zone form);
//                  DTEND moves along
//   Subject, Body  SUMMARY, DESCRIPTION
//   MeetingStatus  X-TORVANE-MEETING-STATUS (absent: 0)
//   ReminderSet    a VALARM (ours: display, 15 minutes before the start)
//   recurrence     RRULE (with RDATE, EXDATE and changed occurrences of other programs)
//   LastModificationTime  LAST-MODIFIED (else DTSTAMP, else CREATED)
#pragma once

#include "platform/outlook/CalendarData.h"
#include "platform/outlook/RecurrenceRule.h"

#include <QDateTime>
#include <QString>

#include <libical/ical.h>

namespace torvane::outlook {

struct EventValues {
    QDateTime start;
    QString subject;
    QString body;
    int meetingStatus = 0;
    bool reminderSet = false;
    bool recurring = false;
    PatternValues pattern;
    // The rule is exactly what the pattern writes (see ruleIsPlain).
    bool plainRule = true;
};

extern const char* const MeetingStatusProperty;

EventValues readEventValues(icalcomponent* event, icalcomponent* root);
QDateTime readLastModified(icalcomponent* event);

// An event of ours without fields: UID, DTSTAMP, CREATED.
icalcomponent* newEvent(const QString& uid, const QDateTime& now);

void writeStart(icalcomponent* event, icalcomponent* root, const QDateTime& start);
void writeSubject(icalcomponent* event, const QString& subject);
void writeBody(icalcomponent* event, const QString& body);
void writeMeetingStatus(icalcomponent* event, int status);
void writeReminder(icalcomponent* event, bool set);
// Replaces the event's repetition: no repetition, or the rule of the pattern. Changed
// occurrences of the old series are removed from the calendar.
void writeRecurrence(icalcomponent* event, CalendarData& calendar, bool recurring, const PatternValues& pattern,
                     QDate start);
void writeModified(icalcomponent* event, const QDateTime& lastModified, const QDateTime& now);

} // namespace torvane::outlook
