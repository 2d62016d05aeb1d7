// Every job of the engine over a pseudo-terminal against the simulated phone, through the
// library's exports, with this process as the engine's owner: an SMS in three parts sent to the
// phone's own number and read back part by part, received messages of every kind, a phonebook
// of 250 entries written and read, barring and forwarding queried and set, a melody uploaded in
// three parts and its test play started and stopped.
#include "engine/zeldll.h"
#include "platform/serial/SerialPortName.h"
#include "support/EngineLinePump.h"
#include "tools/phonesim/BarringCommands.h"
#include "tools/phonesim/ForwardingCommands.h"
#include "tools/phonesim/MelodyCommands.h"
#include "tools/phonesim/PhoneSim.h"
#include "tools/phonesim/PhonebookCommands.h"
#include "tools/phonesim/SmsCommands.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <map>
#include <string>
#include <vector>

using namespace torvane::phonesim;
using torvane::test::EngineLinePump;

namespace {

constexpr UINT WM_JOB_DONE = WM_USER + 120;

class EngineJobsSim : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::string error;
        ASSERT_TRUE(m_sim.start(torvane::serial::portLinkFolder() + "/COM1", &error)) << error;
        ASSERT_TRUE(m_pump.open("COM1", &error)) << error;
    }
    void TearDown() override { m_sim.stop(); }

    // The answer (job code, result) to the request just made.
    std::pair<int, long> answer()
    {
        const EngineLinePump::Answer a = m_pump.waitForAnswer(WM_JOB_DONE);
        EXPECT_EQ(a.message, WM_JOB_DONE) << "no answer in time";
        return {a.wParam, a.lParam};
    }

    std::string phoneReceived() { return m_sim.transcript().received(); }

    PhoneSim m_sim;
    EngineLinePump m_pump;
};

using Result = std::pair<int, long>;

struct ReadSms {
    std::string sender;
    std::string text;
    int reference;
    int sequence;
    int total;
};

// One read: the message got, deleted from the phone after it was got, or the read's result.
std::pair<long, ReadSms> readAndDelete(EngineJobsSim& test, EngineLinePump& pump, bool deleteIt = true)
{
    ATSMRead(pump.window(), WM_JOB_DONE);
    const auto a = pump.waitForAnswer(WM_JOB_DONE);
    EXPECT_EQ(a.wParam, JOB_SMS_READ);
    if (a.lParam != RESULT_OK)
        return {a.lParam, {}};
    const SMResult* r = ATSMGet();
    EXPECT_NE(r, nullptr);
    if (!r)
        return {-99, {}};
    ReadSms got{r->sender, std::string(r->text, std::size_t(r->textLength)), r->reference, r->sequence, r->total};
    if (deleteIt) {
        ATSMDel(pump.window(), WM_JOB_DONE);
        const auto d = pump.waitForAnswer(WM_JOB_DONE);
        EXPECT_EQ(d.wParam, JOB_SMS_DELETE);
        EXPECT_EQ(d.lParam, RESULT_OK);
    }
    (void)test;
    return {a.lParam, got};
}

TEST_F(EngineJobsSim, SmsInThreePartsSentToTheOwnNumberIsReadBackPartByPart)
{
    m_sim.withModule<SmsCommands>([](SmsCommands& s) { s.ownNumber = "+491701234567"; });
    const std::string parts[3] = {
        std::string(150, 'a') + "\xC4\xFC",      // 152 characters with umlauts
        std::string(100, 'b') + "@$" + std::string(50, 'c'),
        "Ende \xDF.",
    };
    // The main program sends the last part first.
    for (int sequence = 3; sequence >= 1; --sequence) {
        const std::string& text = parts[sequence - 1];
        ASSERT_EQ(ATSMSend(m_pump.window(), WM_JOB_DONE, "+491701234567", text.data(), int(text.size()), 42,
                           sequence, 3, -1, "", 167),
                  0);
        EXPECT_EQ(answer(), (Result{JOB_SMS_SEND, RESULT_OK})) << "part " << sequence;
    }
    EXPECT_EQ(m_sim.withModule<SmsCommands>([](SmsCommands& s) { return s.messages.size(); }), 3u);

    std::map<int, ReadSms> got;
    for (int i = 0; i < 3; ++i) {
        const auto [result, sms] = readAndDelete(*this, m_pump);
        ASSERT_EQ(result, RESULT_OK);
        got[sms.sequence] = sms;
    }
    ASSERT_EQ(got.size(), 3u);
    for (int sequence = 1; sequence <= 3; ++sequence) {
        const ReadSms& sms = got[sequence];
        EXPECT_EQ(sms.text, parts[sequence - 1]) << sequence;
        EXPECT_EQ(sms.sender, "+491701234567");
        EXPECT_EQ(sms.reference, 42);
        EXPECT_EQ(sms.total, 3);
    }
    EXPECT_EQ(readAndDelete(*this, m_pump).first, RESULT_NO_MESSAGE);
    EXPECT_TRUE(m_sim.withModule<SmsCommands>([](SmsCommands& s) { return s.messages.empty(); }));
}

TEST_F(EngineJobsSim, ReceivedMessagesOfEveryKindAreReadAndAnUndecodableOneStays)
{
    std::vector<IncomingSms> incoming(5);
    incoming[0].serviceCentre = "";
    incoming[0].text = "kein Zentrum";
    incoming[1].serviceCentre = "+" + std::string(20, '9');
    incoming[1].sender = "Bank";
    incoming[1].text = "Name als Absender";
    incoming[2].coding = IncomingSms::Coding::Octets;
    incoming[2].text = "[8 bit]\x01";
    incoming[3].coding = IncomingSms::Coding::Ucs2;
    incoming[3].text = "Gr\xC3\xBC\xC3\x9F" "e \xE2\x82\xAC"; // "Grüße €"
    incoming[4].sender = "+4930123";
    incoming[4].text = "the last";
    m_sim.withModule<SmsCommands>([&](SmsCommands& s) {
        s.receive(incoming[0]);
        s.receive(incoming[1]);
        // A status report where a message is expected: no message the engine can read.
        s.receive("0006D60B911326880736F4111011719551401110117195714000");
        s.receive(incoming[2]);
        s.receive(incoming[3]);
        s.receive(incoming[4]);
    });
    const std::vector<std::pair<std::string, std::string>> expected = {
        {"+491701234567", "kein Zentrum"},
        {"Bank", "Name als Absender"},
        {"+491701234567", "[8 bit]\x01"},
        {"+491701234567", "Gr\xFC\xDF" "e ?"},
        {"+4930123", "the last"},
    };
    // The read passes over the one it cannot decode, every time it is listed.
    std::size_t next = 0;
    for (int read = 0; read < 7; ++read) {
        const auto [result, sms] = readAndDelete(*this, m_pump);
        if (result == RESULT_NO_MESSAGE)
            break;
        ASSERT_EQ(result, RESULT_OK);
        ASSERT_LT(next, expected.size());
        EXPECT_EQ(sms.sender, expected[next].first);
        EXPECT_EQ(sms.text, expected[next].second);
        ++next;
    }
    EXPECT_EQ(next, expected.size());
    // The one the engine could not read is still on the phone, as unread as it came.
    const auto left = m_sim.withModule<SmsCommands>([](SmsCommands& s) { return s.messages; });
    ASSERT_EQ(left.size(), 1u);
    EXPECT_EQ(left.begin()->second.status, SmsReceivedUnread);
}

TEST_F(EngineJobsSim, PhonebookOf250EntriesIsWrittenAndReadBack)
{
    // Entries of 2 + 10 + 12 bytes: 250 of them fill the 6000-byte area exactly.
    m_sim.withModule<PhonebookCommands>([](PhonebookCommands& p) { p.storages["ME"] = {1, 250, 12, 10, false, {}}; });
    auto name = [](int i) {
        char text[16];
        std::snprintf(text, sizeof text, "Name %03d", i);
        return std::string(text);
    };
    auto number = [](int i) { return "+49301" + std::to_string(100000 + i); };
    for (int i = 1; i <= 250; ++i) {
        ASSERT_EQ(ATPBWrite(m_pump.window(), WM_JOB_DONE, "ME", i, name(i).c_str(), number(i).c_str()), 0);
        ASSERT_EQ(answer(), (Result{JOB_PHONEBOOK_WRITE, RESULT_OK})) << i;
    }
    EXPECT_EQ(m_sim.withModule<PhonebookCommands>([](PhonebookCommands& p) { return p.storages["ME"].entries.size(); }),
              250u);

    ASSERT_EQ(ATPBRead(m_pump.window(), WM_JOB_DONE, "ME"), 0);
    ASSERT_EQ(answer(), (Result{JOB_PHONEBOOK_READ, RESULT_OK}));
    const PBResult* r = ATPBGet();
    ASSERT_NE(r, nullptr);
    ASSERT_EQ(r->count, 250);
    EXPECT_EQ(r->textLength, 10);
    EXPECT_EQ(r->numberLength, 12);
    EXPECT_EQ(r->highestIndex, 250);
    const unsigned char* at = r->entries;
    for (int i = 1; i <= 250; ++i, at += 24) {
        EXPECT_EQ(at[0] | (at[1] << 8), i);
        EXPECT_EQ(std::string(reinterpret_cast<const char*>(at + 2), 10), name(i) + std::string(2, '\0'));
        EXPECT_EQ(std::string(reinterpret_cast<const char*>(at + 12), 12), number(i));
    }
}

TEST_F(EngineJobsSim, PhonebookLargerThanTheAreaGivesTheWholeEntriesThatFit)
{
    m_sim.withModule<PhonebookCommands>([](PhonebookCommands& p) {
        for (int i = 1; i <= 250; ++i)
            p.storages["SM"].entries[i] = {"0301234" + std::to_string(1000 + i), 129, "Entry " + std::to_string(i)};
    });
    ASSERT_EQ(ATPBRead(m_pump.window(), WM_JOB_DONE, "SM"), 0);
    ASSERT_EQ(answer(), (Result{JOB_PHONEBOOK_READ, RESULT_OK}));
    const PBResult* r = ATPBGet();
    ASSERT_NE(r, nullptr);
    EXPECT_EQ(r->count, 166) << "36 bytes an entry";
    const unsigned char* last = r->entries + 165 * 36;
    EXPECT_EQ(last[0] | (last[1] << 8), 166);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(last + 2)), "Entry 166");

    ASSERT_EQ(ATPBRead(m_pump.window(), WM_JOB_DONE, "XY"), 0);
    EXPECT_EQ(answer(), (Result{JOB_PHONEBOOK_READ, RESULT_STORAGE_ERROR}));
    ASSERT_NE(ATPBGet(), nullptr) << "a refused storage leaves the last result";
    EXPECT_EQ(ATPBGet()->count, 166);
}

TEST_F(EngineJobsSim, BarringIsQueriedAndSetWithThePassword)
{
    m_sim.withModule<BarringCommands>([](BarringCommands& b) { b.password = "4711"; });
    ATLockGet(m_pump.window(), WM_JOB_DONE, "AO");
    EXPECT_EQ(answer(), (Result{JOB_LOCK_QUERY, 0}));
    ATLockSet(m_pump.window(), WM_JOB_DONE, "AO", "4711", 1, 1);
    EXPECT_EQ(answer(), (Result{JOB_LOCK_SET, RESULT_OK}));
    ATLockSet(m_pump.window(), WM_JOB_DONE, "AO", "4711", 1, 4);
    EXPECT_EQ(answer(), (Result{JOB_LOCK_SET, RESULT_OK}));
    ATLockGet(m_pump.window(), WM_JOB_DONE, "AO");
    EXPECT_EQ(answer(), (Result{JOB_LOCK_QUERY, 5}));
    ATLockSet(m_pump.window(), WM_JOB_DONE, "AO", "1234", 0, 1);
    EXPECT_EQ(answer(), (Result{JOB_LOCK_SET, RESULT_WRONG_PASSWORD}));
    ATLockSet(m_pump.window(), WM_JOB_DONE, "AO", "4711", 0, 4);
    EXPECT_EQ(answer(), (Result{JOB_LOCK_SET, RESULT_OK}));
    ATLockGet(m_pump.window(), WM_JOB_DONE, "AO");
    EXPECT_EQ(answer(), (Result{JOB_LOCK_QUERY, 1}));
    EXPECT_EQ(m_sim.withModule<BarringCommands>([](BarringCommands& b) { return b.barred["AO"]; }), 1);
}

TEST_F(EngineJobsSim, ForwardingIsSetAndQueriedPerClass)
{
    ATFwdWrite(m_pump.window(), WM_JOB_DONE, 2, 3, "+491701234567", 25, 1);
    EXPECT_EQ(answer(), (Result{JOB_FORWARD_SET, RESULT_OK}));
    ATFwdWrite(m_pump.window(), WM_JOB_DONE, 2, 3, "0301234", 10, 4);
    EXPECT_EQ(answer(), (Result{JOB_FORWARD_SET, RESULT_OK}));
    ATFwdRead(m_pump.window(), WM_JOB_DONE, 2);
    EXPECT_EQ(answer(), (Result{JOB_FORWARD_QUERY, RESULT_OK}));
    const FwdResult* r = ATFwdGet();
    ASSERT_NE(r, nullptr);
    EXPECT_EQ(r->entry[0].status, 1);
    EXPECT_STREQ(r->entry[0].number, "+491701234567");
    EXPECT_EQ(r->entry[0].time, 25);
    EXPECT_EQ(r->entry[1].status, 0);
    EXPECT_STREQ(r->entry[1].number, "");
    EXPECT_EQ(r->entry[2].status, 1);
    EXPECT_STREQ(r->entry[2].number, "0301234");
    EXPECT_EQ(r->entry[2].time, 10);

    ATFwdWrite(m_pump.window(), WM_JOB_DONE, 2, 4, "", 0, 1);
    EXPECT_EQ(answer(), (Result{JOB_FORWARD_SET, RESULT_OK}));
    ATFwdRead(m_pump.window(), WM_JOB_DONE, 2);
    EXPECT_EQ(answer(), (Result{JOB_FORWARD_QUERY, RESULT_OK}));
    ASSERT_NE(ATFwdGet(), nullptr);
    EXPECT_EQ(ATFwdGet()->entry[0].status, 0);
    EXPECT_STREQ(ATFwdGet()->entry[0].number, "");
    EXPECT_EQ(ATFwdGet()->entry[2].status, 1);
    EXPECT_NE(phoneReceived().find("AT+CCFC=2,3,\"+491701234567\",145,1,,,25\r"), std::string::npos);
}

TEST_F(EngineJobsSim, MelodyIsUploadedInThreePartsAndPlayedAsATest)
{
    std::string melody = "MThd";
    for (int i = 0; melody.size() < 120; ++i)
        melody += char(i * 13 + 7);
    ATMelWrite(m_pump.window(), WM_JOB_DONE, melody.data(), int(melody.size()));
    EXPECT_EQ(answer(), (Result{JOB_MELODY_WRITE, RESULT_OK}));
    EXPECT_EQ(m_sim.withModule<MelodyCommands>([](MelodyCommands& m) { return m.melody; }), melody);
    const std::string sent = phoneReceived();
    for (const char* announce : {"AT^SBNW=\"mid\",0,1,3\r", "AT^SBNW=\"mid\",0,2,3\r", "AT^SBNW=\"mid\",0,3,3\r"})
        EXPECT_NE(sent.find(announce), std::string::npos) << announce;

    ATMelTest(m_pump.window(), WM_JOB_DONE, 1);
    EXPECT_EQ(answer(), (Result{JOB_MELODY_TEST, RESULT_OK}));
    EXPECT_TRUE(m_sim.withModule<MelodyCommands>([](MelodyCommands& m) { return m.playing; }));
    EXPECT_EQ(m_sim.withModule<MelodyCommands>([](MelodyCommands& m) { return m.ringType; }), 42);
    ATMelTest(m_pump.window(), WM_JOB_DONE, 1);
    EXPECT_EQ(answer(), (Result{JOB_MELODY_TEST, RESULT_OK})) << "already playing";
    EXPECT_EQ(m_sim.withModule<MelodyCommands>([](MelodyCommands& m) { return m.playsStarted; }), 1);
    ATMelTest(m_pump.window(), WM_JOB_DONE, 0);
    EXPECT_EQ(answer(), (Result{JOB_MELODY_TEST, RESULT_OK}));
    EXPECT_FALSE(m_sim.withModule<MelodyCommands>([](MelodyCommands& m) { return m.playing; }));
}

} // namespace
