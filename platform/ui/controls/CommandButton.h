// A push button: a caption and a tooltip; a press reaches the window as Click.
#pragma once

#include "platform/ui/controls/Control.h"

#include <QString>

namespace torvane::controls {

class CommandButton : public Control {
    Q_OBJECT
public:
    using Control::Control;

    const QString& caption() const { return m_caption; }
    void setCaption(const QString& caption);
    const QString& toolTipText() const { return m_toolTip; }
    void setToolTipText(const QString& text);

    // User side, called by the widget.
    void userClick() { emit click(); }

signals:
    void click();
    // For the widget.
    void stateChanged();

private:
    QString m_caption;
    QString m_toolTip;
};

} // namespace torvane::controls
