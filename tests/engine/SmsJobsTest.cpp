// The SMS jobs line by line with a fake clock: the read with every service-centre length, the
// decode bounded by the line received, undecodable messages, the time stamp under the local
// daylight-saving rule; the delete; the send in every mode with its prompt and deadlines.
#include "JobTestSupport.h"

#include "engine/Requests.h"
#include "engine/SharedResults.h"
#include "engine/SmsJobs.h"
#include "engine/SmsTimeStamp.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>
#include <string>

using namespace zeltest;

namespace {

// Central European time with its summer rule, written out so that no zone database is needed.
constexpr char kCentralEurope[] = "CET-1CEST,M3.5.0,M10.5.0/3";

class LocalZone {
public:
    explicit LocalZone(const char* zone)
    {
        if (const char* old = std::getenv("TZ"))
            m_old = old, m_had = true;
        setenv("TZ", zone, 1);
        tzset();
    }
    ~LocalZone()
    {
        if (m_had)
            setenv("TZ", m_old.c_str(), 1);
        else
            unsetenv("TZ");
        tzset();
    }

private:
    std::string m_old;
    bool m_had = false;
};

// Seconds since 1970 of a UTC date-time, computed without the local zone.
long long utcSeconds(int year, int month, int day, int hour, int minute)
{
    std::tm t{};
    t.tm_year = year - 1900;
    t.tm_mon = month - 1;
    t.tm_mday = day;
    t.tm_hour = hour;
    t.tm_min = minute;
    return static_cast<long long>(timegm(&t));
}

// A published SMS-DELIVER from +31641600986, "How are you?", stamped 2002-08-26 19:37, behind a
// service-centre part of 8 octets; its 30 octets after that part.
constexpr char kQuestionCentre[] = "07911326040000F0";
constexpr char kQuestionTpdu[] = "040B911346610089F60000208062917314080CC8F71D14969741F977FD07";
constexpr int kQuestionOctets = 30;

class SmsRead : public ::testing::Test {
protected:
    SmsRead() { zel::requestSmsRead(*h.shared, kRequester, kReplyMessage); }

    // The listing of one message and its PDU line, up to the job's answer.
    void list(int index, const std::string& pduLine, int octets)
    {
        EXPECT_EQ(h.tick(), "AT^SMGL=0\r");
        const std::string head = "^SMGL: " + std::to_string(index) + ",0,," + std::to_string(octets);
        h.exactLine(head);
        h.exactLine(pduLine);
    }

    SMResult* result() { return zel::smsResult(*h.shared, m_result); }

    JobHarness h;
    SMResult m_result{};
};

TEST_F(SmsRead, ListingWithoutMessageEndsWithNoMessageAtOnce)
{
    EXPECT_EQ(h.tick(), "AT^SMGL=0\r");
    EXPECT_EQ(h.line("OK"), "");
    EXPECT_EQ(onlyAnswer(h), (Answer{JOB_SMS_READ, RESULT_NO_MESSAGE}));
    EXPECT_EQ(result(), nullptr);
}

TEST_F(SmsRead, FirstListedMessageIsReadAndTheSecondIgnored)
{
    list(3, std::string(kQuestionCentre) + kQuestionTpdu, kQuestionOctets);
    EXPECT_EQ(result(), nullptr) << "no result until the listing has ended";
    h.lines({"^SMGL: 4,0,,23", "07911326040000F0040B911346610089F6000020806291731408054F4B4B4F4B"});
    EXPECT_TRUE(h.got().empty());
    h.line("OK");
    EXPECT_EQ(onlyAnswer(h), (Answer{JOB_SMS_READ, RESULT_OK}));
    ASSERT_NE(result(), nullptr);
    EXPECT_STREQ(result()->sender, "+31641600986");
    EXPECT_EQ(std::string(result()->text), "How are you?");
    EXPECT_EQ(result()->textLength, 12);
    EXPECT_EQ(result()->reference, 0);
    EXPECT_EQ(result()->sequence, 1);
    EXPECT_EQ(result()->total, 1);
    EXPECT_EQ(h.shared->smRead.messageIndex, 3);
}

// A service centre of any length, or none, is skipped by its length octet; the message is read
// the same way behind each.
class ServiceCentres : public SmsRead, public ::testing::WithParamInterface<const char*> {};

TEST_P(ServiceCentres, AreSkippedByTheirLengthOctet)
{
    list(1, std::string(GetParam()) + kQuestionTpdu, kQuestionOctets);
    h.line("OK");
    EXPECT_EQ(onlyAnswer(h), (Answer{JOB_SMS_READ, RESULT_OK}));
    ASSERT_NE(result(), nullptr);
    EXPECT_EQ(std::string(result()->text), "How are you?");
}

INSTANTIATE_TEST_SUITE_P(SmsRead, ServiceCentres,
                         ::testing::Values("00", "0291F1", "06917228195339", kQuestionCentre, "089194710000000001",
                                           "0B9194710000000000000000"));

TEST_F(SmsRead, PduLineShorterThanTheListingSaysEndsTheReadWithoutReadingPastIt)
{
    const std::string full = std::string(kQuestionCentre) + kQuestionTpdu;
    list(1, full.substr(0, full.size() - 10), kQuestionOctets);
    h.line("OK");
    EXPECT_EQ(onlyAnswer(h), (Answer{JOB_SMS_READ, RESULT_NO_MESSAGE})) << "passed over as unreadable";
    EXPECT_EQ(result(), nullptr);
}

TEST_F(SmsRead, ListingLengthBoundsTheDecodeOfALongerLine)
{
    list(1, std::string(kQuestionCentre) + kQuestionTpdu + "0000", kQuestionOctets);
    h.line("OK");
    EXPECT_EQ(onlyAnswer(h), (Answer{JOB_SMS_READ, RESULT_OK}));
    ASSERT_NE(result(), nullptr);
    EXPECT_EQ(std::string(result()->text), "How are you?");
}

// A message the decoder cannot read stays on the phone: the read passes over it to the first
// message it can decode, and traces it once however often the phone lists it again.
class UndecodableMessages : public SmsRead, public ::testing::WithParamInterface<const char*> {};

TEST_P(UndecodableMessages, ArePassedOverAndTracedOnce)
{
    const std::string bad = GetParam();
    const std::string good = std::string(kQuestionCentre) + kQuestionTpdu;
    for (int poll = 0; poll < 3; ++poll) {
        h.services.posted.clear();
        zel::requestSmsRead(*h.shared, kRequester, kReplyMessage);
        list(9, "00" + bad, int(bad.size() / 2));
        EXPECT_TRUE(h.got().empty());
        h.exactLine("^SMGL: 12,0,," + std::to_string(kQuestionOctets));
        h.exactLine(good);
        h.line("OK");
        EXPECT_EQ(onlyAnswer(h), (Answer{JOB_SMS_READ, RESULT_OK}));
        ASSERT_NE(result(), nullptr);
        EXPECT_EQ(std::string(result()->text), "How are you?");
        EXPECT_EQ(h.shared->smRead.messageIndex, 12) << "the delete must take the message read";
    }
    ASSERT_EQ(h.services.traces.size(), 1u);
    EXPECT_NE(h.services.traces[0].find("SMS 9 "), std::string::npos) << h.services.traces[0];
}

INSTANTIATE_TEST_SUITE_P(SmsRead, UndecodableMessages,
                         ::testing::Values(
                             // a submit, not a deliver
                             "01000C91947110325476000005C8309BFD06",
                             // compressed text
                             "040481214300203210726141358005C8309BFD06",
                             // a header longer than the user data
                             "440481214300003210726141358003FF0102",
                             // user data shorter than its length
                             "040481214300003210726141358009C8309BFD06"));

TEST_F(SmsRead, OnlyUndecodableMessagesListedIsNoMessageAndNothingToDelete)
{
    list(4, "00040481214300203210726141358005C8309BFD06", 20);
    h.lines({"^SMGL: 5,0,,20", "00040481214300003210726141358009C8309BFD06", "OK"});
    EXPECT_EQ(onlyAnswer(h), (Answer{JOB_SMS_READ, RESULT_NO_MESSAGE}));
    EXPECT_EQ(result(), nullptr);
    EXPECT_EQ(h.shared->smRead.messageIndex, 0);
    EXPECT_EQ(h.services.traces.size(), 2u) << "two different messages, each traced";
}

TEST_F(SmsRead, ListingLineWhosePduNeverCameGivesWayToTheNext)
{
    EXPECT_EQ(h.tick(), "AT^SMGL=0\r");
    h.line("^SMGL: 4,0,,30");
    h.line("^SMGL: 6,0,,30");
    h.exactLine(std::string(kQuestionCentre) + kQuestionTpdu);
    h.line("OK");
    EXPECT_EQ(onlyAnswer(h), (Answer{JOB_SMS_READ, RESULT_OK}));
    EXPECT_EQ(h.shared->smRead.messageIndex, 6) << "the delete must take the message read";
}

TEST_F(SmsRead, LinesThatAreNoPduAreIgnoredWhileWaitingForIt)
{
    EXPECT_EQ(h.tick(), "AT^SMGL=0\r");
    h.lines({"AT^SMGL=0", "^SMGL: 2,0,,30", "", "not hex at all", "07XYZ"});
    EXPECT_TRUE(h.got().empty());
    h.exactLine(std::string(kQuestionCentre) + kQuestionTpdu);
    h.line("OK");
    EXPECT_EQ(onlyAnswer(h), (Answer{JOB_SMS_READ, RESULT_OK}));
}

TEST_F(SmsRead, TextOfOtherCodingsIsNotMappedASecondTime)
{
    // UCS2 "[x]{~}" and 8-bit "[a]": the brackets, braces and tilde are GSM codes of umlauts,
    // which a second mapping would make of them.
    const std::string ucs2 = "04048121430008321072614135800C005B0078005D007B007E007D";
    list(1, "00" + ucs2, int(ucs2.size() / 2));
    h.line("OK");
    ASSERT_NE(result(), nullptr);
    EXPECT_EQ(std::string(result()->text), "[x]{~}");
    EXPECT_STREQ(result()->sender, "1234");
}

TEST_F(SmsRead, PartOfAConcatenatedMessageGivesItsNumbers)
{
    const std::string part = "440C919471103254760000321072614135800F050003A90302A061391D44BFBF01";
    list(1, "00" + part, int(part.size() / 2));
    h.line("OK");
    ASSERT_NE(result(), nullptr);
    EXPECT_EQ(result()->reference, 0xA9);
    EXPECT_EQ(result()->total, 3);
    EXPECT_EQ(result()->sequence, 2);
    EXPECT_STREQ(result()->sender, "+491701234567");
}

TEST_F(SmsRead, AlphanumericSenderGivesItsName)
{
    const std::string tpdu = "0414D04937BD2C7797E9D3E614000011309291024061054F4B4B4F4B";
    list(1, "00" + tpdu, int(tpdu.size() / 2));
    h.line("OK");
    ASSERT_NE(result(), nullptr);
    EXPECT_STREQ(result()->sender, "InternetSMS");
}

TEST_F(SmsRead, DeadlineOfFiveSecondsIsReArmedByListedLines)
{
    EXPECT_EQ(h.tick(), "AT^SMGL=0\r");
    h.advance(4000);
    h.line("^SMGL: 1,0,,30");
    h.advance(4000);
    h.exactLine(std::string(kQuestionCentre) + kQuestionTpdu);
    h.advance(4000);
    h.line("^SMGL: 2,0,,30"); // a further message re-arms the wait for the end of the listing
    EXPECT_EQ(h.after(5000), "");
    EXPECT_TRUE(h.got().empty());
    h.after(1);
    EXPECT_EQ(onlyAnswer(h), (Answer{JOB_SMS_READ, RESULT_TIMEOUT}));
    EXPECT_EQ(result(), nullptr);
}

TEST_F(SmsRead, SilentPhoneEndsTheReadAfterFiveSeconds)
{
    EXPECT_EQ(h.tick(), "AT^SMGL=0\r");
    h.after(5000);
    EXPECT_TRUE(h.got().empty());
    h.after(1);
    EXPECT_EQ(onlyAnswer(h), (Answer{JOB_SMS_READ, RESULT_TIMEOUT}));
}

TEST_F(SmsRead, TimeStampIsLocalTimeUnderTheRuleOfItsDate)
{
    const LocalZone zone(kCentralEurope);
    list(1, std::string(kQuestionCentre) + kQuestionTpdu, kQuestionOctets);
    h.line("OK");
    ASSERT_NE(result(), nullptr);
    // 2002-08-26 19:37 in summer time is 17:37 UTC.
    EXPECT_EQ(result()->timeStamp, utcSeconds(2002, 8, 26, 17, 37));
}

struct Stamp {
    const char* hex;
    long long utc; // seconds since 1970 under kCentralEurope
};

class TimeStamps : public ::testing::TestWithParam<Stamp> {};

TEST_P(TimeStamps, AreReadUnderTheLocalRuleOfTheirDate)
{
    const LocalZone zone(kCentralEurope);
    EXPECT_EQ(zel::smsTimeStamp(GetParam().hex), GetParam().utc) << GetParam().hex;
}

INSTANTIATE_TEST_SUITE_P(
    SmsTimeStamp, TimeStamps,
    ::testing::Values(Stamp{"20806291731408", utcSeconds(2002, 8, 26, 17, 37)}, // summer: UTC+2
                      Stamp{"50107022450000", utcSeconds(2005, 1, 7, 21, 54)},  // winter: UTC+1
                      Stamp{"99309251619580", utcSeconds(1999, 3, 29, 13, 16)}, // 99 is 1999, summer
                      Stamp{"07101010000000", 0},                               // 1970-01-01 01:00 CET
                      Stamp{"13013131950000", utcSeconds(2031, 10, 13, 11, 59)}, // summer
                      Stamp{"9930925161958A", utcSeconds(1999, 3, 29, 13, 16)}, // zone octet not read
                      Stamp{"99A09251619580", 0},                               // month not decimal
                      Stamp{"99319251619580", 0},                               // month 13
                      Stamp{"99309251669580", 0}));                             // minute 66

TEST(SmsTimeStamp, DateBeyondThirtyTwoBitsGivesTheLargestValue)
{
    EXPECT_EQ(zel::smsTimeStamp("93101000000000"), 2147483647); // 2039-01-01
}

class SmsDelete : public ::testing::Test {
protected:
    JobHarness h;
};

TEST_F(SmsDelete, DeletesTheMessageLastReadOrTheFirst)
{
    h.shared->smRead.messageIndex = 17;
    zel::requestSmsDelete(*h.shared, kRequester, kReplyMessage, false);
    EXPECT_EQ(h.tick(), "AT+CMGD=17\r");
    EXPECT_EQ(h.line("OK"), "");
    zel::requestSmsDelete(*h.shared, kRequester, kReplyMessage, true);
    EXPECT_EQ(h.tick(), "AT+CMGD=1\r");
    h.line("OK");
    EXPECT_EQ(h.got(), (std::vector<Answer>{{JOB_SMS_DELETE, RESULT_OK}, {JOB_SMS_DELETE, RESULT_OK}}));
}

TEST_F(SmsDelete, TenSecondsWithoutOkEndWithCtrlZAndTimeout)
{
    zel::requestSmsDelete(*h.shared, kRequester, kReplyMessage, true);
    h.tick();
    h.line("+CMGD: 1");
    EXPECT_EQ(h.after(10000), "");
    EXPECT_TRUE(h.got().empty());
    EXPECT_EQ(h.after(1), "\x1a");
    EXPECT_EQ(onlyAnswer(h), (Answer{JOB_SMS_DELETE, RESULT_TIMEOUT}));
}

// A phone refusing a command answers with one of these; the jobs end on it at once.
const char* const kErrorAnswers[] = {"ERROR", "+CMS ERROR: 321", "+CMS ERROR: invalid memory index",
                                     "+CME ERROR: 10"};

class SmsDeleteRefused : public SmsDelete, public ::testing::WithParamInterface<const char*> {};

TEST_P(SmsDeleteRefused, EndsAtOnceWithTimeout)
{
    zel::requestSmsDelete(*h.shared, kRequester, kReplyMessage, true);
    h.tick();
    EXPECT_EQ(h.line(GetParam()), "") << "no Ctrl-Z: nothing is open";
    EXPECT_EQ(onlyAnswer(h), (Answer{JOB_SMS_DELETE, RESULT_TIMEOUT}));
}

INSTANTIATE_TEST_SUITE_P(SmsDelete, SmsDeleteRefused, ::testing::ValuesIn(kErrorAnswers));

class SmsSend : public ::testing::Test {
protected:
    void request(const char* number, const std::string& data, int reference, int sequence, int total, int mode,
                 const char* smsc = "", int validity = -1)
    {
        zel::requestSmsSend(*h.shared, kRequester, kReplyMessage, number, data.data(), int(data.size()), reference,
                            sequence, total, mode, smsc, validity);
    }

    JobHarness h;
};

TEST_F(SmsSend, HalloGoesOutAfterThePromptAndEndsWithOk)
{
    request("+491701234567", "Hallo", 0, 1, 1, zel::SMS_MODE_SEND);
    EXPECT_EQ(h.tick(), "AT+CMGS=18\r");
    EXPECT_EQ(h.line("AT+CMGS=18"), "") << "the echo is no prompt";
    EXPECT_EQ(h.line(">"), "0001000C91947110325476000005C8309BFD06\x1a");
    EXPECT_EQ(h.line("0001000C91947110325476000005C8309BFD06"), "");
    EXPECT_EQ(h.line("OK"), "") << "OK before the answer line is not the end";
    EXPECT_EQ(h.line("+CMGS: 12"), "");
    EXPECT_TRUE(h.got().empty());
    h.line("OK");
    EXPECT_EQ(onlyAnswer(h), (Answer{JOB_SMS_SEND, RESULT_OK}));
}

struct Mode {
    int mode;
    const char* command; // for the 5-character text "Hallo" to +491701234567
    const char* answer;
    std::uint32_t afterPayloadMs;
};

class SendModes : public SmsSend, public ::testing::WithParamInterface<Mode> {};

// Each mode has its command and answer line; only a plain send gives the network 35 s.
TEST_P(SendModes, UseTheirCommandAnswerAndDeadline)
{
    const Mode& m = GetParam();
    request("+491701234567", "Hallo", 0, 1, 1, m.mode);
    EXPECT_EQ(h.tick(), m.command);
    h.line(">");
    h.line("+CMGS: 1"); // the answer of another mode is not this one's
    if (std::string(m.answer) == "+CMGS: 1") {
        h.line("OK");
        EXPECT_EQ(onlyAnswer(h), (Answer{JOB_SMS_SEND, RESULT_OK}));
        return;
    }
    EXPECT_EQ(h.after(m.afterPayloadMs), "");
    EXPECT_TRUE(h.got().empty());
    EXPECT_EQ(h.after(1), "\x1a");
    EXPECT_EQ(onlyAnswer(h), (Answer{JOB_SMS_SEND, RESULT_TIMEOUT}));
}

INSTANTIATE_TEST_SUITE_P(SmsSend, SendModes,
                         ::testing::Values(Mode{-1, "AT+CMGS=18\r", "+CMGS: 1", 35000},
                                           Mode{-4, "AT+CMGS=18\r", "+CMGS: 1", 5000},
                                           Mode{-3, "AT^SSTK=18,0\r", "^SSTK: 1", 5000},
                                           Mode{-2, "AT+CMGC=18\r", "+CMGC: 1", 5000},
                                           Mode{2, "AT+CMGW=18,2\r", "+CMGW: 1", 5000},
                                           Mode{3, "AT+CMGW=18,3\r", "+CMGW: 1", 5000}));

TEST_F(SmsSend, PlainSendWaitsThirtyFiveSecondsForTheNetwork)
{
    request("+491701234567", "Hallo", 0, 1, 1, zel::SMS_MODE_SEND);
    h.tick();
    h.line(">");
    EXPECT_EQ(h.after(35000), "");
    EXPECT_EQ(h.line("+CMGS: 4"), "");
    EXPECT_EQ(h.after(5000), "");
    h.line("OK");
    EXPECT_EQ(onlyAnswer(h), (Answer{JOB_SMS_SEND, RESULT_OK}));
}

TEST_F(SmsSend, StoringFortyCharactersOnTheSim)
{
    request("01701234567", std::string(40, 'a'), 0, 1, 1, 2);
    // 1 + 1 + 8 (address) + 1 + 1 + 1 + 35 octets after the service-centre octet.
    EXPECT_EQ(h.tick(), "AT+CMGW=48,2\r");
    const std::string payload = h.line(">");
    EXPECT_EQ(payload.size(), std::size_t(2 * 49 + 1));
    EXPECT_EQ(payload.substr(0, 26), "0001000B811007214365F77F00");
    EXPECT_EQ(payload.back(), '\x1a');
    h.lines({"+CMGW: 7", "OK"});
    EXPECT_EQ(onlyAnswer(h), (Answer{JOB_SMS_SEND, RESULT_OK}));
}

TEST_F(SmsSend, ServiceCentreIsNotCountedInTheCommand)
{
    request("+491701234567", "Hallo", 0, 1, 1, zel::SMS_MODE_SEND, "+491710760000", 167);
    // 19 octets plus one for the validity, behind a service-centre part of 8.
    EXPECT_EQ(h.tick(), "AT+CMGS=19\r");
    EXPECT_EQ(h.line(">").substr(0, 22), "079194710167000011000C");
}

TEST_F(SmsSend, NegativeReferenceSendsEightBitDataUnmappedWithItsReference)
{
    request("+491701234567", "\xE4[x", -5, 1, 2, zel::SMS_MODE_SEND);
    h.tick();
    // Header present, 8-bit class 2, 9 octets: the header of reference 5, part 1 of 2, the data.
    EXPECT_EQ(h.line(">"), "0041000C91947110325476" "00F6" "09" "050003050201" "E45B78" "\x1a");
}

TEST_F(SmsSend, SevenBitTextIsMappedToTheGsmAlphabet)
{
    request("+491701234567", "\xC4@$", 0, 1, 1, zel::SMS_MODE_SEND);
    h.tick();
    // The GSM codes 5B 00 02 packed into septets.
    EXPECT_EQ(h.line(">"), "0001000C91947110325476000003" "5B8000" "\x1a");
}

TEST_F(SmsSend, RefusedNumberSendsNothingAndEndsAfterFiveSeconds)
{
    request("12a", "Hallo", 0, 1, 1, zel::SMS_MODE_SEND);
    EXPECT_EQ(h.tick(), "");
    EXPECT_EQ(h.line(">"), "") << "no payload for a PDU that was never built";
    EXPECT_EQ(h.after(5000), "");
    EXPECT_EQ(h.after(1), "\x1a");
    EXPECT_EQ(onlyAnswer(h), (Answer{JOB_SMS_SEND, RESULT_TIMEOUT}));
}

TEST_F(SmsSend, MissingPromptEndsWithCtrlZAfterFiveSeconds)
{
    request("+491701234567", "Hallo", 0, 1, 1, zel::SMS_MODE_SEND);
    h.tick();
    h.line("RING");
    h.line("> ");
    EXPECT_EQ(h.after(5000), "");
    EXPECT_EQ(h.after(1), "\x1a");
    EXPECT_EQ(onlyAnswer(h), (Answer{JOB_SMS_SEND, RESULT_TIMEOUT}));
}

// A refusal ends the send at once, whether the phone refuses the command (no prompt is then open)
// or the part after its payload (instead of waiting out the network's 35 s).
struct Refusal {
    bool afterPayload;
    const char* answer;
};

class SendRefused : public SmsSend, public ::testing::WithParamInterface<Refusal> {};

TEST_P(SendRefused, EndsAtOnceWithTimeout)
{
    request("+491701234567", "Hallo", 0, 1, 1, zel::SMS_MODE_SEND);
    h.tick();
    if (GetParam().afterPayload) {
        ASSERT_NE(h.line(">"), "");
    }
    EXPECT_EQ(h.line(GetParam().answer), "");
    EXPECT_EQ(onlyAnswer(h), (Answer{JOB_SMS_SEND, RESULT_TIMEOUT}));
}

INSTANTIATE_TEST_SUITE_P(SmsSend, SendRefused,
                         ::testing::Values(Refusal{false, "ERROR"}, Refusal{false, "+CMS ERROR: 304"},
                                           Refusal{false, "+CME ERROR: 10"}, Refusal{true, "ERROR"},
                                           Refusal{true, "+CMS ERROR: 38"},
                                           Refusal{true, "+CMS ERROR: network out of order"}));

} // namespace
