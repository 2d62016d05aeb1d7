#include "platform/outlook/AppointmentItem.h"

#include "platform/outlook/ItemState.h"
#include "platform/outlook/OutlookError.h"

namespace torvane::outlook {

AppointmentItem::AppointmentItem(std::shared_ptr<detail::ItemState> state) : d(std::move(state))
{
}

QDateTime AppointmentItem::Start() const
{
    return d->values.start;
}

void AppointmentItem::setStart(const QDateTime& start)
{
    d->setStart(start);
}

QString AppointmentItem::Subject() const
{
    return d->values.subject;
}

void AppointmentItem::setSubject(const QString& subject)
{
    d->checkChangeable();
    d->values.subject = subject;
    d->dirty |= detail::ItemState::SubjectField;
}

QString AppointmentItem::Body() const
{
    return d->values.body;
}

void AppointmentItem::setBody(const QString& body)
{
    d->checkChangeable();
    d->values.body = body;
    d->dirty |= detail::ItemState::BodyField;
}

QString AppointmentItem::EntryID() const
{
    return d->entryId;
}

int AppointmentItem::MeetingStatus() const
{
    return d->values.meetingStatus;
}

void AppointmentItem::setMeetingStatus(int status)
{
    d->checkChangeable();
    if (status != NonMeeting && status != Meeting && status != MeetingReceived && status != MeetingCanceled
        && status != MeetingReceivedAndCanceled)
        throw Error(ErrInvalidArgument, QStringLiteral("%1 is not a meeting status.").arg(status));
    d->values.meetingStatus = status;
    d->dirty |= detail::ItemState::MeetingField;
}

bool AppointmentItem::IsRecurring() const
{
    return d->values.recurring;
}

bool AppointmentItem::ReminderSet() const
{
    return d->values.reminderSet;
}

void AppointmentItem::setReminderSet(bool set)
{
    d->checkChangeable();
    d->values.reminderSet = set;
    d->dirty |= detail::ItemState::ReminderField;
}

QDateTime AppointmentItem::LastModificationTime() const
{
    return d->lastModified;
}

void AppointmentItem::Save()
{
    d->save();
}

void AppointmentItem::Display(bool modal)
{
    if (d->deleted)
        throw Error(ErrItemDeleted, QStringLiteral("The appointment has been deleted."));
    if (!d->session->display)
        throw Error(ErrNoDisplay, QStringLiteral("No appointment window is available."));
    // The handler gets a handle of its own, so that it may keep the item beyond this call.
    AppointmentItem self(d);
    d->session->display(self, modal);
}

void AppointmentItem::Delete()
{
    d->remove();
}

void AppointmentItem::ClearRecurrencePattern()
{
    d->checkChangeable();
    d->values.recurring = false;
    d->values.pattern = PatternValues{};
    d->values.plainRule = true;
    d->dirty |= detail::ItemState::RecurrenceField;
}

RecurrencePattern AppointmentItem::GetRecurrencePattern() const
{
    return RecurrencePattern(d);
}

bool AppointmentItem::isOccurrence() const
{
    return d->occurrence;
}

} // namespace torvane::outlook
