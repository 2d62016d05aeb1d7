#include "platform/ui/controls/Control.h"

#include "platform/ui/controls/ControlError.h"

namespace torvane::controls {

Control::Control(QObject* parent) : QObject(parent) {}

void Control::setGeometryValue(double& field, double value, const char* property, bool isSize)
{
    if (isSize && value < 0)
        invalidValue(property, QString::number(value));
    if (field == value)
        return;
    field = value;
    emit geometryChanged();
}

void Control::setLeft(double left) { setGeometryValue(m_left, left, "Left", false); }
void Control::setTop(double top) { setGeometryValue(m_top, top, "Top", false); }
void Control::setWidth(double width) { setGeometryValue(m_width, width, "Width", true); }
void Control::setHeight(double height) { setGeometryValue(m_height, height, "Height", true); }

void Control::move(double left, double top, double width, double height)
{
    if (width < 0)
        invalidValue("Width", QString::number(width));
    if (height < 0)
        invalidValue("Height", QString::number(height));
    if (m_left == left && m_top == top && m_width == width && m_height == height)
        return;
    m_left = left;
    m_top = top;
    m_width = width;
    m_height = height;
    emit geometryChanged();
}

void Control::setVisible(bool visible)
{
    if (m_visible == visible)
        return;
    m_visible = visible;
    emit visibleChanged(visible);
}

void Control::setFocus()
{
    emit focusRequested();
}

void Control::bringToFront()
{
    emit raiseRequested();
}

void Control::focusChanged(bool in, const QString& target)
{
    if (m_hasFocus == in)
        return;
    m_hasFocus = in;
    if (in)
        emit gotFocus();
    else
        emit lostFocus(target);
}

void Control::invalidValue(const char* property, const QString& value) const
{
    throw ControlError(ErrInvalidPropertyValue, m_name,
                       QStringLiteral("Invalid property value: %1 = %2").arg(QLatin1String(property), value));
}

void Control::outOfRange(const QString& what) const
{
    throw ControlError(ErrSubscriptOutOfRange, m_name, QStringLiteral("Subscript out of range: ") + what);
}

} // namespace torvane::controls
