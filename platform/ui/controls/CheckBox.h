// A check box: value 1 checked, 0 unchecked.
#pragma once

#include "platform/ui/controls/Control.h"

#include <QString>

namespace torvane::controls {

class CheckBox : public Control {
    Q_OBJECT
public:
    using Control::Control;

    int value() const { return m_value; }
    void setValue(int value); // 0 or 1, ErrInvalidPropertyValue otherwise
    const QString& caption() const { return m_caption; }
    void setCaption(const QString& caption);
    const QString& toolTipText() const { return m_toolTip; }
    void setToolTipText(const QString& text);
    bool isEnabled() const { return m_enabled; }
    void setEnabled(bool enabled);
    int tabIndex() const { return m_tabIndex; }
    void setTabIndex(int index);

    // User side: a click on an enabled box turns it over.
    void userClick();

signals:
    // For the widget.
    void stateChanged();

private:
    int m_value = 0;
    QString m_caption;
    QString m_toolTip;
    bool m_enabled = true;
    int m_tabIndex = 0;
};

} // namespace torvane::controls
