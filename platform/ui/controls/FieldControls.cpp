#include "platform/ui/controls/FieldControls.h"

namespace torvane::controls {

void ComboBox::clear()
{
    m_items.clear();
    m_listIndex = -1;
    m_text.clear();
    emit appearanceChanged();
}

void ComboBox::addItem(const QString& item)
{
    m_items << item;
    emit appearanceChanged();
}

QString ComboBox::list(int index) const
{
    if (index < 0 || index >= listCount())
        outOfRange(QStringLiteral("List(%1)").arg(index));
    return m_items[index];
}

void ComboBox::setListIndex(int index)
{
    if (index < -1 || index >= listCount())
        invalidValue("ListIndex", QString::number(index));
    m_listIndex = index;
    m_text = index < 0 ? QString() : m_items[index];
    emit appearanceChanged();
    emit click();
}

void ComboBox::setText(const QString& text)
{
    m_text = text;
    emit appearanceChanged();
}

void ComboBox::setToolTipText(const QString& text)
{
    m_toolTip = text;
    emit appearanceChanged();
}

void CommandButton::setCaption(const QString& caption)
{
    m_caption = caption;
    emit appearanceChanged();
}

} // namespace torvane::controls
