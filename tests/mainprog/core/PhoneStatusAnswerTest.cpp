// What the host does with a status check's answer: the state it broadcasts, when it asks for
// the SIM PIN, and what the PIN dialog leaves in ZelSimPin.
#include "CorvantFakes.h"

#include "mainprog/core/PhoneStatusAnswer.h"

#include <gtest/gtest.h>

#include <functional>

using namespace corvant;
using corvant::test::FakeEngine;

namespace {

class RecordingUi : public StatusAnswerUi {
public:
    std::vector<int> shownStatus;
    int rejectedBoxes = 0;
    int pinDialogs = 0;
    std::function<void()> whileDialogRuns;

    void showPhoneStatus(int status) override { shownStatus.push_back(status); }
    void showPinRejected() override { ++rejectedBoxes; }
    void runPinDialog() override
    {
        ++pinDialogs;
        if (whileDialogRuns)
            whileDialogRuns();
    }
};

struct AnswerCase {
    int status;
    int result;
    const char* storedPin;
    int broadcast;
    int rejectedBoxes;
    int pinDialogs;
};

class StatusAnswerCases : public ::testing::TestWithParam<AnswerCase> {};

TEST_P(StatusAnswerCases, BroadcastAndQuestions)
{
    const AnswerCase& c = GetParam();
    FakeEngine engine;
    RecordingUi ui;
    storeSimPin(engine.pin, c.storedPin);
    PhoneStatusAnswer answer(engine, ui);
    answer.OnStatusCheckDone(c.status, c.result);

    EXPECT_EQ(ui.shownStatus, std::vector<int>({c.status}));
    ASSERT_EQ(engine.broadcasts.size(), 1u);
    EXPECT_EQ(engine.broadcasts[0].wParam, 1u);
    EXPECT_EQ(engine.broadcasts[0].lParam, c.broadcast);
    EXPECT_EQ(ui.rejectedBoxes, c.rejectedBoxes);
    EXPECT_EQ(ui.pinDialogs, c.pinDialogs);
}

INSTANTIATE_TEST_SUITE_P(
    Answers, StatusAnswerCases,
    ::testing::Values(AnswerCase {PHONE_NONE, RESULT_TIMEOUT, "", PHONESTATE_NOT_CONNECTED, 0, 0},
                      AnswerCase {PHONE_REGISTERED, RESULT_OK, "", PHONESTATE_READY, 0, 0},
                      AnswerCase {PHONE_ANSWERS, RESULT_TIMEOUT, "", PHONESTATE_NOT_READY, 0, 0},
                      AnswerCase {PHONE_IDENTIFIED, RESULT_TIMEOUT, "", PHONESTATE_NOT_READY, 0, 0},
                      AnswerCase {PHONE_PIN_AUTO, RESULT_OK, "", PHONESTATE_ENTRY_REQUIRED, 0, 1},
                      AnswerCase {PHONE_PIN_AUTO, RESULT_OK, "1234", PHONESTATE_ENTRY_REQUIRED, 0, 0},
                      AnswerCase {PHONE_PIN_AUTO, RESULT_PIN_REJECTED, "1111", PHONESTATE_ENTRY_REQUIRED, 1, 0},
                      AnswerCase {PHONE_PIN_AUTO, RESULT_PIN_REJECTED, "", PHONESTATE_ENTRY_REQUIRED, 1, 0},
                      AnswerCase {PHONE_PIN_NEEDED, RESULT_OK, "", PHONESTATE_ENTRY_REQUIRED, 0, 0},
                      AnswerCase {PHONE_PIN_NEEDED, RESULT_PIN_REJECTED, "", PHONESTATE_ENTRY_REQUIRED, 1, 0}));

TEST(PhoneStatusAnswer, PinDialogIsOpenedOnceWhileAnswersKeepComing)
{
    FakeEngine engine;
    RecordingUi ui;
    PhoneStatusAnswer answer(engine, ui);
    ui.whileDialogRuns = [&] {
        EXPECT_TRUE(answer.pinDialogOpen());
        answer.OnStatusCheckDone(PHONE_PIN_AUTO, RESULT_OK); // the 15 s polling goes on
        answer.OnStatusCheckDone(PHONE_PIN_AUTO, RESULT_OK);
    };
    answer.OnStatusCheckDone(PHONE_PIN_AUTO, RESULT_OK);
    EXPECT_EQ(ui.pinDialogs, 1);
    EXPECT_EQ(engine.broadcasts.size(), 3u) << "every answer is broadcast";
    EXPECT_FALSE(answer.pinDialogOpen());

    ui.whileDialogRuns = {};
    answer.OnStatusCheckDone(PHONE_PIN_AUTO, RESULT_OK);
    EXPECT_EQ(ui.pinDialogs, 2) << "a later answer may ask again";
}

TEST(PhoneStatusAnswer, BroadcastComesBeforeThePinDialog)
{
    FakeEngine engine;
    RecordingUi ui;
    PhoneStatusAnswer answer(engine, ui);
    ui.whileDialogRuns = [&] { EXPECT_EQ(engine.broadcasts.size(), 1u); };
    answer.OnStatusCheckDone(PHONE_PIN_AUTO, RESULT_OK);
    EXPECT_EQ(ui.pinDialogs, 1);
}

TEST(SimPin, TypedPinIsStoredCutToNineCharacters)
{
    char pin[ZEL_SIM_PIN_SIZE];
    std::memset(pin, 'z', sizeof pin);
    storeSimPin(pin, "1234");
    EXPECT_STREQ(pin, "1234");
    storeSimPin(pin, "12345678901234");
    EXPECT_STREQ(pin, "123456789");
    clearSimPin(pin);
    for (char c : pin)
        EXPECT_EQ(c, 0);
}

} // namespace
