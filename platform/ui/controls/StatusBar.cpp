#include "platform/ui/controls/StatusBar.h"

#include "platform/ui/controls/ControlError.h"

namespace torvane::controls {

auto& StatusPanel::data() const
{
    return m_bar->m_panels[std::size_t(m_index - 1)];
}

QString StatusPanel::key() const { return data().key; }
QString StatusPanel::text() const { return data().text; }
QString StatusPanel::pictureName() const { return data().pictureName; }
Picture StatusPanel::picture() const { return data().picture; }
double StatusPanel::width() const { return data().width; }
double StatusPanel::minWidth() const { return data().minWidth; }
int StatusPanel::autoSize() const { return data().autoSize; }
int StatusPanel::alignment() const { return data().alignment; }
bool StatusPanel::isVisible() const { return data().visible; }

void StatusPanel::setKey(const QString& key)
{
    m_bar->checkKeyFree(key, m_index);
    data().key = key;
    emit m_bar->panelsChanged();
}

void StatusPanel::setText(const QString& text)
{
    data().text = text;
    emit m_bar->panelsChanged();
}

void StatusPanel::setPicture(const QString& name, const Picture& picture)
{
    data().pictureName = name;
    data().picture = picture;
    emit m_bar->panelsChanged();
}

void StatusPanel::setWidth(double twips)
{
    if (twips < 0)
        throw ControlError(ErrInvalidPropertyValue, m_bar->name(), QStringLiteral("Invalid property value: Width"));
    data().width = twips;
    emit m_bar->panelsChanged();
}

void StatusPanel::setMinWidth(double twips)
{
    if (twips < 0)
        throw ControlError(ErrInvalidPropertyValue, m_bar->name(), QStringLiteral("Invalid property value: MinWidth"));
    data().minWidth = twips;
    emit m_bar->panelsChanged();
}

void StatusPanel::setAutoSize(int rule)
{
    if (rule < PanelAutoSizeNone || rule > PanelAutoSizeContents)
        throw ControlError(ErrInvalidPropertyValue, m_bar->name(), QStringLiteral("Invalid property value: AutoSize"));
    data().autoSize = rule;
    emit m_bar->panelsChanged();
}

void StatusPanel::setAlignment(int alignment)
{
    if (alignment < PanelAlignLeft || alignment > PanelAlignRight)
        throw ControlError(ErrInvalidPropertyValue, m_bar->name(), QStringLiteral("Invalid property value: Alignment"));
    data().alignment = alignment;
    emit m_bar->panelsChanged();
}

void StatusPanel::setVisible(bool visible)
{
    data().visible = visible;
    emit m_bar->panelsChanged();
}

StatusBar::StatusBar(QObject* parent) : Control(parent), m_panels(1) {}

void StatusBar::checkKeyFree(const QString& key, int except) const
{
    if (key.isEmpty())
        return;
    for (int i = 1; i <= panelCount(); ++i)
        if (i != except && m_panels[std::size_t(i - 1)].key == key)
            throw ControlError(ErrKeyNotUnique, name(), QStringLiteral("Key is not unique: ") + key);
}

StatusPanel StatusBar::addPanel(const QString& key, int position)
{
    if (position == 0)
        position = panelCount() + 1;
    if (position < 1 || position > panelCount() + 1)
        outOfRange(QStringLiteral("panel position %1").arg(position));
    checkKeyFree(key, 0);
    PanelData panel;
    panel.key = key;
    m_panels.insert(m_panels.begin() + (position - 1), panel);
    emit panelsChanged();
    return StatusPanel(this, position);
}

StatusPanel StatusBar::panel(int index) const
{
    if (index < 1 || index > panelCount())
        outOfRange(QStringLiteral("panel %1").arg(index));
    return StatusPanel(const_cast<StatusBar*>(this), index);
}

StatusPanel StatusBar::panel(const QString& key) const
{
    for (int i = 1; i <= panelCount(); ++i)
        if (!key.isEmpty() && m_panels[std::size_t(i - 1)].key == key)
            return StatusPanel(const_cast<StatusBar*>(this), i);
    outOfRange(QStringLiteral("no panel \"%1\"").arg(key));
}

} // namespace torvane::controls
