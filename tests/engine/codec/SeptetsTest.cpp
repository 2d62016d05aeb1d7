#include "engine/codec/PduHex.h"
#include "engine/codec/Septets.h"

#include "CodecTestSupport.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <string>
#include <vector>

using namespace zel;

namespace {

std::string packedHex(const std::string& text)
{
    std::vector<std::uint8_t> octets(static_cast<std::size_t>(septetOctets(static_cast<int>(text.size()))) + 1, 0xEE);
    const int count = PackSeptets(octets.data(), text.data(), static_cast<int>(text.size()));
    EXPECT_EQ(octets[static_cast<std::size_t>(count)], 0xEE) << "packing wrote past its octets";
    std::string hex(2 * static_cast<std::size_t>(count), '\0');
    PduBytesToHex(hex.data(), octets.data(), count);
    return hex;
}

struct Packed {
    const char* name;
    std::string text;
    std::string hex;
};

class PublishedPackings : public testing::TestWithParam<Packed> {};

TEST_P(PublishedPackings, PackAndUnpack)
{
    const Packed& p = GetParam();
    EXPECT_EQ(packedHex(p.text), p.hex);

    std::vector<std::uint8_t> octets(p.hex.size() / 2);
    ASSERT_TRUE(PduHexToBytes(octets.data(), static_cast<int>(octets.size()), p.hex.data(), static_cast<int>(p.hex.size())));
    codec_test::Fenced<200> out;
    ASSERT_TRUE(UnpackSeptets(out.area, static_cast<int>(p.text.size()), octets.data(), static_cast<int>(octets.size())));
    EXPECT_EQ(std::string(out.area, p.text.size()), p.text);
    EXPECT_EQ(static_cast<unsigned char>(out.area[p.text.size()]), codec_test::kGuard);
}

INSTANTIATE_TEST_SUITE_P(Septets, PublishedPackings,
    testing::Values(
        Packed{"Hallo", "Hallo", "C8309BFD06"},
        Packed{"HelloHello", "hellohello", "E8329BFD4697D9EC37"},
        Packed{"QuickFox", "The quick fox jumps over the lazy dog",
               "54741914AFA7C76B90F98D07A9EB6DF81CF4B697E5203ABA0C6287F57910F97D06"},
        // 25 septets: the last one sits alone in the 22nd octet.
        Packed{"LastSeptetAlone", "This is really cool \x10\x10\x10\x10\x10",
               "54747A0E4ACF41F27298CDCE83C6EF371B0481402010"},
        // Eight septets fill seven octets exactly.
        Packed{"EightInSeven", "12345678", "31D98C56B3DD70"}),
    [](const testing::TestParamInfo<Packed>& info) { return std::string(info.param.name); });

TEST(Septets, EveryLengthUpTo160RoundTrips)
{
    std::mt19937 rng(160);
    for (int length = 0; length <= 160; ++length) {
        std::string text(static_cast<std::size_t>(length), '\0');
        for (char& c : text)
            c = static_cast<char>(rng() & 0x7F);
        std::vector<std::uint8_t> octets(141, 0);
        const int count = PackSeptets(octets.data(), text.data(), length);
        ASSERT_EQ(count, (length * 7 + 7) / 8) << length;
        ASSERT_LE(count, 140);

        codec_test::Fenced<160> out;
        ASSERT_TRUE(UnpackSeptets(out.area, length, octets.data(), count)) << length;
        EXPECT_EQ(std::string(out.area, static_cast<std::size_t>(length)), text) << length;
        EXPECT_TRUE(out.intact());
        if (length > 0) {
            EXPECT_FALSE(UnpackSeptets(out.area, length, octets.data(), count - 1)) << length;
            EXPECT_FALSE(UnpackSeptets(out.area, length, octets.data(), count + 1)) << length;
        }
    }
}

TEST(Septets, TopBitOfEachByteIsIgnored)
{
    EXPECT_EQ(packedHex("\xC8\xE1"), packedHex("\x48\x61"));
}

TEST(Septets, SevenOctetsHoldSevenOrEightSeptetsAndNoOtherCount)
{
    const std::uint8_t octets[7] = {0x31, 0xD9, 0x8C, 0x56, 0xB3, 0xDD, 0x70};
    char out[9];
    EXPECT_TRUE(UnpackSeptets(out, 8, octets, 7));
    EXPECT_TRUE(UnpackSeptets(out, 7, octets, 7));
    EXPECT_EQ(std::string(out, 7), "1234567");
    EXPECT_FALSE(UnpackSeptets(out, 9, octets, 7));
    EXPECT_FALSE(UnpackSeptets(out, 6, octets, 7));
    EXPECT_FALSE(UnpackSeptets(out, -1, octets, 0));
    EXPECT_TRUE(UnpackSeptets(out, 0, octets, 0));
}

TEST(Septets, PackingAtABitOffsetKeepsTheBitsBeforeIt)
{
    std::uint8_t octets[3] = {0xFF, 0xFF, 0xFF};
    // One fill bit is kept, then 'A' (1000001) and 'B' (1000010) follow it.
    EXPECT_EQ(packSeptetsAt(octets, 1, "AB", 2), 2);
    EXPECT_EQ(octets[0], 0x83);
    EXPECT_EQ(octets[1], 0x42); // its top bit, past the last septet, is cleared
    EXPECT_EQ(octets[2], 0xFF);

    char out[2];
    ASSERT_TRUE(unpackSeptetsAt(out, 1, 2, octets, 2));
    EXPECT_EQ(std::string(out, 2), "AB");
    EXPECT_FALSE(unpackSeptetsAt(out, 3, 2, octets, 2));
}

} // namespace
