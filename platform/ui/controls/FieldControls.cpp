#include "platform/ui/controls/ComboBox.h"
#include "platform/ui/controls/CommandButton.h"
#include "platform/ui/controls/Line.h"
#include "platform/ui/controls/TextBox.h"

namespace torvane::controls {

void TextBox::setText(const QString& text)
{
    if (text == m_text)
        return;
    m_text = text;
    emit change();
}

void TextBox::setToolTipText(const QString& text)
{
    m_toolTip = text;
    emit toolTipChanged();
}

QString ComboBox::list(int index) const
{
    if (index < 0 || index >= listCount())
        outOfRange(QStringLiteral("list item %1 of %2").arg(index).arg(listCount()));
    return m_items[index];
}

void ComboBox::addItem(const QString& item)
{
    m_items.append(item);
    emit changed();
}

void ComboBox::clear()
{
    m_items.clear();
    m_listIndex = -1;
    emit changed();
}

void ComboBox::setListIndex(int index)
{
    if (index < -1 || index >= listCount())
        invalidValue("ListIndex", QString::number(index));
    m_listIndex = index;
    if (index >= 0)
        m_text = m_items[index];
    emit changed();
}

void ComboBox::setText(const QString& text)
{
    m_text = text;
    emit changed();
}

void ComboBox::setToolTipText(const QString& text)
{
    m_toolTip = text;
    emit changed();
}

void Line::setPoints(double x1, double y1, double x2, double y2)
{
    m_x1 = x1;
    m_y1 = y1;
    m_x2 = x2;
    m_y2 = y2;
    emit geometryChanged();
}

void CommandButton::setCaption(const QString& caption)
{
    m_caption = caption;
    emit captionChanged();
}

void CommandButton::setToolTipText(const QString& text)
{
    m_toolTip = text;
    emit captionChanged();
}

} // namespace torvane::controls
