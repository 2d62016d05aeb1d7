// A drop-down list: its items, the selected one (ListIndex, -1 for none), its text and tooltip.
#pragma once

#include "platform/ui/controls/Control.h"

#include <QString>
#include <QStringList>

namespace torvane::controls {

class ComboBox : public Control {
    Q_OBJECT
public:
    explicit ComboBox(QObject* parent = nullptr) : Control(parent) {}

    int listCount() const { return int(m_items.size()); }
    // Item `index`; ErrSubscriptOutOfRange outside 0 .. listCount - 1.
    QString list(int index) const;
    void addItem(const QString& item);
    // Empties the list; nothing is selected afterwards.
    void clear();

    int listIndex() const { return m_listIndex; }
    // -1 or an index of the list (ErrInvalidPropertyValue otherwise); the text follows the item.
    void setListIndex(int index);
    const QString& text() const { return m_text; }
    void setText(const QString& text);

    const QString& toolTipText() const { return m_toolTip; }
    void setToolTipText(const QString& text);

signals:
    // The list or the selection changed.
    void changed();

private:
    QStringList m_items;
    int m_listIndex = -1;
    QString m_text;
    QString m_toolTip;
};

} // namespace torvane::controls
