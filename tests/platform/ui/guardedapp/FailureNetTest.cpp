// The net under the window events: a failure is shown once its event has returned, the same one
// once only, one box at a time, and the windows and the event loop go on.
#include "platform/ui/guardedapp/GuardedApplication.h"
#include "platform/ui/msgservice/MessageService.h"
#include "support/EventsUntil.h"

#include <QEventLoop>
#include <QTest>
#include <QWidget>

#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>
#include <vector>

namespace {

using torvane::test::eventsUntil;
using torvane::ui::EventFailure;

class Canvas : public QWidget {
public:
    std::function<void()> onPaint;
    std::function<void()> onClose;

protected:
    void paintEvent(QPaintEvent*) override
    {
        if (onPaint)
            onPaint();
    }
    void closeEvent(QCloseEvent*) override
    {
        if (onClose)
            onClose();
    }
};

// Runs f from this thread's event loop.
void post(QObject* context, std::function<void()> f)
{
    QMetaObject::invokeMethod(context, std::move(f), Qt::QueuedConnection);
}

class FailureNet : public ::testing::Test {
protected:
    void SetUp() override
    {
        canvas.setObjectName(QStringLiteral("canvas"));
        canvas.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&canvas));
        torvane::ui::setEventFailureHandler([this](const EventFailure& failure) {
            shown.push_back(failure);
            ++depth;
            deepest = std::max(deepest, depth);
            if (auto then = std::exchange(whileShown, nullptr))
                then();
            --depth;
        });
    }
    void TearDown() override { torvane::ui::setEventFailureHandler({}); }

    Canvas canvas;
    std::vector<EventFailure> shown;
    std::function<void()> whileShown;
    int depth = 0;
    int deepest = 0;
};

TEST_F(FailureNet, AFailingPaintIsShownOnceAfterItsEventAndTheWindowStays)
{
    canvas.onPaint = [] { throw std::runtime_error("no brush"); };
    canvas.repaint();
    canvas.repaint();
    EXPECT_TRUE(shown.empty()) << "not inside the paint";
    ASSERT_TRUE(eventsUntil([&] { return !shown.empty(); }));
    canvas.repaint();
    bool later = false;
    post(&canvas, [&] { later = true; });
    ASSERT_TRUE(eventsUntil([&] { return later; }));
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].text, QStringLiteral("no brush"));
    EXPECT_EQ(shown[0].receiver, QStringLiteral("canvas"));
    EXPECT_EQ(shown[0].event, QStringLiteral("Paint"));
    EXPECT_TRUE(canvas.isVisible());
}

// The handler that ran a loop of its own goes on after it; the failure's box, which itself waits
// in a loop where another failure comes, is not stacked by the second one.
TEST_F(FailureNet, AFailureInANestedLoopStopsThereAndBoxesComeOneAtATime)
{
    bool handlerWentOn = false;
    post(&canvas, [&] {
        QEventLoop loop;
        post(&canvas, [] { throw std::runtime_error("inside the loop"); });
        post(&loop, [&] { loop.quit(); });
        loop.exec();
        handlerWentOn = true;
    });
    whileShown = [&] {
        QEventLoop box;
        post(&canvas, [] { throw 7; });
        // Posted after the second failure's turn to be shown, so that turn comes inside this box.
        post(&box, [&] { post(&box, [&] { box.quit(); }); });
        box.exec();
    };
    ASSERT_TRUE(eventsUntil([&] { return shown.size() == 2; }));
    EXPECT_TRUE(handlerWentOn);
    EXPECT_EQ(shown[0].text, QStringLiteral("inside the loop"));
    EXPECT_EQ(shown[1].text, QStringLiteral("exception of type int"));
    EXPECT_EQ(deepest, 1);
}

// Without a box of the program's own, a plain one with the application's name.
TEST_F(FailureNet, AFailedCloseKeepsTheWindowAndThePlainBoxShowsIt)
{
    torvane::ui::setEventFailureHandler({});
    auto& service = torvane::ui::MessageService::instance();
    service.clearShown();
    canvas.onClose = [] { throw std::runtime_error("still drawing"); };
    EXPECT_FALSE(canvas.close());
    EXPECT_TRUE(canvas.isVisible());
    ASSERT_TRUE(eventsUntil([&] { return !service.shown().empty(); }));
    EXPECT_EQ(service.shown()[0].kind, torvane::ui::kMessageBoxName);
    EXPECT_EQ(service.shown()[0].caption, QCoreApplication::applicationName());
    EXPECT_EQ(service.shown()[0].text, QStringLiteral("still drawing"));
}

} // namespace
