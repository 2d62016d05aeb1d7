#include "platform/sharedmem/NamedMutex.h"
#include "support/PeerProcess.h"

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <future>
#include <thread>

using torvane::NamedMutex;
using torvane::test::PeerProcess;
using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;

TEST(NamedMutex, OpenOfANeverCreatedNameFails)
{
    LONG err = 0;
    EXPECT_FALSE(NamedMutex::open("QVNPRO_ZelMutex", &err));
    EXPECT_EQ(err, ERROR_FILE_NOT_FOUND);
}

TEST(NamedMutex, CreateTellsWhetherTheNameExisted)
{
    PeerProcess peer(SHM_PEER);
    ASSERT_EQ(peer.ask("create corvant 1"), "ok new");

    bool existed = false;
    LONG err = 0;
    auto second = NamedMutex::create("corvant", true, &existed, &err);
    ASSERT_TRUE(second);
    EXPECT_TRUE(existed);
    EXPECT_EQ(err, ERROR_ALREADY_EXISTS);
    // An existing mutex is not taken by create, even when asked to own it.
    EXPECT_EQ(second->wait(0), WAIT_TIMEOUT);

    auto other = NamedMutex::create("brevik", false, &existed, &err);
    ASSERT_TRUE(other);
    EXPECT_FALSE(existed);
    EXPECT_EQ(err, ERROR_SUCCESS);
    auto again = NamedMutex::create("brevik", false, &existed);
    ASSERT_TRUE(again);
    EXPECT_TRUE(existed);
    EXPECT_EQ(peer.ask("create brevik 0"), "ok existed");
}

class NamedMutexCreatorEnds : public testing::TestWithParam<bool> {};

TEST_P(NamedMutexCreatorEnds, NameIsGoneAfterItsCreatorEnds)
{
    const bool killed = GetParam();
    const std::string name = killed ? "gone-killed" : "gone-exited";
    PeerProcess peer(SHM_PEER);
    ASSERT_EQ(peer.ask("create " + name + " 1"), "ok new");
    LONG err = 0;
    EXPECT_TRUE(NamedMutex::open(name, &err)) << err;

    if (killed)
        peer.kill(SIGKILL);
    else
        peer.send("exit");
    ASSERT_TRUE(peer.waitExit());

    EXPECT_FALSE(NamedMutex::open(name, &err));
    EXPECT_EQ(err, ERROR_FILE_NOT_FOUND);
    bool existed = true;
    auto fresh = NamedMutex::create(name, false, &existed);
    ASSERT_TRUE(fresh);
    EXPECT_FALSE(existed);
    EXPECT_EQ(fresh->wait(0), WAIT_OBJECT_0);
    EXPECT_TRUE(fresh->release());
}

INSTANTIATE_TEST_SUITE_P(ExitOrKill, NamedMutexCreatorEnds, testing::Bool());

TEST(NamedMutex, WaitTimesOutWhileAnotherProcessHoldsIt)
{
    PeerProcess peer(SHM_PEER);
    ASSERT_EQ(peer.ask("create held 0"), "ok new");
    ASSERT_EQ(peer.ask("wait 0"), "wait 0");

    auto mutex = NamedMutex::open("held");
    ASSERT_TRUE(mutex);
    const auto start = Clock::now();
    EXPECT_EQ(mutex->wait(300), WAIT_TIMEOUT);
    EXPECT_GE(Clock::now() - start, milliseconds(250));

    ASSERT_EQ(peer.ask("release"), "ok");
    EXPECT_EQ(mutex->wait(5000), WAIT_OBJECT_0);
    EXPECT_EQ(peer.ask("wait 100"), "wait 258");
    EXPECT_TRUE(mutex->release());
    EXPECT_EQ(peer.ask("wait 5000"), "wait 0");
}

TEST(NamedMutex, WaiterGetsItAbandonedPromptlyWhenTheHolderIsKilled)
{
    PeerProcess peer(SHM_PEER);
    ASSERT_EQ(peer.ask("create dies-holding 1"), "ok new");
    auto mutex = NamedMutex::open("dies-holding");
    ASSERT_TRUE(mutex);

    auto waiting = std::async(std::launch::async, [&mutex] {
        const DWORD result = mutex->wait(60000);
        mutex->release();
        return result;
    });
    // The waiter is blocked: it cannot get the mutex while the peer lives.
    EXPECT_EQ(waiting.wait_for(milliseconds(100)), std::future_status::timeout);
    const auto killedAt = Clock::now();
    peer.kill(SIGKILL);
    ASSERT_EQ(waiting.wait_for(std::chrono::seconds(10)), std::future_status::ready);
    EXPECT_LT(Clock::now() - killedAt, std::chrono::seconds(10));
    EXPECT_EQ(waiting.get(), WAIT_ABANDONED);
}

TEST(NamedMutex, HolderThatDiedEarlierLeavesItAbandonedThenUsable)
{
    auto mutex = NamedMutex::create("died-earlier");
    ASSERT_TRUE(mutex);
    PeerProcess peer(SHM_PEER);
    ASSERT_EQ(peer.ask("open died-earlier"), "ok");
    ASSERT_EQ(peer.ask("wait 0"), "wait 0");
    peer.kill(SIGKILL);
    ASSERT_TRUE(peer.waitExit());

    EXPECT_EQ(mutex->wait(0), WAIT_ABANDONED);
    EXPECT_TRUE(mutex->release());
    EXPECT_EQ(mutex->wait(0), WAIT_OBJECT_0);
    EXPECT_TRUE(mutex->release());
}

TEST(NamedMutex, OwnerTakesItAgainAndReleasesAsOften)
{
    auto mutex = NamedMutex::create("recursive");
    ASSERT_TRUE(mutex);
    PeerProcess peer(SHM_PEER);
    ASSERT_EQ(peer.ask("open recursive"), "ok");

    ASSERT_EQ(mutex->wait(0), WAIT_OBJECT_0);
    ASSERT_EQ(mutex->wait(1000), WAIT_OBJECT_0);
    EXPECT_TRUE(mutex->release());
    EXPECT_EQ(peer.ask("wait 50"), "wait 258");
    EXPECT_TRUE(mutex->release());
    LONG err = 0;
    EXPECT_FALSE(mutex->release(&err));
    EXPECT_EQ(err, ERROR_NOT_OWNER);
    EXPECT_EQ(peer.ask("wait 5000"), "wait 0");
}

TEST(NamedMutex, OnlyTheOwningThreadReleases)
{
    auto mutex = NamedMutex::create("thread-owned", true);
    ASSERT_TRUE(mutex);
    LONG err = 0;
    bool released = true;
    std::thread other([&] { released = mutex->release(&err); });
    other.join();
    EXPECT_FALSE(released);
    EXPECT_EQ(err, ERROR_NOT_OWNER);
    EXPECT_TRUE(mutex->release());
}

TEST(NamedMutex, ClosingAnOwnedHandleReleasesIt)
{
    auto mutex = NamedMutex::create("closed-owned", true);
    ASSERT_TRUE(mutex);
    PeerProcess peer(SHM_PEER);
    ASSERT_EQ(peer.ask("open closed-owned"), "ok");
    EXPECT_EQ(peer.ask("wait 50"), "wait 258");
    mutex.reset();
    EXPECT_EQ(peer.ask("wait 5000"), "wait 0");
}
