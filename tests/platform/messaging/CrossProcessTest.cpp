// Messages between real processes: this test and the peer program (MessagingPeer.cpp).
#include "PeerProcess.h"
#include "PeerProtocol.h"

#include "platform/messaging/Datagram.h"
#include "platform/messaging/EndpointFolder.h"
#include "platform/messaging/Messaging.h"

#include <gtest/gtest.h>

#include <dirent.h>
#include <signal.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <chrono>
#include <cstring>
#include <thread>

using namespace messaging;
using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

namespace {

constexpr auto kStartup = 20s;

bool fileExists(const std::string& path)
{
    struct stat st {};
    return ::lstat(path.c_str(), &st) == 0;
}

int filesOf(pid_t pid)
{
    int count = 0;
    if (DIR* dir = ::opendir(endpointFolder().c_str())) {
        while (const dirent* entry = ::readdir(dir)) {
            const auto parsed = parseEndpointFileName(entry->d_name);
            count += parsed && parsed->pid == std::uint32_t(pid);
        }
        ::closedir(dir);
    }
    return count;
}

template <typename Pred>
bool waitUntil(Pred pred, std::chrono::milliseconds timeout = 10s)
{
    const auto deadline = Clock::now() + timeout;
    while (!pred()) {
        if (Clock::now() >= deadline)
            return false;
        std::this_thread::sleep_for(5ms);
    }
    return true;
}

class CrossProcess : public ::testing::Test {
protected:
    void SetUp() override
    {
        setSendTimeout(5000);
        setPostTimeout(2000);
    }
};

} // namespace

TEST_F(CrossProcess, PostsFromThisProcessReachThePeersWindowInOrder)
{
    PeerProcess peer({"plain", "Sequence peer"});
    const HWND hwnd = peer.expectWindow("hwnd", kStartup);
    ASSERT_NE(hwnd, 0u);
    EXPECT_EQ(SendMessage(hwnd, PEER_PID, 0, 0), LRESULT(peer.pid()));
    constexpr int kPosts = 1000;
    int refused = 0;
    for (int i = 0; i < kPosts; ++i)
        if (!PostMessage(hwnd, PEER_SEQUENCE, WPARAM(i), 0))
            ++refused;
    EXPECT_EQ(refused, 0);
    // The query queues behind the posts, so it sees all of them.
    EXPECT_EQ(SendMessage(hwnd, PEER_QUERY_SEQUENCE, 0, 0), kPosts);
}

TEST_F(CrossProcess, SendReturnsThePeersAnswer)
{
    PeerProcess peer({"plain"});
    const HWND hwnd = peer.expectWindow("hwnd", kStartup);
    ASSERT_NE(hwnd, 0u);
    const std::pair<WPARAM, LPARAM> cases[] = {{0, 0}, {14, 0}, {1, -5}, {WPARAM(1) << 40, 7}, {3, LPARAM(-1) << 50}};
    for (const auto& [w, l] : cases) {
        EXPECT_EQ(SendMessage(hwnd, PEER_ECHO, w, l), peerEcho(w, l));
        LRESULT result = 0;
        EXPECT_TRUE(SendMessageTimeout(hwnd, PEER_ECHO, w, l, 5000, &result));
        EXPECT_EQ(result, peerEcho(w, l));
    }
}

TEST_F(CrossProcess, SendToAStoppedPeerTimesOutAndItsLateAnswerIsIgnored)
{
    PeerProcess peer({"plain"});
    const HWND hwnd = peer.expectWindow("hwnd", kStartup);
    ASSERT_NE(hwnd, 0u);
    peer.signal(SIGSTOP);
    setSendTimeout(300);
    auto start = Clock::now();
    EXPECT_EQ(SendMessage(hwnd, PEER_ECHO, 1, 1), 0);
    auto took = Clock::now() - start;
    EXPECT_GE(took, 300ms);
    EXPECT_LT(took, 3s);
    LRESULT result = 9;
    start = Clock::now();
    EXPECT_FALSE(SendMessageTimeout(hwnd, PEER_ECHO, 2, 2, 200, &result));
    EXPECT_EQ(result, 0);
    EXPECT_LT(Clock::now() - start, 3s);

    // Woken, the peer answers the abandoned requests too; only the new answer counts.
    peer.signal(SIGCONT);
    setSendTimeout(5000);
    EXPECT_EQ(SendMessage(hwnd, PEER_ECHO, 10, 1), 31);
}

TEST_F(CrossProcess, SendToAPeerBusyInAHandlerTimesOut)
{
    PeerProcess peer({"plain"});
    const HWND hwnd = peer.expectWindow("hwnd", kStartup);
    ASSERT_NE(hwnd, 0u);
    ASSERT_TRUE(PostMessage(hwnd, PEER_HANG, 0, 0));
    ASSERT_TRUE(peer.expect("hanging", kStartup));
    const auto start = Clock::now();
    LRESULT result = 9;
    EXPECT_FALSE(SendMessageTimeout(hwnd, PEER_ECHO, 1, 1, 300, &result));
    EXPECT_EQ(result, 0);
    EXPECT_GE(Clock::now() - start, 300ms);
    EXPECT_LT(Clock::now() - start, 3s);
}

TEST_F(CrossProcess, SendReturnsSoonWhenThePeerDiesWhileItWaits)
{
    PeerProcess peer({"plain"});
    const HWND hwnd = peer.expectWindow("hwnd", kStartup);
    ASSERT_NE(hwnd, 0u);
    ASSERT_TRUE(PostMessage(hwnd, PEER_HANG, 0, 0));
    ASSERT_TRUE(peer.expect("hanging", kStartup));
    setSendTimeout(60000);
    std::thread killer([&] { peer.signal(SIGKILL); });
    const auto start = Clock::now();
    EXPECT_EQ(SendMessage(hwnd, PEER_ECHO, 1, 1), 0);
    EXPECT_LT(Clock::now() - start, 10s);
    killer.join();
}

TEST_F(CrossProcess, PostsToAPeerThatStopsReadingGiveUpAndNothingElseHappens)
{
    PeerProcess peer({"plain"});
    const HWND hwnd = peer.expectWindow("hwnd", kStartup);
    ASSERT_NE(hwnd, 0u);
    peer.signal(SIGSTOP);
    setPostTimeout(200);
    int accepted = 0;
    Clock::duration refusalTook{};
    for (int i = 0; i < 5000; ++i) {
        const auto start = Clock::now();
        if (!PostMessage(hwnd, PEER_SEQUENCE, WPARAM(i), 0)) {
            refusalTook = Clock::now() - start;
            break;
        }
        ++accepted;
    }
    ASSERT_LT(accepted, 5000) << "a stopped peer's queue never filled";
    EXPECT_GE(refusalTook, 200ms);
    EXPECT_LT(refusalTook, 3s);

    peer.signal(SIGCONT);
    setPostTimeout(2000);
    // The refused post never arrived: sending it again continues the sequence.
    EXPECT_TRUE(PostMessage(hwnd, PEER_SEQUENCE, WPARAM(accepted), 0));
    EXPECT_EQ(SendMessage(hwnd, PEER_QUERY_SEQUENCE, 0, 0), accepted + 1);
}

TEST_F(CrossProcess, MessagesToAKilledPeerFailAtOnce)
{
    PeerProcess peer({"plain", "Telephone Directory - killed"});
    const HWND hwnd = peer.expectWindow("hwnd", kStartup);
    ASSERT_NE(hwnd, 0u);
    EXPECT_TRUE(IsWindow(hwnd));
    EXPECT_EQ(FindWindowByTitlePrefix("Telephone Directory - killed", 39), hwnd);
    peer.signal(SIGKILL);
    ASSERT_TRUE(peer.waitForExit(10s));

    // Its files are still there; they must not make it look alive.
    EXPECT_TRUE(fileExists(endpointPathOf(std::uint32_t(peer.pid()))));
    EXPECT_TRUE(fileExists(windowListFilePath(endpointFolder(), std::uint32_t(peer.pid()))));
    const auto start = Clock::now();
    EXPECT_FALSE(PostMessage(hwnd, PEER_SEQUENCE, 0, 0));
    EXPECT_EQ(SendMessage(hwnd, PEER_ECHO, 1, 1), 0);
    EXPECT_LT(Clock::now() - start, 1s);
    EXPECT_FALSE(IsWindow(hwnd));
    EXPECT_EQ(FindWindowByTitlePrefix("Telephone Directory - killed", 39), 0u);

    // The next process to open its endpoint sweeps them away.
    PeerProcess next({"plain"});
    ASSERT_NE(next.expectWindow("hwnd", kStartup), 0u);
    EXPECT_EQ(filesOf(peer.pid()), 0);
}

TEST_F(CrossProcess, PostsToWindowsALivePeerDoesNotHaveFail)
{
    PeerProcess peer({"plain"});
    const HWND second = peer.expectWindow("second", kStartup);
    const HWND hwnd = peer.expectWindow("hwnd", kStartup);
    ASSERT_NE(hwnd, 0u);
    ASSERT_NE(second, 0u);
    EXPECT_TRUE(IsWindow(second));
    EXPECT_TRUE(PostMessage(second, WM_USER, 0, 0));
    EXPECT_EQ(SendMessage(hwnd, PEER_DROP_SECOND, 0, 0), 1);
    EXPECT_FALSE(IsWindow(second));
    EXPECT_FALSE(PostMessage(second, WM_USER, 0, 0));
    LRESULT result = 0;
    EXPECT_FALSE(SendMessageTimeout(second, WM_USER, 0, 0, 5000, &result));
    const HWND neverRegistered = makeHwnd(hwndPid(hwnd), 0xfffffff0u);
    EXPECT_FALSE(PostMessage(neverRegistered, WM_USER, 0, 0));
    EXPECT_FALSE(IsWindow(neverRegistered));
    EXPECT_TRUE(IsWindow(hwnd));
}

TEST_F(CrossProcess, WindowsAreFoundByTitleAndClosedWithWmClose)
{
    PeerProcess directory({"plain", "Telephone Directory - x"});
    PeerProcess editor({"qt", "Ring Tone Editor"});
    const HWND directoryWindow = directory.expectWindow("hwnd", kStartup);
    const HWND editorWindow = editor.expectWindow("hwnd", kStartup);
    ASSERT_NE(directoryWindow, 0u);
    ASSERT_NE(editorWindow, 0u);

    EXPECT_EQ(FindWindowByTitlePrefix("Telephone Directory", 39), directoryWindow);
    EXPECT_EQ(FindWindowByTitlePrefix("Ring Tone Edit", 39), editorWindow);
    EXPECT_EQ(FindWindowByTitlePrefix("Ring Tone Editor X", 39), 0u);
    EXPECT_EQ(FindWindowByTitlePrefix("Telephone", 9), 0u); // only 8 characters of each title read

    // The Qt peer's title follows its widget.
    EXPECT_EQ(SendMessage(editorWindow, PEER_RETITLE, 0, 0), 1);
    EXPECT_EQ(FindWindowByTitlePrefix("Ring Tone Edit", 39), 0u);
    EXPECT_EQ(FindWindowByTitlePrefix("Renamed Ring Tone Edit", 39), editorWindow);

    ASSERT_TRUE(PostMessage(FindWindowByTitlePrefix("Telephone Directory", 39), WM_CLOSE, 0, 0));
    ASSERT_TRUE(PostMessage(FindWindowByTitlePrefix("Renamed Ring Tone Edit", 39), WM_CLOSE, 0, 0));
    EXPECT_TRUE(directory.expect("closed", kStartup));
    EXPECT_TRUE(editor.expect("closed", kStartup)) << "the widget's closeEvent ran";
    EXPECT_EQ(directory.waitForExit(kStartup), 0);
    EXPECT_EQ(editor.waitForExit(kStartup), 0);

    // A process that ends normally takes its files along.
    EXPECT_EQ(filesOf(directory.pid()), 0);
    EXPECT_EQ(filesOf(editor.pid()), 0);
    EXPECT_EQ(FindWindowByTitlePrefix("Telephone Directory", 39), 0u);
    EXPECT_FALSE(IsWindow(editorWindow));
}

TEST_F(CrossProcess, MalformedDatagramsDoNotDisturbThePeer)
{
    PeerProcess peer({"plain"});
    const HWND hwnd = peer.expectWindow("hwnd", kStartup);
    ASSERT_NE(hwnd, 0u);
    const int raw = ::socket(AF_UNIX, SOCK_DGRAM | SOCK_CLOEXEC, 0);
    ASSERT_GE(raw, 0);
    sockaddr_un to{};
    to.sun_family = AF_UNIX;
    const std::string path = endpointPathOf(std::uint32_t(peer.pid()));
    std::strncpy(to.sun_path, path.c_str(), sizeof to.sun_path - 1);
    auto sendRaw = [&](const void* data, std::size_t size) {
        // The peer may be slow to drain; a full queue just means trying again.
        const auto deadline = Clock::now() + 10s;
        while (::sendto(raw, data, size, MSG_DONTWAIT, reinterpret_cast<const sockaddr*>(&to), sizeof to) != ssize_t(size))
            ASSERT_LT(Clock::now(), deadline);
    };
    Datagram sequence;
    sequence.window = hwnd;
    sequence.message = PEER_SEQUENCE;
    const auto valid = encodeDatagram(sequence);
    std::uint32_t seed = 12345;
    for (int i = 0; i < 200; ++i) {
        std::vector<std::uint8_t> bytes(valid.begin(), valid.end());
        seed = seed * 1103515245u + 12345u;
        switch (i % 4) {
        case 0: bytes.resize(seed % kDatagramSize); break; // cut short
        case 1: bytes[seed % kDatagramSize] ^= std::uint8_t(1u << (seed >> 8) % 8); break;
        case 2: for (auto& b : bytes) b = std::uint8_t(seed >>= 1); break;
        default: bytes.insert(bytes.end(), seed % 64 + 1, 0x5a); break;
        }
        if (decodeDatagram(bytes.data(), bytes.size()))
            continue; // a flip that happens to keep it well formed (e.g. in wParam) is no test
        sendRaw(bytes.data(), bytes.size());
    }
    ::close(raw);
    EXPECT_EQ(SendMessage(hwnd, PEER_ECHO, 4, 2), 14);
    EXPECT_EQ(SendMessage(hwnd, PEER_QUERY_SEQUENCE, 0, 0), 0) << "no broken datagram was taken for a post";
    EXPECT_TRUE(IsWindow(hwnd));
}
