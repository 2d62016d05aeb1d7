// The engine across processes: this test process is a client program (a status window, requests,
// the SIM PIN), a second process owns the port and pumps the engine (engine_test_pump), and the
// simulated phone answers on a pseudo-terminal. Requests, answers, the status-window table and
// ZelSimPin travel between the two processes through the engine's shared section and the
// messaging layer, as they do between the suite's programs.
#include "EnginePumpMessages.h"

#include "engine/zeldll.h"
#include "platform/messaging/Messaging.h"
#include "platform/serial/SerialPortName.h"
#include "support/MessagesUntil.h"
#include "support/PeerProcess.h"
#include "tools/phonesim/PhoneSim.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstring>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

using namespace std::chrono_literals;
using torvane::phonesim::PhoneSim;
using torvane::phonesim::PhoneState;
using torvane::phonesim::SimLock;

using torvane::test::waitFor;

namespace {

constexpr UINT WM_CHECK_DONE = WM_USER + 11;

struct Received {
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
};

class ClientWindow : public messaging::MessageHandler {
public:
    std::vector<Received> got;
    LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        got.push_back({message, wParam, lParam});
        return 0;
    }
    const Received* find(UINT message) const
    {
        for (const Received& r : got)
            if (r.message == message)
                return &r;
        return nullptr;
    }
};

class EngineProcesses : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::string error;
        ASSERT_TRUE(m_sim.start(torvane::serial::portLinkFolder() + "/COM1", &error)) << error;
        m_pump = std::make_unique<torvane::test::PeerProcess>(ENGINE_TEST_PUMP, std::vector<std::string>{"COM1"});
        ASSERT_TRUE(m_pump->started());
        const auto ready = m_pump->readLine(20s);
        ASSERT_TRUE(ready.has_value()) << "the pump did not start";
        std::istringstream words(*ready);
        std::string word;
        words >> word >> std::hex >> m_owner >> m_pumpStatusWindow;
        ASSERT_EQ(word, "ready") << *ready;
        m_client = messaging::registerWindow(&m_window);
        ASSERT_NE(m_client, 0u);
    }

    void TearDown() override
    {
        std::memset(ZelSimPin, 0, ZEL_SIM_PIN_SIZE);
        if (m_client)
            messaging::unregisterWindow(m_client);
        if (m_pump && m_pump->started()) {
            m_pump->send("quit");
            EXPECT_EQ(m_pump->waitExit(20s), 0);
        }
        m_sim.stop();
    }

    // What the phone was sent, as one text.
    std::string phoneReceived() { return m_sim.transcript().received(); }

    PhoneSim m_sim;
    std::unique_ptr<torvane::test::PeerProcess> m_pump;
    HWND m_owner = 0;
    HWND m_pumpStatusWindow = 0;
    ClientWindow m_window;
    HWND m_client = 0;
};

TEST_F(EngineProcesses, AnswerOfACheckReachesTheRequestingWindowInAnotherProcess)
{
    EXPECT_EQ(SendMessage(m_owner, WM_PUMP_REQUEST_CHECK, m_client, WM_CHECK_DONE), 0);
    EXPECT_EQ(SendMessage(m_owner, WM_PUMP_REQUEST_CHECK, m_client, WM_CHECK_DONE), LRESULT(-1))
        << "one check at a time";
    ASSERT_TRUE(waitFor([&] { return m_window.find(WM_CHECK_DONE) != nullptr; }));
    const Received* answer = m_window.find(WM_CHECK_DONE);
    EXPECT_EQ(int(answer->wParam), PHONE_REGISTERED);
    EXPECT_EQ(answer->lParam, RESULT_OK);
    EXPECT_EQ(phoneReceived(), "ATE1Q0V1\rAT+CGMI\rAT+CPIN?\rAT+CREG?\rAT+CBC\rAT+CSQ\r");
}

TEST_F(EngineProcesses, OwnerBroadcastsThePhoneStateToTheRegisteredWindowsOfEveryProcess)
{
    const int slot = ATStatusReg(m_client, WM_PHONE_STATE);
    ASSERT_EQ(slot, 1) << "the pump's own status window has slot 0";
    EXPECT_EQ(SendMessage(m_owner, WM_PUMP_REQUEST_CHECK, 0, 0), 0);
    ASSERT_TRUE(waitFor([&] { return m_window.find(WM_PHONE_STATE) != nullptr; }));
    const Received* state = m_window.find(WM_PHONE_STATE);
    EXPECT_EQ(state->wParam, 1u);
    EXPECT_EQ(state->lParam, PHONESTATE_READY);
    // The pump got the engine's answer, broadcast it, and its own status window saw it too.
    EXPECT_EQ(m_pump->readLine(20s), "answer 3 0");
    EXPECT_EQ(m_pump->readLine(20s), "state 1 3");
    EXPECT_EQ(ATStatusDeReg(slot), 0);
    EXPECT_EQ(ATStatusDeReg(slot), -1);
}

TEST_F(EngineProcesses, BroadcastFromAClientReachesTheOwnersStatusWindow)
{
    const int slot = ATStatusReg(m_client, WM_PHONE_STATE);
    ASSERT_GE(slot, 0);
    EXPECT_EQ(ZelMeldeModule(1, PHONESTATE_NOT_READY), 0);
    EXPECT_EQ(m_pump->readLine(20s), "state 1 1");
    // Our own window, on this thread, got it at once.
    ASSERT_NE(m_window.find(WM_PHONE_STATE), nullptr);
    EXPECT_EQ(m_window.find(WM_PHONE_STATE)->lParam, PHONESTATE_NOT_READY);
    EXPECT_EQ(ATStatusDeReg(slot), 0);
}

TEST_F(EngineProcesses, PinStoredByAClientIsSentByTheOwner)
{
    m_sim.withState([](PhoneState& s) {
        s.sim.lock = SimLock::SimPin;
        s.sim.pin = "4711";
        s.sim.pinAttempts = 3;
    });
    std::strcpy(ZelSimPin, "4711"); // this process's view of the shared record
    EXPECT_EQ(SendMessage(m_owner, WM_PUMP_REQUEST_CHECK, m_client, WM_CHECK_DONE), 0);
    ASSERT_TRUE(waitFor([&] { return m_window.find(WM_CHECK_DONE) != nullptr; }));
    EXPECT_EQ(int(m_window.find(WM_CHECK_DONE)->wParam), PHONE_REGISTERED);
    EXPECT_EQ(m_window.find(WM_CHECK_DONE)->lParam, RESULT_OK);
    EXPECT_NE(phoneReceived().find("AT^SPIC\rAT+CPIN=4711\rATE1Q0V1\r"), std::string::npos) << phoneReceived();
    EXPECT_EQ(m_sim.state().sim.lock, SimLock::Ready);
}

TEST_F(EngineProcesses, PinWantedWithoutStoredPinIsAnsweredAsPinAuto)
{
    m_sim.withState([](PhoneState& s) { s.sim.lock = SimLock::SimPin; });
    EXPECT_EQ(SendMessage(m_owner, WM_PUMP_REQUEST_CHECK, m_client, WM_CHECK_DONE), 0);
    ASSERT_TRUE(waitFor([&] { return m_window.find(WM_CHECK_DONE) != nullptr; }));
    EXPECT_EQ(int(m_window.find(WM_CHECK_DONE)->wParam), PHONE_PIN_AUTO);
    EXPECT_EQ(m_window.find(WM_CHECK_DONE)->lParam, RESULT_OK);
    EXPECT_EQ(phoneReceived().find("AT+CPIN="), std::string::npos);
}

TEST_F(EngineProcesses, WrongStoredPinIsRejectedOnce)
{
    m_sim.withState([](PhoneState& s) {
        s.sim.lock = SimLock::SimPin;
        s.sim.pin = "4711";
    });
    std::strcpy(ZelSimPin, "1111");
    EXPECT_EQ(SendMessage(m_owner, WM_PUMP_REQUEST_CHECK, m_client, WM_CHECK_DONE), 0);
    ASSERT_TRUE(waitFor([&] { return m_window.find(WM_CHECK_DONE) != nullptr; }));
    EXPECT_EQ(int(m_window.find(WM_CHECK_DONE)->wParam), PHONE_PIN_AUTO);
    EXPECT_EQ(m_window.find(WM_CHECK_DONE)->lParam, RESULT_PIN_REJECTED);
    EXPECT_EQ(m_sim.state().sim.pinAttempts, 2);
}

} // namespace
