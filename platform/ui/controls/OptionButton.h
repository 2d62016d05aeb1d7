// One button of an option group. Selecting it (by the user or in code) clears the others of its
// group, which the window wires, and raises Click; selecting the one already selected raises
// nothing.
#pragma once

#include "platform/ui/controls/Control.h"

#include <QString>

namespace torvane::controls {

class OptionButton : public Control {
    Q_OBJECT
public:
    using Control::Control;

    bool value() const { return m_value; }
    void setValue(bool on);
    const QString& caption() const { return m_caption; }
    void setCaption(const QString& caption);
    bool isEnabled() const { return m_enabled; }
    void setEnabled(bool enabled);

    // User side: a click on an enabled button selects it.
    void userClick();

signals:
    // The button became the selected one; the group clears the others before Click.
    void selected();
    void click();
    // For the widget.
    void stateChanged();

private:
    bool m_value = false;
    QString m_caption;
    bool m_enabled = true;
};

} // namespace torvane::controls
