// Messages between the threads of one process, through the process's own endpoint.
#include "platform/messaging/Datagram.h"
#include "platform/messaging/Messaging.h"

#include <gtest/gtest.h>

#include <poll.h>
#include <sys/wait.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <map>
#include <thread>
#include <vector>

using namespace messaging;
using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

namespace {

constexpr UINT kTestMessage = WM_USER + 55;

class Recorder : public MessageHandler {
public:
    struct Call {
        UINT message;
        WPARAM wParam;
        LPARAM lParam;
        std::thread::id thread;
    };
    std::vector<Call> calls; // only the window's thread touches it
    std::function<LRESULT(UINT, WPARAM, LPARAM)> onMessage;

    LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        calls.push_back({message, wParam, lParam, std::this_thread::get_id()});
        return onMessage ? onMessage(message, wParam, lParam) : 0;
    }
};

struct ScopedWindow {
    HWND hwnd;
    explicit ScopedWindow(MessageHandler* handler, const char* title = nullptr)
        : hwnd(title != nullptr ? registerTopLevelWindow(handler, title) : registerWindow(handler))
    {
    }
    ~ScopedWindow() { unregisterWindow(hwnd); }
};

// Dispatches on this thread until pred holds or the time is up.
bool dispatchUntil(const std::function<bool()>& pred, std::chrono::milliseconds timeout = 10s)
{
    const auto deadline = Clock::now() + timeout;
    while (!pred()) {
        if (Clock::now() >= deadline)
            return false;
        dispatchMessages(10);
    }
    return true;
}

// Waits without dispatching (for another thread to get somewhere).
bool waitUntil(const std::function<bool()>& pred, std::chrono::milliseconds timeout = 10s)
{
    const auto deadline = Clock::now() + timeout;
    while (!pred()) {
        if (Clock::now() >= deadline)
            return false;
        std::this_thread::sleep_for(1ms);
    }
    return true;
}

} // namespace

TEST(InProcess, PostsFromSeveralThreadsArriveInOrderOnTheWindowsThread)
{
    Recorder recorder;
    ScopedWindow window(&recorder);
    ASSERT_NE(window.hwnd, 0u);
    constexpr int kEach = 500;
    std::atomic<int> refused{0};
    auto postAll = [&](LPARAM sender) {
        for (int i = 0; i < kEach; ++i)
            if (!PostMessage(window.hwnd, kTestMessage, WPARAM(i), sender))
                ++refused;
    };
    // Far more than the endpoint's queue holds: the window's thread posts to itself before it
    // dispatches, two other threads post at the same time.
    std::thread first(postAll, 1);
    std::thread second(postAll, 2);
    postAll(0);
    first.join();
    second.join();
    EXPECT_EQ(refused.load(), 0);

    ASSERT_TRUE(dispatchUntil([&] { return recorder.calls.size() >= 3 * kEach; }));
    dispatchMessages(0);
    ASSERT_EQ(recorder.calls.size(), 3u * kEach);
    std::map<LPARAM, WPARAM> next;
    for (const auto& call : recorder.calls) {
        EXPECT_EQ(call.thread, std::this_thread::get_id());
        EXPECT_EQ(call.wParam, next[call.lParam]++) << "sender " << call.lParam;
    }
}

TEST(InProcess, APostIsHandledByTheDispatcherNotInsidePostMessage)
{
    Recorder recorder;
    ScopedWindow window(&recorder);
    const int fd = endpointFd();
    ASSERT_GE(fd, 0);
    ASSERT_TRUE(PostMessage(window.hwnd, kTestMessage, 1, 2));
    EXPECT_TRUE(recorder.calls.empty());
    // The endpoint's descriptor shows the waiting message to an event loop.
    pollfd p{fd, POLLIN, 0};
    ASSERT_EQ(::poll(&p, 1, 5000), 1);
    EXPECT_EQ(dispatchMessages(0), 1);
    ASSERT_EQ(recorder.calls.size(), 1u);
    EXPECT_EQ(recorder.calls[0].message, kTestMessage);
    EXPECT_EQ(recorder.calls[0].lParam, 2);
}

TEST(InProcess, DispatchWaitsForAPostFromAnotherThread)
{
    Recorder recorder;
    ScopedWindow window(&recorder);
    std::thread poster([&] { PostMessage(window.hwnd, kTestMessage, 9, 0); });
    const auto start = Clock::now();
    int handled = 0;
    while (handled == 0 && Clock::now() - start < 10s)
        handled = dispatchMessages(10000);
    poster.join();
    EXPECT_EQ(handled, 1);
    EXPECT_LT(Clock::now() - start, 10s);
}

TEST(InProcess, SendOnTheWindowsThreadIsADirectCall)
{
    Recorder recorder;
    recorder.onMessage = [](UINT, WPARAM w, LPARAM l) { return LRESULT(w) * 2 + l; };
    ScopedWindow window(&recorder);
    EXPECT_EQ(SendMessage(window.hwnd, kTestMessage, 20, 2), 42);
    LRESULT result = 0;
    EXPECT_TRUE(SendMessageTimeout(window.hwnd, kTestMessage, 1, 1, 0, &result));
    EXPECT_EQ(result, 3);
    EXPECT_EQ(recorder.calls.size(), 2u);
}

TEST(InProcess, SendFromAnotherThreadWaitsUntilTheWindowsThreadHandledIt)
{
    Recorder recorder;
    recorder.onMessage = [](UINT, WPARAM w, LPARAM l) { return LRESULT(w) * 2 + l; };
    ScopedWindow window(&recorder);
    std::atomic<bool> sending{false};
    std::atomic<bool> returned{false};
    LRESULT result = 0;
    std::thread sender([&] {
        sending = true;
        result = SendMessage(window.hwnd, kTestMessage, 20, 2);
        returned = true;
    });
    ASSERT_TRUE(waitUntil([&] { return sending.load(); }));
    // Nobody has dispatched: the sender cannot have its answer yet.
    EXPECT_FALSE(returned.load());
    EXPECT_TRUE(dispatchUntil([&] { return returned.load(); }));
    sender.join();
    EXPECT_EQ(result, 42);
    ASSERT_EQ(recorder.calls.size(), 1u);
    EXPECT_EQ(recorder.calls[0].thread, std::this_thread::get_id());
}

TEST(InProcess, SendMessageTimeoutGivesUpAndALateAnswerIsNotTakenForTheNextOne)
{
    Recorder recorder;
    recorder.onMessage = [](UINT, WPARAM w, LPARAM) { return LRESULT(w) * 2; };
    ScopedWindow window(&recorder);
    std::atomic<int> stage{0};
    BOOL first = TRUE;
    LRESULT firstResult = -1;
    Clock::duration firstTook{};
    LRESULT second = 0;
    std::thread sender([&] {
        const auto start = Clock::now();
        first = SendMessageTimeout(window.hwnd, kTestMessage, 1, 0, 100, &firstResult);
        firstTook = Clock::now() - start;
        stage = 1;
        waitUntil([&] { return stage.load() == 2; });
        second = SendMessage(window.hwnd, kTestMessage, 7, 0);
        stage = 3;
    });
    ASSERT_TRUE(waitUntil([&] { return stage.load() == 1; }));
    EXPECT_FALSE(first);
    EXPECT_EQ(firstResult, 0);
    EXPECT_GE(firstTook, 100ms);
    // The abandoned request is still handled; its answer waits, unread, at the sender.
    ASSERT_TRUE(dispatchUntil([&] { return recorder.calls.size() == 1; }));
    stage = 2;
    EXPECT_TRUE(dispatchUntil([&] { return stage.load() == 3; }));
    sender.join();
    EXPECT_EQ(second, 14);
}

TEST(InProcess, GoneAndUnknownWindowsRefuseMessages)
{
    Recorder recorder;
    const HWND hwnd = registerWindow(&recorder);
    ASSERT_NE(hwnd, 0u);
    EXPECT_TRUE(IsWindow(hwnd));
    unregisterWindow(hwnd);

    const std::uint32_t pid = std::uint32_t(::getpid());
    for (const HWND gone : {hwnd, makeHwnd(pid, 0xfffffff0u), makeHwnd(pid, 0), makeHwnd(0, hwndNumber(hwnd)), HWND(0)}) {
        EXPECT_FALSE(IsWindow(gone)) << gone;
        EXPECT_FALSE(PostMessage(gone, kTestMessage, 0, 0)) << gone;
        EXPECT_EQ(SendMessage(gone, kTestMessage, 0, 0), 0) << gone;
        LRESULT result = 5;
        EXPECT_FALSE(SendMessageTimeout(gone, kTestMessage, 0, 0, 1000, &result)) << gone;
        EXPECT_EQ(result, 0);
    }
    dispatchMessages(0);
    EXPECT_TRUE(recorder.calls.empty());
}

TEST(InProcess, APostQueuedForAWindowThatWentIsDropped)
{
    Recorder recorder;
    const HWND hwnd = registerWindow(&recorder);
    ASSERT_TRUE(PostMessage(hwnd, kTestMessage, 0, 0));
    unregisterWindow(hwnd);
    Recorder witness;
    ScopedWindow other(&witness);
    ASSERT_TRUE(PostMessage(other.hwnd, kTestMessage, 0, 0));
    ASSERT_TRUE(dispatchUntil([&] { return !witness.calls.empty(); }));
    EXPECT_TRUE(recorder.calls.empty());
}

TEST(InProcess, NestedDispatchInAHandlerKeepsTheOrder)
{
    Recorder recorder;
    std::vector<WPARAM> entered;
    recorder.onMessage = [&](UINT, WPARAM w, LPARAM) {
        entered.push_back(w);
        if (w == 1) // a modal loop inside a handler
            dispatchUntil([&] { return entered.size() == 5; });
        return LRESULT(0);
    };
    ScopedWindow window(&recorder);
    for (WPARAM i = 1; i <= 5; ++i)
        ASSERT_TRUE(PostMessage(window.hwnd, kTestMessage, i, 0));
    ASSERT_TRUE(dispatchUntil([&] { return entered.size() == 5; }));
    EXPECT_EQ(entered, (std::vector<WPARAM>{1, 2, 3, 4, 5}));
}

TEST(InProcess, MalformedDatagramsAreDroppedAndTheEndpointKeepsWorking)
{
    Recorder recorder;
    ScopedWindow window(&recorder);
    const int raw = ::socket(AF_UNIX, SOCK_DGRAM | SOCK_CLOEXEC, 0);
    ASSERT_GE(raw, 0);
    sockaddr_un to{};
    to.sun_family = AF_UNIX;
    const std::string path = endpointPathOf(std::uint32_t(::getpid()));
    std::strncpy(to.sun_path, path.c_str(), sizeof to.sun_path - 1);
    auto sendRaw = [&](const void* data, std::size_t size) {
        ASSERT_EQ(::sendto(raw, data, size, 0, reinterpret_cast<const sockaddr*>(&to), sizeof to), ssize_t(size));
    };
    auto datagram = [&](DatagramKind kind, HWND target, std::uint64_t serial) {
        Datagram d;
        d.kind = kind;
        d.window = target;
        d.message = kTestMessage;
        d.serial = serial;
        return encodeDatagram(d);
    };

    sendRaw("", 0);
    sendRaw("hello", 5);
    std::vector<std::uint8_t> garbage(kDatagramSize, 0xab);
    sendRaw(garbage.data(), garbage.size());
    auto badMagic = datagram(DatagramKind::Post, window.hwnd, 0);
    badMagic[1] ^= 0x20;
    sendRaw(badMagic.data(), badMagic.size());
    std::vector<std::uint8_t> oversized(300, 0);
    const auto valid = datagram(DatagramKind::Post, window.hwnd, 0);
    std::memcpy(oversized.data(), valid.data(), valid.size()); // a good head does not save it
    sendRaw(oversized.data(), oversized.size());
    // Well formed but not for this process, not for an endpoint, or from a sender that cannot be
    // answered.
    const auto foreign = datagram(DatagramKind::Post, makeHwnd(std::uint32_t(::getpid()) + 1, hwndNumber(window.hwnd)), 0);
    sendRaw(foreign.data(), foreign.size());
    const auto reply = datagram(DatagramKind::Reply, window.hwnd, 77);
    sendRaw(reply.data(), reply.size());
    const auto unanswerable = datagram(DatagramKind::Send, window.hwnd, 78);
    sendRaw(unanswerable.data(), unanswerable.size());
    const auto wake = datagram(DatagramKind::Wake, 0, 0);
    sendRaw(wake.data(), wake.size());

    auto good = Datagram{};
    good.window = window.hwnd;
    good.message = kTestMessage;
    good.wParam = 1234;
    const auto goodBytes = encodeDatagram(good);
    sendRaw(goodBytes.data(), goodBytes.size());
    ::close(raw);

    // Everything before the good post has been looked at once the good post is handled.
    ASSERT_TRUE(dispatchUntil([&] { return !recorder.calls.empty(); }));
    dispatchMessages(0);
    ASSERT_EQ(recorder.calls.size(), 1u);
    EXPECT_EQ(recorder.calls[0].wParam, 1234u);
    // And the endpoint still answers.
    recorder.onMessage = [](UINT, WPARAM, LPARAM) { return LRESULT(5); };
    std::atomic<LRESULT> answer{0};
    std::thread sender([&] { answer = SendMessage(window.hwnd, kTestMessage, 0, 0); });
    EXPECT_TRUE(dispatchUntil([&] { return answer.load() == 5; }));
    sender.join();
}

TEST(InProcess, TopLevelWindowsAreFoundByTitlePrefixInRegistrationOrder)
{
    Recorder a;
    Recorder b;
    Recorder c;
    const HWND first = registerTopLevelWindow(&a, "Telephone Directory - a");
    ScopedWindow second(&b, "Telephone Directory - b");
    ScopedWindow plain(&c);
    EXPECT_EQ(FindWindowByTitlePrefix("Telephone Directory", 39), first);
    EXPECT_EQ(FindWindowByTitlePrefix("Telephone Directory - b", 39), second.hwnd);
    EXPECT_EQ(FindWindowByTitlePrefix("Telephone Directory - c", 39), 0u);
    unregisterWindow(first);
    EXPECT_EQ(FindWindowByTitlePrefix("Telephone Directory", 39), second.hwnd);

    EXPECT_TRUE(setWindowTitle(second.hwnd, "Ring Tone Editor"));
    EXPECT_EQ(FindWindowByTitlePrefix("Telephone Directory", 39), 0u);
    EXPECT_EQ(FindWindowByTitlePrefix("Ring Tone Edit", 39), second.hwnd);
    EXPECT_FALSE(setWindowTitle(makeHwnd(std::uint32_t(::getpid()) + 1, 5), "x"));
    EXPECT_EQ(FindWindowByTitlePrefix(nullptr, 39), 0u);
}

TEST(InProcess, AForkedChildNeitherUsesNorRemovesTheParentsEndpoint)
{
    Recorder recorder;
    ScopedWindow window(&recorder);
    const std::string endpoint = endpointPathOf(std::uint32_t(::getpid()));
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        // exit(), not _exit(): the exit handlers run as they would in a careless launcher.
        std::exit(PostMessage(window.hwnd, kTestMessage, 0, 0) == FALSE && endpointFd() == -1 ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
    EXPECT_EQ(::access(endpoint.c_str(), F_OK), 0);
    ASSERT_TRUE(PostMessage(window.hwnd, kTestMessage, 0, 0));
    EXPECT_TRUE(dispatchUntil([&] { return recorder.calls.size() == 1; }));
}
