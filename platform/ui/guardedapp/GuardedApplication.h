// The application object of a windowed program. An exception that leaves a window event would
// reach Qt and end the program with whatever the user had open; here it stops at the event it
// came out of (the innermost one, when a handler runs a loop of its own), the event counts as
// unhandled, and the program's failure box shows it once that event has returned. The same
// failure again (a paint handler fails at every repaint) gets no second box while the program
// runs. The net only shows: it neither writes nor mends anything.
//
// It also puts the paste guard (PasteGuard.h) over every window.
#pragma once

#include "platform/ui/guardedapp/PasteGuard.h"

#include <QApplication>
#include <QMutex>
#include <QSet>
#include <QString>

#include <deque>
#include <exception>
#include <functional>

namespace torvane::ui {

struct EventFailure {
    QString text;             // the exception's own text, or its type when it has none
    std::exception_ptr error; // the exception, for a program that shows its own kinds apart
    QString receiver;         // the object the event was for: its name, else its class
    QString event;            // the event's kind as Qt names it: "Paint", "MouseButtonPress", ...
};

using EventFailureHandler = std::function<void(const EventFailure& failure)>;

// The program's failure box; an empty handler puts back the plain one (a message box with the
// application's name as its caption and the failure's text). UI thread only.
void setEventFailureHandler(EventFailureHandler handler);

class GuardedApplication : public QApplication {
    Q_OBJECT

public:
    GuardedApplication(int& argc, char** argv);
    ~GuardedApplication() override;

    bool notify(QObject* receiver, QEvent* event) override;

private:
    void failed(EventFailure failure);
    void showPending();

    PasteGuard pasteGuard_;
    // Failures come from the thread their event ran on; the boxes go up on this one.
    QMutex mutex_;
    std::deque<EventFailure> pending_;
    QSet<QString> shown_;
    bool showing_ = false;
};

} // namespace torvane::ui
