// The cycle of the engine: job choice in the fixed order, deadlines on a wrapping tick count,
// the re-entry guard and the command it leaves for the port.
#include "EngineHarness.h"

#include "engine/JobStep.h"
#include "engine/JobTable.h"
#include "engine/Requests.h"
#include "engine/StatusCheck.h"
#include "engine/StatusWindows.h"

#include <gtest/gtest.h>

using namespace zeltest;
using zel::JobKind;
using zel::JobStep;

namespace {

constexpr HWND kClient = 0x0000123400000001ull;
constexpr UINT kReply = WM_USER + 200;

// A job that sends "AT+JOB<code>", waits for "OK" and answers 0; enough to watch the cycle
// choose between kinds.
void echoStep(JobStep& step)
{
    if (step.state() == JOB_PENDING) {
        step.sendFormat("AT+JOB%d", zel::jobCode(step.kind()));
        step.setState(2);
        step.arm(3000);
        return;
    }
    if (step.lineIs("OK"))
        step.finish(RESULT_OK);
}

const zel::JobHandler kTestJobs[] = {
    {JobKind::StatusCheck, &zel::statusCheckStep, &zel::statusCheckExpire},
    {JobKind::PhonebookRead, &echoStep, nullptr},
    {JobKind::PhonebookWrite, nullptr, nullptr},
    {JobKind::SmsDelete, &echoStep, nullptr},
    {JobKind::SmsRead, nullptr, nullptr},
    {JobKind::SmsSend, &echoStep, nullptr},
    {JobKind::LockQuery, nullptr, nullptr},
    {JobKind::LockSet, nullptr, nullptr},
    {JobKind::ForwardQuery, nullptr, nullptr},
    {JobKind::ForwardSet, nullptr, nullptr},
    {JobKind::MelodyWrite, nullptr, nullptr},
    {JobKind::MelodyTest, &echoStep, nullptr},
};

class CycleTest : public ::testing::Test {
protected:
    CycleTest() : h(kTestJobs) {}

    void requestSmsSend(HWND window = kClient, UINT message = kReply)
    {
        zel::requestSmsSend(*h.shared, window, message, "+49170", "hi", 2, 0, 1, 1, -1, "", -1);
    }
    void requestMelodyTest(HWND window = kClient, UINT message = kReply)
    {
        zel::requestMelodyTest(*h.shared, window, message, 1);
    }
    void requestPhonebookRead(HWND window = kClient, UINT message = kReply)
    {
        zel::requestPhonebookRead(*h.shared, window, message, "SM");
    }

    EngineHarness h;
};

TEST_F(CycleTest, WithoutJobGivesNoCommandAndEmptiesTxBuffer)
{
    std::strcpy(h.shared->txBuffer, "left over");
    EXPECT_EQ(h.tick(), "<null>");
    EXPECT_EQ(h.lastReturn, ZEL_CYCLE_DONE);
    EXPECT_STREQ(h.shared->txBuffer, "");
    EXPECT_EQ(h.line("OK"), "<null>");
    EXPECT_TRUE(h.services.posted.empty());
}

TEST_F(CycleTest, StepThatSendsNothingStillHandsOutTheEmptyBuffer)
{
    // The first step of the status check only arms its deadline; the port owner must still see
    // a job (an empty command, not null), because that is what opens the port.
    ASSERT_EQ(h.engine.requestStatusCheck(kClient, kReply), 0);
    char* command = nullptr;
    EXPECT_EQ(h.engine.cycle(nullptr, &command, PORT_UNKNOWN), ZEL_CYCLE_DONE);
    EXPECT_EQ(command, h.shared->txBuffer);
    EXPECT_STREQ(command, "");
}

TEST_F(CycleTest, NullCommandPointerIsAccepted)
{
    requestSmsSend();
    EXPECT_EQ(h.engine.cycle(nullptr, nullptr, PORT_DSR_ON), ZEL_CYCLE_DONE);
    EXPECT_STREQ(h.shared->txBuffer, "AT+JOB4\r");
}

TEST_F(CycleTest, EarlierKindInTheOrderStartsFirst)
{
    // Requested in reverse order; the cycle's order decides, not the order of the requests.
    requestMelodyTest();
    requestSmsSend();
    requestPhonebookRead();
    EXPECT_EQ(h.tick(), "AT+JOB2\r");
    EXPECT_EQ(h.line("OK"), "");
    EXPECT_EQ(h.tick(), "AT+JOB4\r");
    EXPECT_EQ(h.line("OK"), "");
    EXPECT_EQ(h.tick(), "AT+JOB12\r");
    EXPECT_EQ(h.line("OK"), "");
    EXPECT_EQ(h.tick(), "<null>");
    EXPECT_EQ(h.answers(kClient, kReply),
              (std::vector<Answer>{{JOB_PHONEBOOK_READ, 0}, {JOB_SMS_SEND, 0}, {JOB_MELODY_TEST, 0}}));
}

TEST_F(CycleTest, StatusCheckStartsBeforeEveryOtherPendingJob)
{
    requestPhonebookRead();
    ASSERT_EQ(h.engine.requestStatusCheck(kClient, WM_USER + 11), 0);
    EXPECT_EQ(h.tick(), "");          // status check, first step
    EXPECT_EQ(h.tick(), "ATE1Q0V1\r"); // still the status check
}

TEST_F(CycleTest, PendingEarlierKindWaitsForRunningLaterKind)
{
    requestMelodyTest();
    EXPECT_EQ(h.tick(), "AT+JOB12\r");
    requestPhonebookRead();
    ASSERT_EQ(h.engine.requestStatusCheck(kClient, WM_USER + 11), 0);
    // The melody dialogue keeps the phone: unrelated lines and ticks go to it.
    EXPECT_EQ(h.line("+CSQ: 1,1"), "");
    EXPECT_EQ(h.tick(), "");
    EXPECT_EQ(h.shared->pbRead.head.state, JOB_PENDING);
    EXPECT_EQ(h.line("OK"), "");
    EXPECT_EQ(h.answers(kClient, kReply), (std::vector<Answer>{{JOB_MELODY_TEST, 0}}));
    // Only now the pending ones start, the status check first.
    EXPECT_EQ(h.tick(), "");
    EXPECT_EQ(h.tick(), "ATE1Q0V1\r");
}

TEST_F(CycleTest, RepeatedRequestRestartsTheJobAndOnlyTheLastRequesterIsAnswered)
{
    constexpr HWND kFirst = 0x0000000500000001ull;
    constexpr HWND kSecond = 0x0000000600000001ull;
    requestSmsSend(kFirst, kReply);
    EXPECT_EQ(h.tick(), "AT+JOB4\r");
    requestSmsSend(kSecond, kReply + 1);
    EXPECT_EQ(h.tick(), "AT+JOB4\r"); // started again from its first step
    EXPECT_EQ(h.line("OK"), "");
    EXPECT_TRUE(h.answers(kFirst, kReply).empty());
    EXPECT_EQ(h.answers(kSecond, kReply + 1), (std::vector<Answer>{{JOB_SMS_SEND, 0}}));
}

EngineShared* gRestartTarget = nullptr;

// Plays another process that repeats its request while the job's step runs.
void repeatRequestDuringStep(JobStep&)
{
    zel::requestSmsSend(*gRestartTarget, kClient, kReply, "+49170", "again", 5, 0, 1, 1, -1, "", -1);
}

TEST(CycleRestart, RequestDuringAStepIsNotEndedByTheOldDeadline)
{
    zel::JobHandler jobs[std::size(kTestJobs)];
    std::copy(std::begin(kTestJobs), std::end(kTestJobs), jobs);
    jobs[int(JobKind::SmsSend)].step = &repeatRequestDuringStep;
    EngineHarness h(jobs);
    gRestartTarget = h.shared.get();
    h.shared->smSend.head = {2, kClient, kReply};
    h.services.now = 10000;
    h.engine.local().deadline[int(JobKind::SmsSend)] = 9000; // the running dialogue is overdue
    h.tick();
    EXPECT_EQ(h.shared->smSend.head.state, JOB_PENDING);
    EXPECT_TRUE(h.answers(kClient, kReply).empty());
}

// Plays the requester taking its request back after the first step saw it pending, before the
// step takes it.
void withdrawDuringStep(JobStep& step)
{
    if (step.state() != JOB_PENDING)
        return;
    step.send("AT+JOB4");
    EXPECT_EQ(zel::withdrawRequests(*gRestartTarget, kClient), 1);
    step.setState(2);
}

TEST(CycleRestart, RequestWithdrawnWhileTheCycleTakesItReachesNeitherPhoneNorRequester)
{
    zel::JobHandler jobs[std::size(kTestJobs)];
    std::copy(std::begin(kTestJobs), std::end(kTestJobs), jobs);
    jobs[int(JobKind::SmsSend)].step = &withdrawDuringStep;
    EngineHarness h(jobs);
    gRestartTarget = h.shared.get();
    zel::requestSmsSend(*h.shared, kClient, kReply, "+49170", "hi", 2, 0, 1, 1, -1, "", -1);
    EXPECT_EQ(h.tick(), "<null>");
    h.advance(5000);
    EXPECT_EQ(h.tick(), "<null>");
    EXPECT_TRUE(h.services.posted.empty());
}

// Only the window's own requests that have not started go; a running one is still answered.
TEST_F(CycleTest, WithdrawTakesBackTheWindowsWaitingRequestsOnly)
{
    requestSmsSend();
    EXPECT_EQ(h.tick(), "AT+JOB4\r");
    requestPhonebookRead();
    requestMelodyTest(0x0000000700000001ull);
    EXPECT_EQ(zel::withdrawRequests(*h.shared, kClient), 1);
    EXPECT_EQ(h.line("OK"), "");
    EXPECT_EQ(h.tick(), "AT+JOB12\r"); // not the read, which would come first
    EXPECT_EQ(h.answers(kClient, kReply), (std::vector<Answer>{{JOB_SMS_SEND, 0}}));
}

TEST_F(CycleTest, DeadlineEndsTheJobJustAfterItPasses)
{
    requestSmsSend();
    EXPECT_EQ(h.tick(), "AT+JOB4\r");
    h.advance(3000);
    h.tick();
    EXPECT_TRUE(h.answers(kClient, kReply).empty()) << "not yet past at exactly 3000 ms";
    h.advance(1);
    EXPECT_EQ(h.tick(), "");
    EXPECT_EQ(h.answers(kClient, kReply), (std::vector<Answer>{{JOB_SMS_SEND, RESULT_TIMEOUT}}));
    EXPECT_EQ(h.shared->smSend.head.state, JOB_IDLE);
    EXPECT_EQ(h.tick(), "<null>");
}

TEST_F(CycleTest, DeadlineAcrossTheTickCountWrap)
{
    h.services.now = 0xFFFFFFFFu - 1000;
    requestSmsSend();
    EXPECT_EQ(h.tick(), "AT+JOB4\r");
    h.advance(2500); // the counter has wrapped; 2500 of 3000 ms have passed
    h.tick();
    EXPECT_TRUE(h.answers(kClient, kReply).empty());
    h.advance(501);
    h.tick();
    EXPECT_EQ(h.answers(kClient, kReply), (std::vector<Answer>{{JOB_SMS_SEND, RESULT_TIMEOUT}}));
}

TEST_F(CycleTest, ReenteredCycleReturnsZeroAndTouchesNothing)
{
    requestSmsSend();
    EXPECT_EQ(h.tick(), "AT+JOB4\r");
    int innerReturn = -1;
    char* innerCommand = reinterpret_cast<char*>(0x1);
    std::string txDuringInner;
    h.services.onPost = [&](const Message&) {
        innerReturn = h.engine.cycle("OK", &innerCommand, PORT_DSR_ON);
        txDuringInner = h.shared->txBuffer;
    };
    EXPECT_EQ(h.line("OK"), ""); // ends the job, whose answer re-enters the cycle
    EXPECT_EQ(innerReturn, ZEL_CYCLE_REENTERED);
    EXPECT_EQ(innerCommand, reinterpret_cast<char*>(0x1));
    EXPECT_EQ(h.engine.local().cycleDepth, 0);
    // The outer cycle goes on normally afterwards.
    h.services.onPost = nullptr;
    requestSmsSend();
    EXPECT_EQ(h.tick(), "AT+JOB4\r");
}

// A new owner does not carry out what requesters that have gone away left in the section, be it
// waiting or half done; the requests of live windows are served as before.
TEST_F(CycleTest, TakingOverDropsRequestsWhoseWindowIsGone)
{
    constexpr HWND kGone = 0x0000777700000002ull;
    h.services.goneWindows = {kGone};
    requestSmsSend(kGone, kReply);
    requestPhonebookRead(kGone, kReply);
    h.shared->smDel.head = {2, kGone, kReply}; // a delete the last owner had started
    requestMelodyTest();
    zel::initialiseShared(*h.shared); // the engine mutex's name
    ASSERT_EQ(h.engine.initOwner(0x0000000900000001ull), 0);
    EXPECT_EQ(h.shared->smSend.head.state, JOB_IDLE);
    EXPECT_EQ(h.shared->pbRead.head.state, JOB_IDLE);
    EXPECT_EQ(h.shared->smDel.head.state, JOB_IDLE);
    EXPECT_EQ(h.shared->melTest.head.state, JOB_PENDING);
    ASSERT_EQ(h.services.traces.size(), 3u);
    EXPECT_NE(h.services.traces[0].find("job 2 "), std::string::npos) << h.services.traces[0];
    EXPECT_EQ(h.tick(), "AT+JOB12\r");
    h.line("OK");
    EXPECT_EQ(h.tick(), "<null>");
    EXPECT_TRUE(h.answers(kGone, kReply).empty());
}

TEST(StandardJobTable, ListsEveryKindInTheCycleOrder)
{
    const zel::JobTable table = zel::standardJobTable();
    ASSERT_EQ(table.size(), std::size_t(zel::kJobKindCount));
    const JobKind order[] = {JobKind::StatusCheck, JobKind::PhonebookRead, JobKind::PhonebookWrite,
                             JobKind::SmsDelete,   JobKind::SmsRead,       JobKind::SmsSend,
                             JobKind::LockQuery,   JobKind::LockSet,       JobKind::ForwardQuery,
                             JobKind::ForwardSet,  JobKind::MelodyWrite,   JobKind::MelodyTest};
    for (std::size_t i = 0; i < table.size(); ++i)
        EXPECT_EQ(table[i].kind, order[i]) << i;
    EXPECT_NE(table[0].step, nullptr);
}

TEST(JobCodes, EveryKindAnswersWithItsCode)
{
    const std::pair<JobKind, int> codes[] = {
        {JobKind::PhonebookRead, 2}, {JobKind::PhonebookWrite, 3}, {JobKind::SmsSend, 4},
        {JobKind::SmsRead, 5},       {JobKind::SmsDelete, 6},      {JobKind::LockQuery, 7},
        {JobKind::LockSet, 8},       {JobKind::ForwardQuery, 9},   {JobKind::ForwardSet, 10},
        {JobKind::MelodyWrite, 11},  {JobKind::MelodyTest, 12},
    };
    EngineHarness h;
    for (const auto& [kind, code] : codes) {
        EXPECT_EQ(zel::jobCode(kind), code);
        JobRecord* head = zel::jobRecord(*h.shared, kind);
        ASSERT_NE(head, nullptr);
        head->window = kClient;
        head->message = UINT(code);
        head->state = 2;
        zel::EngineContext context{*h.shared, h.engine.local(), h.services, h.shared->simPin};
        JobStep step(context, kind, nullptr, PORT_DSR_ON, 0);
        step.finish(RESULT_TIMEOUT);
        EXPECT_EQ(head->state, JOB_IDLE);
        EXPECT_EQ(h.answers(kClient, UINT(code)), (std::vector<Answer>{{code, RESULT_TIMEOUT}}));
    }
}

} // namespace
