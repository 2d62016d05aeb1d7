#include "engine/codec/PduAddress.h"

#include "CodecTestSupport.h"

#include <gtest/gtest.h>

#include <string>

using namespace zel;

namespace {

struct Encoded {
    const char* name;
    std::string digits;
    bool national;
    std::string hex;
};

class AddressEncoding : public testing::TestWithParam<Encoded> {};

TEST_P(AddressEncoding, WritesCountTypeAndSwappedDigits)
{
    const Encoded& e = GetParam();
    codec_test::Fenced<PDU_ADDRESS_MAX_DIGITS + 5> out;
    const int written = EncodeAddress(out.area, e.digits.data(), static_cast<int>(e.digits.size()), e.national);
    EXPECT_EQ(std::string(out.area, static_cast<std::size_t>(written)), e.hex);
    EXPECT_EQ(static_cast<unsigned char>(out.area[written]), codec_test::kGuard);
}

INSTANTIATE_TEST_SUITE_P(PduAddress, AddressEncoding,
    testing::Values(Encoded{"TwelveDigits", "491701234567", false, "0C91947110325476"},
                    Encoded{"OddInternational", "46708251358", false, "0B916407281553F8"},
                    Encoded{"EvenNational", "0708251358", true, "0A817080523185"},
                    Encoded{"OddNational", "347101010", true, "098143171010F0"},
                    Encoded{"TwentyDigits", "12345678901234567890", false, "1491" "21436587092143658709"},
                    Encoded{"Empty", "", true, "0081"}),
    [](const testing::TestParamInfo<Encoded>& info) { return std::string(info.param.name); });

struct Decoded {
    const char* name;
    std::string hex;
    std::string text;
    int consumed;
};

class AddressDecoding : public testing::TestWithParam<Decoded> {};

TEST_P(AddressDecoding, ReadsEveryTypeOfNumber)
{
    const Decoded& d = GetParam();
    const codec_test::ExactText input(d.hex);
    codec_test::Fenced<SMS_SENDER_AREA_SIZE> out;
    EXPECT_EQ(DecodeAddress(input.data(), out.area, SMS_SENDER_AREA_SIZE, input.size()), d.consumed);
    EXPECT_EQ(std::string(out.area), d.text);
    EXPECT_TRUE(out.intact());
}

INSTANTIATE_TEST_SUITE_P(PduAddress, AddressDecoding,
    testing::Values(
        Decoded{"International", "0B916407281553F8", "+46708251358", 16},
        Decoded{"InternationalLowerCase", "0b916407281553f8", "+46708251358", 16},
        Decoded{"ReadsOnlyItsOwnField", "0A918967452301000000", "+9876543210", 14},
        Decoded{"Unknown", "0781721881F8", "2781188", 12},
        Decoded{"NationalType", "0AA11092997856", "0129998765", 14},
        Decoded{"NetworkSpecificC8", "0BC87238880900F1", "27838890001", 16},
        Decoded{"ShortCode85", "04850120", "1002", 8},
        Decoded{"KeypadCharacters", "05811A00FB", "*100#", 10},
        Decoded{"NoDigits", "0091", "+", 4},
        Decoded{"NameAbc", "06D061F118", "abc", 10},
        Decoded{"NameFrancois", "0ED04669D0397C26A7", "FRANCOIS", 18},
        Decoded{"NameInternetSms", "14D04937BD2C7797E9D3E614", "InternetSMS", 24},
        Decoded{"NameUmlaut", "04D05B0F", "\xC4\xDF", 8}),
    [](const testing::TestParamInfo<Decoded>& info) { return std::string(info.param.name); });

struct Refused {
    const char* name;
    std::string hex;
    int outSize;
};

class AddressRefusals : public testing::TestWithParam<Refused> {};

TEST_P(AddressRefusals, FailWithEmptyText)
{
    const Refused& r = GetParam();
    const codec_test::ExactText input(r.hex);
    codec_test::Fenced<SMS_SENDER_AREA_SIZE> out;
    EXPECT_EQ(DecodeAddress(input.data(), out.area, r.outSize, input.size()), -1);
    EXPECT_EQ(out.area[0], '\0');
    EXPECT_TRUE(out.intact());
}

INSTANTIATE_TEST_SUITE_P(PduAddress, AddressRefusals,
    testing::Values(
        Refused{"TwentyOneDigits", "15911234567890123456789001", SMS_SENDER_AREA_SIZE},
        Refused{"CutShort", "0B916407281553", SMS_SENDER_AREA_SIZE},
        Refused{"NoType", "0B", SMS_SENDER_AREA_SIZE},
        Refused{"FillerNotF", "0B916407281553A8", SMS_SENDER_AREA_SIZE},
        Refused{"FillerAmongDigits", "049121F3", SMS_SENDER_AREA_SIZE},
        Refused{"NotHex", "0B91640728155XF8", SMS_SENDER_AREA_SIZE},
        Refused{"CountNotHex", "G091", SMS_SENDER_AREA_SIZE},
        Refused{"NoRoomForPlusDigitsAndZero", "0B916407281553F8", 12},
        Refused{"NoRoomForName", "14D04937BD2C7797E9D3E614", 11},
        Refused{"NameNotHex", "06D061F11X", SMS_SENDER_AREA_SIZE}),
    [](const testing::TestParamInfo<Refused>& info) { return std::string(info.param.name); });

TEST(PduAddress, ExactRoomIsEnough)
{
    char out[13];
    EXPECT_EQ(DecodeAddress("0B916407281553F8", out, 13, 16), 16);
    EXPECT_STREQ(out, "+46708251358");
}

struct Centre {
    const char* name;
    std::string line;
    int length;
};

class ServiceCentrePart : public testing::TestWithParam<Centre> {};

TEST_P(ServiceCentrePart, IsMeasuredByItsLengthOctet)
{
    const Centre& c = GetParam();
    const codec_test::ExactText input(c.line);
    EXPECT_EQ(serviceCentrePartLength(input.data(), input.size()), c.length);
}

INSTANTIATE_TEST_SUITE_P(PduAddress, ServiceCentrePart,
    testing::Values(Centre{"EightOctets", "07917283010010F5040BC8", 16},
                    Centre{"SixOctets", "0591721891F1400781", 12},
                    Centre{"SevenOctets", "06917228195339040B", 14},
                    Centre{"PhonesOwn", "00040B", 2},
                    Centre{"LongestAllowed", "0B91" + std::string(20, '1') + "04", 24},
                    Centre{"LineEndsWithIt", "0591721891F1", 12},
                    Centre{"CutShort", "0591721891", -1},
                    Centre{"TooLong", "0C91" + std::string(40, '1'), -1},
                    Centre{"NotHex", "G7917283010010F5", -1},
                    Centre{"OneCharacter", "0", -1},
                    Centre{"Empty", "", -1}),
    [](const testing::TestParamInfo<Centre>& info) { return std::string(info.param.name); });

} // namespace
