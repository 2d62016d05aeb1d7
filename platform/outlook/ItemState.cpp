#include "platform/outlook/ItemState.h"

#include "platform/outlook/IcalTime.h"
#include "platform/outlook/OutlookError.h"

#include <QUuid>

namespace torvane::outlook::detail {

namespace {

QDateTime nextHalfHour(const QDateTime& now)
{
    const QTime t = now.time();
    QDateTime slot(now.date(), QTime(t.hour(), t.minute() < 30 ? 30 : 0));
    if (t.minute() >= 30)
        slot = slot.addSecs(3600);
    return slot;
}

// Whole seconds (as LAST-MODIFIED stores them), rounded up so that the stored time is never
// before the save, and always later than the previous one, so that a save is always seen.
QDateTime nextModificationTime(const QDateTime& now, const QDateTime& previous)
{
    QDateTime t = now.addMSecs(-now.time().msec());
    if (now.time().msec() != 0)
        t = t.addSecs(1);
    if (previous.isValid() && t <= previous)
        t = previous.addSecs(1);
    return t;
}

Error deletedError()
{
    return Error(ErrItemDeleted, QStringLiteral("The appointment has been deleted."));
}

} // namespace

std::shared_ptr<ItemState> ItemState::added(std::shared_ptr<Session> session)
{
    auto s = std::make_shared<ItemState>();
    s->values.start = nextHalfHour(session->now());
    s->session = std::move(session);
    s->dirty = AllFields;
    return s;
}

std::shared_ptr<ItemState> ItemState::fromEvent(std::shared_ptr<Session> session, icalcomponent* event,
                                                icalcomponent* root)
{
    auto s = std::make_shared<ItemState>();
    s->session = std::move(session);
    s->loadFrom(event, root);
    return s;
}

std::shared_ptr<ItemState> ItemState::fromFound(std::shared_ptr<Session> session, const CalendarData& data,
                                                const FoundItem& found)
{
    icalcomponent* master = data.master(found.uid);
    auto s = fromEvent(std::move(session), master ? master : found.component, data.root());
    if (found.occurrence) {
        s->occurrence = true;
        if (found.component != master) {
            // A changed occurrence carries its own texts and alarm.
            const EventValues own = readEventValues(found.component, data.root());
            s->values.subject = own.subject;
            s->values.body = own.body;
            s->values.meetingStatus = own.meetingStatus;
            s->values.reminderSet = own.reminderSet;
        }
        s->values.recurring = true;
    }
    s->values.start = found.start;
    return s;
}

void ItemState::loadFrom(icalcomponent* event, icalcomponent* root)
{
    values = readEventValues(event, root);
    lastModified = readLastModified(event);
    entryId = CalendarData::uidOf(event);
    dirty = 0;
}

void ItemState::checkChangeable() const
{
    if (occurrence)
        throw Error(ErrOccurrenceReadOnly,
                    QStringLiteral("An occurrence cannot be changed on its own; open its series by its entry id."));
}

void ItemState::setStart(const QDateTime& start)
{
    checkChangeable();
    const QDateTime local = start.toLocalTime();
    if (!isWritableLocalTime(local))
        throw Error(ErrInvalidArgument, QStringLiteral("The start is not a date and time the calendar can hold."));
    PatternValues& p = values.pattern;
    const bool weekdayType = p.type == RecursWeekly || p.type == RecursMonthNth || p.type == RecursYearNth;
    if (values.recurring && values.plainRule && weekdayType && p.dayOfWeekMask == weekdayBit(values.start.date()))
        p.dayOfWeekMask = weekdayBit(local.date());
    values.start = local;
    dirty |= StartField;
}

void ItemState::beginPatternChange()
{
    checkChangeable();
    if (!values.recurring) {
        values.recurring = true;
        values.pattern = PatternValues{};
        values.plainRule = true;
    }
    if (!isKnownRecurrenceType(values.pattern.type)) {
        values.pattern = PatternValues{};
        values.plainRule = true;
    }
    dirty |= RecurrenceField;
}

unsigned ItemState::changedFields(const EventValues& stored) const
{
    unsigned changed = 0;
    if ((dirty & StartField) && values.start != stored.start)
        changed |= StartField;
    if ((dirty & SubjectField) && values.subject != stored.subject)
        changed |= SubjectField;
    if ((dirty & BodyField) && values.body != stored.body)
        changed |= BodyField;
    if ((dirty & MeetingField) && values.meetingStatus != stored.meetingStatus)
        changed |= MeetingField;
    if ((dirty & ReminderField) && values.reminderSet != stored.reminderSet)
        changed |= ReminderField;
    if ((dirty & RecurrenceField)
        && (values.recurring != stored.recurring
            || (values.recurring && !samePattern(values.pattern, stored.pattern, values.start.date()))))
        changed |= RecurrenceField;
    return changed;
}

void ItemState::save()
{
    if (deleted)
        throw deletedError();
    CalendarFile& file = *session->file;
    if (occurrence) {
        // Nothing of an occurrence can change; the save only says whether the series still exists.
        if (!file.data()->master(entryId)) {
            deleted = true;
            throw deletedError();
        }
        return;
    }
    const bool isNew = entryId.isEmpty();
    const QString uid = isNew ? QUuid::createUuid().toString(QUuid::WithoutBraces) : entryId;
    bool found = true;
    file.modify([&](CalendarData& data) {
        const QDateTime now = session->now();
        icalcomponent* root = data.root();
        icalcomponent* event = nullptr;
        EventValues stored;
        QDateTime previous;
        unsigned apply = AllFields;
        if (isNew) {
            event = newEvent(uid, now);
            icalcomponent_add_component(root, event);
        } else {
            event = data.master(uid);
            if (!event) {
                found = false;
                return false;
            }
            stored = readEventValues(event, root);
            previous = readLastModified(event);
            apply = changedFields(stored);
            if (apply == 0)
                return false;
        }

        QDateTime start = values.start;
        const bool rewriteRule = (apply & RecurrenceField) || ((apply & StartField) && values.recurring && values.plainRule);
        if (rewriteRule) {
            if (values.recurring) {
                // The series begins on the first day its pattern gives, as its occurrences do.
                start = firstOccurrence(ruleFromPattern(values.pattern, values.start.date()), values.start);
            }
            writeRecurrence(event, data, values.recurring, values.pattern, values.start.date());
            if (isNew || start != stored.start)
                apply |= StartField;
        }
        if (apply & StartField)
            writeStart(event, root, start);
        if (apply & SubjectField)
            writeSubject(event, values.subject);
        if (apply & BodyField)
            writeBody(event, values.body);
        if (apply & MeetingField)
            writeMeetingStatus(event, values.meetingStatus);
        if (apply & ReminderField)
            writeReminder(event, values.reminderSet);
        writeModified(event, nextModificationTime(now, previous), now);
        return true;
    });
    if (!found) {
        deleted = true;
        throw deletedError();
    }
    const auto data = file.data();
    icalcomponent* event = data->master(uid);
    if (!event) {
        deleted = true;
        throw deletedError();
    }
    loadFrom(event, data->root());
}

void ItemState::remove()
{
    if (deleted)
        throw deletedError();
    checkChangeable();
    if (entryId.isEmpty()) {
        deleted = true;
        return;
    }
    bool found = false;
    session->file->modify([&](CalendarData& data) {
        const auto components = data.componentsOf(entryId);
        found = !components.empty();
        for (icalcomponent* c : components)
            data.removeComponent(c);
        return found;
    });
    deleted = true;
    if (!found)
        throw deletedError();
}

} // namespace torvane::outlook::detail
