#include "platform/outlook/RecurrencePattern.h"

#include "platform/outlook/ItemState.h"
#include "platform/outlook/OutlookError.h"

namespace torvane::outlook {

namespace {

constexpr int MaxInterval = 999;
constexpr int AllDays = 0x7f;

} // namespace

RecurrencePattern::RecurrencePattern(std::shared_ptr<detail::ItemState> item) : d(std::move(item))
{
}

int RecurrencePattern::RecurrenceType() const
{
    return d->values.recurring ? d->values.pattern.type : RecursWeekly;
}

void RecurrencePattern::setRecurrenceType(int type)
{
    if (!isKnownRecurrenceType(type))
        throw Error(ErrInvalidArgument, QStringLiteral("%1 is not a recurrence type.").arg(type));
    d->beginPatternChange();
    d->values.pattern.type = type;
}

int RecurrencePattern::DayOfWeekMask() const
{
    PatternValues p = d->values.recurring ? d->values.pattern : PatternValues{};
    return effectiveDayOfWeekMask(p, d->values.start.date());
}

void RecurrencePattern::setDayOfWeekMask(int mask)
{
    if (mask < 0 || mask > AllDays)
        throw Error(ErrInvalidArgument, QStringLiteral("%1 is not a day-of-week mask.").arg(mask));
    d->beginPatternChange();
    d->values.pattern.dayOfWeekMask = mask;
}

QDate RecurrencePattern::PatternStartDate() const
{
    return d->values.start.date();
}

void RecurrencePattern::setPatternStartDate(QDate date)
{
    if (!date.isValid())
        throw Error(ErrInvalidArgument, QStringLiteral("The pattern start is not a valid date."));
    d->beginPatternChange();
    d->setStart(QDateTime(date, d->values.start.time()));
}

int RecurrencePattern::Interval() const
{
    return d->values.recurring ? d->values.pattern.interval : 1;
}

void RecurrencePattern::setInterval(int interval)
{
    if (interval < 1 || interval > MaxInterval)
        throw Error(ErrInvalidArgument, QStringLiteral("%1 is not a recurrence interval.").arg(interval));
    d->beginPatternChange();
    d->values.pattern.interval = interval;
}

} // namespace torvane::outlook
