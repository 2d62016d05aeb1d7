// Waiting in a widget test: the application's events run (the messages posted to this process's
// windows among them, as the event loop hands them out) until the condition holds or the time is
// up.
#pragma once

#include <QCoreApplication>
#include <QDeadlineTimer>

#include <chrono>
#include <functional>

namespace torvane::test {

inline bool eventsUntil(const std::function<bool()>& done, std::chrono::milliseconds within = std::chrono::seconds(20))
{
    const QDeadlineTimer deadline(within);
    while (!done()) {
        if (deadline.hasExpired())
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    }
    return true;
}

} // namespace torvane::test
