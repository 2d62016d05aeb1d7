// The organizer started as a program of its own by another program in a test: its message boxes
// are answered from an empty script (each gets its default answer, so none waits for a person)
// and written to a log the test can read.
#pragma once

#include "platform/dde/Dde.h"

#include <QFile>
#include <QString>

#include <gtest/gtest.h>

#include <cstdlib>

namespace tessaro::test {

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

// An organizer a failed test leaves running is ended, so it cannot outlive the test.
struct EndOrganizerAtExit {
    ~EndOrganizerAtExit()
    {
        if (torvane::dde::sourceRunning(QStringLiteral("Tessaro"), QStringLiteral("DDE")))
            torvane::dde::execute(QStringLiteral("Tessaro"), QStringLiteral("DDE"), QStringLiteral("KILL"), 2000);
    }
};

} // namespace tessaro::test
