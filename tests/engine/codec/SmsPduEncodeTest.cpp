#include "engine/codec/SmsPdu.h"

#include "CodecTestSupport.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>

using namespace zel;

namespace {

struct Request {
    std::string number;
    std::string data;
    int length = 0; // as given to the encoder: negative for 8-bit data
    int reference = 0;
    int sequence = 1;
    int total = 1;
    int mode = -1;
    std::string smsc;
    int validity = -1;
};

struct Built {
    int result = 0;
    int smscOctets = -1;
    std::string pdu;  // up to the terminator, Ctrl-Z included
    std::string data; // the caller's data area afterwards, as long as it was given
    bool fencesIntact = false;
};

Request text(std::string number, std::string data)
{
    Request r;
    r.number = std::move(number);
    r.length = static_cast<int>(data.size());
    r.data = std::move(data);
    return r;
}

Built build(const Request& r)
{
    codec_test::Fenced<SMS_TEXT_AREA_SIZE> data;
    std::memcpy(data.area, r.data.data(), r.data.size());
    codec_test::Fenced<SMS_PDU_BUFFER_SIZE> pdu;
    Built b;
    b.result = SmsPduEncode(r.number.c_str(), data.area, r.length, pdu.area, r.reference, r.sequence, r.total, r.mode,
                            r.smsc.c_str(), b.smscOctets, r.validity);
    const void* end = std::memchr(pdu.area, '\0', sizeof pdu.area);
    b.pdu = end ? std::string(pdu.area, static_cast<std::size_t>(static_cast<const char*>(end) - pdu.area))
                : std::string("<unterminated>");
    b.data.assign(data.area, r.data.size());
    b.fencesIntact = pdu.intact() && data.intact();
    return b;
}

constexpr char kZ[] = "\x1A";

// The golden "Hallo": +49 1701 234567, single, 7-bit, the phone's service centre, no validity.
TEST(SmsPduEncode, HalloToAnInternationalNumber)
{
    const Built b = build(text("+491701234567", "Hallo"));
    EXPECT_EQ(b.pdu, std::string("00" "01" "00" "0C91947110325476" "00" "00" "05" "C8309BFD06") + kZ);
    EXPECT_EQ(b.result, 19);
    EXPECT_EQ(b.smscOctets, 1);
    EXPECT_EQ(b.result - b.smscOctets, 18); // the length the send command announces
    EXPECT_TRUE(b.fencesIntact);
}

TEST(SmsPduEncode, RelativeValidityFollowsTheDataCoding)
{
    Request r = text("+491701234567", "Hallo");
    r.validity = 167;
    const Built b = build(r);
    EXPECT_EQ(b.pdu, std::string("00" "11" "00" "0C91947110325476" "00" "00" "A7" "05" "C8309BFD06") + kZ);
    EXPECT_EQ(b.result, 20);
}

TEST(SmsPduEncode, ValidityAbove255IsTheLongestPeriod)
{
    Request r = text("+491701234567", "Hallo");
    r.validity = 300;
    EXPECT_EQ(build(r).pdu.substr(0, 28), "0011000C919471103254760000FF");
}

TEST(SmsPduEncode, PartTwoOfThreeCarriesHeaderAndFillBit)
{
    Request r = text("+491701234567", "Hallo");
    r.reference = 42;
    r.sequence = 2;
    r.total = 3;
    const Built b = build(r);
    EXPECT_EQ(b.pdu, std::string("00" "41" "00" "0C91947110325476" "00" "00" "0C" "0500032A0302" "906136FB0D") + kZ);
    EXPECT_EQ(b.result, 25);
}

TEST(SmsPduEncode, NegativeReferenceSends8BitDataWithThatReference)
{
    Request r = text("+491701234567", std::string("\x00\x1A\xFF" "A", 4));
    r.reference = -5;
    r.sequence = 1;
    r.total = 2;
    EXPECT_EQ(build(r).pdu, std::string("00" "41" "00" "0C91947110325476" "00" "F6" "0A" "050003050201" "001AFF41") + kZ);
}

TEST(SmsPduEncode, NegativeLengthSends8BitDataAlone)
{
    Request r = text("1234", std::string("\x00\xC4", 2));
    r.length = -2;
    EXPECT_EQ(build(r).pdu, std::string("00" "01" "00" "04812143" "00" "F6" "02" "00C4") + kZ);
}

struct BadNumber {
    const char* name;
    std::string number;
    int result;
};

class DestinationRefusals : public testing::TestWithParam<BadNumber> {};

TEST_P(DestinationRefusals, SendNothing)
{
    const BadNumber& c = GetParam();
    const Built b = build(text(c.number, "Hallo"));
    EXPECT_EQ(b.result, c.result);
    EXPECT_EQ(b.pdu, "");
    EXPECT_EQ(b.smscOctets, 0);
    EXPECT_TRUE(b.fencesIntact);
}

INSTANTIATE_TEST_SUITE_P(SmsPduEncode, DestinationRefusals,
    testing::Values(BadNumber{"Letter", "12a", SMS_PDU_BAD_NUMBER_CHAR},
                    BadNumber{"Blank", "+49 170", SMS_PDU_BAD_NUMBER_CHAR},
                    BadNumber{"SecondPlus", "++49", SMS_PDU_BAD_NUMBER_CHAR},
                    BadNumber{"Latin1Byte", "49\xB9", SMS_PDU_BAD_NUMBER_CHAR},
                    BadNumber{"Empty", "", SMS_PDU_BAD_NUMBER_LENGTH},
                    BadNumber{"PlusAlone", "+", SMS_PDU_BAD_NUMBER_LENGTH},
                    BadNumber{"TwentyOneDigits", std::string(21, '1'), SMS_PDU_BAD_NUMBER_LENGTH},
                    BadNumber{"TwentyOneWithPlus", "+" + std::string(21, '1'), SMS_PDU_BAD_NUMBER_LENGTH}),
    [](const testing::TestParamInfo<BadNumber>& info) { return std::string(info.param.name); });

TEST(SmsPduEncode, TwentyDigitsAreAccepted)
{
    EXPECT_GT(build(text("+" + std::string(20, '9'), "x")).result, 0);
}

TEST(SmsPduEncode, NullNumberIsRefusedAsEmpty)
{
    char data[SMS_TEXT_AREA_SIZE] = "Hallo";
    SmsPduBuffer pdu;
    int smscOctets = -1;
    EXPECT_EQ(SmsPduEncode(nullptr, data, 5, pdu, 0, 1, 1, -1, nullptr, smscOctets, -1), SMS_PDU_BAD_NUMBER_LENGTH);
}

struct Submit {
    const char* name;
    Request request;
    std::string pdu;
    int smscOctets;
};

Request with(Request r, const std::string& smsc, int validity)
{
    r.smsc = smsc;
    r.validity = validity;
    return r;
}

Request part(Request r, int reference, int sequence, int total)
{
    r.reference = reference;
    r.sequence = sequence;
    r.total = total;
    return r;
}

Request eightBit(Request r)
{
    r.length = -r.length;
    return r;
}

const char kLoremTail[] = "u fugiat nulla pariatur.Excepteur sint occaecat cupidatat non proident, sunt in culpa qui "
                          "officia deserunt mollit anim id est laborum";

class PublishedSubmits : public testing::TestWithParam<Submit> {};

TEST_P(PublishedSubmits, MatchOctetForOctet)
{
    const Submit& s = GetParam();
    const Built b = build(s.request);
    EXPECT_EQ(b.pdu, s.pdu + kZ);
    EXPECT_EQ(b.result, static_cast<int>(s.pdu.size() / 2));
    EXPECT_EQ(b.smscOctets, s.smscOctets);
}

// Published SMS-SUBMIT PDUs of GSM 03.40 tutorials and test suites. Two differ from the
// publication in one octet each, noted with them.
INSTANTIATE_TEST_SUITE_P(SmsPduEncode, PublishedSubmits,
    testing::Values(
        Submit{"HelloHelloFourDays", with(text("+46708251358", "hellohello"), "", 0xAA),
               "0011000B916407281553F80000AA0AE8329BFD4697D9EC37", 1},
        Submit{"HelloWorld", text("+27820001111", "Hello World!"),
               "0001000B917228001011F100000CC8329BFD065DDF72363904", 1},
        Submit{"WithServiceCentre",
               with(text("+15555551234", "Hi there...Tue 17th Jan 2012 05:30.18 pm (GMT+1) \x10\x10\x10\x10\x10"),
                    "+19037029920", 0),
               "07919130079229F011000B915155551532F400000036C834888E2ECBCB2E978B5A2F8362373A1AA40CBB4132584C0682"
               "D57433982B8603C1DB20D4B1495DC552200804028100",
               8},
        Submit{"LastSeptetAlone", with(text("+15556661234", "This is really cool \x10\x10\x10\x10\x10"), "", 0),
               "0011000B915155661632F40000001954747A0E4ACF41F27298CDCE83C6EF371B0481402010", 1},
        Submit{"LastSeptetAloneNoValidity", text("+15556661234", "This is really cool \x10\x10\x10\x10\x10"),
               "0001000B915155661632F400001954747A0E4ACF41F27298CDCE83C6EF371B0481402010", 1},
        // Published with the reject-duplicates bit (first octet 45), which we do not set.
        Submit{"ConcatenatedPartThreeOfThree", part(text("+15125551234", kLoremTail), 0, 3, 3),
               "0041000B915121551532F400008C050003000303EA2073FD9C0ED341EE3A9B1D06C1C3F274985E97BB8AF871194E2FD7E5A0"
               "79DA4D07BDC7E370791CA683C675789A1CA687E920F7DB0D82CBDF6972D94D6781E675371D947683C675363C0C8AD7D3A0B7"
               "D99C1EA7C32072795E96D7DD7450FBCD66A7E9A0B03BDD06A5C9A0F29C0E6287C56F79BD0D",
               1},
        // Published with data coding 04 (8-bit, no class); ours carries class 2 (F6).
        Submit{"EightBitWithServiceCentre", with(eightBit(text("+27821234567", "Hello world!")), "+2781191", -1),
               "0591721891F101000B917228214365F700F60C48656C6C6F20776F726C6421", 6}),
    [](const testing::TestParamInfo<Submit>& info) { return std::string(info.param.name); });

struct Cut {
    const char* name;
    bool eightBit;
    int total;
    int limit;
    int udlExtra; // header septets or octets counted in the user-data length
    int escapeAt = -1; // an escape byte there
};

class LongData : public testing::TestWithParam<Cut> {};

TEST_P(LongData, IsCutWithAZeroByteInTheCallersData)
{
    const Cut& c = GetParam();
    Request r = part(text("1234", std::string(SMS_TEXT_AREA_SIZE, 'x')), 7, 1, c.total);
    if (c.escapeAt >= 0)
        r.data[static_cast<std::size_t>(c.escapeAt)] = 0x1B;
    if (c.eightBit)
        r.length = -r.length;
    const Built b = build(r);
    ASSERT_GT(b.result, 0);
    EXPECT_EQ(b.data.find('\0'), static_cast<std::size_t>(c.limit));
    EXPECT_EQ(b.data.find_first_not_of('x', static_cast<std::size_t>(c.limit) + 1), std::string::npos);
    // The user-data length octet follows first octet, reference, address, identifier and coding.
    const std::string udl = b.pdu.substr(2 + 2 + 2 + 8 + 2 + 2, 2);
    char expected[3];
    std::snprintf(expected, sizeof expected, "%02X", c.limit + c.udlExtra);
    EXPECT_EQ(udl, expected);
    EXPECT_TRUE(b.fencesIntact);
}

INSTANTIATE_TEST_SUITE_P(SmsPduEncode, LongData,
    testing::Values(Cut{"SingleText", false, 1, 160, 0}, Cut{"PartText", false, 2, 152, 7},
                    Cut{"SingleData", true, 1, 140, 0}, Cut{"PartData", true, 2, 134, 6},
                    // An escape whose code falls beyond the limit goes out with it.
                    Cut{"SingleTextEscapeAtTheLimit", false, 1, 159, 0, 159},
                    Cut{"PartTextEscapeAtTheLimit", false, 2, 151, 7, 151},
                    Cut{"PartTextEscapeWithinTheLimit", false, 2, 152, 7, 150}),
    [](const testing::TestParamInfo<Cut>& info) { return std::string(info.param.name); });

TEST(SmsPduEncode, DataThatFitsIsLeftAlone)
{
    const Built b = build(text("1234", std::string(160, 'y')));
    EXPECT_EQ(b.data, std::string(160, 'y'));
}

struct ModeCase {
    int mode;
    std::string firstOctet;
    std::string pid;
    bool deliver;
};

class Modes : public testing::TestWithParam<ModeCase> {};

TEST_P(Modes, ChooseMessageTypeAndProtocolIdentifier)
{
    const ModeCase& m = GetParam();
    Request r = text("1234", "Hi");
    r.mode = m.mode;
    const Built b = build(r);
    const std::string head = m.deliver ? "00" + m.firstOctet + "04812143" + m.pid + "00" + "00000000000000"
                                       : "00" + m.firstOctet + "00" + "04812143" + m.pid + "00";
    EXPECT_EQ(b.pdu, head + "02C834" + kZ);
}

INSTANTIATE_TEST_SUITE_P(SmsPduEncode, Modes,
    testing::Values(ModeCase{-1, "01", "00", false}, ModeCase{-4, "01", "7F", false},
                    ModeCase{-3, "01", "7F", false}, ModeCase{-2, "01", "7F", false},
                    ModeCase{2, "01", "7F", false}, ModeCase{3, "01", "7F", false},
                    ModeCase{0, "04", "7F", true}, ModeCase{1, "04", "7F", true}));

TEST(SmsPduEncode, StoredDeliverPartFlagsItsHeader)
{
    Request r = part(text("1234", "Hi"), 42, 2, 3);
    r.mode = 0;
    r.validity = 10; // a deliver has no validity period
    const Built b = build(r);
    EXPECT_EQ(b.pdu, std::string("00" "44" "04812143" "7F" "00" "00000000000000" "09" "0500032A0302" "9069") + kZ);
}

struct CentreCase {
    const char* name;
    std::string smsc;
    std::string part;
};

class ServiceCentres : public testing::TestWithParam<CentreCase> {};

TEST_P(ServiceCentres, LeadThePdu)
{
    const CentreCase& c = GetParam();
    Request r = with(text("1234", "Hi"), c.smsc, -1);
    const Built b = build(r);
    EXPECT_EQ(b.pdu.substr(0, c.part.size()), c.part);
    EXPECT_EQ(b.pdu.substr(c.part.size(), 2), "01");
    EXPECT_EQ(b.smscOctets, static_cast<int>(c.part.size() / 2));
}

INSTANTIATE_TEST_SUITE_P(SmsPduEncode, ServiceCentres,
    testing::Values(CentreCase{"International", "+2781191", "0591721891F1"},
                    CentreCase{"National", "2781191", "0581721891F1"},
                    CentreCase{"TwentyDigits", std::string(20, '3'), "0B81" + std::string(20, '3')},
                    CentreCase{"PhonesOwnWhenEmpty", "", "00"},
                    CentreCase{"PhonesOwnWhenPlusAlone", "+", "00"},
                    CentreCase{"PhonesOwnWhenNotDigits", "+49 171", "00"},
                    CentreCase{"PhonesOwnWhenTooLong", std::string(21, '3'), "00"}),
    [](const testing::TestParamInfo<CentreCase>& info) { return std::string(info.param.name); });

TEST(SmsPduEncode, LongestPduFitsTheBuildBuffer)
{
    Request r = eightBit(text(std::string(20, '9'), std::string(140, '\xFF')));
    r.mode = 0;
    r.smsc = "+" + std::string(20, '8');
    const Built b = build(r);
    EXPECT_EQ(b.result, 12 + 163);
    EXPECT_EQ(b.pdu.size(), 2u * 175 + 1);
    EXPECT_TRUE(b.fencesIntact);
}

TEST(SmsPduEncode, EmptyTextHasNoUserDataOctet)
{
    EXPECT_EQ(build(text("1234", "")).pdu, std::string("00" "01" "00" "04812143" "00" "00" "00") + kZ);
    // A part still carries its header and the fill bit's octet.
    EXPECT_EQ(build(part(text("1234", ""), 1, 2, 2)).pdu,
              std::string("00" "41" "00" "04812143" "00" "00" "07" "050003010202" "00") + kZ);
}

} // namespace
