// The repetition of an appointment (see RecurrenceRule.h for the types and their rules).
// Setting any field makes the appointment recurring; the change is written by its Save.
#pragma once

#include <QDate>

#include <memory>

namespace torvane::outlook {

namespace detail {
struct ItemState;
}

class RecurrencePattern {
public:
    // 0 daily, 1 weekly, 2 monthly, 3 monthly on the n-th weekday, 5 yearly, 6 yearly on the
    // n-th weekday; -1 for a repetition of another program these cannot express (read only).
    // Other values throw ErrInvalidArgument.
    int RecurrenceType() const;
    void setRecurrenceType(int type);
    // Bit 0 Sunday .. bit 6 Saturday; for the weekly and n-th types. 0 sets the start's weekday.
    int DayOfWeekMask() const;
    void setDayOfWeekMask(int mask);
    // The date of the first occurrence: the appointment's start date; setting it moves the start.
    QDate PatternStartDate() const;
    void setPatternStartDate(QDate date);
    // Every n-th day, week, month or year; 1 to 999.
    int Interval() const;
    void setInterval(int interval);

private:
    friend class AppointmentItem;
    explicit RecurrencePattern(std::shared_ptr<detail::ItemState> item);
    std::shared_ptr<detail::ItemState> d;
};

} // namespace torvane::outlook
