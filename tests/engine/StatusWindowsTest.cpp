// The status-window table: registration, leaving, and the broadcast, under the engine's named
// mutex (a real one, in the test's private runtime folder).
#include "EngineHarness.h"

#include "engine/StatusWindows.h"

#include "platform/sharedmem/NamedMutex.h"

#include <gtest/gtest.h>

#include <condition_variable>
#include <mutex>
#include <thread>

using namespace zeltest;

namespace {

constexpr HWND kOwner = 0x0000000100000001ull;

HWND window(int n)
{
    return 0x0000007700000000ull + HWND(n);
}

class StatusWindowsTest : public ::testing::Test {
protected:
    StatusWindowsTest() { zel::initialiseShared(*h.shared); }

    EngineHarness h;
};

TEST_F(StatusWindowsTest, FiveWindowsFitTheSixthIsRefused)
{
    ASSERT_EQ(h.engine.initOwner(kOwner), 0);
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(zel::registerStatusWindow(*h.shared, window(i), WM_PHONE_STATE + UINT(i)), i);
    EXPECT_EQ(zel::registerStatusWindow(*h.shared, window(5), WM_PHONE_STATE), -1);
    EXPECT_EQ(h.shared->statusClient[4].window, window(4));
    EXPECT_EQ(h.shared->statusClient[4].message, WM_PHONE_STATE + 4);
}

TEST_F(StatusWindowsTest, LeavingFreesTheSlotForTheNextWindow)
{
    ASSERT_EQ(h.engine.initOwner(kOwner), 0);
    for (int i = 0; i < 5; ++i)
        zel::registerStatusWindow(*h.shared, window(i), WM_PHONE_STATE);
    EXPECT_EQ(zel::deregisterStatusWindow(*h.shared, 2), 0);
    EXPECT_EQ(zel::registerStatusWindow(*h.shared, window(9), WM_PHONE_STATE), 2);
}

TEST_F(StatusWindowsTest, LeavingABadOrFreeSlotFails)
{
    ASSERT_EQ(h.engine.initOwner(kOwner), 0);
    ASSERT_EQ(zel::registerStatusWindow(*h.shared, window(0), WM_PHONE_STATE), 0);
    EXPECT_EQ(zel::deregisterStatusWindow(*h.shared, 5), -1);
    EXPECT_EQ(zel::deregisterStatusWindow(*h.shared, -1), -1);
    EXPECT_EQ(zel::deregisterStatusWindow(*h.shared, 1), -1) << "a slot never taken";
    EXPECT_EQ(zel::deregisterStatusWindow(*h.shared, 0), 0);
    EXPECT_EQ(zel::deregisterStatusWindow(*h.shared, 0), -1) << "the same slot twice";
}

TEST_F(StatusWindowsTest, BroadcastSendsToEachRegisteredWindowInTableOrder)
{
    ASSERT_EQ(h.engine.initOwner(kOwner), 0);
    for (int i = 0; i < 4; ++i)
        zel::registerStatusWindow(*h.shared, window(i), WM_PHONE_STATE + UINT(i));
    zel::deregisterStatusWindow(*h.shared, 1);
    EXPECT_EQ(zel::broadcastToStatusWindows(*h.shared, h.services, 1, PHONESTATE_READY), 0);
    EXPECT_EQ(h.services.sent, (std::vector<Message>{{window(0), WM_PHONE_STATE + 0, 1, PHONESTATE_READY},
                                                     {window(2), WM_PHONE_STATE + 2, 1, PHONESTATE_READY},
                                                     {window(3), WM_PHONE_STATE + 3, 1, PHONESTATE_READY}}));
}

TEST_F(StatusWindowsTest, WithoutTheOwnersMutexNothingIsRegisteredOrSent)
{
    // Nobody called initOwner: the mutex does not exist.
    EXPECT_EQ(zel::registerStatusWindow(*h.shared, window(0), WM_PHONE_STATE), -(20000 + ERROR_FILE_NOT_FOUND));
    EXPECT_EQ(h.shared->statusClient[0].window, 0u);
    h.shared->statusClient[0] = {window(0), WM_PHONE_STATE};
    EXPECT_EQ(zel::broadcastToStatusWindows(*h.shared, h.services, 1, 3), -1);
    EXPECT_TRUE(h.services.sent.empty());
}

TEST_F(StatusWindowsTest, BusyMutexMakesRegistrationAndBroadcastGiveUpAfterASecond)
{
    ASSERT_EQ(h.engine.initOwner(kOwner), 0);
    ASSERT_EQ(zel::registerStatusWindow(*h.shared, window(0), WM_PHONE_STATE), 0);

    // Another thread holds the mutex until told to let go.
    std::mutex m;
    std::condition_variable cv;
    bool taken = false;
    bool letGo = false;
    std::thread holder([&] {
        auto mutex = torvane::NamedMutex::open(ZEL_MUTEX_NAME);
        ASSERT_NE(mutex, nullptr);
        ASSERT_EQ(mutex->wait(0), WAIT_OBJECT_0);
        std::unique_lock lock(m);
        taken = true;
        cv.notify_all();
        cv.wait(lock, [&] { return letGo; });
        mutex->release();
    });
    {
        std::unique_lock lock(m);
        ASSERT_TRUE(cv.wait_for(lock, std::chrono::seconds(20), [&] { return taken; }));
    }
    const auto before = std::chrono::steady_clock::now();
    EXPECT_EQ(zel::registerStatusWindow(*h.shared, window(1), WM_PHONE_STATE), -2);
    EXPECT_EQ(zel::broadcastToStatusWindows(*h.shared, h.services, 1, 3), -1);
    const auto waited = std::chrono::steady_clock::now() - before;
    EXPECT_GE(waited, std::chrono::milliseconds(2 * 1000 - 50));
    EXPECT_EQ(h.shared->statusClient[1].window, 0u);
    EXPECT_TRUE(h.services.sent.empty());
    {
        std::lock_guard lock(m);
        letGo = true;
    }
    cv.notify_all();
    holder.join();
    EXPECT_EQ(zel::registerStatusWindow(*h.shared, window(1), WM_PHONE_STATE), 1);
}

TEST_F(StatusWindowsTest, MutexIsFreeAgainAfterEveryPath)
{
    ASSERT_EQ(h.engine.initOwner(kOwner), 0);
    auto tryFromAnotherThread = [] {
        DWORD got = WAIT_FAILED;
        std::thread([&] {
            auto mutex = torvane::NamedMutex::open(ZEL_MUTEX_NAME);
            got = mutex ? mutex->wait(0) : WAIT_FAILED;
            if (got == WAIT_OBJECT_0)
                mutex->release();
        }).join();
        return got;
    };
    for (int i = 0; i < 6; ++i) // the last one finds the table full
        zel::registerStatusWindow(*h.shared, window(i), WM_PHONE_STATE);
    EXPECT_EQ(tryFromAnotherThread(), WAIT_OBJECT_0);
    zel::broadcastToStatusWindows(*h.shared, h.services, 1, 2);
    EXPECT_EQ(tryFromAnotherThread(), WAIT_OBJECT_0);
}

TEST_F(StatusWindowsTest, AWindowMayRegisterFromInsideTheBroadcast)
{
    // The broadcast holds the mutex while it sends; a window that reacts by registering (on the
    // same thread) must not dead-lock.
    ASSERT_EQ(h.engine.initOwner(kOwner), 0);
    zel::registerStatusWindow(*h.shared, window(0), WM_PHONE_STATE);
    struct ReRegistering : FakeServices {
        EngineShared* shared = nullptr;
        int slot = -99;
        LRESULT sendMessage(HWND w, UINT m, WPARAM wp, LPARAM lp) override
        {
            if (slot == -99)
                slot = zel::registerStatusWindow(*shared, window(8), WM_PHONE_STATE);
            return FakeServices::sendMessage(w, m, wp, lp);
        }
    } services;
    services.shared = h.shared.get();
    EXPECT_EQ(zel::broadcastToStatusWindows(*h.shared, services, 1, 1), 0);
    EXPECT_EQ(services.slot, 1);
}

TEST(SharedInitialisation, NamesTheEngineMutex)
{
    auto shared = std::make_unique<EngineShared>();
    zel::initialiseShared(*shared);
    EXPECT_STREQ(shared->mutexName, "QVNPRO_ZelMutex");
}

} // namespace
