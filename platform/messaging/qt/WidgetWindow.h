// Makes a top-level widget a window of the messaging layer: its title is published and follows
// windowTitle, and WM_CLOSE closes it as the user's close would (QWidget::close, so closeEvent
// can still refuse). Other messages go to the handler. It is a child of the widget and goes
// with it.
#pragma once

#include "platform/messaging/qt/MessageWindow.h"

#include <QPointer>
#include <QWidget>

namespace messaging {

class WidgetWindow : public MessageWindow {
    Q_OBJECT

public:
    explicit WidgetWindow(QWidget* widget, Handler handler = {});

    QWidget* widget() const { return widget_; }

    LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    QPointer<QWidget> widget_;
};

} // namespace messaging
