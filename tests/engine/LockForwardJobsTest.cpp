// Barring and forwarding jobs line by line with a fake clock: the class mask a query builds, the
// wrong-password answer told apart by its number, the forwarding result per class, and the
// commands a set composes for each reason and mode.
#include "JobTestSupport.h"

#include "engine/ForwardJobs.h"
#include "engine/LockJobs.h"
#include "engine/Requests.h"
#include "engine/SharedResults.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace zeltest;

namespace {

struct MaskCase {
    std::vector<const char*> lines;
    int mask;
};

class LockQueryMasks : public ::testing::TestWithParam<MaskCase> {};

TEST_P(LockQueryMasks, AreBuiltFromTheStatusLines)
{
    JobHarness h;
    zel::requestLockQuery(*h.shared, kRequester, kReplyMessage, "AO");
    EXPECT_EQ(h.tick(), "AT^SLCK=\"AO\",2\r");
    for (const char* line : GetParam().lines)
        EXPECT_EQ(h.exactLine(line), "");
    h.line("OK");
    EXPECT_EQ(onlyAnswer(h), (Answer{JOB_LOCK_QUERY, GetParam().mask}));
}

INSTANTIATE_TEST_SUITE_P(
    LockQuery, LockQueryMasks,
    ::testing::Values(MaskCase{{}, 0}, MaskCase{{"^SLCK: 1"}, 7}, MaskCase{{"^SLCK: 0"}, 0},
                      MaskCase{{"^SLCK: 1,7", "^SLCK: 0,1"}, 6}, MaskCase{{"^SLCK: 1,2", "^SLCK: 1,4"}, 6},
                      MaskCase{{"^SLCK: 1,1", "^SLCK: 0,2", "^SLCK: 0,4"}, 1},
                      // classes beyond fax do not enter the mask, which stays 0 to 7
                      MaskCase{{"^SLCK: 1,13"}, 5}, MaskCase{{"^SLCK: 1,255"}, 7},
                      MaskCase{{"^SLCK: x,1", "^SLCK:", "+CLCK: 1,1", "AT^SLCK=\"AO\",2"}, 0}));

TEST(LockQuery, NetworkHasFifteenSecondsThenThreeAfterEachLine)
{
    JobHarness h;
    zel::requestLockQuery(*h.shared, kRequester, kReplyMessage, "OI");
    h.tick();
    h.after(14000);
    h.line("^SLCK: 1,1");
    EXPECT_EQ(h.after(3000), "");
    EXPECT_TRUE(h.got().empty());
    h.after(1);
    EXPECT_EQ(onlyAnswer(h), (Answer{JOB_LOCK_QUERY, RESULT_TIMEOUT}));
}

class LockSet : public ::testing::Test {
protected:
    // Up to the set command, after numeric error codes were switched on.
    void startSet(const char* password = "1234")
    {
        zel::requestLockSet(*h.shared, kRequester, kReplyMessage, "AI", password, 1, 4);
        ASSERT_EQ(h.tick(), "AT+CMEE=1\r");
        ASSERT_EQ(h.line("OK"), std::string("AT^SLCK=\"AI\",1,\"") + "1234" + "\",4\r");
    }

    JobHarness h;
};

TEST_F(LockSet, OkEndsWithOk)
{
    startSet();
    h.line("OK");
    EXPECT_EQ(onlyAnswer(h), (Answer{JOB_LOCK_SET, RESULT_OK}));
}

TEST_F(LockSet, PasswordLosesWhatWouldBreakTheCommand)
{
    startSet("12\"3\r4\x1a");
}

class WrongPasswordAnswers : public LockSet, public ::testing::WithParamInterface<const char*> {};

TEST_P(WrongPasswordAnswers, EndWithWrongPassword)
{
    startSet();
    h.line(GetParam());
    EXPECT_EQ(onlyAnswer(h), (Answer{JOB_LOCK_SET, RESULT_WRONG_PASSWORD}));
}

INSTANTIATE_TEST_SUITE_P(LockSet, WrongPasswordAnswers,
                         ::testing::Values("+CME ERROR: 16", "+CME ERROR:16", "+CME ERROR: 16 "));

// Other refusals, also ones that hold " 16" somewhere, are not a wrong password: the job ends by
// its deadline.
class OtherRefusals : public LockSet, public ::testing::WithParamInterface<const char*> {};

TEST_P(OtherRefusals, EndByTheDeadline)
{
    startSet();
    h.line(GetParam());
    EXPECT_EQ(h.after(15000), "");
    EXPECT_TRUE(h.got().empty());
    h.after(1);
    EXPECT_EQ(onlyAnswer(h), (Answer{JOB_LOCK_SET, RESULT_TIMEOUT}));
}

INSTANTIATE_TEST_SUITE_P(LockSet, OtherRefusals,
                         ::testing::Values("+CME ERROR: 160", "+CME ERROR: 3 16", "+CME ERROR: 116", "ERROR",
                                           "+CMS ERROR: 16", "+CME ERROR: incorrect password 16"));

TEST_F(LockSet, NumericCodesGetTwoSeconds)
{
    zel::requestLockSet(*h.shared, kRequester, kReplyMessage, "AO", "0000", 0, 7);
    h.tick();
    EXPECT_EQ(h.after(2000), "");
    h.after(1);
    EXPECT_EQ(onlyAnswer(h), (Answer{JOB_LOCK_SET, RESULT_TIMEOUT}));
}

class ForwardQuery : public ::testing::Test {
protected:
    FwdResult* result() { return zel::forwardResult(*h.shared, m_result); }

    void query(int reason, std::initializer_list<const char*> lines)
    {
        zel::requestForwardQuery(*h.shared, kRequester, kReplyMessage, reason);
        EXPECT_EQ(h.tick(), "AT+CCFC=" + std::to_string(reason) + ",2\r");
        for (const char* line : lines)
            h.exactLine(line);
    }

    JobHarness h;
    FwdResult m_result{};
};

TEST_F(ForwardQuery, FillsTheEntryOfEachClass)
{
    EXPECT_EQ(result(), nullptr) << "nothing before the first query";
    query(2, {"+CCFC: 1,1,\"+491701234567\",145,,,25", "+CCFC: 1,4,\"0301234\",129", "+CCFC: 0,2"});
    ASSERT_NE(result(), nullptr) << "the entries are there from the start of the query";
    h.line("OK");
    EXPECT_EQ(onlyAnswer(h), (Answer{JOB_FORWARD_QUERY, RESULT_OK}));
    const FwdResult* r = result();
    ASSERT_NE(r, nullptr);
    EXPECT_EQ(r->entry[0].status, 1);
    EXPECT_STREQ(r->entry[0].number, "+491701234567");
    EXPECT_EQ(r->entry[0].time, 25);
    EXPECT_EQ(r->entry[1].status, 0);
    EXPECT_STREQ(r->entry[1].number, "");
    EXPECT_EQ(r->entry[2].status, 1);
    EXPECT_STREQ(r->entry[2].number, "0301234");
    EXPECT_EQ(r->entry[2].time, 0);
}

TEST_F(ForwardQuery, OtherClassesChangeNoEntryAndTheLastLineOfAClassWins)
{
    query(0, {"+CCFC: 1,7,\"111\",129", "+CCFC: 1,1,\"222\",129", "+CCFC: 1,1,\"333\",129,,,5",
              "+CCFC: 1,3,\"444\",129", "+CCFC: 1", "+CCFC: 1,8,\"555\",129"});
    h.line("OK");
    const FwdResult* r = result();
    ASSERT_NE(r, nullptr);
    EXPECT_STREQ(r->entry[0].number, "333");
    EXPECT_EQ(r->entry[0].time, 5);
    EXPECT_STREQ(r->entry[1].number, "");
    EXPECT_STREQ(r->entry[2].number, "");
}

TEST_F(ForwardQuery, NumberIsCutToFiftyCharactersAndTheTimeStillRead)
{
    const std::string line = "+CCFC: 1,2,\"" + std::string(60, '7') + "\",129,,,30";
    query(2, {line.c_str()});
    h.line("OK");
    ASSERT_NE(result(), nullptr);
    EXPECT_EQ(std::string(result()->entry[1].number), std::string(50, '7'));
    EXPECT_EQ(result()->entry[1].time, 30);
}

TEST_F(ForwardQuery, NextQueryStartsFromEmptyEntries)
{
    query(1, {"+CCFC: 1,1,\"222\",129", "OK"});
    query(1, {});
    ASSERT_NE(result(), nullptr);
    EXPECT_STREQ(result()->entry[0].number, "");
    EXPECT_EQ(result()->entry[0].status, 0);
}

TEST_F(ForwardQuery, SilentNetworkEndsAfterFifteenSeconds)
{
    query(3, {});
    EXPECT_EQ(h.after(15000), "");
    h.after(1);
    EXPECT_EQ(onlyAnswer(h), (Answer{JOB_FORWARD_QUERY, RESULT_TIMEOUT}));
}

struct SetCase {
    int reason;
    int mode;
    const char* number;
    int time;
    int classes;
    const char* command;
};

class ForwardSetCommands : public ::testing::TestWithParam<SetCase> {};

TEST_P(ForwardSetCommands, AreComposedForReasonAndMode)
{
    const SetCase& c = GetParam();
    JobHarness h;
    zel::requestForwardSet(*h.shared, kRequester, kReplyMessage, c.reason, c.mode, c.number, c.time, c.classes);
    EXPECT_EQ(h.tick(), c.command);
    h.line("OK");
    EXPECT_EQ(onlyAnswer(h), (Answer{JOB_FORWARD_SET, RESULT_OK}));
}

INSTANTIATE_TEST_SUITE_P(
    ForwardSet, ForwardSetCommands,
    ::testing::Values(SetCase{2, 3, "+491701234567", 20, 1, "AT+CCFC=2,3,\"+491701234567\",145,1,,,20\r"},
                      SetCase{0, 4, "", 0, 1, "AT+CCFC=0,4,,,1\r"},
                      SetCase{0, 3, "0301234", 20, 4, "AT+CCFC=0,3,\"0301234\",129,4\r"},
                      SetCase{1, 1, "0301234", 20, 2, "AT+CCFC=1,1,\"0301234\",129,2\r"},
                      SetCase{3, 0, "0301234", 20, 7, "AT+CCFC=3,0,,,7\r"},
                      SetCase{2, 3, "+49\"170\r\n", 10, 1, "AT+CCFC=2,3,\"+49170\",145,1,,,10\r"}));

TEST(ForwardSet, ErrorIsWaitedOutForFifteenSeconds)
{
    JobHarness h;
    zel::requestForwardSet(*h.shared, kRequester, kReplyMessage, 0, 4, "", 0, 1);
    h.tick();
    h.line("+CME ERROR: 30");
    EXPECT_EQ(h.after(15000), "");
    h.after(1);
    EXPECT_EQ(onlyAnswer(h), (Answer{JOB_FORWARD_SET, RESULT_TIMEOUT}));
}

} // namespace
