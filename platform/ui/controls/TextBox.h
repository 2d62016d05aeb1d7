// A one-line text field: its text and its tooltip.
#pragma once

#include "platform/ui/controls/Control.h"

#include <QString>

namespace torvane::controls {

class TextBox : public Control {
    Q_OBJECT
public:
    explicit TextBox(QObject* parent = nullptr) : Control(parent) {}

    const QString& text() const { return m_text; }
    // Raises Change when the text differs, as the field does when the user types.
    void setText(const QString& text);
    const QString& toolTipText() const { return m_toolTip; }
    void setToolTipText(const QString& text);

signals:
    // The Change event.
    void change();
    // For the widget.
    void toolTipChanged();

private:
    QString m_text;
    QString m_toolTip;
};

} // namespace torvane::controls
