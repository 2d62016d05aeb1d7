// Failures of the calendar object model. Every member that can fail throws Error; the
// organizer's handlers catch it like any raised error and show its number, source and text.
// The only call that reports failure by value is Application::create (no calendar available).
#pragma once

#include <QString>

#include <stdexcept>

namespace torvane::outlook {

// The calendar file exists but cannot be read, or is not an iCalendar object we can keep intact.
constexpr int ErrCalendarUnreadable = -1960;
// The calendar file could not be written (the file on disk is left as it was).
constexpr int ErrCalendarWrite = -1959;
// GetItemFromID: no appointment has this entry id.
constexpr int ErrItemNotFound = -1958;
// Save, Delete or Display of an appointment that was deleted (here or by another program).
constexpr int ErrItemDeleted = -1957;
// A name space, folder kind, item type, sort key, filter or pattern value we do not know.
constexpr int ErrInvalidArgument = -1956;
// An occurrence handed out by Find with IncludeRecurrences cannot be changed on its own.
constexpr int ErrOccurrenceReadOnly = -1955;
// Display without an appointment window (none was given to the application).
constexpr int ErrNoDisplay = -1954;

class Error : public std::runtime_error {
public:
    Error(int number, const QString& description);

    int number() const { return m_number; }
    // The application's name, as the organizer's error box shows it.
    QString source() const;
    const QString& description() const { return m_description; }

private:
    int m_number;
    QString m_description;
};

} // namespace torvane::outlook
