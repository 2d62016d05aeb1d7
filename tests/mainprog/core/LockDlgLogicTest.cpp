// The barring dialog's logic against a fake engine: the lock commands of a set, the class shown
// after a query, the password asked once, and how walks and failures end.
#include "mainprog/core/LockDlgLogic.h"
#include "tests/mainprog/core/CallServiceFakes.h"

#include <gtest/gtest.h>

#include <map>

namespace corvant {
namespace {

using test::FakeCallService;

class LockDlgLogicTest : public ::testing::Test {
protected:
    LockDlgLogicTest()
        : profile("Torvane", "Quorvane PRO")
    {
    }

    LockDlgLogic& open()
    {
        LockDlgLogic::Hooks h;
        h.status = [this](const std::string& text) { statuses.push_back(text); };
        h.appBusy = [this](bool busy) { appBusy = busy; };
        h.enable = [this](int id, bool on) { enabled[id] = on; };
        h.askPassword = [this]() -> std::optional<std::string> {
            ++asked;
            return password;
        };
        logic = std::make_unique<LockDlgLogic>(engine, profile, h);
        logic->OnInitDialog();
        return *logic;
    }

    // Answers the three lock commands of one row.
    void answerRow(LockDlgLogic& l)
    {
        for (int i = 0; i < 3; ++i)
            l.OnBarringSet(0);
    }

    FakeCallService engine;
    torvane::registry::AppProfile profile;
    std::unique_ptr<LockDlgLogic> logic;
    std::vector<std::string> statuses;
    std::map<int, bool> enabled;
    std::optional<std::string> password = std::string("1234");
    int asked = 0;
    bool appBusy = false;
};

TEST_F(LockDlgLogicTest, OnlyVoiceBarredLocksVoiceAndUnlocksDataAndFaxWithOnePassword)
{
    LockDlgLogic& l = open();
    l.OnRowSelChange(0, 2);
    EXPECT_TRUE(enabled[1029]);
    l.OnSetFacility(0);
    EXPECT_TRUE(appBusy);
    EXPECT_FALSE(enabled[IDC_LOCK_CLOSE]);
    answerRow(l);
    ASSERT_EQ(engine.requests.size(), 3u);
    const std::pair<int, int> expected[] = {{LOCK_MODE_LOCK, 1}, {LOCK_MODE_UNLOCK, 2}, {LOCK_MODE_UNLOCK, 4}};
    for (int i = 0; i < 3; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(engine.requests[i].kind, "lockset");
        EXPECT_EQ(engine.requests[i].message, WM_LOCK_SET_DONE);
        EXPECT_EQ(engine.requests[i].facility, "AO");
        EXPECT_EQ(engine.requests[i].password, "1234");
        EXPECT_EQ(engine.requests[i].mode, expected[i].first);
        EXPECT_EQ(engine.requests[i].classes, expected[i].second);
    }
    EXPECT_EQ(statuses.back(), "Action successful");
    EXPECT_FALSE(appBusy);
    EXPECT_TRUE(enabled[IDC_LOCK_CLOSE]);
    EXPECT_EQ(l.lastKnown(0), 2);
    EXPECT_FALSE(enabled[1028]);
    EXPECT_FALSE(enabled[1029]);
}

TEST_F(LockDlgLogicTest, EveryClassChoiceLocksExactlyItsBits)
{
    for (int index = 0; index < LOCK_CLASS_COUNT; ++index) {
        SCOPED_TRACE(index);
        engine.requests.clear();
        LockDlgLogic& l = open();
        l.OnRowSelChange(3, index);
        l.OnSetFacility(3);
        answerRow(l);
        ASSERT_EQ(engine.requests.size(), 3u);
        int locked = 0;
        for (const auto& r : engine.requests) {
            EXPECT_EQ(r.facility, "AI");
            if (r.mode == LOCK_MODE_LOCK)
                locked |= r.classes;
        }
        EXPECT_EQ(locked, kBarringClasses[index]);
    }
}

TEST_F(LockDlgLogicTest, AQueryAnswerSelectsTheChoiceOfItsMask)
{
    const std::pair<LPARAM, int> cases[] = {{6, 5}, {0, 0}, {7, 1}, {1, 2}, {5, 7}, {15, 1}};
    for (const auto& [mask, index] : cases) {
        SCOPED_TRACE(mask);
        LockDlgLogic& l = open();
        l.OnCheckFacility(2);
        ASSERT_EQ(engine.requests.back().kind, "lockget");
        EXPECT_EQ(engine.requests.back().facility, "OX");
        EXPECT_EQ(engine.requests.back().message, WM_LOCK_QUERY_DONE);
        l.OnBarringQueried(JOB_LOCK_QUERY, mask);
        EXPECT_EQ(l.selection(2), index);
        EXPECT_EQ(l.lastKnown(2), index);
        EXPECT_EQ(statuses.back(), "Action successful");
        EXPECT_FALSE(appBusy);
    }
}

TEST_F(LockDlgLogicTest, AnAnswerOfAnotherJobIsIgnored)
{
    LockDlgLogic& l = open();
    l.OnCheckFacility(0);
    l.OnBarringQueried(JOB_LOCK_SET, 7);
    EXPECT_TRUE(l.busy());
    EXPECT_EQ(l.selection(0), 0);
}

TEST_F(LockDlgLogicTest, ThePasswordIsAskedOncePerDialog)
{
    LockDlgLogic& l = open();
    l.OnSetFacility(0);
    answerRow(l);
    l.OnSetFacility(1);
    answerRow(l);
    EXPECT_EQ(asked, 1);
    EXPECT_EQ(engine.requests.size(), 6u);
    EXPECT_EQ(engine.requests.back().password, "1234");

    // A new run of the dialog asks again.
    open().OnSetFacility(0);
    EXPECT_EQ(asked, 2);
}

TEST_F(LockDlgLogicTest, ACancelledPasswordStartsNothingAndEndsADeleteAll)
{
    password.reset();
    LockDlgLogic& l = open();
    l.OnSetAll();
    EXPECT_TRUE(engine.requests.empty());
    EXPECT_FALSE(l.busy());
    EXPECT_FALSE(l.walking());
    EXPECT_FALSE(appBusy);
}

TEST_F(LockDlgLogicTest, AWrongPasswordIsReportedEndsTheWalkAndIsAskedAgain)
{
    LockDlgLogic& l = open();
    l.OnSetAll();
    l.OnBarringSet(0);
    l.OnBarringSet(RESULT_WRONG_PASSWORD);
    EXPECT_EQ(engine.reports, (std::vector<std::pair<int, int>>{{4, IDS_PASSWORD_ERROR}}));
    EXPECT_EQ(statuses.back(), "Error during password entry.");
    EXPECT_FALSE(l.busy());
    EXPECT_FALSE(l.walking());
    EXPECT_FALSE(appBusy);
    EXPECT_FALSE(l.holdsPassword());
    EXPECT_EQ(engine.requests.size(), 2u);

    password = "4321";
    l.OnSetFacility(1);
    EXPECT_EQ(asked, 2);
    EXPECT_EQ(engine.requests.back().password, "4321");
    answerRow(l);
    EXPECT_EQ(engine.requests.size(), 5u); // the single set stays single
}

TEST_F(LockDlgLogicTest, FailuresEndTheWalkAndItsFlag)
{
    const struct {
        const char* name;
        bool set;
        bool refuse;
        int errorId;
        const char* text;
    } cases[] = {
        {"query time-out", false, false, IDS_LOCK_CHECK_ERROR, "An error occurred while checking the barrings."},
        {"query refused", false, true, IDS_LOCK_CHECK_ERROR, "An error occurred while checking the barrings."},
        {"set time-out", true, false, IDS_LOCK_SET_ERROR, "An error occurred while setting the barrings."},
        {"set refused", true, true, IDS_LOCK_SET_ERROR, "An error occurred while setting the barrings."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        engine = FakeCallService();
        LockDlgLogic& l = open();
        c.set ? l.OnSetAll() : l.OnCheckAll();
        // Rows 0 and 1 go well; the third row fails.
        for (int row = 0; row < 2; ++row) {
            if (c.set)
                answerRow(l);
            else
                l.OnBarringQueried(JOB_LOCK_QUERY, 0);
        }
        if (c.refuse) {
            engine.requestResult = -1;
            c.set ? l.OnBarringSet(0) : l.OnBarringQueried(JOB_LOCK_QUERY, 0);
        } else {
            c.set ? l.OnBarringSet(-1) : l.OnBarringQueried(JOB_LOCK_QUERY, -1);
        }
        ASSERT_EQ(engine.reports.size(), 1u);
        EXPECT_EQ(engine.reports[0], std::make_pair(3, c.errorId));
        EXPECT_EQ(statuses.back(), c.text);
        EXPECT_FALSE(appBusy);
        EXPECT_FALSE(l.walking());
        // A time-out stops at the third row; a refused request at the request that was refused.
        EXPECT_EQ(engine.requests.back().facility, c.refuse && !c.set ? "AI" : "OX");

        engine.requestResult = 0;
        const std::size_t before = engine.requests.size();
        if (c.set) {
            l.OnSetFacility(3);
            answerRow(l);
        } else {
            l.OnCheckFacility(3);
            l.OnBarringQueried(JOB_LOCK_QUERY, 0);
        }
        EXPECT_EQ(engine.requests.size() - before, c.set ? 3u : 1u);
        EXPECT_FALSE(l.busy());
    }
}

TEST_F(LockDlgLogicTest, CheckAllShowsSuccessAfterTheFifthAnswer)
{
    LockDlgLogic& l = open();
    l.OnCheckAll();
    const char* facilities[] = {"AO", "OI", "OX", "AI", "IR"};
    for (int row = 0; row < LOCK_ROW_COUNT; ++row) {
        ASSERT_EQ(engine.requests.back().facility, facilities[row]);
        EXPECT_NE(statuses.back(), "Action successful");
        l.OnBarringQueried(JOB_LOCK_QUERY, row);
    }
    EXPECT_EQ(engine.requests.size(), 5u);
    EXPECT_EQ(statuses.back(), "Action successful");
    EXPECT_EQ(l.selection(4), 4); // mask 4: only FAX
    EXPECT_FALSE(appBusy);
}

TEST_F(LockDlgLogicTest, DeleteAllWritesEveryRowWithItsOwnChoice)
{
    LockDlgLogic& l = open();
    l.OnRowSelChange(4, 1);
    l.OnSetAll();
    for (int row = 0; row < LOCK_ROW_COUNT; ++row)
        answerRow(l);
    ASSERT_EQ(engine.requests.size(), 15u);
    for (int i = 12; i < 15; ++i) {
        EXPECT_EQ(engine.requests[i].facility, "IR");
        EXPECT_EQ(engine.requests[i].mode, LOCK_MODE_LOCK);
    }
    EXPECT_EQ(engine.requests[0].mode, LOCK_MODE_UNLOCK);
    EXPECT_EQ(statuses.back(), "Action successful");
    EXPECT_FALSE(appBusy);
}

TEST_F(LockDlgLogicTest, StoredChoicesAreReadAtOpeningAndSavedAtClose)
{
    profile.WriteProfileInt(LOCK_SECTION, "Lock_AllIncoming", 3);
    profile.WriteProfileInt(LOCK_SECTION, "Lock_OutgoingInt", 8);
    profile.WriteProfileInt(LOCK_SECTION, "Lock_IncomingRoam", -1);
    LockDlgLogic& l = open();
    EXPECT_EQ(l.selection(3), 3);
    EXPECT_EQ(l.selection(1), 0);
    EXPECT_EQ(l.selection(4), 0);
    l.OnRowSelChange(0, 7);
    l.OnCheckFacility(0);
    EXPECT_FALSE(l.OnOK()); // not while busy
    l.OnBarringQueried(JOB_LOCK_QUERY, 2);
    EXPECT_TRUE(l.OnOK());
    EXPECT_EQ(profile.GetProfileInt(LOCK_SECTION, "Lock_AllOutgoing", -1), 3u);
    EXPECT_EQ(profile.GetProfileInt(LOCK_SECTION, "Lock_OutgoingInt", -1), 0u);
    EXPECT_EQ(profile.GetProfileInt(LOCK_SECTION, "Lock_AllIncoming", -1), 3u);
}

TEST_F(LockDlgLogicTest, NothingStartsWhileBusy)
{
    LockDlgLogic& l = open();
    l.OnCheckFacility(0);
    l.OnCheckFacility(1);
    l.OnSetFacility(1);
    l.OnCheckAll();
    l.OnSetAll();
    EXPECT_EQ(engine.requests.size(), 1u);
    EXPECT_EQ(asked, 0);
    EXPECT_FALSE(l.walking());
}

} // namespace
} // namespace corvant
