#include "platform/messaging/qt/MessageWindow.h"

#include "platform/messaging/Messaging.h"
#include "platform/messaging/qt/MessagePump.h"
#include "platform/messaging/qt/WindowTimers.h"

namespace messaging {

MessageWindow::MessageWindow(QObject* parent)
    : MessageWindow(Handler(), parent)
{
}

MessageWindow::MessageWindow(Handler handler, QObject* parent)
    : QObject(parent)
    , handler_(std::move(handler))
{
    attachToEventLoop();
    hwnd_ = registerWindow(this);
}

MessageWindow::MessageWindow(const QString& title, Handler handler, QObject* parent)
    : QObject(parent)
    , handler_(std::move(handler))
{
    attachToEventLoop();
    hwnd_ = registerTopLevelWindow(this, title.toLatin1().toStdString());
}

MessageWindow::~MessageWindow()
{
    if (hwnd_ != 0) {
        killWindowTimers(hwnd_);
        unregisterWindow(hwnd_);
    }
}

void MessageWindow::setHandler(Handler handler)
{
    handler_ = std::move(handler);
}

LRESULT MessageWindow::handleMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    return handler_ ? handler_(message, wParam, lParam) : 0;
}

void MessageWindow::publishTitle(const QString& title)
{
    if (hwnd_ != 0)
        setWindowTitle(hwnd_, title.toLatin1().toStdString());
}

} // namespace messaging
