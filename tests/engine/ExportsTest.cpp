// libzeldll.so through its C exports, in one process: the dialogue a pump gets from ZelDllCycle,
// answers and reports posted to real windows of the messaging layer, the results' null cases,
// and requests with lengths beyond their areas.
#include "engine/zeldll.h"
#include "platform/messaging/Messaging.h"
#include "platform/winerror.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstring>
#include <string>
#include <vector>

namespace {

struct Received {
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
};

class RecordingWindow : public messaging::MessageHandler {
public:
    std::vector<Received> got;
    LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        got.push_back({message, wParam, lParam});
        return 0;
    }
};

std::string cycle(const char* line)
{
    char* command = nullptr;
    EXPECT_EQ(ZelDllCycle(line, &command, PORT_DSR_ON), ZEL_CYCLE_DONE);
    return command ? command : "<null>";
}

// Handles this process's messages until `window` has `count` of them or 10 s have passed.
bool waitForMessages(const RecordingWindow& window, std::size_t count)
{
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (window.got.size() < count && std::chrono::steady_clock::now() < deadline)
        messaging::dispatchMessages(50);
    return window.got.size() >= count;
}

// The tests share the process's engine and run in this order.
class Exports : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        s_ownerWindow = messaging::registerWindow(&s_owner);
        ASSERT_NE(s_ownerWindow, 0u);
    }
    static void TearDownTestSuite() { messaging::unregisterWindow(s_ownerWindow); }

    static RecordingWindow s_owner;
    static HWND s_ownerWindow;
};

RecordingWindow Exports::s_owner;
HWND Exports::s_ownerWindow = 0;

TEST_F(Exports, BeforeInitThereIsNoMutexAndNoOwner)
{
    EXPECT_EQ(ATStatusReg(s_ownerWindow, WM_PHONE_STATE), -(20000 + ERROR_FILE_NOT_FOUND));
    EXPECT_EQ(ZelMeldeModule(1, 3), -1);
    EXPECT_EQ(Fehler_Melden(3, 41500), FALSE) << "no owner window to post to";
    EXPECT_EQ(ZelDllHostAlive(), FALSE);
    EXPECT_EQ(cycle(nullptr), "<null>");
}

TEST_F(Exports, FreshSectionHasNoResults)
{
    EXPECT_EQ(ATPBGet(), nullptr);
    EXPECT_EQ(ATSMGet(), nullptr);
    EXPECT_EQ(ATFwdGet(), nullptr);
}

TEST_F(Exports, InitMakesTheOwnerReceiveReportsAndKicks)
{
    ASSERT_EQ(ZelDllInit(s_ownerWindow), 0);
    EXPECT_EQ(Fehler_Melden(3, 41500), TRUE);
    EXPECT_EQ(ATPBRead(s_ownerWindow, WM_USER + 101, "SM"), 0);
    ASSERT_TRUE(waitForMessages(s_owner, 2));
    EXPECT_EQ(s_owner.got[0].message, WM_ENGINE_ERROR);
    EXPECT_EQ(s_owner.got[0].wParam, 3u);
    EXPECT_EQ(s_owner.got[0].lParam, 41500);
    EXPECT_EQ(s_owner.got[1].message, WM_ENGINE_KICK);
    EXPECT_EQ(s_owner.got[1].wParam, 0u);
    EXPECT_EQ(s_owner.got[1].lParam, 0);
}

TEST_F(Exports, StatusWindowsRegisterOnceTheOwnerExists)
{
    int slots[5];
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(slots[i] = ATStatusReg(s_ownerWindow, WM_PHONE_STATE), i);
    EXPECT_EQ(ATStatusReg(s_ownerWindow, WM_PHONE_STATE), -1);
    for (int slot : slots)
        EXPECT_EQ(ATStatusDeReg(slot), 0);
    EXPECT_EQ(ATStatusDeReg(0), -1);
    EXPECT_EQ(ATStatusDeReg(5), -1);
}

TEST_F(Exports, StatusCheckThroughTheExportsSendsTheStoredPin)
{
    std::strcpy(ZelSimPin, "2468");
    const std::size_t before = s_owner.got.size();
    ASSERT_EQ(ATStatusCheck(s_ownerWindow, WM_USER + 11), 0);
    EXPECT_EQ(ATStatusCheck(s_ownerWindow, WM_USER + 11), -1);
    EXPECT_EQ(cycle(nullptr), "");
    EXPECT_EQ(cycle(nullptr), "ATE1Q0V1\r");
    EXPECT_EQ(cycle("OK"), "AT+CGMI\r");
    EXPECT_EQ(cycle("TORVANE"), "");
    EXPECT_EQ(cycle("OK"), "AT+CPIN?\r");
    EXPECT_EQ(cycle("+CPIN: SIM PIN"), "");
    EXPECT_EQ(cycle("OK"), "AT^SPIC\r");
    EXPECT_EQ(cycle("^SPIC: 3"), "");
    EXPECT_EQ(cycle("OK"), "AT+CPIN=2468\r");
    EXPECT_EQ(cycle("ERROR"), "");
    ASSERT_TRUE(waitForMessages(s_owner, before + 1));
    const Received& answer = s_owner.got.back();
    EXPECT_EQ(answer.message, WM_USER + 11);
    EXPECT_EQ(int(answer.wParam), PHONE_PIN_AUTO);
    EXPECT_EQ(answer.lParam, RESULT_PIN_REJECTED);
    std::memset(ZelSimPin, 0, sizeof ZelSimPin);
}

TEST_F(Exports, RequestsTakeAtMostTheirAreasWhateverLengthIsPassed)
{
    // Exactly area-sized buffers: reading one byte more would be caught by the address
    // sanitizer.
    std::vector<char> sms(ZEL_SMS_DATA_SIZE, 'x');
    std::vector<char> melody(ZEL_MELODY_DATA_SIZE, 'y');
    EXPECT_EQ(ATSMSend(s_ownerWindow, WM_USER + 301, "+49170", sms.data(), 1 << 30, 0, 1, 1, -1, nullptr, -1), 0);
    EXPECT_EQ(ATMelWrite(s_ownerWindow, WM_USER + 120, melody.data(), 1 << 30), 0);
    const std::string longText(5000, 'z');
    EXPECT_EQ(ATPBWrite(s_ownerWindow, WM_USER + 102, "SM", 1, longText.c_str(), longText.c_str()), 0);
    EXPECT_EQ(ATLockSet(s_ownerWindow, WM_USER + 200, "AO", longText.c_str(), 1, 7), 0);
    EXPECT_EQ(ATFwdWrite(s_ownerWindow, WM_USER + 210, 0, 3, longText.c_str(), 20, 1), 0);
    EXPECT_EQ(ATSMRead(s_ownerWindow, WM_USER + 302), 0);
    EXPECT_EQ(ATSMDel(s_ownerWindow, WM_USER + 303), 0);
    EXPECT_EQ(ATSMDel1(s_ownerWindow, WM_USER + 303), 0);
    EXPECT_EQ(ATLockGet(s_ownerWindow, WM_USER + 201, "AO"), 0);
    EXPECT_EQ(ATFwdRead(s_ownerWindow, WM_USER + 211, 0), 0);
    EXPECT_EQ(ATMelTest(s_ownerWindow, WM_USER + 121, 1), 0);
}

// So that an owner answering the kick starts a request from any program at once.
TEST_F(Exports, EveryRequestExportKicksTheOwner)
{
    while (messaging::dispatchMessages(100) > 0) { // the earlier tests' kicks
    }
    s_owner.got.clear();
    const HWND w = s_ownerWindow;
    const UINT m = WM_USER + 300;
    for (int result : {ATPBRead(w, m, "SM"), ATPBWrite(w, m, "SM", 1, "a", "1"), ATSMRead(w, m), ATSMDel(w, m),
                       ATSMDel1(w, m), ATSMSend(w, m, "+49170", "x", 1, 0, 1, 1, -1, nullptr, -1),
                       ATLockGet(w, m, "AO"), ATLockSet(w, m, "AO", "0000", 1, 7), ATFwdRead(w, m, 0),
                       ATFwdWrite(w, m, 0, 3, "+49", 20, 1), ATMelWrite(w, m, "x", 1), ATMelTest(w, m, 1)})
        EXPECT_EQ(result, 0);
    ASSERT_TRUE(waitForMessages(s_owner, 12)) << s_owner.got.size();
    for (const Received& r : s_owner.got)
        EXPECT_EQ(r.message, WM_ENGINE_KICK);
}

} // namespace
