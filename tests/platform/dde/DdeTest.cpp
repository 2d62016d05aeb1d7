// The DDE topic between two copies: one serves it, the other executes commands on it or asks it
// to come to the front. The asking side blocks, so it runs on a thread of its own while the
// serving side answers from the event loop.
#include "platform/dde/Dde.h"

#include <QCoreApplication>
#include <QFile>
#include <QLocalSocket>

#include <gtest/gtest.h>

#include <chrono>
#include <future>

namespace torvane::dde {
namespace {

const QString kApp = QStringLiteral("Tessaro");
const QString kTopic = QStringLiteral("DDE");

// Runs f on another thread and serves events here until it has answered.
template <class F>
auto whileServing(F f)
{
    auto answer = std::async(std::launch::async, f);
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (answer.wait_for(std::chrono::milliseconds(0)) != std::future_status::ready
           && std::chrono::steady_clock::now() < deadline)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    return answer.get();
}

TEST(Dde, CommandsReachTheSourceWhichDecides)
{
    DdeSource source;
    ASSERT_EQ(source.listen(kApp, kTopic), Listen::Serving);
    QStringList seen;
    source.setExecuteHandler([&](const QString& command) {
        seen << command;
        return command.toUpper() == QStringLiteral("KILL");
    });
    int activations = 0;
    source.setActivateHandler([&] { ++activations; });

    EXPECT_EQ(whileServing([] { return execute(kApp, kTopic, QStringLiteral("kill")); }), ExecuteResult::Accepted);
    EXPECT_EQ(whileServing([] { return execute(kApp, kTopic, QStringLiteral("OPEN")); }), ExecuteResult::Refused);
    EXPECT_EQ(whileServing([] { return execute(kApp, kTopic, QStringLiteral("two\nlines")); }),
              ExecuteResult::Refused);
    EXPECT_TRUE(whileServing([] { return activate(kApp, kTopic); }));
    EXPECT_EQ(seen, (QStringList{QStringLiteral("kill"), QStringLiteral("OPEN")}));
    EXPECT_EQ(activations, 1);
    // Another topic of the same program, and the same topic of another title, are nobody.
    EXPECT_EQ(execute(kApp, QStringLiteral("Other"), QStringLiteral("KILL"), 500), ExecuteResult::NoSource);
    EXPECT_EQ(execute(QStringLiteral("Tessaro2INST"), kTopic, QStringLiteral("KILL"), 500), ExecuteResult::NoSource);
}

TEST(Dde, OneSourceAtATimeAndItsPlaceIsFreedWhenItGoes)
{
    EXPECT_FALSE(sourceRunning(kApp, kTopic));
    EXPECT_EQ(execute(kApp, kTopic, QStringLiteral("KILL"), 500), ExecuteResult::NoSource);
    EXPECT_FALSE(activate(kApp, kTopic, 500));
    {
        DdeSource first;
        ASSERT_EQ(first.listen(kApp, kTopic), Listen::Serving);
        EXPECT_TRUE(sourceRunning(kApp, kTopic));
        DdeSource second;
        EXPECT_EQ(second.listen(kApp, kTopic), Listen::Taken);
        EXPECT_FALSE(second.isListening());
        // A source without a handler refuses.
        EXPECT_EQ(whileServing([] { return execute(kApp, kTopic, QStringLiteral("KILL")); }), ExecuteResult::Refused);
    }
    EXPECT_FALSE(sourceRunning(kApp, kTopic));
    // A socket file left behind by a copy that died does not keep the next one out.
    QFile stale(socketPath(kApp, kTopic));
    ASSERT_TRUE(stale.open(QIODevice::WriteOnly));
    stale.close();
    DdeSource next;
    EXPECT_EQ(next.listen(kApp, kTopic), Listen::Serving);
}

TEST(Dde, ALineTooLongForARequestIsDroppedAndTheSourceServesOn)
{
    DdeSource source;
    ASSERT_EQ(source.listen(kApp, kTopic), Listen::Serving);
    int executed = 0;
    source.setExecuteHandler([&](const QString&) { return ++executed, true; });
    const bool droppedUnanswered = whileServing([] {
        QLocalSocket socket;
        socket.connectToServer(socketPath(kApp, kTopic));
        if (!socket.waitForConnected(5000))
            return false;
        socket.write(QByteArray(8000, 'A'));
        socket.waitForBytesWritten(5000);
        // The source hangs up without an answer.
        socket.waitForDisconnected(5000);
        return socket.state() == QLocalSocket::UnconnectedState && socket.readAll().isEmpty();
    });
    EXPECT_TRUE(droppedUnanswered);
    EXPECT_EQ(whileServing([] { return execute(kApp, kTopic, QStringLiteral("KILL")); }), ExecuteResult::Accepted);
    EXPECT_EQ(executed, 1);
}

} // namespace
} // namespace torvane::dde
