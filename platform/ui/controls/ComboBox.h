// A drop-down list: its items, the selected one (ListIndex, -1 for none), its text and tooltip.
#pragma once

#include "platform/ui/controls/Control.h"

#include <QString>
#include <QStringList>

namespace torvane::controls {

class ComboBox : public Control {
    Q_OBJECT
public:
    using Control::Control;

    int listCount() const { return int(m_items.size()); }
    // Item `index`; ErrSubscriptOutOfRange outside 0 .. listCount - 1.
    QString list(int index) const;
    const QStringList& items() const { return m_items; }
    void addItem(const QString& item);
    // Empties the list and the text; nothing is selected afterwards.
    void clear();

    // -1 or an index of the list (ErrInvalidPropertyValue otherwise). Choosing an item makes it
    // the text (none: an empty text) and raises Click, from the code as from the user.
    int listIndex() const { return m_listIndex; }
    void setListIndex(int index);
    const QString& text() const { return m_text; }
    void setText(const QString& text);
    const QString& toolTipText() const { return m_toolTip; }
    void setToolTipText(const QString& text);

    // User side, called by the widget.
    void userPicked(int index) { setListIndex(index); }

signals:
    void click();
    // For the widget.
    void stateChanged();

private:
    QStringList m_items;
    int m_listIndex = -1;
    QString m_text;
    QString m_toolTip;
};

} // namespace torvane::controls
