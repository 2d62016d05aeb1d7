#include "platform/ui/controls/MonthCalendar.h"

#include "platform/ui/controls/ControlError.h"
#include "platform/ui/datetext/DateText.h"

namespace torvane::controls {

MonthCalendar::MonthCalendar(QObject* parent) : Control(parent), m_value(QDate::currentDate()) {}

void MonthCalendar::setValue(QDate day)
{
    if (!day.isValid())
        invalidValue("Value", QStringLiteral("(no date)"));
    if (day == m_value)
        return;
    m_value = day;
    emit valueChanged(day);
}

QString MonthCalendar::text(QStringView picture, const datetext::DateNames& names) const
{
    return datetext::formatDate(m_value, picture, names);
}

void MonthCalendar::setText(QStringView text, QStringView picture, const datetext::DateNames& names)
{
    const std::optional<QDate> day = datetext::parseDate(text, picture, names);
    if (!day)
        throw ControlError(ErrTypeMismatch, name(), QStringLiteral("Type mismatch: \"%1\" is no date").arg(text));
    setValue(*day);
}

void MonthCalendar::userClick(QDate day)
{
    if (day.isValid())
        setValue(day);
    emit click();
}

void MonthCalendar::userDoubleClick(QDate day)
{
    if (day.isValid())
        setValue(day);
    emit dblClick();
}

void MonthCalendar::userKeyPress(int keyAscii)
{
    emit keyPress(keyAscii);
}

} // namespace torvane::controls
