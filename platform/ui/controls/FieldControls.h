// The plain controls of a window's fields: a text box, a drop-down list, a command button and a
// line. Frames that only group other controls are plain Controls. As with every control, the
// model is the truth and a widget shows it; the user's typing, picking and clicking come back
// through the user-side methods, which raise the events the window handles.
#pragma once

#include "platform/ui/controls/Control.h"

#include <QString>
#include <QStringList>

namespace torvane::controls {

class TextBox : public Control {
    Q_OBJECT
public:
    using Control::Control;

    QString text() const { return m_text; }
    // Raises Change when the text differs, from the code as from the user.
    void setText(const QString& text);
    QString toolTipText() const { return m_toolTip; }
    void setToolTipText(const QString& text);
    bool isEnabled() const { return m_enabled; }
    void setEnabled(bool enabled);

    // User side. A key with a character raises KeyPress first; a handler that sets the code to
    // 0 swallows it. Returns the code the field goes on with.
    int userKeyPress(int keyAscii);
    void userEdited(const QString& text) { setText(text); }

signals:
    void change();
    void keyPress(int& keyAscii);
    // For the widget.
    void appearanceChanged();

private:
    QString m_text;
    QString m_toolTip;
    bool m_enabled = true;
};

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

// A line from (x1, y1) to (x2, y2), twips in its container.
class Line : public Control {
    Q_OBJECT
public:
    using Control::Control;

    double x1() const { return m_x1; }
    double y1() const { return m_y1; }
    double x2() const { return m_x2; }
    double y2() const { return m_y2; }
    void setLine(double x1, double y1, double x2, double y2);

signals:
    void lineChanged();

private:
    double m_x1 = 0, m_y1 = 0, m_x2 = 0, m_y2 = 0;
};

} // namespace torvane::controls
