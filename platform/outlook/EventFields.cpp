#include "platform/outlook/EventFields.h"

#include "platform/outlook/IcalTime.h"

#include <QByteArray>

#include <cstring>
#include <vector>

namespace torvane::outlook {

const char* const MeetingStatusProperty = "X-TORVANE-MEETING-STATUS";

namespace {

// A new appointment lasts half an hour, so that the user's calendar programs show it as one.
constexpr int NewEventMinutes = 30;
// Our reminder fires this long before the start.
constexpr int ReminderLeadMinutes = 15;
constexpr const char* ReminderText = "Reminder";

icalproperty* xProperty(icalcomponent* event, const char* name)
{
    for (icalproperty* p = icalcomponent_get_first_property(event, ICAL_X_PROPERTY); p;
         p = icalcomponent_get_next_property(event, ICAL_X_PROPERTY)) {
        const char* x = icalproperty_get_x_name(p);
        if (x && qstricmp(x, name) == 0)
            return p;
    }
    return nullptr;
}

void removeAll(icalcomponent* event, icalproperty_kind kind)
{
    std::vector<icalproperty*> doomed;
    for (icalproperty* p = icalcomponent_get_first_property(event, kind); p;
         p = icalcomponent_get_next_property(event, kind))
        doomed.push_back(p);
    for (icalproperty* p : doomed) {
        icalcomponent_remove_property(event, p);
        icalproperty_free(p);
    }
}

QString textOf(icalcomponent* event, icalproperty_kind kind)
{
    icalproperty* p = icalcomponent_get_first_property(event, kind);
    if (!p)
        return {};
    // A text value is held unescaped; another kind of value comes as written.
    icalvalue* v = icalproperty_get_value(p);
    const char* text = v && icalvalue_isa(v) == ICAL_TEXT_VALUE ? icalvalue_get_text(v)
                                                                 : icalproperty_get_value_as_string(p);
    return text ? QString::fromUtf8(text) : QString();
}

void writeText(icalcomponent* event, icalproperty_kind kind, const QString& text)
{
    icalproperty* p = icalcomponent_get_first_property(event, kind);
    if (text.isEmpty()) {
        removeAll(event, kind);
        return;
    }
    const QByteArray utf8 = text.toUtf8();
    if (p) {
        icalproperty_set_value(p, icalvalue_new_text(utf8.constData()));
        return;
    }
    p = icalproperty_new(kind);
    icalproperty_set_value(p, icalvalue_new_text(utf8.constData()));
    icalcomponent_add_property(event, p);
}

bool hasAlarm(icalcomponent* event)
{
    return icalcomponent_get_first_component(event, ICAL_VALARM_COMPONENT) != nullptr;
}

icaltimetype resolvedTime(icalcomponent* event, icalcomponent* root, icalproperty_kind kind)
{
    icalproperty* p = icalcomponent_get_first_property(event, kind);
    if (!p)
        return icaltime_null_time();
    return resolveZone(icalproperty_get_datetime_with_component(p, event), p, root);
}

QDateTime utcProperty(icalcomponent* event, icalproperty_kind kind)
{
    icalproperty* p = icalcomponent_get_first_property(event, kind);
    if (!p)
        return {};
    return localFromIcal(icalproperty_get_datetime_with_component(p, event));
}

void setUtcProperty(icalcomponent* event, icalproperty_kind kind, const QDateTime& local)
{
    icalproperty* p = icalproperty_new(kind);
    if (!setTimeProperty(p, icalUtc(local))) {
        icalproperty_free(p);
        return;
    }
    removeAll(event, kind);
    icalcomponent_add_property(event, p);
}

} // namespace

EventValues readEventValues(icalcomponent* event, icalcomponent* root)
{
    EventValues v;
    v.start = localFromIcal(resolvedTime(event, root, ICAL_DTSTART_PROPERTY));
    v.subject = textOf(event, ICAL_SUMMARY_PROPERTY);
    v.body = textOf(event, ICAL_DESCRIPTION_PROPERTY);
    if (icalproperty* p = xProperty(event, MeetingStatusProperty)) {
        const char* x = icalproperty_get_x(p);
        bool ok = false;
        const int status = x ? QByteArray(x).trimmed().toInt(&ok) : 0;
        v.meetingStatus = ok ? status : 0;
    }
    v.reminderSet = hasAlarm(event);

    icalproperty* rrule = icalcomponent_get_first_property(event, ICAL_RRULE_PROPERTY);
    const bool rdate = icalcomponent_get_first_property(event, ICAL_RDATE_PROPERTY) != nullptr;
    v.recurring = rrule != nullptr || rdate;
    if (rrule) {
        const icalrecurrencetype rule = icalproperty_get_rrule(rrule);
        v.pattern = patternFromRule(rule, v.start.date());
        v.plainRule = !rdate && icalcomponent_get_next_property(event, ICAL_RRULE_PROPERTY) == nullptr
            && !icalcomponent_get_first_property(event, ICAL_EXDATE_PROPERTY)
            && !icalcomponent_get_first_property(event, ICAL_EXRULE_PROPERTY) && ruleIsPlain(rule, v.start.date());
    } else if (rdate) {
        v.pattern.type = RecursOther;
        v.plainRule = false;
    }
    return v;
}

QDateTime readLastModified(icalcomponent* event)
{
    for (icalproperty_kind kind : {ICAL_LASTMODIFIED_PROPERTY, ICAL_DTSTAMP_PROPERTY, ICAL_CREATED_PROPERTY}) {
        const QDateTime t = utcProperty(event, kind);
        if (t.isValid())
            return t;
    }
    return {};
}

icalcomponent* newEvent(const QString& uid, const QDateTime& now)
{
    icalcomponent* event = icalcomponent_new(ICAL_VEVENT_COMPONENT);
    icalcomponent_set_uid(event, uid.toUtf8().constData());
    setUtcProperty(event, ICAL_DTSTAMP_PROPERTY, now);
    setUtcProperty(event, ICAL_CREATED_PROPERTY, now);
    return event;
}

void writeStart(icalcomponent* event, icalcomponent* root, const QDateTime& start)
{
    icalproperty* dtstart = icalcomponent_get_first_property(event, ICAL_DTSTART_PROPERTY);
    icalproperty* dtend = icalcomponent_get_first_property(event, ICAL_DTEND_PROPERTY);
    if (!isWritableLocalTime(start))
        return;
    if (!dtstart) {
        dtstart = icalproperty_new(ICAL_DTSTART_PROPERTY);
        setTimeProperty(dtstart, icalFloating(start));
        icalcomponent_add_property(event, dtstart);
        if (!dtend && !icalcomponent_get_first_property(event, ICAL_DURATION_PROPERTY)) {
            dtend = icalproperty_new(ICAL_DTEND_PROPERTY);
            if (setTimeProperty(dtend, icalFloating(start.addSecs(NewEventMinutes * 60))))
                icalcomponent_add_property(event, dtend);
            else
                icalproperty_free(dtend);
        }
        return;
    }
    const icaltimetype oldStart = resolvedTime(event, root, ICAL_DTSTART_PROPERTY);
    const QDateTime oldLocal = localFromIcal(oldStart);
    if (!setTimeProperty(dtstart, icalLike(start, oldStart)))
        return;
    // An end libical could not write keeps its old value.
    if (dtend && oldLocal.isValid()) {
        const icaltimetype oldEnd = resolvedTime(event, root, ICAL_DTEND_PROPERTY);
        const QDateTime endLocal = localFromIcal(oldEnd);
        if (endLocal.isValid()) {
            const QDateTime newEnd = start.addSecs(oldLocal.secsTo(endLocal));
            // An all-day event that gets a time of day ends as a time too.
            const icaltimetype newStart = icalLike(start, oldStart);
            setTimeProperty(dtend, oldEnd.is_date && !newStart.is_date ? icalFloating(newEnd) : icalLike(newEnd, oldEnd));
        }
    }
}

void writeSubject(icalcomponent* event, const QString& subject)
{
    writeText(event, ICAL_SUMMARY_PROPERTY, subject);
}

void writeBody(icalcomponent* event, const QString& body)
{
    writeText(event, ICAL_DESCRIPTION_PROPERTY, body);
}

void writeMeetingStatus(icalcomponent* event, int status)
{
    while (icalproperty* p = xProperty(event, MeetingStatusProperty)) {
        icalcomponent_remove_property(event, p);
        icalproperty_free(p);
    }
    if (status == 0)
        return;
    icalproperty* p = icalproperty_new_x(QByteArray::number(status).constData());
    icalproperty_set_x_name(p, MeetingStatusProperty);
    icalcomponent_add_property(event, p);
}

void writeReminder(icalcomponent* event, bool set)
{
    if (set == hasAlarm(event))
        return;
    if (!set) {
        std::vector<icalcomponent*> alarms;
        for (icalcomponent* a = icalcomponent_get_first_component(event, ICAL_VALARM_COMPONENT); a;
             a = icalcomponent_get_next_component(event, ICAL_VALARM_COMPONENT))
            alarms.push_back(a);
        for (icalcomponent* a : alarms) {
            icalcomponent_remove_component(event, a);
            icalcomponent_free(a);
        }
        return;
    }
    icalcomponent* alarm = icalcomponent_new(ICAL_VALARM_COMPONENT);
    icalcomponent_add_property(alarm, icalproperty_new_action(ICAL_ACTION_DISPLAY));
    icaltriggertype trigger;
    std::memset(&trigger, 0, sizeof trigger);
    trigger.time = icaltime_null_time();
    trigger.duration = icaldurationtype_from_int(-ReminderLeadMinutes * 60);
    icalcomponent_add_property(alarm, icalproperty_new_trigger(trigger));
    icalcomponent_add_property(alarm, icalproperty_new_description(ReminderText));
    icalcomponent_add_component(event, alarm);
}

void writeRecurrence(icalcomponent* event, CalendarData& calendar, bool recurring, const PatternValues& pattern,
                     QDate start)
{
    icalcomponent* root = calendar.root();
    for (icalproperty_kind kind : {ICAL_RRULE_PROPERTY, ICAL_EXRULE_PROPERTY, ICAL_RDATE_PROPERTY, ICAL_EXDATE_PROPERTY})
        removeAll(event, kind);
    const char* uid = icalcomponent_get_uid(event);
    std::vector<icalcomponent*> changedOccurrences;
    for (icalcomponent* c = icalcomponent_get_first_component(root, ICAL_VEVENT_COMPONENT); c;
         c = icalcomponent_get_next_component(root, ICAL_VEVENT_COMPONENT)) {
        const char* u = icalcomponent_get_uid(c);
        if (c != event && uid && u && std::strcmp(u, uid) == 0
            && icalcomponent_get_first_property(c, ICAL_RECURRENCEID_PROPERTY))
            changedOccurrences.push_back(c);
    }
    for (icalcomponent* c : changedOccurrences)
        calendar.removeComponent(c);
    if (recurring)
        icalcomponent_add_property(event, icalproperty_new_rrule(ruleFromPattern(pattern, start)));
}

void writeModified(icalcomponent* event, const QDateTime& lastModified, const QDateTime& now)
{
    setUtcProperty(event, ICAL_LASTMODIFIED_PROPERTY, lastModified);
    setUtcProperty(event, ICAL_DTSTAMP_PROPERTY, now);
}

} // namespace torvane::outlook
