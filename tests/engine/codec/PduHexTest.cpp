#include "engine/codec/PduHex.h"

#include "CodecTestSupport.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <string>
#include <vector>

using namespace zel;

namespace {

TEST(PduHex, WritesUpperCaseWithoutTerminator)
{
    char out[6] = {'x', 'x', 'x', 'x', 'x', 'x'};
    PduByteToHex(out, 0xAB);
    EXPECT_EQ(std::string(out, 3), "ABx");
    const std::uint8_t bytes[] = {0x00, 0x1A};
    PduBytesToHex(out + 2, bytes, 2);
    EXPECT_EQ(std::string(out, 6), "AB001A");
}

TEST(PduHex, EveryByteRoundTripsAsMelodyPayloadsNeed)
{
    std::array<std::uint8_t, 256> bytes{};
    for (int i = 0; i < 256; ++i)
        bytes[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(i);
    std::string hex(512, '\0');
    PduBytesToHex(hex.data(), bytes.data(), 256);
    EXPECT_EQ(hex.substr(0, 8), "00010203");
    EXPECT_EQ(hex.substr(504), "FCFDFEFF");
    const codec_test::ExactText input(hex);
    std::array<std::uint8_t, 256> back{};
    ASSERT_TRUE(PduHexToBytes(back.data(), 256, input.data(), input.size()));
    EXPECT_EQ(back, bytes);
}

TEST(PduHex, ReadsEitherCase)
{
    std::uint8_t out[3] = {};
    ASSERT_TRUE(PduHexToBytes(out, 3, "aBcD0f", 6));
    EXPECT_EQ(out[0], 0xAB);
    EXPECT_EQ(out[1], 0xCD);
    EXPECT_EQ(out[2], 0x0F);
}

struct BadHex {
    const char* name;
    std::string hex;
    int outSize;
};

class HexRefusals : public testing::TestWithParam<BadHex> {};

TEST_P(HexRefusals, Fail)
{
    const BadHex& c = GetParam();
    const codec_test::ExactText input(c.hex);
    codec_test::Fenced<8> out;
    EXPECT_FALSE(PduHexToBytes(reinterpret_cast<std::uint8_t*>(out.area), c.outSize, input.data(), input.size()));
    EXPECT_TRUE(out.intact());
}

INSTANTIATE_TEST_SUITE_P(PduHex, HexRefusals,
    testing::Values(BadHex{"OddLength", "ABC", 8}, BadHex{"NoRoom", "000102", 2}, BadHex{"LetterG", "0G", 8},
                    BadHex{"Blank", "0 ", 8}, BadHex{"ZeroByte", std::string("0\0", 2), 8},
                    BadHex{"MinusSign", "-1", 8}, BadHex{"NineteenBytesForEight", std::string(38, 'A'), 8}),
    [](const testing::TestParamInfo<BadHex>& info) { return std::string(info.param.name); });

TEST(PduHex, ExactRoomAndEmptyInputSucceed)
{
    std::uint8_t out[2] = {};
    EXPECT_TRUE(PduHexToBytes(out, 2, "FFEE", 4));
    EXPECT_TRUE(PduHexToBytes(out, 0, "", 0));
    EXPECT_FALSE(PduHexToBytes(out, 2, "FF", -2));
}

TEST(PduHex, SemiOctetPairsReadSwapped)
{
    EXPECT_EQ(SemiOctetPair("99"), 99);
    EXPECT_EQ(SemiOctetPair("21"), 12);
    EXPECT_EQ(SemiOctetPair("80"), 8);
    EXPECT_EQ(SemiOctetPair("08"), 80);
    EXPECT_EQ(SemiOctetPair("2B"), -1); // a time-zone pair with its sign nibble
    EXPECT_EQ(SemiOctetPair("A0"), -1);
}

} // namespace
