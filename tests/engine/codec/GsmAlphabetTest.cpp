#include "engine/codec/GsmAlphabet.h"

#include <gtest/gtest.h>

#include <string>

using zel::SmsGsmToLatin;
using zel::SmsLatinToGsm;

namespace {

std::string toGsm(std::string text)
{
    SmsLatinToGsm(text.data(), static_cast<int>(text.size()));
    return text;
}

std::string toLatin(std::string text)
{
    SmsGsmToLatin(text.data(), static_cast<int>(text.size()));
    return text;
}

struct Pair {
    const char* name;
    char latin;
    char gsm;
};

class AlphabetPairs : public testing::TestWithParam<Pair> {};

TEST_P(AlphabetPairs, MapBothWays)
{
    const Pair& p = GetParam();
    EXPECT_EQ(toGsm(std::string(1, p.latin)), std::string(1, p.gsm));
    EXPECT_EQ(toLatin(std::string(1, p.gsm)), std::string(1, p.latin));
}

INSTANTIATE_TEST_SUITE_P(GsmAlphabet, AlphabetPairs,
    testing::Values(Pair{"At", '@', '\x00'}, Pair{"Dollar", '$', '\x02'}, Pair{"SharpS", '\xDF', '\x1E'},
                    Pair{"CapitalAUmlaut", '\xC4', '\x5B'}, Pair{"CapitalOUmlaut", '\xD6', '\x5C'},
                    Pair{"CapitalUUmlaut", '\xDC', '\x5E'}, Pair{"SmallAUmlaut", '\xE4', '\x7B'},
                    Pair{"SmallOUmlaut", '\xF6', '\x7C'}, Pair{"SmallUUmlaut", '\xFC', '\x7E'}),
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
    // Tab, Ctrl-Z, escape, DEL, a C1 control, copyright, e acute, y diaeresis.
    const std::string odd = "\x09\x1A\x1B\x7F\x85\xA9\xE9\xFF";
    EXPECT_EQ(toGsm("a" + odd + "b"), "a" + std::string(odd.size(), ' ') + "b");
}

TEST(GsmAlphabet, MapsOnlyTheGivenLength)
{
    std::string text = "@@@@";
    SmsLatinToGsm(text.data(), 2);
    EXPECT_EQ(text, std::string("\0\0@@", 4));
    SmsGsmToLatin(text.data(), 1);
    EXPECT_EQ(text, std::string("@\0@@", 4));
    SmsLatinToGsm(text.data(), 0);
    SmsLatinToGsm(text.data(), -3);
    EXPECT_EQ(text, std::string("@\0@@", 4));
}

} // namespace
