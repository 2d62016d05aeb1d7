// Two plain controls of a window's fields: a drop-down list and a command button. As with every
// control, the model is the truth and a widget shows it; the user's picking and clicking come
// back through the user-side methods, which raise the events the window handles.
#pragma once

#include "platform/ui/controls/Control.h"

#include <QString>
#include <QStringList>

namespace torvane::controls {

class ComboBox : public Control {
    Q_OBJECT
public:
    using Control::Control;

    void clear();
    void addItem(const QString& item);
    int listCount() const { return int(m_items.size()); }
    QString list(int index) const; // ErrSubscriptOutOfRange outside the list
    QStringList items() const { return m_items; }
    // -1 .. listCount() - 1; choosing an item makes it the text and raises Click, from the code
    // as from the user.
    int listIndex() const { return m_listIndex; }
    void setListIndex(int index);
    QString text() const { return m_text; }
    void setText(const QString& text);
    QString toolTipText() const { return m_toolTip; }
    void setToolTipText(const QString& text);

    void userPicked(int index) { setListIndex(index); }

signals:
    void click();
    void appearanceChanged();

private:
    QStringList m_items;
    int m_listIndex = -1;
    QString m_text;
    QString m_toolTip;
};

class CommandButton : public Control {
    Q_OBJECT
public:
    using Control::Control;

    QString caption() const { return m_caption; }
    void setCaption(const QString& caption);

    void userClick() { emit click(); }

signals:
    void click();
    void appearanceChanged();

private:
    QString m_caption;
};

} // namespace torvane::controls
