// A Qt object that is a window of the messaging layer: it owns an HWND for its lifetime and
// hands what arrives to handleMessage (override it, or give a function). Create it on the main
// thread; the main thread's event loop dispatches its messages.
#pragma once

#include "platform/messaging/MessageHandler.h"
#include "platform/wintypes.h"

#include <QObject>
#include <QString>

#include <functional>

namespace messaging {

class MessageWindow : public QObject, public MessageHandler {
    Q_OBJECT

public:
    using Handler = std::function<LRESULT(UINT message, WPARAM wParam, LPARAM lParam)>;

    explicit MessageWindow(QObject* parent = nullptr);
    explicit MessageWindow(Handler handler, QObject* parent = nullptr);
    ~MessageWindow() override;

    MessageWindow(const MessageWindow&) = delete;
    MessageWindow& operator=(const MessageWindow&) = delete;

    // 0 when the endpoint could not be opened.
    HWND hwnd() const { return hwnd_; }

    void setHandler(Handler handler);

    // Calls the handler; 0 without one.
    LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

protected:
    // A top-level window: FindWindowByTitlePrefix finds it by title.
    MessageWindow(const QString& title, Handler handler, QObject* parent);

    // Publishes a new title (as Latin-1, the suite's byte encoding).
    void publishTitle(const QString& title);

private:
    Handler handler_;
    HWND hwnd_ = 0;
};

} // namespace messaging
