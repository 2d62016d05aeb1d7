// A one-line text box. Change is raised whenever the text changes, in code or by the user.
// The length limit holds the user's typing and pasting only: text set in code may be longer, and
// stays so until the window's own rules cut it.
#pragma once

#include "platform/ui/controls/Control.h"

#include <QString>

namespace torvane::controls {

class TextBox : public Control {
    Q_OBJECT
public:
    using Control::Control;

    const QString& text() const { return m_text; }
    void setText(const QString& text);
    int maxLength() const { return m_maxLength; }
    void setMaxLength(int length); // 0 is no limit; negative is refused
    const QString& toolTipText() const { return m_toolTip; }
    void setToolTipText(const QString& text);
    const QString& fontName() const { return m_fontName; }
    void setFontName(const QString& name);
    int fontSize() const { return m_fontSize; }
    void setFontSize(int points);
    bool isEnabled() const { return m_enabled; }
    void setEnabled(bool enabled);
    int tabIndex() const { return m_tabIndex; }
    void setTabIndex(int index);

    // User side. The user typed or pasted: `proposed` is what the box would show. Inserted text
    // that does not fit the limit is cut to the room left, so a text already at or past the limit
    // takes no more. Returns the text the box holds afterwards.
    QString userEdited(const QString& proposed);
    // A key with a character (Enter 13, Esc 27, letters ...). The window's handler may change or
    // discard it; returns what is left of it, 0 when nothing is to be inserted.
    int userKeyPress(int keyAscii);

signals:
    void change();
    void keyPress(int& keyAscii);
    // For the widget.
    void stateChanged();

private:
    QString m_text;
    int m_maxLength = 0;
    QString m_toolTip;
    QString m_fontName;
    int m_fontSize = 8;
    bool m_enabled = true;
    int m_tabIndex = 0;
};

} // namespace torvane::controls
