// The phone status check, line by line with a fake clock: the exact commands it leaves for the
// port and the (PhoneStatus, result) it answers with.
#include "EngineHarness.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace zeltest;

namespace {

constexpr HWND kHost = 0x0000004200000003ull;
constexpr UINT kDone = WM_USER + 11;

class StatusCheckTest : public ::testing::Test {
protected:
    void start()
    {
        ASSERT_EQ(h.engine.requestStatusCheck(kHost, kDone), 0);
        ASSERT_EQ(h.tick(), "");           // first step: arms, sends nothing
        ASSERT_EQ(h.tick(), "ATE1Q0V1\r"); // first call without a line
    }

    // From a fresh request up to the "AT+CPIN?" question.
    void upToPinQuestion()
    {
        start();
        EXPECT_EQ(h.line("ATE1Q0V1"), ""); // the echo
        EXPECT_EQ(h.line("OK"), "AT+CGMI\r");
        EXPECT_EQ(h.line("TORVANE"), "");
        EXPECT_EQ(h.line("OK"), "AT+CPIN?\r");
    }

    void upToPinCount(const char* pinAnswer)
    {
        upToPinQuestion();
        EXPECT_EQ(h.line(pinAnswer), "");
        EXPECT_EQ(h.line("OK"), "AT^SPIC\r");
    }

    void registeredAfterPinState()
    {
        EXPECT_EQ(h.line("+CPIN: READY"), "");
        EXPECT_EQ(h.line("OK"), "AT+CREG?\r");
        EXPECT_EQ(h.line("+CREG: 0,1"), "");
        EXPECT_EQ(h.line("OK"), "AT+CBC\r");
        EXPECT_EQ(h.line("+CBC: 0,80"), "");
        EXPECT_EQ(h.line("OK"), "AT+CSQ\r");
        EXPECT_EQ(h.line("+CSQ: 21,99"), "");
        EXPECT_EQ(h.line("OK"), "");
    }

    void setPin(const char* pin, std::size_t length)
    {
        std::memset(h.shared->simPin, 0, sizeof h.shared->simPin);
        std::memcpy(h.shared->simPin, pin, length);
    }

    std::vector<Answer> answers() const { return h.answers(kHost, kDone); }

    // Every non-empty command left for the port, in order, as seen through `collect`.
    std::vector<std::string> sent;
    std::string collect(const std::string& command)
    {
        if (!command.empty() && command != "<null>")
            sent.push_back(command);
        return command;
    }

    EngineHarness h;
};

TEST_F(StatusCheckTest, RegisteredPhoneGoesThroughTheWholeDialogue)
{
    upToPinQuestion();
    registeredAfterPinState();
    EXPECT_EQ(answers(), (std::vector<Answer>{{PHONE_REGISTERED, RESULT_OK}}));
    EXPECT_EQ(h.tick(), "<null>");
    EXPECT_EQ(h.engine.requestStatusCheck(kHost, kDone), 0) << "the next check is accepted";
}

TEST_F(StatusCheckTest, SecondRequestIsRefusedWhilePendingOrRunning)
{
    ASSERT_EQ(h.engine.requestStatusCheck(kHost, kDone), 0);
    EXPECT_EQ(h.engine.requestStatusCheck(kHost, kDone), -1);
    h.tick();
    h.tick();
    EXPECT_EQ(h.engine.requestStatusCheck(kHost, kDone), -1);
}

TEST_F(StatusCheckTest, LinesBeforeTheFirstCommandAreIgnored)
{
    ASSERT_EQ(h.engine.requestStatusCheck(kHost, kDone), 0);
    h.tick();
    EXPECT_EQ(h.line("RING"), "");
    EXPECT_EQ(h.line("OK"), "");
    EXPECT_EQ(h.tick(), "ATE1Q0V1\r");
}

TEST_F(StatusCheckTest, RoamingCountsAsRegistered)
{
    upToPinQuestion();
    h.line("+CPIN: READY");
    EXPECT_EQ(h.line("OK"), "AT+CREG?\r");
    h.line("+CREG: 2,5,\"1A2B\",\"3C4D\"");
    EXPECT_EQ(h.line("OK"), "AT+CBC\r");
}

struct UnregisteredCase {
    const char* creg;
};

class NotRegistered : public StatusCheckTest, public ::testing::WithParamInterface<UnregisteredCase> {};

TEST_P(NotRegistered, EndsAsIdentifiedAfterTheDeadline)
{
    upToPinQuestion();
    h.line("+CPIN: READY");
    EXPECT_EQ(h.line("OK"), "AT+CREG?\r");
    h.line(GetParam().creg);
    EXPECT_EQ(h.line("OK"), "") << "an OK while not registered is ignored";
    h.advance(3000);
    h.tick();
    EXPECT_TRUE(answers().empty());
    h.advance(1);
    h.tick();
    EXPECT_EQ(answers(), (std::vector<Answer>{{PHONE_IDENTIFIED, RESULT_TIMEOUT}}));
}

INSTANTIATE_TEST_SUITE_P(StatusCheck, NotRegistered,
                         ::testing::Values(UnregisteredCase{"+CREG: 0,2"}, UnregisteredCase{"+CREG: 0,0"},
                                           UnregisteredCase{"+CREG: 0,3"}, UnregisteredCase{"+CREG: 1"},
                                           UnregisteredCase{"+CREG: 0;1"}, UnregisteredCase{"+CREG: ,1"},
                                           UnregisteredCase{"+CREG: 0,15"}));

TEST_F(StatusCheckTest, PhoneOfAnotherMakerEndsAsAnsweringAfterTheDeadline)
{
    start();
    EXPECT_EQ(h.line("OK"), "AT+CGMI\r");
    EXPECT_EQ(h.line("SOMEBRAND"), "");
    EXPECT_EQ(h.line("OK"), "");
    h.advance(3000);
    h.tick();
    EXPECT_TRUE(answers().empty());
    h.advance(1);
    h.tick();
    EXPECT_EQ(answers(), (std::vector<Answer>{{PHONE_ANSWERS, RESULT_TIMEOUT}}));
}

TEST_F(StatusCheckTest, MakerLineDoesNotRearmTheDeadline)
{
    start();
    h.line("OK");
    h.advance(2000);
    h.line("TORVANE");
    h.advance(1001);
    h.tick();
    EXPECT_EQ(answers(), (std::vector<Answer>{{PHONE_IDENTIFIED, RESULT_TIMEOUT}}));
}

TEST_F(StatusCheckTest, InformationLinesRearmTheDeadline)
{
    upToPinQuestion();
    h.line("+CPIN: READY");
    h.line("OK");
    for (const char* info : {"+CREG: 0,1", "+CREG: 0,1"}) {
        h.advance(2500);
        h.line(info);
    }
    h.advance(2500);
    EXPECT_EQ(h.line("OK"), "AT+CBC\r");
    for (int i = 0; i < 2; ++i) {
        h.advance(2500);
        h.line("+CBC: 0,50");
    }
    h.advance(2500);
    EXPECT_EQ(h.line("OK"), "AT+CSQ\r");
    for (int i = 0; i < 2; ++i) {
        h.advance(2500);
        h.line("+CSQ: 10,0");
    }
    h.advance(2500);
    h.line("OK");
    EXPECT_EQ(answers(), (std::vector<Answer>{{PHONE_REGISTERED, RESULT_OK}}));
}

class PortWithoutDsr : public StatusCheckTest, public ::testing::WithParamInterface<int> {};

TEST_P(PortWithoutDsr, EndsAtTheFirstAnswerInTheSameCycle)
{
    start();
    EXPECT_EQ(h.line("OK", GetParam()), "");
    EXPECT_EQ(answers(), (std::vector<Answer>{{PHONE_NONE, RESULT_TIMEOUT}}));
    EXPECT_EQ(h.tick(), "<null>");
}

TEST_P(PortWithoutDsr, EndsAtTheFirstTickToo)
{
    start();
    h.tick(GetParam());
    EXPECT_EQ(answers(), (std::vector<Answer>{{PHONE_NONE, RESULT_TIMEOUT}}));
}

INSTANTIATE_TEST_SUITE_P(StatusCheck, PortWithoutDsr,
                         ::testing::Values(PORT_UNKNOWN, PORT_OPEN_FAILED, PORT_ACCESS_DENIED, PORT_OPEN,
                                           PORT_NO_DSR));

TEST_F(StatusCheckTest, SimInAnotherStateAnswersSimOther)
{
    upToPinQuestion();
    EXPECT_EQ(h.line("+CPIN: SIM PUK"), "");
    EXPECT_EQ(h.line("OK"), "");
    EXPECT_EQ(answers(), (std::vector<Answer>{{PHONE_SIM_OTHER, RESULT_OK}}));
    EXPECT_EQ(h.engine.requestStatusCheck(kHost, kDone), 0);
}

TEST_F(StatusCheckTest, PinCountBelowThreeNeverSendsThePin)
{
    setPin("1234", 4);
    upToPinCount("+CPIN: SIM PIN");
    EXPECT_EQ(h.line("^SPIC: 2"), "");
    EXPECT_EQ(h.line("OK"), "");
    EXPECT_EQ(answers(), (std::vector<Answer>{{PHONE_PIN_NEEDED, RESULT_OK}}));
}

TEST_F(StatusCheckTest, PinWantedWithEmptyStoreAsksTheMainProgram)
{
    upToPinCount("+CPIN: SIM PIN");
    EXPECT_EQ(h.line("^SPIC: 3"), "");
    EXPECT_EQ(h.line("OK"), "");
    EXPECT_EQ(answers(), (std::vector<Answer>{{PHONE_PIN_AUTO, RESULT_OK}}));
}

TEST_F(StatusCheckTest, MissingPinCountMeansPinNeeded)
{
    setPin("1234", 4);
    upToPinCount("+CPIN: SIM PIN");
    EXPECT_EQ(h.line("OK"), "");
    EXPECT_EQ(answers(), (std::vector<Answer>{{PHONE_PIN_NEEDED, RESULT_OK}}));
}

TEST_F(StatusCheckTest, AcceptedPinRunsTheWholeCheckAgain)
{
    setPin("1234", 4);
    upToPinCount("+CPIN: SIM PIN");
    h.line("^SPIC: 3");
    EXPECT_EQ(h.line("OK"), "AT+CPIN=1234\r");
    EXPECT_EQ(h.line("OK"), "");
    EXPECT_EQ(h.tick(), "ATE1Q0V1\r");
    h.line("OK");
    h.line("TORVANE");
    EXPECT_EQ(h.line("OK"), "AT+CPIN?\r");
    registeredAfterPinState();
    EXPECT_EQ(answers(), (std::vector<Answer>{{PHONE_REGISTERED, RESULT_OK}}));
}

TEST_F(StatusCheckTest, DeadlineOfThePinStaysUntilTheFreshStartSends)
{
    setPin("1234", 4);
    upToPinCount("+CPIN: SIM PIN");
    h.line("^SPIC: 3");
    EXPECT_EQ(h.line("OK"), "AT+CPIN=1234\r");
    h.advance(9000);
    EXPECT_EQ(h.line("OK"), "");
    h.advance(1001); // only lines, no tick: the fresh start has not sent yet
    EXPECT_EQ(h.line("+CREG: 0,1"), "");
    EXPECT_EQ(answers(), (std::vector<Answer>{{PHONE_PIN_AUTO, RESULT_TIMEOUT}}));
}

TEST_F(StatusCheckTest, PinGetsTenSecondsToBeAccepted)
{
    setPin("1234", 4);
    upToPinCount("+CPIN: SIM PIN");
    h.line("^SPIC: 3");
    h.line("OK");
    h.advance(10000);
    h.tick();
    EXPECT_TRUE(answers().empty());
    h.advance(1);
    h.tick();
    EXPECT_EQ(answers(), (std::vector<Answer>{{PHONE_PIN_AUTO, RESULT_TIMEOUT}}));
}

TEST_F(StatusCheckTest, StoredPinIsCutToTenCharacters)
{
    setPin("123456789012", 12); // fills the record, no terminator
    upToPinCount("+CPIN: SIM PIN");
    h.line("^SPIC: 3");
    EXPECT_EQ(h.line("OK"), "AT+CPIN=1234567890\r");
}

TEST_F(StatusCheckTest, StoredPinEndsAtAControlCharacter)
{
    setPin("12\r34", 5);
    upToPinCount("+CPIN: SIM PIN");
    h.line("^SPIC: 3");
    EXPECT_EQ(h.line("OK"), "AT+CPIN=12\r");
}

struct RejectCase {
    const char* answer;
};

class PinRejected : public StatusCheckTest, public ::testing::WithParamInterface<RejectCase> {};

TEST_P(PinRejected, EndsWithPinRejected)
{
    setPin("0000", 4);
    upToPinCount("+CPIN: SIM PIN");
    h.line("^SPIC: 3");
    EXPECT_EQ(h.line("OK"), "AT+CPIN=0000\r");
    EXPECT_EQ(h.line("AT+CPIN=0000"), ""); // the echo is ignored
    EXPECT_EQ(h.line(GetParam().answer), "");
    EXPECT_EQ(answers(), (std::vector<Answer>{{PHONE_PIN_AUTO, RESULT_PIN_REJECTED}}));
}

// A phone that a job has switched to numeric or verbose error codes refuses with "+CME ERROR".
INSTANTIATE_TEST_SUITE_P(StatusCheck, PinRejected,
                         ::testing::Values(RejectCase{"ERROR"}, RejectCase{"+CME ERROR: 16"},
                                           RejectCase{"+CME ERROR: incorrect password"}));

struct PinRequestCase {
    const char* cpin;
    bool sendsPin;
};

class PinRequest : public StatusCheckTest, public ::testing::WithParamInterface<PinRequestCase> {};

// Only the SIM PIN itself gets the stored PIN; a request for any other code is left to the user.
TEST_P(PinRequest, StoredPinGoesOnlyToTheSimPin)
{
    setPin("1234", 4);
    upToPinCount(GetParam().cpin);
    h.line("^SPIC: 3");
    if (GetParam().sendsPin) {
        EXPECT_EQ(h.line("OK"), "AT+CPIN=1234\r");
        EXPECT_TRUE(answers().empty());
    } else {
        EXPECT_EQ(h.line("OK"), "");
        EXPECT_EQ(answers(), (std::vector<Answer>{{PHONE_PIN_NEEDED, RESULT_OK}}));
    }
}

INSTANTIATE_TEST_SUITE_P(StatusCheck, PinRequest,
                         ::testing::Values(PinRequestCase{"+CPIN: SIM PIN", true},
                                           PinRequestCase{"+CPIN:SIM PIN", true},
                                           PinRequestCase{"+CPIN:  SIM PIN  ", true},
                                           PinRequestCase{"+CPIN: SIM PIN2", false},
                                           PinRequestCase{"+CPIN: PH-SIM PIN", false},
                                           PinRequestCase{"+CPIN: SIM PIN SIM PUK", false}));

struct OtherSimCase {
    const char* cpin;
};

class OtherSimState : public StatusCheckTest, public ::testing::WithParamInterface<OtherSimCase> {};

TEST_P(OtherSimState, AnswersSimOtherWithoutPin)
{
    setPin("1234", 4);
    upToPinQuestion();
    h.line(GetParam().cpin);
    EXPECT_EQ(h.line("OK"), "");
    EXPECT_EQ(answers(), (std::vector<Answer>{{PHONE_SIM_OTHER, RESULT_OK}}));
}

INSTANTIATE_TEST_SUITE_P(StatusCheck, OtherSimState,
                         ::testing::Values(OtherSimCase{"+CPIN: SIM PUK"}, OtherSimCase{"+CPIN: SIM PUK2"},
                                           OtherSimCase{"+CPIN: PH-NET PIN"}, OtherSimCase{"+CPIN:"}));

TEST_F(StatusCheckTest, PhoneThatTakesThePinButStillAsksGetsItOnce)
{
    setPin("1234", 4);
    upToPinCount("+CPIN: SIM PIN");
    h.line("^SPIC: 3");
    EXPECT_EQ(h.line("OK"), "AT+CPIN=1234\r");
    EXPECT_EQ(h.line("OK"), "");
    EXPECT_EQ(h.tick(), "ATE1Q0V1\r");
    h.line("OK");
    h.line("TORVANE");
    h.line("OK");
    h.line("+CPIN: SIM PIN");
    EXPECT_EQ(h.line("OK"), "AT^SPIC\r");
    h.line("^SPIC: 3");
    EXPECT_EQ(h.line("OK"), "");
    EXPECT_EQ(answers(), (std::vector<Answer>{{PHONE_PIN_AUTO, RESULT_OK}}));
}

TEST_F(StatusCheckTest, SilentPhoneGetsAbortThenEscapeThenGivesUp)
{
    start();
    h.advance(3001);
    EXPECT_EQ(h.tick(), "");
    EXPECT_TRUE(answers().empty()) << "a silent first answer does not end the check";
    EXPECT_EQ(h.tick(), std::string("\x1a") + "AT\r");
    h.advance(2500);
    EXPECT_EQ(h.tick(), "");
    h.advance(499);
    EXPECT_EQ(h.tick(), "") << "the escape waits until 3000 of the 5000 ms have passed";
    h.advance(1);
    EXPECT_EQ(h.tick(), "");
    EXPECT_EQ(h.tick(), "+++");
    h.advance(5000);
    h.tick();
    EXPECT_TRUE(answers().empty());
    h.advance(1);
    h.tick();
    EXPECT_EQ(answers(), (std::vector<Answer>{{PHONE_NONE, RESULT_TIMEOUT}}));
}

TEST_F(StatusCheckTest, AnswerToTheAbortStartsAfresh)
{
    start();
    h.advance(3001);
    h.tick();
    EXPECT_EQ(h.tick(), std::string("\x1a") + "AT\r");
    EXPECT_EQ(h.line("OK"), "");
    EXPECT_EQ(h.tick(), "ATE1Q0V1\r");
    EXPECT_EQ(h.line("OK"), "AT+CGMI\r");
}

TEST_F(StatusCheckTest, AnswerToTheEscapeStartsAfresh)
{
    start();
    h.advance(3001);
    h.tick();
    h.tick(); // abort text
    h.advance(3000);
    h.tick();
    EXPECT_EQ(h.tick(), "+++");
    EXPECT_EQ(h.line("NO CARRIER"), "");
    EXPECT_EQ(h.tick(), "ATE1Q0V1\r");
    EXPECT_EQ(h.line("OK"), "AT+CGMI\r");
}

TEST_F(StatusCheckTest, PhoneThatNeverSaysOkIsGivenTwoFreshStarts)
{
    ASSERT_EQ(h.engine.requestStatusCheck(kHost, kDone), 0);
    // The phone answers every command with "ERROR"; the pump ticks every 500 ms and hands on
    // each answer at once.
    for (int i = 0; i < 200 && answers().empty(); ++i) {
        const std::string command = collect(h.tick());
        if (!command.empty() && command != "<null>")
            collect(h.line("ERROR"));
        h.advance(500);
    }
    EXPECT_EQ(answers(), (std::vector<Answer>{{PHONE_NONE, RESULT_TIMEOUT}}));
    EXPECT_EQ(std::count(sent.begin(), sent.end(), "ATE1Q0V1\r"), 3);
    EXPECT_EQ(std::count(sent.begin(), sent.end(), std::string("\x1a") + "AT\r"), 2);
}

TEST_F(StatusCheckTest, CheckAcrossTheTickCountWrap)
{
    h.services.now = 0xFFFFFFFFu - 1500;
    upToPinQuestion();
    h.advance(1000);
    h.line("+CPIN: READY");
    h.advance(1000); // the counter wraps here
    EXPECT_EQ(h.line("OK"), "AT+CREG?\r");
    h.advance(2999);
    h.tick();
    EXPECT_TRUE(answers().empty());
    h.advance(2);
    h.tick();
    EXPECT_EQ(answers(), (std::vector<Answer>{{PHONE_IDENTIFIED, RESULT_TIMEOUT}}));
}

} // namespace
