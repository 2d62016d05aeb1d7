// The melvio program itself: one copy per user, found by its title and closed by WM_CLOSE as
// the main program does at exit, storing the MIDI device under its profile key.
#include "platform/messaging/Messaging.h"
#include "platform/registry/AppProfile.h"

#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QThread>

#include <gtest/gtest.h>

#include <functional>

namespace {

constexpr int WAIT_MS = 20000;

bool WaitFor(const std::function<bool()>& done)
{
    QElapsedTimer clock;
    clock.start();
    while (!done()) {
        if (clock.elapsed() > WAIT_MS)
            return false;
        QThread::msleep(20);
    }
    return true;
}

QString WriteFile(const QString& name, const QByteArray& bytes)
{
    const QString path = QString::fromLocal8Bit(qgetenv("TORVANE_TEST_TMP")) + QStringLiteral("/") + name;
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        return {};
    return path;
}

// A melody file of one quarter C at 120: opened, it is not modified, so closing asks nothing.
QString WriteMelodyFile()
{
    QByteArray bytes;
    bytes.append(char(22));
    bytes.append("QVN PRO - RTME 1.0\\x1A");
    for (qint32 value : {1, 120, 60, 2, 0})
        bytes.append(reinterpret_cast<const char*>(&value), 4);
    return WriteFile(QStringLiteral("one.rte"), bytes);
}

TEST(Program, SecondCopyEndsAndTheFirstClosesOnWmCloseStoringItsDevice)
{
    const QString melody = WriteMelodyFile();
    ASSERT_FALSE(melody.isEmpty());
    QProcess first;
    first.setProcessChannelMode(QProcess::ForwardedChannels);
    first.start(QStringLiteral(MELVIO_PROGRAM), {melody});
    ASSERT_TRUE(first.waitForStarted());
    ASSERT_TRUE(WaitFor([] { return FindWindowByTitlePrefix("Ring Tone Edit", 40) != 0; }));
    const HWND frame = FindWindowByTitlePrefix("Ring Tone Edit", 40);

    QProcess second;
    second.setProcessChannelMode(QProcess::ForwardedChannels);
    second.start(QStringLiteral(MELVIO_PROGRAM), {});
    ASSERT_TRUE(second.waitForFinished(WAIT_MS));
    EXPECT_EQ(second.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(second.exitCode(), 0);
    EXPECT_EQ(first.state(), QProcess::Running);
    EXPECT_EQ(FindWindowByTitlePrefix("Ring Tone Edit", 40), frame);

    ASSERT_TRUE(PostMessage(frame, WM_CLOSE, 0, 0));
    ASSERT_TRUE(first.waitForFinished(WAIT_MS));
    EXPECT_EQ(first.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(first.exitCode(), 0);

    torvane::registry::AppProfile profile("Torvane\\Quorvane PRO", "Ring tone editor");
    EXPECT_EQ(profile.keyPath(), "Software\\Torvane\\Quorvane PRO\\Ring tone editor");
    EXPECT_EQ(profile.GetProfileInt("Settings", "LastMidiDev", -1), 0u);
}

// Named on the command line, a file that is not a melody gets no window, so the program ends as
// for a file it cannot read, and the file stays as it was.
TEST(Program, AFileThatIsNotAMelodyEndsTheStart)
{
    const QByteArray bytes("MThd\0\0\0\6\0\0\0\1\0\x60MTrk\0\0\0\x0B", 22);
    const QString path = WriteFile(QStringLiteral("tune.rte"), bytes);
    ASSERT_FALSE(path.isEmpty());
    QProcess melvio;
    melvio.setProcessChannelMode(QProcess::ForwardedChannels);
    melvio.start(QStringLiteral(MELVIO_PROGRAM), {path});
    ASSERT_TRUE(melvio.waitForFinished(WAIT_MS));
    EXPECT_EQ(melvio.exitCode(), 0);
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), bytes);
}

} // namespace
