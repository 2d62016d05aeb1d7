#include "engine/codec/GsmAlphabet.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

using zel::SmsGsmToLatin;
using zel::SmsLatinSeptets;
using zel::SmsLatinToGsm;

namespace {

std::string toGsm(std::string text)
{
    const int length = static_cast<int>(text.size());
    text.resize(2 * text.size());
    text.resize(static_cast<std::size_t>(SmsLatinToGsm(text.data(), length, static_cast<int>(text.size()))));
    return text;
}

std::string toLatin(std::string text)
{
    text.resize(static_cast<std::size_t>(SmsGsmToLatin(text.data(), static_cast<int>(text.size()))));
    return text;
}

// The GSM 03.38 charts as published, in code order: the default alphabet (its escape at 1B
// included) and the extension table's characters with their codes.
constexpr char32_t kDefaultChart[] =
    U"@£$¥èéùìòÇ\nØø\rÅåΔ_ΦΓΛΩΠΨΣΘΞ\x1BÆæßÉ !\"#¤%&'()*+,-./0123456789:;<=>?"
    U"¡ABCDEFGHIJKLMNOPQRSTUVWXYZÄÖÑÜ§¿abcdefghijklmnopqrstuvwxyzäöñüà";
static_assert(sizeof kDefaultChart / sizeof kDefaultChart[0] == 129);
constexpr char32_t kExtensionChart[] = U"\f^{}\\[~]|€";
constexpr char kExtensionCodes[] = {0x0A, 0x14, 0x28, 0x29, 0x2F, 0x3C, 0x3D, 0x3E, 0x40, 0x65};

// Every code both ways: a character Latin-1 has comes back as itself, one it lacks reads as "?";
// every Latin-1 character outside the charts goes as a blank.
TEST(GsmAlphabet, WholeChartBothWays)
{
    std::map<char32_t, std::string> charted; // character -> its GSM codes
    for (int code = 0; code < 128; ++code)
        if (code != zel::GSM_ESCAPE)
            charted[kDefaultChart[code]] = std::string(1, static_cast<char>(code));
    for (std::size_t i = 0; i < sizeof kExtensionCodes; ++i)
        charted[kExtensionChart[i]] = {zel::GSM_ESCAPE, kExtensionCodes[i]};
    for (const auto& [c, gsm] : charted) {
        EXPECT_EQ(toLatin(gsm), std::string(1, c <= 0xFF ? static_cast<char>(c) : '?')) << int(c);
        if (c <= 0xFF) {
            EXPECT_EQ(toGsm(std::string(1, static_cast<char>(c))), gsm) << int(c);
        }
    }
    for (char32_t c = 0; c <= 0xFF; ++c) {
        const auto found = charted.find(c);
        EXPECT_EQ(SmsLatinSeptets(static_cast<char>(c)), found == charted.end() ? 0 : int(found->second.size()));
        if (found == charted.end()) {
            EXPECT_EQ(toGsm(std::string(1, static_cast<char>(c))), " ") << int(c);
        }
    }
}

TEST(GsmAlphabet, EscapesReadAsAPhoneShowsThem)
{
    EXPECT_EQ(toLatin("\x1B" "A\x1B\x05"), "A\xE9") << "a code the extension table lacks: its main character";
    EXPECT_EQ(toLatin("a\x1B\x1B" "b"), "a b") << "a doubled escape";
    EXPECT_EQ(toLatin("ab\x1B"), "ab ") << "an escape at the end";
}

TEST(GsmAlphabet, CapacityNeverSplitsAnEscape)
{
    for (const auto& [capacity, gsm] : {std::pair{3, "ab"}, std::pair{4, "ab\x1B\x3C"}}) {
        std::string text = "ab[cd";
        text.resize(static_cast<std::size_t>(SmsLatinToGsm(text.data(), 5, capacity)));
        EXPECT_EQ(text, gsm) << capacity;
    }
}

struct Pair {
    const char* name;
    char latin;
    char gsm;
};

class AlphabetPairs : public testing::TestWithParam<Pair> {};

// A character the alphabet lacks goes as the blank, which reads back as a blank. An optimised
// GCC 12 build once sent such characters as 0x00, the "@".
TEST_P(AlphabetPairs, MapBothWays)
{
    const Pair& p = GetParam();
    EXPECT_EQ(toGsm(std::string(1, p.latin)), std::string(1, p.gsm));
    EXPECT_EQ(toLatin(std::string(1, p.gsm)), std::string(1, p.gsm == ' ' ? ' ' : p.latin));
}

INSTANTIATE_TEST_SUITE_P(GsmAlphabet, AlphabetPairs,
    testing::Values(Pair{"At", '@', '\x00'}, Pair{"Dollar", '$', '\x02'}, Pair{"SharpS", '\xDF', '\x1E'},
                    Pair{"CapitalAUmlaut", '\xC4', '\x5B'}, Pair{"CapitalOUmlaut", '\xD6', '\x5C'},
                    Pair{"CapitalUUmlaut", '\xDC', '\x5E'}, Pair{"SmallAUmlaut", '\xE4', '\x7B'},
                    Pair{"SmallOUmlaut", '\xF6', '\x7C'}, Pair{"SmallUUmlaut", '\xFC', '\x7E'},
                    Pair{"SmallAAcute", '\xE1', ' '}, Pair{"SmallCCedilla", '\xE7', ' '},
                    Pair{"Backquote", '`', ' '}, Pair{"VerticalTab", '\x0B', ' '}),
    [](const testing::TestParamInfo<Pair>& info) { return std::string(info.param.name); });

TEST(GsmAlphabet, UmlautAtAndDollarBecomeTheirGsmCodesAndBack)
{
    const std::string latin = "\xC4@$";
    const std::string gsm = toGsm(latin);
    EXPECT_EQ(gsm, std::string("\x5B\x00\x02", 3));
    EXPECT_EQ(toLatin(gsm), latin);
}

TEST(GsmAlphabet, TypedTextSurvivesTheRoundTripInSevenBits)
{
    const std::string typed = "Gr\xFC\xDF" "e aus K\xF6ln, \xC4rger mit \xD6l & \xDC" "ber-Ma\xDF!\r\n"
                              "Preis: 12,50 $ (inkl. 19 %) -> info@example.org? #1 * 2 = \"ok\"; 'ja' + <nein>";
    const std::string gsm = toGsm(typed);
    for (char c : gsm)
        EXPECT_LT(static_cast<unsigned char>(c), 0x80u);
    EXPECT_EQ(toLatin(gsm), typed);
}

TEST(GsmAlphabet, BytesWithoutAPlaceBecomeBlanks)
{
    // Tab, Ctrl-Z, escape, DEL, a C1 control, copyright, backquote, y diaeresis.
    const std::string odd = "\x09\x1A\x1B\x7F\x85\xA9`\xFF";
    EXPECT_EQ(toGsm("a" + odd + "b"), "a" + std::string(odd.size(), ' ') + "b");
}

TEST(GsmAlphabet, MapsOnlyTheGivenLength)
{
    std::string text = "@@@@";
    EXPECT_EQ(SmsLatinToGsm(text.data(), 2, 4), 2);
    EXPECT_EQ(text, std::string("\0\0@@", 4));
    EXPECT_EQ(SmsGsmToLatin(text.data(), 1), 1);
    EXPECT_EQ(text, std::string("@\0@@", 4));
    EXPECT_EQ(SmsLatinToGsm(text.data(), 0, 4), 0);
    EXPECT_EQ(SmsLatinToGsm(text.data(), -3, 4), 0);
    EXPECT_EQ(text, std::string("@\0@@", 4));
}

} // namespace
