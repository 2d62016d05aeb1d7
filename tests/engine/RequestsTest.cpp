// The request exports' copying into the shared section, the error report, and the results the
// Get exports hand out.
#include "EngineHarness.h"

#include "engine/Requests.h"
#include "engine/SharedResults.h"

#include <gtest/gtest.h>

#include <string>

using namespace zeltest;

namespace {

constexpr HWND kOwner = 0x0000000100000001ull;
constexpr HWND kClient = 0x0000000200000005ull;
constexpr UINT kReply = WM_USER + 301;

class RequestsTest : public ::testing::Test {
protected:
    RequestsTest() { zel::storeOwner(*h.shared, kOwner); }

    EngineHarness h;
};

std::string field(const char* data, std::size_t size)
{
    return std::string(data, strnlen(data, size));
}

TEST_F(RequestsTest, PhonebookReadStoresTheRequestAndTheKickGoesToTheOwner)
{
    zel::requestPhonebookRead(*h.shared, kClient, kReply, "SM");
    EXPECT_EQ(h.shared->pbRead.head.state, JOB_PENDING);
    EXPECT_EQ(h.shared->pbRead.head.window, kClient);
    EXPECT_EQ(h.shared->pbRead.head.message, kReply);
    EXPECT_EQ(std::string(h.shared->pbRead.storage, 2), "SM");
    EXPECT_TRUE(h.services.posted.empty()) << "the export kicks once the request is stored";
    zel::kickOwner(*h.shared, h.services);
    EXPECT_EQ(h.services.posted, (std::vector<Message>{{kOwner, WM_ENGINE_KICK, 0, 0}}));
}

TEST_F(RequestsTest, RequestsStoreTheirJobsAndLeaveTheKickToTheExports)
{
    const char data[] = "x";
    zel::requestPhonebookWrite(*h.shared, kClient, kReply, "SM", 1, "a", "1");
    zel::requestSmsRead(*h.shared, kClient, kReply);
    zel::requestSmsDelete(*h.shared, kClient, kReply, false);
    zel::requestSmsSend(*h.shared, kClient, kReply, "1", data, 1, 0, 1, 1, -1, nullptr, -1);
    zel::requestLockQuery(*h.shared, kClient, kReply, "AO");
    zel::requestLockSet(*h.shared, kClient, kReply, "AO", "0000", 1, 7);
    zel::requestForwardQuery(*h.shared, kClient, kReply, 0);
    zel::requestForwardSet(*h.shared, kClient, kReply, 0, 3, "+49", 20, 1);
    zel::requestMelodyWrite(*h.shared, kClient, kReply, data, 1);
    zel::requestMelodyTest(*h.shared, kClient, kReply, 1);
    EXPECT_TRUE(h.services.posted.empty());
    for (const JobRecord* head : {&h.shared->pbWrite.head, &h.shared->smRead.head, &h.shared->smDel.head,
                                  &h.shared->smSend.head, &h.shared->lockGet.head, &h.shared->lockSet.head,
                                  &h.shared->fwdRead.head, &h.shared->fwdWrite.head, &h.shared->melWrite.head,
                                  &h.shared->melTest.head}) {
        EXPECT_EQ(head->state, JOB_PENDING);
        EXPECT_EQ(head->window, kClient);
        EXPECT_EQ(head->message, kReply);
    }
}

class TextLimits : public RequestsTest, public ::testing::WithParamInterface<std::size_t> {};

// Every text goes into its area cut to the area's size minus its terminator, with the rest of
// the area zero, whatever the caller passes.
TEST_P(TextLimits, TextsAreCutToTheirAreas)
{
    const std::string text(GetParam(), 'n');
    auto expectCut = [&](const char* area, std::size_t size, std::size_t limit) {
        const std::size_t want = std::min(text.size(), limit);
        EXPECT_EQ(field(area, size), text.substr(0, want)) << "limit " << limit;
        for (std::size_t i = want; i < size; ++i)
            ASSERT_EQ(area[i], '\0') << "limit " << limit << " at " << i;
    };
    zel::requestPhonebookWrite(*h.shared, kClient, kReply, "ME", 7, text.c_str(), text.c_str());
    expectCut(h.shared->pbWrite.text, sizeof h.shared->pbWrite.text, 59);
    expectCut(h.shared->pbWrite.number, sizeof h.shared->pbWrite.number, 39);
    zel::requestSmsSend(*h.shared, kClient, kReply, text.c_str(), "", 0, 0, 1, 1, -1, text.c_str(), -1);
    expectCut(h.shared->smSend.number, sizeof h.shared->smSend.number, 39);
    expectCut(h.shared->smSend.smsc, sizeof h.shared->smSend.smsc, 39);
    zel::requestLockSet(*h.shared, kClient, kReply, "AO", text.c_str(), 1, 1);
    expectCut(h.shared->lockSet.password, sizeof h.shared->lockSet.password, 9);
    zel::requestForwardSet(*h.shared, kClient, kReply, 2, 3, text.c_str(), 20, 1);
    expectCut(h.shared->fwdWrite.number, sizeof h.shared->fwdWrite.number, 50);
}

INSTANTIATE_TEST_SUITE_P(Requests, TextLimits,
                         ::testing::Values(0, 8, 9, 10, 39, 40, 50, 51, 59, 60, 300));

// A text that goes inside a quoted command field keeps none of the characters that would end the
// field, the command or a prompt; the area then takes as many of the others as it holds.
TEST_F(RequestsTest, QuotedFieldsLoseQuotesLineEndsCtrlZAndEsc)
{
    const char* hostile = "1\"2\r3\n4\x1a" "5\x1b" "6";
    zel::requestPhonebookWrite(*h.shared, kClient, kReply, "S\r", 1, hostile, hostile);
    EXPECT_EQ(field(h.shared->pbWrite.text, 60), "123456");
    EXPECT_EQ(field(h.shared->pbWrite.number, 40), "123456");
    EXPECT_EQ(std::string(h.shared->pbWrite.storage, 2), std::string("S\0", 2));
    zel::requestLockSet(*h.shared, kClient, kReply, "\"A", "\"\"123456789", 1, 7);
    EXPECT_EQ(field(h.shared->lockSet.password, 10), "123456789");
    EXPECT_EQ(std::string(h.shared->lockSet.facility, 2), std::string("A\0", 2));
    zel::requestForwardSet(*h.shared, kClient, kReply, 2, 3, hostile, 20, 1);
    EXPECT_EQ(field(h.shared->fwdWrite.number, 51), "123456");
    zel::requestSmsSend(*h.shared, kClient, kReply, "1", "", 0, 0, 1, 1, -1, hostile, -1);
    EXPECT_EQ(field(h.shared->smSend.smsc, 40), "123456");
}

TEST_F(RequestsTest, ShorterTextClearsWhatALongerOneLeft)
{
    zel::requestPhonebookWrite(*h.shared, kClient, kReply, "SM", 1, "a long name", "0123456789");
    zel::requestPhonebookWrite(*h.shared, kClient, kReply, "SM", 2, "Bo", nullptr);
    EXPECT_EQ(field(h.shared->pbWrite.text, 60), "Bo");
    EXPECT_EQ(h.shared->pbWrite.text[3], '\0');
    EXPECT_EQ(field(h.shared->pbWrite.number, 40), "") << "a null number erases the entry";
    EXPECT_EQ(h.shared->pbWrite.index, 2);
}

TEST_F(RequestsTest, NullAndEmptyServiceCentreAreStoredEmpty)
{
    zel::requestSmsSend(*h.shared, kClient, kReply, "1", "", 0, 0, 1, 1, -1, "+4917", -1);
    zel::requestSmsSend(*h.shared, kClient, kReply, "1", "", 0, 0, 1, 1, -1, nullptr, -1);
    EXPECT_EQ(field(h.shared->smSend.smsc, 40), "");
    zel::requestSmsSend(*h.shared, kClient, kReply, "1", "", 0, 0, 1, 1, -1, "+4917", -1);
    zel::requestSmsSend(*h.shared, kClient, kReply, "1", "", 0, 0, 1, 1, -1, "", -1);
    EXPECT_EQ(field(h.shared->smSend.smsc, 40), "");
}

struct DataCase {
    int length;  // passed by the caller
    int stored;  // bytes the record keeps
};

class SmsDataLimits : public RequestsTest, public ::testing::WithParamInterface<DataCase> {};

TEST_P(SmsDataLimits, DataIsHeldToTheArea)
{
    // The caller's buffer is exactly as long as the area: a request that read further than the
    // area would overrun it, which the address sanitizer reports.
    std::vector<char> data(ZEL_SMS_DATA_SIZE);
    for (std::size_t i = 0; i < data.size(); ++i)
        data[i] = char('A' + i % 26);
    zel::requestSmsSend(*h.shared, kClient, kReply, "+49170", data.data(), GetParam().length, 42, 2, 3, 2,
                        "+4917", 167);
    const SMSendJob& job = h.shared->smSend;
    EXPECT_EQ(job.length, GetParam().stored);
    EXPECT_EQ(std::string(job.data, std::size_t(job.length)),
              std::string(data.data(), std::size_t(GetParam().stored)));
    EXPECT_EQ(job.reference, 42);
    EXPECT_EQ(job.sequence, 2);
    EXPECT_EQ(job.total, 3);
    EXPECT_EQ(job.mode, 2);
    EXPECT_EQ(job.validity, 167);
    EXPECT_EQ(field(job.number, 40), "+49170");
    EXPECT_EQ(field(job.smsc, 40), "+4917");
}

INSTANTIATE_TEST_SUITE_P(Requests, SmsDataLimits,
                         ::testing::Values(DataCase{0, 0}, DataCase{1, 1}, DataCase{171, 171},
                                           DataCase{172, 172}, DataCase{173, 172}, DataCase{100000, 172},
                                           DataCase{-1, 0}, DataCase{-100000, 0}));

class MelodyDataLimits : public RequestsTest, public ::testing::WithParamInterface<DataCase> {};

TEST_P(MelodyDataLimits, DataIsHeldToTheArea)
{
    std::vector<char> data(ZEL_MELODY_DATA_SIZE);
    for (std::size_t i = 0; i < data.size(); ++i)
        data[i] = char(i * 7);
    zel::requestMelodyWrite(*h.shared, kClient, kReply, data.data(), GetParam().length);
    EXPECT_EQ(h.shared->melWrite.length, GetParam().stored);
    EXPECT_EQ(std::string(h.shared->melWrite.data, std::size_t(GetParam().stored)),
              std::string(data.data(), std::size_t(GetParam().stored)));
}

INSTANTIATE_TEST_SUITE_P(Requests, MelodyDataLimits,
                         ::testing::Values(DataCase{0, 0}, DataCase{120, 120}, DataCase{1000, 1000},
                                           DataCase{1001, 1000}, DataCase{-5, 0}));

TEST_F(RequestsTest, NullDataIsStoredAsNothing)
{
    zel::requestMelodyWrite(*h.shared, kClient, kReply, nullptr, 500);
    EXPECT_EQ(h.shared->melWrite.length, 0);
    zel::requestSmsSend(*h.shared, kClient, kReply, nullptr, nullptr, 50, 0, 1, 1, -1, nullptr, -1);
    EXPECT_EQ(h.shared->smSend.length, 0);
    EXPECT_EQ(field(h.shared->smSend.number, 40), "");
}

TEST_F(RequestsTest, TwoLetterCodesTakeTwoBytesAndNoMore)
{
    zel::requestLockQuery(*h.shared, kClient, kReply, "OIX"); // only two letters are taken
    EXPECT_EQ(std::string(h.shared->lockGet.facility, 2), "OI");
    zel::requestLockQuery(*h.shared, kClient, kReply, "A");
    EXPECT_EQ(std::string(h.shared->lockGet.facility, 2), std::string("A\0", 2));
    zel::requestPhonebookRead(*h.shared, kClient, kReply, nullptr);
    EXPECT_EQ(std::string(h.shared->pbRead.storage, 2), std::string("\0\0", 2));
    EXPECT_EQ(h.shared->pbRead.head.state, JOB_PENDING);
}

TEST_F(RequestsTest, DeleteTakesTheIndexOfTheLastReadOrOne)
{
    h.shared->smRead.messageIndex = 17;
    zel::requestSmsDelete(*h.shared, kClient, kReply, false);
    EXPECT_EQ(h.shared->smRead.messageIndex, 17);
    EXPECT_EQ(h.shared->smDel.head.state, JOB_PENDING);
    zel::requestSmsDelete(*h.shared, kClient, kReply, true);
    EXPECT_EQ(h.shared->smRead.messageIndex, 1);
}

TEST_F(RequestsTest, ForwardAndMelodyTestFieldsAreStored)
{
    zel::requestForwardQuery(*h.shared, kClient, kReply, 3);
    EXPECT_EQ(h.shared->fwdRead.reason, 3);
    zel::requestForwardSet(*h.shared, kClient, kReply, 2, 3, "+491701234", 20, 5);
    EXPECT_EQ(h.shared->fwdWrite.reason, 2);
    EXPECT_EQ(h.shared->fwdWrite.mode, 3);
    EXPECT_EQ(h.shared->fwdWrite.time, 20);
    EXPECT_EQ(h.shared->fwdWrite.classes, 5);
    zel::requestLockSet(*h.shared, kClient, kReply, "AI", "1234", 0, 4);
    EXPECT_EQ(h.shared->lockSet.mode, 0);
    EXPECT_EQ(h.shared->lockSet.classes, 4);
    zel::requestMelodyTest(*h.shared, kClient, kReply, 0);
    EXPECT_EQ(h.shared->melTest.play, 0);
}

TEST_F(RequestsTest, ErrorReportGoesToTheOwnerAndTellsWhetherItWasPosted)
{
    EXPECT_TRUE(zel::reportError(*h.shared, h.services, 3, 41500));
    EXPECT_EQ(h.services.posted, (std::vector<Message>{{kOwner, WM_ENGINE_ERROR, 3, 41500}}));
    h.services.postSucceeds = false;
    EXPECT_FALSE(zel::reportError(*h.shared, h.services, 1, 12345));
}

// ---------------------------------------------------------------------------------------------

TEST(SharedResults, NothingIsValidInAFreshSection)
{
    auto shared = std::make_unique<EngineShared>();
    PBResult pb;
    SMResult sm;
    FwdResult fwd;
    EXPECT_EQ(zel::phonebookResult(*shared, pb), nullptr);
    EXPECT_EQ(zel::smsResult(*shared, sm), nullptr);
    EXPECT_EQ(zel::forwardResult(*shared, fwd), nullptr);
}

TEST(SharedResults, PointersLeadIntoTheCallersOwnView)
{
    // The writer fills the section at one address; a reader sees the same bytes at another (as
    // another process maps it elsewhere) and must get pointers into its own copy.
    auto writer = std::make_unique<EngineShared>();
    PBResultShared& pb = writer->pbResult;
    pb.count = 1;
    pb.textLength = 4;
    pb.numberLength = 3;
    pb.highestIndex = 250;
    std::memcpy(pb.area, "\x07\x00" "Anna" "123", 9);
    pb.entries = zel::sharedOffset(*writer, pb.area);
    SMReadJob& sms = writer->smRead;
    std::strcpy(sms.sender, "+49170");
    std::strcpy(sms.text, "Hallo");
    writer->smResult = {zel::sharedOffset(*writer, sms.sender), zel::sharedOffset(*writer, sms.text), 5, 1000, 0, 1, 1};
    for (int i = 0; i < 3; ++i)
        writer->fwdResult.entry[i] = {i, zel::sharedOffset(*writer, writer->fwdResult.number[i]), 5 * i};
    std::strcpy(writer->fwdResult.number[1], "+4930");

    auto reader = std::make_unique<EngineShared>();
    std::memcpy(static_cast<void*>(reader.get()), writer.get(), sizeof(EngineShared));
    writer.reset();

    PBResult pbOut;
    ASSERT_EQ(zel::phonebookResult(*reader, pbOut), &pbOut);
    EXPECT_EQ(pbOut.entries, reader->pbResult.area);
    EXPECT_EQ(pbOut.count, 1);
    EXPECT_EQ(pbOut.textLength, 4);
    EXPECT_EQ(pbOut.numberLength, 3);
    EXPECT_EQ(pbOut.highestIndex, 250);
    EXPECT_EQ(std::string(reinterpret_cast<char*>(pbOut.entries) + 2, 4), "Anna");

    SMResult smOut;
    ASSERT_EQ(zel::smsResult(*reader, smOut), &smOut);
    EXPECT_STREQ(smOut.sender, "+49170");
    EXPECT_STREQ(smOut.text, "Hallo");
    EXPECT_EQ(smOut.text, reader->smRead.text);
    EXPECT_EQ(smOut.textLength, 5);
    EXPECT_EQ(smOut.timeStamp, 1000);

    FwdResult fwdOut;
    ASSERT_EQ(zel::forwardResult(*reader, fwdOut), &fwdOut);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(fwdOut.entry[i].number, reader->fwdResult.number[i]);
        EXPECT_EQ(fwdOut.entry[i].status, i);
        EXPECT_EQ(fwdOut.entry[i].time, 5 * i);
    }
    EXPECT_STREQ(fwdOut.entry[1].number, "+4930");
}

TEST(SharedResults, ClearedTextPointerMakesTheSmsResultInvalid)
{
    // The SMS read clears the text pointer when it starts: no result during a read.
    auto shared = std::make_unique<EngineShared>();
    shared->smResult.sender = zel::sharedOffset(*shared, shared->smRead.sender);
    shared->smResult.text = 0;
    SMResult out;
    EXPECT_EQ(zel::smsResult(*shared, out), nullptr);
}

TEST(SharedResults, OffsetsOutsideTheSectionAreNoResult)
{
    auto shared = std::make_unique<EngineShared>();
    int outside = 0;
    EXPECT_EQ(zel::sharedOffset(*shared, &outside), 0u);
    EXPECT_EQ(zel::sharedOffset(*shared, nullptr), 0u);
    shared->pbResult.entries = sizeof(EngineShared) + 16;
    PBResult out;
    EXPECT_EQ(zel::phonebookResult(*shared, out), nullptr);
}

} // namespace
