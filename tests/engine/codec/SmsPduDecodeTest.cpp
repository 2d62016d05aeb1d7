#include "engine/codec/GsmAlphabet.h"
#include "engine/codec/PduAddress.h"
#include "engine/codec/SmsPdu.h"

#include "CodecTestSupport.h"

#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <string>

using namespace zel;
using codec_test::decodeLine;
using codec_test::decodeTpdu;
using codec_test::isRefusal;

namespace {

struct Received {
    const char* name;
    std::string line; // as the phone lists it, service-centre part first
    std::string sender;
    std::string text;
    std::string stamp;
    int reference = 0;
    int total = 1;
    int sequence = 1;
};

class ReceivedMessages : public testing::TestWithParam<Received> {};

TEST_P(ReceivedMessages, DecodeToSenderTextStampAndParts)
{
    const Received& r = GetParam();
    const codec_test::Decoded d = decodeLine(r.line);
    ASSERT_TRUE(d.ok);
    EXPECT_EQ(d.sender, r.sender);
    EXPECT_EQ(d.text, r.text);
    EXPECT_EQ(d.stamp, r.stamp);
    EXPECT_EQ(d.reference, r.reference);
    EXPECT_EQ(d.total, r.total);
    EXPECT_EQ(d.sequence, r.sequence);
    EXPECT_TRUE(d.fencesIntact);
}

// SMS-DELIVER PDUs published in GSM 03.40 tutorials and test suites, with the values decoded
// independently of this code.
INSTANTIATE_TEST_SUITE_P(Published, ReceivedMessages,
    testing::Values(
        Received{"NetworkSpecificSenderIn1999",
                 "07917283010010F5040BC87238880900F10000993092516195800AE8329BFD4697D9EC37", "27838890001",
                 "hellohello", "99309251619580"},
        Received{"SevenOctetServiceCentre", "06917228195339040B917228214365F700003130805120618005D4F29C2E03",
                 "+27821234567", "Test2", "31308051206180"},
        Received{"LongerText",
                 "07915892000000F0040B915892214365F700007040213252242331493A283D0795C3F33C88FE06C9CB6132885EC6D341ED"
                 "F27C1E3E97E7207B3A0C0A5241E377BB1D7693E72E",
                 "+85291234567", "It is easy to read text messages via AT commands.", "70402132522423"},
        Received{"Question", "07911326040000F0040B911346610089F60000208062917314080CC8F71D14969741F977FD07",
                 "+31641600986", "How are you?", "20806291731408"},
        Received{"FillBitsAfterHeaderAndUnknownSender",
                 "0591721891F1400781721881F800003160526104848059050003C30101916536FB1DCABEEB2074D85E064941B19CAB06"
                 "0319A5C522289C96D3D3ED32286C0FA7D96131BBEC024941B19CAB0603DDD36C36A88C87A7E565D0DB0D82C55EB0DB4B"
                 "068BCD5C20",
                 "2781188", "Hello!You have R 19.50 FREE airtime available. R 19.50 will expire on 01/07/2013. ",
                 "31605261048480", 195, 1, 1},
        Received{"SixteenBitReferenceNoFillBits",
                 "07911356131313F64004850120390011609232239180A006080400100201D7327BFD6EB340E2321BF46E83EA7790F59D1E"
                 "97DBE1341B442F83C465763D3DA797E56537C81D0ECB41AB59CC1693C16031D96C064241E5656838AF03A96230982A26"
                 "9BCD462917C8FA4E8FCBED709A0D7ABBE9F6B0FB5C7683D27350984D4FABC9A0B33C4C4FCF5D20EBFB2D079DCB62793D"
                 "BD06D9C36E50FB2D4E97D9A0B49B5E96BBCB",
                 "1002",
                 "Welkom, bel om uw Voicemail te beluisteren naar +31612001233 (PrePay: *100*1233#). Voicemail "
                 "ontvangen is altijd gratis. Voor gebruik van mobiel interne",
                 "11609232239180", 16, 2, 1},
        Received{"PartOneOfTwo",
                 "07912160130320F5440B916171056429F5000021405291650569A00500034C0201A9E8F41C949E83C2207B599E07B1DF"
                 "EE33885E9ED341E4F23C7D7697C920FA1B54C697E5E3F4BC0C6AD7D9F434081E96D341E3303C2C4EB3D3F4BC0B94A483"
                 "E6E8779D4D06CDD1EF3BA80E0785E7A0B7BB0C6A97E7F3F0B9CC02B9DF7450780EA2DFDF2C50780EA2A3CBA0BA9B5C96"
                 "B3F369F71954768FDFE4B4FB0C9297E1F2F2BCECA6CF41",
                 "+16175046925",
                 "This is a very long test designed to exercise multi part capability. It should show up as one "
                 "message, not as two, as the underlying encoding represents ",
                 "21405291650569", 76, 2, 1},
        Received{"PartTwoOfTwo",
                 "07912160130320F6440B916171056429F5000021405291651569320500034C0202E9E8301D44479741F0B09C3E0785E5"
                 "6590BCCC0ED3CB6410FD0D7ABBCBA0B0FB4D4797E52E10",
                 "+16175046925", "that the parts are related to one another. ", "21405291651569", 76, 2, 2},
        Received{"AlphanumericSenderUcs2Cyrillic",
                 "07919730071111F10414D04937BD2C7797E9D3E614000811309291024061080442043504410442", "InternetSMS",
                 "????", "11309291024061"},
        Received{"EightBitData", "07912143658709F1040B918100551512F20004111010214365000AE8329BFD4697D9EC37DE",
                 "+18005551212", "\xE8\x32\x9B\xFD\x46\x97\xD9\xEC\x37\xDE", "11101021436500"},
        Received{"EightBitDataGroupF", "07912143658709F1040B918100551512F200F4111010214365000AE8329BFD4697D9EC37DE",
                 "+18005551212", "\xE8\x32\x9B\xFD\x46\x97\xD9\xEC\x37\xDE", "11101021436500"}),
    [](const testing::TestParamInfo<Received>& info) { return std::string(info.param.name); });

// Built for the cases the publications lack, and checked with an independent decoder.
INSTANTIATE_TEST_SUITE_P(Built, ReceivedMessages,
    testing::Values(
        Received{"PortElementBeforeConcatenation",
                 "00440C91947110325476000032107261413580160B05040B8423F000032A030240C3723A887E7F03", "+491701234567",
                 "Part two", "32107261413580", 42, 3, 2},
        Received{"ConcatenationWithSequenceZeroIsSkipped",
                 "00440C919471103254760004321072614135800D0A000307020000030703024142", "+491701234567", "AB",
                 "32107261413580", 7, 3, 2},
        Received{"Ucs2InsideAndBeyondLatin1",
                 "00040C91947110325476000832107261413580160047007200FC00DF0065002020AC0020D83DDE000021",
                 "+491701234567", "Gr\xFC\xDF" "e ? ?!", "32107261413580"},
        Received{"Ucs2WithSixteenBitReference",
                 "00400C919471103254760008321072614135800B06080412340303004F006B", "+491701234567", "Ok",
                 "32107261413580", 0x1234, 3, 3},
        Received{"TypeCodeThreeReadAsDeliver", "00030481214300003210726141358005C8309BFD06", "1234", "Hallo",
                 "32107261413580"},
        Received{"EmptyText", "00040481214300003210726141358000", "1234", "", "32107261413580"},
        Received{"HeaderFillsAllUserData", "004404812143000432107261413580" "06" "050003090201", "1234", "",
                 "32107261413580", 9, 2, 1},
        Received{"GsmCodesMappedToLatin1", "000404812143000032107261413580055B0F401002", "1234",
                 "\xC4\xDF" "@$!", "32107261413580"}),
    [](const testing::TestParamInfo<Received>& info) { return std::string(info.param.name); });

// Built with an outside encoder (python3-gammu, EncodePDU) from the texts given: characters of
// the extension table, the euro sign and a Greek capital.
INSTANTIATE_TEST_SUITE_P(OutsideEncoder, ReceivedMessages,
    testing::Values(
        Received{"ExtensionCharactersAndAccents",
                 "0791947101670000000C9194711032547600004250712143650018D2F7BB0DDAF0661B1F68837AAF3729D0A6072A44FA",
                 "+491701234567", "Room [3] {ok} ~ \xE9_\xF1", "42507121436500"},
        Received{"WholeExtensionTableEuroAndOmega",
                 "0791947101670000000C91947110325476000042507121436500181BCA06B5496D5E1BDEA6B7F16D809B32A8D22E9FC3",
                 "+491701234567", "^{}\\[~]|? ?mega", "42507121436500"}),
    [](const testing::TestParamInfo<Received>& info) { return std::string(info.param.name); });

// A deliver from "1234" with the given first octet, data coding, user-data length and data.
std::string tpdu(const std::string& first, const std::string& dcs, const std::string& udl, const std::string& ud)
{
    return first + "04812143" + "00" + dcs + "32107261413580" + udl + ud;
}

struct Coding {
    const char* dcs;
    std::string udl;
    std::string ud;
    std::string text;
};

class DataCodings : public testing::TestWithParam<Coding> {};

TEST_P(DataCodings, AreHonoured)
{
    const Coding& c = GetParam();
    const codec_test::Decoded d = decodeTpdu(tpdu("04", c.dcs, c.udl, c.ud));
    ASSERT_TRUE(d.ok);
    EXPECT_EQ(d.text, c.text);
}

const Coding kSeptets{"", "0A", "E8329BFD4697D9EC37", "hellohello"};
const Coding kOctets{"", "05", "68656C6C6F", "hello"};
const Coding kUcs2{"", "04", "00680069", "hi"};

Coding withDcs(Coding c, const char* dcs)
{
    c.dcs = dcs;
    return c;
}

INSTANTIATE_TEST_SUITE_P(SmsPduDecode, DataCodings,
    testing::Values(withDcs(kSeptets, "00"), withDcs(kSeptets, "10"), withDcs(kSeptets, "0C"),
                    withDcs(kSeptets, "80"), withDcs(kSeptets, "C0"), withDcs(kSeptets, "D1"),
                    withDcs(kSeptets, "F0"), withDcs(kOctets, "04"), withDcs(kOctets, "15"),
                    withDcs(kOctets, "44"), withDcs(kOctets, "F4"), withDcs(kUcs2, "08"), withDcs(kUcs2, "18"),
                    withDcs(kUcs2, "48"), withDcs(kUcs2, "E0")));

struct Hostile {
    const char* name;
    std::string tpdu;
};

class HostilePdus : public testing::TestWithParam<Hostile> {};

TEST_P(HostilePdus, AreRefusedWithinTheBuffers)
{
    const codec_test::Decoded d = decodeTpdu(GetParam().tpdu);
    EXPECT_TRUE(isRefusal(d)) << d.text << " / " << d.sender;
}

const std::string kHello = tpdu("04", "00", "0A", "E8329BFD4697D9EC37");

INSTANTIATE_TEST_SUITE_P(SmsPduDecode, HostilePdus,
    testing::Values(
        Hostile{"HeaderLengthFarBeyondUserData", tpdu("44", "00", "0A", "FF0000000000000000")},
        Hostile{"HeaderLengthOneBeyondUserData", tpdu("44", "04", "05", "0500030102")},
        Hostile{"HeaderSeptetsBeyondTextLength", tpdu("44", "00", "06", "050003010201")},
        Hostile{"ElementOverrunsHeader", tpdu("44", "04", "08", "0500090102014142")},
        Hostile{"ElementWithoutLength", tpdu("44", "04", "03", "010041")},
        Hostile{"HeaderInEmptyUserData", tpdu("44", "04", "00", "")},
        Hostile{"SeptetLengthAbove160", tpdu("04", "00", "A1", std::string(2 * 141, '0'))},
        Hostile{"OctetLengthAbove140", tpdu("04", "04", "8D", std::string(2 * 141, '0'))},
        Hostile{"UserDataShort", tpdu("04", "00", "0A", "E8329BFD4697D9EC")},
        Hostile{"UserDataLong", tpdu("04", "00", "0A", "E8329BFD4697D9EC3700")},
        Hostile{"OddLength", kHello + "0"},
        Hostile{"OddUcs2Octets", tpdu("04", "08", "03", "006800")},
        Hostile{"Compressed", tpdu("04", "20", "0A", "E8329BFD4697D9EC37")},
        Hostile{"CompressedAutoDeletion", tpdu("04", "60", "0A", "E8329BFD4697D9EC37")},
        Hostile{"Submit", tpdu("01", "00", "0A", "E8329BFD4697D9EC37")},
        Hostile{"StatusReport", tpdu("06", "00", "0A", "E8329BFD4697D9EC37")},
        Hostile{"AddressOf21Digits", "0415911234567890123456789001" "0000" "32107261413580" "00"},
        Hostile{"CutAfterAddress", "04149112345678901234567890123456789012"},
        Hostile{"NotHexInUserData", tpdu("04", "00", "0A", "E8329BFD4697D9EC3G")},
        Hostile{"NotHexInTimeStamp", "04048121430000" "3210726141358Z" "00"},
        Hostile{"NotHexFirstOctet", "X4048121430000" "32107261413580" "00"},
        Hostile{"ShorterThanAnyDeliver", "040081" "0000" "32107261413580"},
        Hostile{"LongerThanAnyDeliver",
                "04" "1491" "21436587092143658709" "0004" "32107261413580" "8D" + std::string(2 * 141, '0')},
        Hostile{"Empty", ""}),
    [](const testing::TestParamInfo<Hostile>& info) { return std::string(info.param.name); });

TEST(SmsPduDecode, EveryCutOfAPublishedPduIsRefused)
{
    const std::string line = "07912160130320F6440B916171056429F5000021405291651569320500034C0202E9E8301D44479741F0B09C3E"
                             "0785E56590BCCC0ED3CB6410FD0D7ABBCBA0B0FB4D4797E52E10";
    const std::string whole = line.substr(16);
    ASSERT_TRUE(decodeTpdu(whole).ok);
    for (std::size_t length = 0; length < whole.size(); ++length)
        EXPECT_TRUE(isRefusal(decodeTpdu(whole.substr(0, length)))) << length;
}

TEST(SmsPduDecode, NullInputIsRefused)
{
    SmsTextArea text;
    SmsSenderArea sender;
    int textLength = -1, reference = -1, total = -1, sequence = -1;
    const char* stamp = "x";
    EXPECT_FALSE(SmsPduDecode(nullptr, 40, text, textLength, sender, stamp, reference, total, sequence));
    EXPECT_EQ(textLength, 0);
    EXPECT_EQ(stamp, nullptr);
}

TEST(SmsPduDecode, ARefusalClearsWhatAnEarlierMessageLeft)
{
    SmsTextArea text;
    SmsSenderArea sender;
    int textLength = 0, reference = 0, total = 0, sequence = 0;
    const char* stamp = nullptr;
    const std::string part = "440C919471103254760004321072614135800D0A000307020000030703024142";
    ASSERT_TRUE(SmsPduDecode(part.data(), static_cast<int>(part.size()), text, textLength, sender, stamp, reference,
                             total, sequence));
    ASSERT_EQ(reference, 7);

    const std::string broken = part.substr(0, part.size() - 2);
    EXPECT_FALSE(SmsPduDecode(broken.data(), static_cast<int>(broken.size()), text, textLength, sender, stamp,
                              reference, total, sequence));
    EXPECT_EQ(text[0], '\0');
    EXPECT_EQ(sender[0], '\0');
    EXPECT_EQ(textLength, 0);
    EXPECT_EQ(stamp, nullptr);
    EXPECT_EQ(reference, 0);
    EXPECT_EQ(total, 1);
    EXPECT_EQ(sequence, 1);
}

// What the send job builds as a stored SMS-DELIVER reads back as it was given.
struct RoundTrip {
    const char* name;
    bool eightBit;
    int total;
    int longest;
};

class EncodeThenDecode : public testing::TestWithParam<RoundTrip> {};

TEST_P(EncodeThenDecode, EveryLength)
{
    const RoundTrip& c = GetParam();
    std::mt19937 rng(static_cast<unsigned>(c.longest + c.total));
    for (int length = 0; length <= c.longest; ++length) {
        char data[SMS_TEXT_AREA_SIZE];
        for (int i = 0; i < length; ++i)
            data[i] = static_cast<char>(rng() & (c.eightBit ? 0xFF : 0x7F));
        std::string expected(data, static_cast<std::size_t>(length));
        if (!c.eightBit)
            expected.resize(static_cast<std::size_t>(SmsGsmToLatin(expected.data(), length)));

        SmsPduBuffer pdu;
        int smscOctets = 0;
        const int reference = static_cast<int>(rng() % 256);
        const int sequence = 1 + length % c.total;
        const int octets = SmsPduEncode("+491701234567", data, c.eightBit ? -length : length, pdu,
                                        reference, sequence, c.total, 0, "+4917", smscOctets, -1);
        ASSERT_GT(octets, 0) << length;
        const std::string line(pdu, static_cast<std::size_t>(2 * octets));
        const codec_test::Decoded d = decodeLine(line);
        ASSERT_TRUE(d.ok) << length << " " << line;
        EXPECT_EQ(d.text, expected) << length;
        EXPECT_EQ(d.sender, "+491701234567");
        EXPECT_EQ(d.stamp, "00000000000000");
        EXPECT_EQ(d.reference, c.total >= 2 ? reference : 0) << length;
        EXPECT_EQ(d.total, c.total) << length;
        EXPECT_EQ(d.sequence, sequence) << length;
    }
}

INSTANTIATE_TEST_SUITE_P(SmsPduDecode, EncodeThenDecode,
    testing::Values(RoundTrip{"SingleText", false, 1, 160}, RoundTrip{"PartText", false, 3, 152},
                    RoundTrip{"SingleData", true, 1, 140}, RoundTrip{"PartData", true, 2, 134}),
    [](const testing::TestParamInfo<RoundTrip>& info) { return std::string(info.param.name); });

} // namespace
