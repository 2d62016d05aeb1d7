// The organizer started as a program of its own by another program in a test: its message boxes
// are answered from an empty script (each gets its default answer, so none waits for a person)
// and written to a log the test can read; the test waits for what the program does with a
// deadline, and ends a copy a failed test leaves running.
#pragma once

#include "platform/dde/Dde.h"
#include "platform/messaging/Messaging.h"

#include <QCoreApplication>
#include <QFile>
#include <QString>

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <functional>
#include <thread>

namespace tessaro::test {

// Waits until `done` holds or the time is up; meanwhile `pump` handles this process's events
// (without one, the wait only looks again every few milliseconds).
inline bool waitFor(const std::function<bool()>& done, std::chrono::milliseconds within,
                    const std::function<void()>& pump = {})
{
    const auto deadline = std::chrono::steady_clock::now() + within;
    while (!done()) {
        if (std::chrono::steady_clock::now() >= deadline)
            return false;
        if (pump)
            pump();
        else
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return true;
}

class ChildBoxes {
public:
    explicit ChildBoxes(const QString& name)
    {
        const QString folder = qEnvironmentVariable("TORVANE_TEST_TMP");
        EXPECT_FALSE(folder.isEmpty()) << "run through tests/isolate.sh";
        m_log = folder + QLatin1Char('/') + name + QStringLiteral(".log");
        QFile::remove(m_log);
        QFile script(folder + QLatin1Char('/') + name + QStringLiteral(".script"));
        EXPECT_TRUE(script.open(QIODevice::WriteOnly));
        setenv("TORVANE_UI_SCRIPT", script.fileName().toLocal8Bit().constData(), 1);
        setenv("TORVANE_UI_LOG", m_log.toLocal8Bit().constData(), 1);
    }
    ~ChildBoxes()
    {
        unsetenv("TORVANE_UI_SCRIPT");
        unsetenv("TORVANE_UI_LOG");
    }

    QByteArray shown() const
    {
        QFile log(m_log);
        return log.open(QIODevice::ReadOnly) ? log.readAll() : QByteArray();
    }

private:
    QString m_log;
};

// A copy of the organizer serves its DDE topic, which a second copy looks for before it ends.
inline bool organizerRunning()
{
    return torvane::dde::sourceRunning(QStringLiteral("Tessaro"), QStringLiteral("DDE"));
}

// The organizer's main window, as its title shows it.
inline bool organizerWindowUp()
{
    return FindWindowByTitlePrefix("Torvane Appointments", 21) != 0;
}

// An organizer a failed test leaves running is ended, so it cannot outlive the test.
struct EndOrganizerAtExit {
    ~EndOrganizerAtExit()
    {
        if (organizerRunning())
            torvane::dde::execute(QStringLiteral("Tessaro"), QStringLiteral("DDE"), QStringLiteral("KILL"), 2000);
    }
};

} // namespace tessaro::test
