// The month-calendar control: its value is one whole day, read and written as a date or as a
// date text in a given picture (the organizer passes its short date picture). A picked day, a
// double click, a key press and the loss of the focus reach the window as events.
#pragma once

#include "platform/ui/controls/Control.h"
#include "platform/ui/datetext/DateNames.h"

#include <QDate>
#include <QDateTime>
#include <QString>
#include <QStringView>

namespace torvane::controls {

class MonthCalendar : public Control {
    Q_OBJECT
public:
    // Starts on today.
    explicit MonthCalendar(QObject* parent = nullptr);

    QDate value() const { return m_value; }
    // An invalid date is refused (ErrInvalidPropertyValue); a date-time gives its day.
    void setValue(QDate day);
    void setValue(const QDateTime& dateTime) { setValue(dateTime.date()); }

    QString text(QStringView picture, const datetext::DateNames& names = datetext::DateNames::english()) const;
    // A text that is no date in `picture` raises ControlError(ErrTypeMismatch) and keeps the value.
    void setText(QStringView text, QStringView picture,
                 const datetext::DateNames& names = datetext::DateNames::english());

    // User side, called by the widget. A picked day becomes the value before the event.
    void userClick(QDate day);
    void userDoubleClick(QDate day);
    void userKeyPress(int keyAscii);

signals:
    void click();
    void dblClick();
    // The character code of the key (Esc 27, Enter 13).
    void keyPress(int keyAscii);
    // For the widget.
    void valueChanged(QDate day);

private:
    QDate m_value;
};

} // namespace torvane::controls
