// The messaging layer inside a Qt program: the event loop dispatches, widgets are windows,
// WM_CLOSE closes them, timers deliver WM_TIMER.
#include "platform/messaging/Messaging.h"
#include "platform/messaging/qt/MessageWindow.h"
#include "platform/messaging/qt/WidgetWindow.h"
#include "platform/messaging/qt/WindowTimers.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCloseEvent>
#include <QWidget>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <functional>
#include <memory>
#include <thread>
#include <vector>

using namespace messaging;
using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

namespace {

constexpr UINT kTestMessage = WM_USER + 77;

// Runs the event loop until pred holds or the time is up.
bool processEventsUntil(const std::function<bool()>& pred, std::chrono::milliseconds timeout = 10s)
{
    const auto deadline = Clock::now() + timeout;
    while (!pred()) {
        if (Clock::now() >= deadline)
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents, 10);
    }
    return true;
}

class ClosingWidget : public QWidget {
public:
    int closeEvents = 0;
    bool refuse = false;

protected:
    void closeEvent(QCloseEvent* event) override
    {
        ++closeEvents;
        if (refuse)
            event->ignore();
        else
            event->accept();
    }
};

struct Received {
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
};

} // namespace

TEST(QtAdapter, TheEventLoopDeliversPostsAndSendsFromOtherThreads)
{
    std::vector<Received> received;
    MessageWindow window([&](UINT m, WPARAM w, LPARAM l) {
        received.push_back({m, w, l});
        return LRESULT(w) + 100;
    });
    ASSERT_NE(window.hwnd(), 0u);
    std::atomic<LRESULT> answer{0};
    std::thread other([&] {
        for (WPARAM i = 0; i < 50; ++i)
            PostMessage(window.hwnd(), kTestMessage, i, 1);
        answer = SendMessage(window.hwnd(), kTestMessage, 50, 1);
    });
    EXPECT_TRUE(processEventsUntil([&] { return answer.load() != 0; }));
    other.join();
    EXPECT_EQ(answer.load(), 150);
    ASSERT_EQ(received.size(), 51u);
    for (WPARAM i = 0; i < received.size(); ++i)
        EXPECT_EQ(received[i].wParam, i);
}

TEST(QtAdapter, AFloodOfPostsIsDeliveredWholeAndInOrderByTheEventLoop)
{
    // Far more than the endpoint holds and than one dispatch takes: the event loop has to come
    // back on its own for the rest.
    std::vector<WPARAM> received;
    MessageWindow window([&](UINT, WPARAM w, LPARAM) {
        received.push_back(w);
        return LRESULT(0);
    });
    constexpr WPARAM kPosts = 2000;
    for (WPARAM i = 0; i < kPosts; ++i)
        ASSERT_TRUE(PostMessage(window.hwnd(), kTestMessage, i, 0));
    ASSERT_TRUE(processEventsUntil([&] { return received.size() == kPosts; }));
    for (WPARAM i = 0; i < kPosts; ++i)
        ASSERT_EQ(received[i], i);
}

TEST(QtAdapter, ASubclassHandlesMessagesItself)
{
    class Counter : public MessageWindow {
    public:
        int count = 0;
        LRESULT handleMessage(UINT, WPARAM, LPARAM) override { return ++count; }
    } counter;
    EXPECT_EQ(SendMessage(counter.hwnd(), kTestMessage, 0, 0), 1);
    ASSERT_TRUE(PostMessage(counter.hwnd(), kTestMessage, 0, 0));
    EXPECT_TRUE(processEventsUntil([&] { return counter.count == 2; }));
}

TEST(QtAdapter, AWidgetsTitleIsPublishedAndFollowsItsWindowTitle)
{
    QWidget widget;
    widget.setWindowTitle("Telephone Directory - t");
    auto* window = new WidgetWindow(&widget);
    EXPECT_EQ(window->parent(), &widget);
    EXPECT_EQ(FindWindowByTitlePrefix("Telephone Directory", 39), window->hwnd());
    widget.setWindowTitle(QString::fromUtf8("Ring Tone Editor \u00e4"));
    EXPECT_EQ(FindWindowByTitlePrefix("Telephone Directory", 39), 0u);
    EXPECT_EQ(FindWindowByTitlePrefix("Ring Tone Editor \xe4", 39), window->hwnd()) << "published as Latin-1";
}

TEST(QtAdapter, WmCloseClosesTheWidgetAsTheUsersCloseWould)
{
    ClosingWidget widget;
    widget.setWindowTitle("Ring Tone Editor");
    widget.show();
    auto* window = new WidgetWindow(&widget, [](UINT, WPARAM, LPARAM) { return LRESULT(7); });
    EXPECT_EQ(SendMessage(window->hwnd(), kTestMessage, 0, 0), 7) << "other messages reach the handler";
    ASSERT_TRUE(PostMessage(FindWindowByTitlePrefix("Ring Tone Edit", 39), WM_CLOSE, 0, 0));
    EXPECT_TRUE(processEventsUntil([&] { return widget.closeEvents == 1; }));
    EXPECT_FALSE(widget.isVisible());
}

TEST(QtAdapter, AWidgetMayRefuseWmClose)
{
    ClosingWidget widget;
    widget.refuse = true;
    widget.show();
    auto* window = new WidgetWindow(&widget);
    ASSERT_TRUE(PostMessage(window->hwnd(), WM_CLOSE, 0, 0));
    EXPECT_TRUE(processEventsUntil([&] { return widget.closeEvents == 1; }));
    EXPECT_TRUE(widget.isVisible());
}

TEST(QtAdapter, TheWindowGoesWithItsWidget)
{
    auto widget = std::make_unique<QWidget>();
    widget->setWindowTitle("Telephone Directory - gone");
    const HWND hwnd = (new WidgetWindow(widget.get()))->hwnd();
    ASSERT_TRUE(IsWindow(hwnd));
    widget.reset();
    EXPECT_FALSE(IsWindow(hwnd));
    EXPECT_FALSE(PostMessage(hwnd, kTestMessage, 0, 0));
    EXPECT_EQ(FindWindowByTitlePrefix("Telephone Directory - gone", 39), 0u);
}

TEST(QtAdapter, TimersDeliverWmTimerWithTheirId)
{
    std::vector<WPARAM> ticks;
    MessageWindow window;
    window.setHandler([&](UINT m, WPARAM w, LPARAM) {
        if (m == WM_TIMER) {
            ticks.push_back(w);
            // Killing the timer whose tick is being handled is allowed.
            if (w == 7 && std::count(ticks.begin(), ticks.end(), WPARAM(7)) == 3)
                KillTimer(window.hwnd(), 7);
        }
        return LRESULT(0);
    });
    EXPECT_EQ(SetTimer(window.hwnd(), 7, 15), 7u);
    EXPECT_EQ(SetTimer(window.hwnd(), 8, 20), 8u);
    EXPECT_EQ(timerPeriod(window.hwnd(), 7), 15);
    EXPECT_TRUE(processEventsUntil([&] {
        return std::count(ticks.begin(), ticks.end(), WPARAM(7)) == 3 && std::count(ticks.begin(), ticks.end(), WPARAM(8)) >= 3;
    }));
    EXPECT_EQ(timerPeriod(window.hwnd(), 7), -1);
    EXPECT_FALSE(KillTimer(window.hwnd(), 7));

    // Setting a running timer again changes its period.
    EXPECT_EQ(SetTimer(window.hwnd(), 8, 500), 8u);
    EXPECT_EQ(timerPeriod(window.hwnd(), 8), 500);
    EXPECT_EQ(SetTimer(window.hwnd(), 9, 1), 9u);
    EXPECT_EQ(timerPeriod(window.hwnd(), 9), 10) << "periods have a floor";
    EXPECT_TRUE(KillTimer(window.hwnd(), 9));
}

TEST(QtAdapter, TimersNeedAWindowOfThisProcessAndGoWithIt)
{
    auto window = std::make_unique<MessageWindow>();
    const HWND hwnd = window->hwnd();
    EXPECT_EQ(SetTimer(hwnd, 0, 100), 0u);
    EXPECT_EQ(SetTimer(0, 1, 100), 0u);
    EXPECT_EQ(SetTimer(makeHwnd(hwndPid(hwnd) + 1, hwndNumber(hwnd)), 1, 100), 0u);
    EXPECT_EQ(SetTimer(hwnd, 1, 100), 1u);
    EXPECT_EQ(SetTimer(hwnd, 2, 100), 2u);
    window.reset();
    EXPECT_EQ(timerPeriod(hwnd, 1), -1);
    EXPECT_EQ(timerPeriod(hwnd, 2), -1);
    EXPECT_EQ(SetTimer(hwnd, 1, 100), 0u);
}

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
