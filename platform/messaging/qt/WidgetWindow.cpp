#include "platform/messaging/qt/WidgetWindow.h"

namespace messaging {

WidgetWindow::WidgetWindow(QWidget* widget, Handler handler)
    : MessageWindow(widget->windowTitle(), std::move(handler), widget)
    , widget_(widget)
{
    connect(widget, &QWidget::windowTitleChanged, this, [this](const QString& title) { publishTitle(title); });
}

LRESULT WidgetWindow::handleMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_CLOSE) {
        if (widget_)
            widget_->close();
        return 0;
    }
    return MessageWindow::handleMessage(message, wParam, lParam);
}

} // namespace messaging
