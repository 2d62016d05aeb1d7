// A window in a process of its own, for the multi-process messaging tests.
//   messaging_peer plain [title]   a top-level window without Qt, dispatched by a poll loop,
//                                  plus a second (not top-level) window
//   messaging_peer qt <title>      a QWidget bound with WidgetWindow (offscreen platform)
// Prints "hwnd <n>" (and "second <n>") once it can be reached, "hanging" when told to hang in a
// handler, "closed" when WM_CLOSE closed it. Ends when its standard input closes, so it never
// outlives the test that started it.
#include "PeerProtocol.h"

#include "platform/messaging/Messaging.h"
#include "platform/messaging/qt/WidgetWindow.h"

#include <QApplication>
#include <QCloseEvent>
#include <QSocketNotifier>
#include <QWidget>

#include <poll.h>
#include <unistd.h>

#include <cstring>
#include <string>

namespace {

void say(const std::string& line)
{
    const std::string text = line + "\n";
    [[maybe_unused]] const ssize_t n = ::write(STDOUT_FILENO, text.data(), text.size());
}

// What both kinds of peer answer.
class PeerLogic {
public:
    HWND second = 0;

    bool handle(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)
    {
        result = 0;
        switch (message) {
        case PEER_SEQUENCE:
            if (!disordered_ && LRESULT(wParam) == sequence_)
                ++sequence_;
            else
                disordered_ = true;
            return true;
        case PEER_QUERY_SEQUENCE:
            result = disordered_ ? -1 : sequence_;
            return true;
        case PEER_ECHO:
            result = peerEcho(wParam, lParam);
            return true;
        case PEER_HANG:
            say("hanging");
            for (;;)
                ::pause();
        case PEER_DROP_SECOND:
            messaging::unregisterWindow(second);
            result = 1;
            return true;
        case PEER_PID:
            result = ::getpid();
            return true;
        default:
            return false;
        }
    }

private:
    LRESULT sequence_ = 0;
    bool disordered_ = false;
};

class PlainWindow : public messaging::MessageHandler {
public:
    PeerLogic logic;
    bool closed = false;

    LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_CLOSE) {
            closed = true;
            say("closed");
            return 0;
        }
        LRESULT result = 0;
        logic.handle(message, wParam, lParam, result);
        return result;
    }
};

class SilentWindow : public messaging::MessageHandler {
public:
    LRESULT handleMessage(UINT, WPARAM, LPARAM) override { return 0; }
};

int runPlain(const char* title)
{
    PlainWindow window;
    SilentWindow secondWindow;
    const HWND hwnd = messaging::registerTopLevelWindow(&window, title);
    window.logic.second = messaging::registerWindow(&secondWindow);
    if (hwnd == 0 || window.logic.second == 0)
        return 2;
    say("second " + std::to_string(window.logic.second));
    say("hwnd " + std::to_string(hwnd));
    while (!window.closed) {
        pollfd fds[2] = {{messaging::endpointFd(), POLLIN, 0}, {STDIN_FILENO, POLLIN, 0}};
        if (::poll(fds, 2, -1) < 0)
            continue;
        if (fds[1].revents != 0) {
            char c;
            if (::read(STDIN_FILENO, &c, 1) <= 0)
                return 3;
        }
        messaging::dispatchMessages(0);
    }
    messaging::unregisterWindow(hwnd);
    return 0;
}

class PeerWidget : public QWidget {
protected:
    void closeEvent(QCloseEvent* event) override
    {
        say("closed");
        event->accept();
        QCoreApplication::quit();
    }
};

int runQt(int argc, char** argv, const char* title)
{
    QApplication app(argc, argv);
    PeerWidget widget;
    widget.setWindowTitle(QString::fromLatin1(title));
    widget.show();
    PeerLogic logic;
    messaging::WidgetWindow window(&widget, [&](UINT message, WPARAM wParam, LPARAM lParam) -> LRESULT {
        if (message == PEER_RETITLE) {
            widget.setWindowTitle("Renamed " + widget.windowTitle());
            return 1;
        }
        LRESULT result = 0;
        logic.handle(message, wParam, lParam, result);
        return result;
    });
    if (window.hwnd() == 0)
        return 2;
    QSocketNotifier input(STDIN_FILENO, QSocketNotifier::Read);
    QObject::connect(&input, &QSocketNotifier::activated, &app, [&] {
        char c;
        if (::read(STDIN_FILENO, &c, 1) <= 0)
            app.exit(3);
    });
    say("hwnd " + std::to_string(window.hwnd()));
    return app.exec();
}

} // namespace

int main(int argc, char** argv)
{
    if (argc >= 2 && std::strcmp(argv[1], "plain") == 0)
        return runPlain(argc >= 3 ? argv[2] : "");
    if (argc >= 3 && std::strcmp(argv[1], "qt") == 0)
        return runQt(argc, argv, argv[2]);
    say("usage: messaging_peer plain [title] | qt <title>");
    return 1;
}
