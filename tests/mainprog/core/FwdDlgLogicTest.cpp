// The forwarding dialog's logic against a fake engine: the requests it makes in order, what the
// rows show after an answer, the histories it keeps in the profile, and how walks end.
#include "mainprog/core/FwdDlgLogic.h"
#include "tests/mainprog/core/CallServiceFakes.h"

#include <gtest/gtest.h>

#include <map>

namespace corvant {
namespace {

using test::FakeCallService;

class FwdDlgLogicTest : public ::testing::Test {
protected:
    FwdDlgLogicTest()
        : profile("Torvane", "Quorvane PRO")
        , logic(engine, profile, hooks())
    {
    }

    FwdDlgLogic::Hooks hooks()
    {
        FwdDlgLogic::Hooks h;
        h.status = [this](const std::string& text) { statuses.push_back(text); };
        h.appBusy = [this](bool busy) { appBusy = busy; };
        h.enable = [this](int id, bool on) { enabled[id] = on; };
        return h;
    }

    std::string history(const std::string& name) { return profile.GetProfileString(FWD_SECTION, name, "<none>"); }

    FakeCallService engine;
    torvane::registry::AppProfile profile;
    std::vector<std::string> statuses;
    std::map<int, bool> enabled;
    bool appBusy = false;
    FwdDlgLogic logic;
};

TEST_F(FwdDlgLogicTest, SetOnNoReplyWritesErasuresAndACleanedRegistrationWithTheDelay)
{
    logic.OnInitDialog();
    logic.OnRowSelChange(3, 0);                 // voice: "No forwarding"
    logic.OnRowSelChange(4, 1);                 // data: "as voice"
    logic.OnRowEditUpdate(5, "+49-170/123456"); // fax typed
    logic.OnRowEditUpdate(14, "20");

    logic.OnSetReason(2);
    EXPECT_TRUE(appBusy);
    EXPECT_EQ(enabled[IDC_FWD_CLOSE], false);
    logic.OnForwardingWritten(0);
    logic.OnForwardingWritten(0);
    logic.OnForwardingWritten(0);

    ASSERT_EQ(engine.requests.size(), 3u);
    const struct {
        int mode;
        const char* number;
        int time;
        int classes;
    } expected[] = {{FWD_MODE_ERASURE, "", 0, 1}, {FWD_MODE_ERASURE, "", 0, 2}, {FWD_MODE_REGISTRATION, "+49170123456", 20, 4}};
    for (int i = 0; i < 3; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(engine.requests[i].kind, "fwdwrite");
        EXPECT_EQ(engine.requests[i].message, WM_FORWARD_SET_DONE);
        EXPECT_EQ(engine.requests[i].reason, 2);
        EXPECT_EQ(engine.requests[i].mode, expected[i].mode);
        EXPECT_EQ(engine.requests[i].number, expected[i].number);
        EXPECT_EQ(engine.requests[i].time, expected[i].time);
        EXPECT_EQ(engine.requests[i].classes, expected[i].classes);
    }
    EXPECT_EQ(statuses.back(), "Action successful");
    EXPECT_FALSE(appBusy);
    EXPECT_FALSE(logic.busy());
    EXPECT_EQ(enabled[fwdCheckButton(2)], false);
    EXPECT_EQ(enabled[fwdSetButton(2)], false);
}

TEST_F(FwdDlgLogicTest, AsVoiceRegistersTheVoiceNumberAndOtherReasonsSendNoDelay)
{
    logic.OnInitDialog();
    logic.OnRowEditUpdate(9, "0301234");
    logic.OnRowSelChange(10, 1);
    logic.OnRowSelChange(11, 0);
    logic.OnRowEditUpdate(12, "25");
    logic.OnSetReason(0);
    logic.OnForwardingWritten(0);
    logic.OnForwardingWritten(0);
    ASSERT_EQ(engine.requests.size(), 3u);
    EXPECT_EQ(engine.requests[0].mode, FWD_MODE_REGISTRATION);
    EXPECT_EQ(engine.requests[0].number, "0301234");
    EXPECT_EQ(engine.requests[0].time, 0);
    EXPECT_EQ(engine.requests[1].mode, FWD_MODE_REGISTRATION);
    EXPECT_EQ(engine.requests[1].number, "0301234");
    EXPECT_EQ(engine.requests[1].classes, 2);
    EXPECT_EQ(engine.requests[2].mode, FWD_MODE_ERASURE);
}

TEST_F(FwdDlgLogicTest, QueryShowsAnActiveDataEntryAsItsNumberAndTheDelays)
{
    logic.OnInitDialog();
    engine.answer(0, 0, "");
    engine.answer(1, 1, "+4930555", 25);
    engine.answer(2, 1, "0815", 10);
    logic.OnCheckReason(2);
    ASSERT_EQ(engine.requests.size(), 1u);
    EXPECT_EQ(engine.requests[0].kind, "fwdread");
    EXPECT_EQ(engine.requests[0].reason, 2);
    EXPECT_EQ(statuses.back(), "Check in progress...");
    logic.OnForwardingRead(0);

    EXPECT_EQ(logic.row(3).selection, 0);
    EXPECT_EQ(logic.row(3).text, "No forwarding");
    EXPECT_EQ(logic.row(4).text, "+4930555");
    EXPECT_EQ(logic.row(4).selection, -1);
    EXPECT_EQ(logic.row(5).text, "0815");
    EXPECT_EQ(logic.row(13).text, "25");
    EXPECT_EQ(logic.row(14).text, "10");
    EXPECT_EQ(logic.row(12).text, "15");
    EXPECT_EQ(statuses.back(), "Action successful");
    EXPECT_EQ(enabled[fwdCheckButton(2)], false);
    EXPECT_FALSE(appBusy);
}

TEST_F(FwdDlgLogicTest, ANewNumberBecomesTheFirstHistoryNumberAndAKnownOneIsOnlySelected)
{
    profile.WriteProfileString(FWD_SECTION, "AllVoiceNum1", "111");
    profile.WriteProfileString(FWD_SECTION, "AllVoiceNum2", "222");
    logic.OnInitDialog();
    ASSERT_EQ(logic.row(9).entries, (std::vector<std::string>{"No forwarding", "111", "222"}));

    logic.OnRowEditUpdate(9, "333");
    logic.OnSetReason(0);
    logic.OnForwardingWritten(0);
    EXPECT_EQ(history("AllVoiceNum1"), "333");
    EXPECT_EQ(history("AllVoiceNum2"), "111");
    EXPECT_EQ(history("AllVoiceNum3"), "222");
    EXPECT_EQ(profile.GetProfileInt(FWD_SECTION, "AllVoice", -1), 1u);
    EXPECT_EQ(logic.row(9).entries, (std::vector<std::string>{"No forwarding", "333", "111", "222"}));
    EXPECT_EQ(logic.row(9).selection, 1);
    logic.OnForwardingWritten(0);
    logic.OnForwardingWritten(0);

    // The same number typed again is selected where it stands, not added a second time.
    logic.OnRowEditUpdate(9, "222");
    logic.OnSetReason(0);
    logic.OnForwardingWritten(0);
    EXPECT_EQ(logic.row(9).entries, (std::vector<std::string>{"No forwarding", "333", "111", "222"}));
    EXPECT_EQ(history("AllVoiceNum4"), "<none>");
    EXPECT_EQ(profile.GetProfileInt(FWD_SECTION, "AllVoice", -1), 3u);
}

TEST_F(FwdDlgLogicTest, AFullHistoryDropsItsOldestNumber)
{
    for (int i = 1; i <= 5; ++i)
        profile.WriteProfileString(FWD_SECTION, "BusyDataNum" + std::to_string(i), std::to_string(i * 11));
    logic.OnInitDialog();
    ASSERT_EQ(logic.row(7).entries.size(), 7u);
    logic.OnRowEditUpdate(7, "99");
    logic.SaveNumberHistory(7);
    EXPECT_EQ(history("BusyDataNum1"), "99");
    EXPECT_EQ(history("BusyDataNum2"), "11");
    EXPECT_EQ(history("BusyDataNum5"), "44");
    EXPECT_EQ(profile.GetProfileInt(FWD_SECTION, "BusyData", -1), 2u);
}

TEST_F(FwdDlgLogicTest, CloseSavesTheDelaysAtMostEightCharactersAndOpeningReadsThem)
{
    logic.OnInitDialog();
    EXPECT_EQ(logic.row(12).text, "15");
    logic.OnRowEditUpdate(12, "123456789012");
    logic.OnRowSelChange(13, 5);
    logic.OnCloseButton();
    EXPECT_EQ(history("NoRespVoiceTimeVal"), "12345678");
    EXPECT_EQ(history("NoRespDataTimeVal"), "30");
    EXPECT_EQ(history("NoRespFaxTimeVal"), "15");
}

TEST_F(FwdDlgLogicTest, CheckAllWalksDownToReasonZeroAndEndsWithItsValues)
{
    logic.OnInitDialog();
    logic.OnCheckAll();
    for (int reason = 3; reason >= 0; --reason) {
        engine.answer(0, reason == 0 ? 1 : 0, "0170999");
        ASSERT_EQ(engine.requests.back().reason, reason);
        EXPECT_TRUE(logic.busy());
        logic.OnForwardingRead(0);
    }
    EXPECT_EQ(engine.requests.size(), 4u);
    EXPECT_EQ(logic.row(9).text, "0170999");
    EXPECT_EQ(logic.row(6).selection, 0);
    EXPECT_EQ(statuses.back(), "Action successful");
    EXPECT_FALSE(logic.busy());
    EXPECT_FALSE(logic.walking());
}

// A failure ends the walk and its flag, so the next single request stays single; the program
// is never left busy.
TEST_F(FwdDlgLogicTest, FailuresEndTheWalk)
{
    const struct {
        const char* name;
        bool set;
        bool refuse; // the request itself is refused, rather than timed out
        int errorId;
        const char* text;
    } cases[] = {
        {"query time-out", false, false, IDS_FWD_CHECK_ERROR, "An error occurred while checking the call numbers."},
        {"query refused", false, true, IDS_FWD_CHECK_ERROR, "An error occurred while checking the call numbers."},
        {"write time-out", true, false, IDS_FWD_SET_ERROR, "An error occurred while saving the call numbers."},
        {"write refused", true, true, IDS_FWD_SET_ERROR, "An error occurred while saving the call numbers."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        FakeCallService fake;
        std::vector<std::string> texts;
        bool busy = false;
        FwdDlgLogic::Hooks h;
        h.status = [&](const std::string& text) { texts.push_back(text); };
        h.appBusy = [&](bool b) { busy = b; };
        FwdDlgLogic walk(fake, profile, h);
        walk.OnInitDialog();
        c.set ? walk.OnSetAll() : walk.OnCheckAll();
        // The walk is under way at reason 2 when the failure comes.
        if (c.set) {
            for (int i = 0; i < 3; ++i)
                walk.OnForwardingWritten(0);
        } else {
            walk.OnForwardingRead(0);
        }
        if (c.refuse) {
            fake.requestResult = -1;
            c.set ? walk.OnForwardingWritten(0) : walk.OnForwardingRead(0);
        } else {
            c.set ? walk.OnForwardingWritten(-1) : walk.OnForwardingRead(-1);
        }
        ASSERT_EQ(fake.reports.size(), 1u);
        EXPECT_EQ(fake.reports[0], std::make_pair(3, c.errorId));
        EXPECT_EQ(texts.back(), c.text);
        EXPECT_FALSE(busy);
        EXPECT_FALSE(walk.busy());

        fake.requestResult = 0;
        const std::size_t before = fake.requests.size();
        c.set ? walk.OnSetReason(1) : walk.OnCheckReason(1);
        c.set ? walk.OnForwardingWritten(0) : walk.OnForwardingRead(0);
        if (c.set) {
            walk.OnForwardingWritten(0);
            walk.OnForwardingWritten(0);
        }
        EXPECT_EQ(fake.requests.size() - before, c.set ? 3u : 1u);
        EXPECT_EQ(fake.requests.back().reason, 1);
        EXPECT_FALSE(walk.busy());
    }
}

TEST_F(FwdDlgLogicTest, ANoRecordAnswerIsAFailure)
{
    logic.OnInitDialog();
    engine.hasResult = false;
    logic.OnCheckReason(0);
    logic.OnForwardingRead(0);
    EXPECT_EQ(engine.reports, (std::vector<std::pair<int, int>>{{3, IDS_FWD_CHECK_ERROR}}));
    EXPECT_FALSE(appBusy);
}

TEST_F(FwdDlgLogicTest, AStoredIndexOutsideTheListSelectsNoForwarding)
{
    profile.WriteProfileString(FWD_SECTION, "NoreachDataNum1", "555");
    profile.WriteProfileInt(FWD_SECTION, "NoreachData", 2);  // in range: the history number
    profile.WriteProfileInt(FWD_SECTION, "NoreachVoice", 6); // the list holds one entry
    profile.WriteProfileInt(FWD_SECTION, "AllFax", -4);
    logic.OnInitDialog();
    EXPECT_EQ(logic.row(1).selection, 2);
    EXPECT_EQ(logic.row(1).text, "555");
    EXPECT_EQ(logic.row(0).selection, 0);
    EXPECT_EQ(logic.row(0).text, "No forwarding");
    EXPECT_EQ(logic.row(11).selection, 0);
}

TEST_F(FwdDlgLogicTest, NumberTextsAreCheckedAndCleaned)
{
    const struct {
        const char* text;
        bool valid;
        const char* normalized;
    } cases[] = {
        {"", true, ""},
        {"+49 170", false, "+49170"},
        {"*#21#", true, "*#21#"},
        {"030-12/34?", true, "0301234?"},
        {"0170a", false, "0170"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(FwdDlgLogic::IsValidNumberText(c.text), c.valid);
        EXPECT_EQ(FwdDlgLogic::NormalizeNumber(c.text), c.normalized);
    }
    logic.OnInitDialog();
    logic.OnRowEditUpdate(2, "0171x");
    EXPECT_EQ(logic.row(2).text, "");
    EXPECT_EQ(logic.row(2).currentText, "");
    logic.OnRowEditUpdate(13, "20 s"); // a delay text is free
    EXPECT_EQ(logic.row(13).text, "20 s");
}

TEST_F(FwdDlgLogicTest, DelayTextsGiveTheirLeadingNumber)
{
    const std::pair<const char*, int> cases[] = {{"20", 20}, {"  +25s", 25}, {" -5", -5}, {"abc", 0}, {"", 0},
                                                 {"99999999999", 2147483647}};
    for (const auto& [text, value] : cases)
        EXPECT_EQ(FwdDlgLogic::leadingNumber(text), value) << text;
}

TEST_F(FwdDlgLogicTest, ATypedNumberSurvivesAClickOnAControlButNotLeavingTheCombo)
{
    logic.OnInitDialog();
    logic.OnRowSetFocus(0);
    logic.OnRowEditUpdate(0, "0123");
    logic.OnRowKillFocus(0);
    EXPECT_EQ(logic.row(0).text, "No forwarding");
    EXPECT_EQ(logic.row(0).selection, 0);

    logic.OnRowSetFocus(0);
    logic.OnRowEditUpdate(0, "0123");
    logic.OnMouseDown(false);
    logic.OnRowKillFocus(0);
    EXPECT_EQ(logic.row(0).text, "0123");

    logic.OnRowSetFocus(14);
    EXPECT_EQ(logic.OnEnter(), 0);
}

} // namespace
} // namespace corvant
