// The error a control raises when asked for something it does not hold (a band, tool, key, row
// or column that is not there) or given a value it refuses. It carries a number, the control's
// name as its source and a description. The organizer's own errors are of this kind too, so
// its error box reports both alike.
#pragma once

#include <QString>

#include <exception>
#include <string>

namespace torvane::controls {

// A row, column, list index, band, tool or key that the control does not hold.
constexpr int ErrSubscriptOutOfRange = 9;
// A value the property does not take (an alignment code 12, a negative width, ...).
constexpr int ErrInvalidPropertyValue = 380;
// A key given twice to one image list.
constexpr int ErrKeyNotUnique = 457;
// A text that should be a date and is not.
constexpr int ErrTypeMismatch = 13;

class ControlError : public std::exception {
public:
    ControlError(int number, QString source, QString description);

    int number() const { return m_number; }
    const QString& source() const { return m_source; }
    const QString& description() const { return m_description; }
    const char* what() const noexcept override { return m_what.c_str(); }

private:
    int m_number;
    QString m_source;
    QString m_description;
    std::string m_what;
};

} // namespace torvane::controls
