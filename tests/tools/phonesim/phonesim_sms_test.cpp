// The simulated phone's SMS store: received messages built for injection (checked against
// published PDUs), the listing that marks only the message it hands out as read, deletion, and
// the commands that take a PDU after the "> " prompt, with messages to the phone's own number
// coming back as received ones.
#include "PhoneTalk.h"

#include "tools/phonesim/SmsCommands.h"
#include "tools/phonesim/SmsPdus.h"

#include <gtest/gtest.h>

#include <QJsonArray>

using namespace torvane::phonesim;
using simtest::PhoneTalk;

namespace {

struct Published {
    const char* name;
    IncomingSms sms;
    const char* pdu;
};

class DeliverPdus : public ::testing::TestWithParam<Published> {};

TEST_P(DeliverPdus, MatchThePublishedOnes)
{
    EXPECT_EQ(buildDeliver(GetParam().sms), GetParam().pdu);
}

IncomingSms sms(std::string centre, std::string sender, IncomingSms::Coding coding, std::string text,
                std::array<int, 7> stamp, int reference = 0, int total = 1, int sequence = 1)
{
    IncomingSms s;
    s.serviceCentre = std::move(centre);
    s.sender = std::move(sender);
    s.coding = coding;
    s.text = std::move(text);
    s.timeStamp = stamp;
    s.reference = reference;
    s.total = total;
    s.sequence = sequence;
    return s;
}

using Coding = IncomingSms::Coding;

INSTANTIATE_TEST_SUITE_P(
    SmsPdus, DeliverPdus,
    ::testing::Values(
        Published{"SevenOctetCentre",
                  sms("+2782913593", "+27821234567", Coding::Septets, "Test2", {13, 3, 8, 15, 2, 16, 8}),
                  "06917228195339040B917228214365F700003130805120618005D4F29C2E03"},
        Published{"AlphanumericSenderUcs2",
                  sms("+79037011111", "InternetSMS", Coding::Ucs2, "\xD1\x82\xD0\xB5\xD1\x81\xD1\x82",
                      {11, 3, 29, 19, 20, 4, 16}),
                  "07919730071111F10414D04937BD2C7797E9D3E614000811309291024061080442043504410442"},
        // The published one has its fill bit set (E9 for E8); a sender may set it either way.
        Published{"PartTwoOfTwoWithFillBit",
                  sms("+12063130026", "+16175046925", Coding::Septets, "that the parts are related to one another. ",
                      {12, 4, 25, 19, 56, 51, -16}, 0x4C, 2, 2),
                  "07912160130320F6440B916171056429F5000021405291651569320500034C0202E8E8301D44479741F0B09C3E0785E5"
                  "6590BCCC0ED3CB6410FD0D7ABBCBA0B0FB4D4797E52E10"},
        Published{"EightBitData",
                  sms("+12345678901", "+18005551212", Coding::Octets, "\xE8\x32\x9B\xFD\x46\x97\xD9\xEC\x37\xDE",
                      {11, 1, 1, 12, 34, 56, 0}),
                  "07912143658709F1040B918100551512F20004111010214365000AE8329BFD4697D9EC37DE"},
        Published{"NoCentreNationalSender", sms("", "1234", Coding::Septets, "Hallo", {23, 1, 27, 16, 14, 53, 8}),
                  "000404812143000032107261413580" "05C8309BFD06"},
        // Built by an outside encoder (python3-gammu): extension characters as escapes. That
        // encoder leaves the more-messages bit clear (first octet 00); this phone sets it (04).
        Published{"ExtensionCharacters",
                  sms("+491710760000", "+491701234567", Coding::Septets, "Room [3] {ok} ~ \xE9_\xF1",
                      {24, 5, 17, 12, 34, 56, 0}),
                  "0791947101670000040C9194711032547600004250712143650018D2F7BB0DDAF0661B1F68837AAF3729D0A6072A44FA"}),
    [](const ::testing::TestParamInfo<Published>& info) { return std::string(info.param.name); });

TEST(SmsPdus, CentreOfTwentyDigitsAndUnwritableFields)
{
    IncomingSms s;
    s.serviceCentre = "+" + std::string(20, '1');
    s.text = "x";
    EXPECT_EQ(buildDeliver(s).substr(0, 26), "0B91" + std::string(20, '1') + "04");
    s.serviceCentre = "+" + std::string(21, '1');
    EXPECT_EQ(buildDeliver(s), "") << "a centre beyond 20 digits";
    s.serviceCentre = "";
    s.sender = "A name too long";
    EXPECT_EQ(buildDeliver(s), "") << "a name beyond 11 characters";
    s.sender = "1";
    s.text = std::string(161, 'a');
    EXPECT_EQ(buildDeliver(s), "") << "text beyond one message";
}

class SmsStore : public ::testing::Test {
protected:
    SmsCommands& store() { return phone.module<SmsCommands>(); }

    PhoneTalk phone;
};

TEST_F(SmsStore, ListingShowsUnreadMessagesAndMarksNoneRead)
{
    IncomingSms a;
    a.text = "first";
    IncomingSms b;
    b.text = "second";
    ASSERT_EQ(store().receive(a), 1);
    ASSERT_EQ(store().receive(b), 2);
    const std::string pa = buildDeliver(a);
    const std::string pb = buildDeliver(b);
    const int octetsA = int(pa.size() / 2) - 8;
    const int octetsB = int(pb.size() / 2) - 8;
    const std::string listA = "\r\n^SMGL: 1,0,," + std::to_string(octetsA) + "\r\n" + pa;
    const std::string listB = "\r\n^SMGL: 2,0,," + std::to_string(octetsB) + "\r\n" + pb;
    EXPECT_EQ(phone.talk("AT^SMGL=0\r"), listA + listB + "\r\n\r\nOK\r\n");
    EXPECT_EQ(store().messages.at(1).status, SmsReceivedUnread);
    EXPECT_EQ(store().messages.at(2).status, SmsReceivedUnread);
    EXPECT_EQ(phone.talk("AT^SMGL=0\r"), listA + listB + "\r\n\r\nOK\r\n");
    store().messages.at(1).status = SmsReceivedRead; // read at the phone itself
    EXPECT_EQ(phone.talk("AT^SMGL=0\r"), listB + "\r\n\r\nOK\r\n");
    EXPECT_EQ(phone.talk("AT^SMGL=1\r"), "\r\n^SMGL: 1,1,," + std::to_string(octetsA) + "\r\n" + pa +
                                            "\r\n\r\nOK\r\n");
    EXPECT_EQ(phone.talk("AT^SMGL=5\r"), "\r\n+CMS ERROR: 302\r\n");
}

TEST_F(SmsStore, DeleteFreesThePlace)
{
    IncomingSms a;
    store().receive(a);
    EXPECT_EQ(phone.talk("AT+CMGD=1\r"), "\r\nOK\r\n");
    EXPECT_EQ(phone.talk("AT+CMGD=1\r"), "\r\n+CMS ERROR: 321\r\n");
    EXPECT_TRUE(store().messages.empty());
    store().capacity = 1;
    EXPECT_EQ(store().receive(a), 1);
    EXPECT_EQ(store().receive(a), -1) << "full";
}

TEST_F(SmsStore, SendTakesThePduAfterThePromptWithoutLineEnd)
{
    EXPECT_EQ(phone.talk("AT+CMGS=18\r"), "\r\n> ");
    EXPECT_EQ(phone.talk("0001000C91947110325476000005C8309BFD06\x1a"), "\r\n+CMGS: 1\r\n\r\nOK\r\n");
    ASSERT_EQ(store().handed.size(), 1u);
    EXPECT_EQ(store().handed[0].command, "+CMGS");
    EXPECT_EQ(store().handed[0].pdu, "0001000C91947110325476000005C8309BFD06");
    EXPECT_TRUE(store().messages.empty()) << "a message to another number does not come back";
    // The length must count the octets after the service-centre part.
    phone.talk("AT+CMGS=19\r");
    EXPECT_EQ(phone.talk("0001000C91947110325476000005C8309BFD06\x1a"), "\r\n+CMS ERROR: 304\r\n");
    phone.talk("AT+CMGS=18\r");
    EXPECT_EQ(phone.talk("0001000C9194711032\x1b"), "\r\nOK\r\n") << "ESC sends nothing";
    EXPECT_EQ(store().handed.size(), 1u) << "only what the phone took";
    phone.talk("AT+CMGS=154\r");
    EXPECT_EQ(phone.talk("0001000C91947110325476" "0000" "A1" + std::string(2 * 141, '0') + "\x1a"),
              "\r\n+CMS ERROR: 304\r\n")
        << "161 septets are more than one message holds";
}

TEST_F(SmsStore, MessageToTheOwnNumberComesBackAsReceived)
{
    store().ownNumber = "+491701234567";
    phone.talk("AT+CMGS=18\r");
    EXPECT_EQ(phone.talk("0001000C91947110325476000005C8309BFD06\x1a"), "\r\n+CMGS: 1\r\n\r\nOK\r\n");
    ASSERT_EQ(store().messages.size(), 1u);
    IncomingSms expected;
    expected.serviceCentre = store().serviceCentre;
    expected.sender = "+491701234567";
    expected.text = "Hallo";
    expected.timeStamp = store().networkTime;
    EXPECT_EQ(store().messages.at(1).pdu, buildDeliver(expected));
    EXPECT_EQ(store().messages.at(1).status, SmsReceivedUnread);
}

TEST_F(SmsStore, StoreWritesWithTheStatusAndKeepsTypesApart)
{
    EXPECT_EQ(phone.talk("AT+CMGW=18,2\r"), "\r\n> ");
    EXPECT_EQ(phone.talk("0001000C91947110325476000005C8309BFD06\x1a"), "\r\n+CMGW: 1\r\n\r\nOK\r\n");
    EXPECT_EQ(store().messages.at(1).status, SmsStoredUnsent);
    phone.talk("AT+CMGW=18,0\r");
    EXPECT_EQ(phone.talk("0001000C91947110325476000005C8309BFD06\x1a"), "\r\n+CMS ERROR: 304\r\n")
        << "a submit stored as received";
    EXPECT_EQ(phone.talk("AT+CMGW=18,4\r"), "\r\n+CMS ERROR: 302\r\n");
}

TEST_F(SmsStore, OtherSendCommandsAnswerWithTheirOwnLines)
{
    EXPECT_EQ(phone.talk("AT+CMGC=18\r"), "\r\n> ");
    EXPECT_EQ(phone.talk("0001000C91947110325476000005C8309BFD06\x1a"), "\r\n+CMGC: 1\r\n\r\nOK\r\n");
    EXPECT_EQ(phone.talk("AT^SSTK=18,0\r"), "\r\n> ");
    EXPECT_EQ(phone.talk("0001000C91947110325476000005C8309BFD06\x1a"), "\r\n^SSTK: 2\r\n\r\nOK\r\n");
    EXPECT_EQ(phone.talk("AT+CMGS=0\r"), "\r\n+CMS ERROR: 304\r\n");
}

TEST_F(SmsStore, StateFileKeepsTheMessages)
{
    IncomingSms a;
    store().receive(a);
    store().messages[5] = SmsCommands::Message{SmsStoredSent, "0001000C91947110325476000005C8309BFD06"};
    store().ownNumber = "+4930";
    PhoneTalk other;
    ASSERT_EQ(other.engine.loadState(phone.engine.saveState()), QString());
    SmsCommands& loaded = other.module<SmsCommands>();
    EXPECT_EQ(loaded.messages.size(), 2u);
    EXPECT_EQ(loaded.messages.at(1).pdu, buildDeliver(a));
    EXPECT_EQ(loaded.messages.at(5).status, SmsStoredSent);
    EXPECT_EQ(loaded.ownNumber, "+4930");
    QJsonObject bad = phone.engine.saveState();
    QJsonObject modules = bad["modules"].toObject();
    modules["sms"] = QJsonObject{{"messages", QJsonArray{QJsonObject{{"index", 1}, {"status", 9}, {"pdu", "00"}}}}};
    bad["modules"] = modules;
    EXPECT_TRUE(other.engine.loadState(bad).contains("sms.messages"));
    EXPECT_EQ(other.module<SmsCommands>().messages.size(), 2u) << "a bad file changes nothing";
}

} // namespace
