#include "platform/messaging/WindowList.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

using namespace messaging;

TEST(WindowList, RoundTripsWindowsInOrder)
{
    const WindowList windows{
        {0x7fff0001, true, "Telephone Directory - x"},
        {5, false, ""},
        {0xffffffff, true, "Ring Tone Editor \xe4\xf6\xfc"}, // Latin-1 bytes stay as they are
        {17, true, ""},
    };
    const std::string text = formatWindowList(windows);
    EXPECT_EQ(text.substr(0, 18), "torvane-windows 1\n");
    EXPECT_EQ(parseWindowList(text), windows);
    EXPECT_EQ(parseWindowList(formatWindowList({})), WindowList{});
}

TEST(WindowList, ControlCharactersInTitlesAreWrittenAsBlanks)
{
    const auto parsed = parseWindowList(formatWindowList({{1, true, std::string("a\nb\tc\0d", 7)}}));
    ASSERT_TRUE(parsed.has_value());
    EXPECT_EQ((*parsed)[0].title, "a b c d");
}

TEST(WindowList, OverlongTitlesAreCut)
{
    const auto parsed = parseWindowList(formatWindowList({{1, true, std::string(kMaxTitleLength + 50, 'x')}}));
    ASSERT_TRUE(parsed.has_value());
    EXPECT_EQ((*parsed)[0].title.size(), kMaxTitleLength);
}

class WindowListRejects : public ::testing::TestWithParam<std::string> {};

TEST_P(WindowListRejects, Malformed)
{
    EXPECT_FALSE(parseWindowList(GetParam()).has_value()) << GetParam();
}

INSTANTIATE_TEST_SUITE_P(
    Table, WindowListRejects,
    ::testing::Values(std::string(""), std::string("torvane-windows 2\n"), std::string("torvane-windows 1"),
                      std::string("torvane-windows 1\n1 t title"),         // no line end
                      std::string("torvane-windows 1\n0 t zero\n"),        // 0 is no window
                      std::string("torvane-windows 1\n01 t lead\n"),       // leading zero
                      std::string("torvane-windows 1\n4294967296 t big\n"), // beyond 32 bits
                      std::string("torvane-windows 1\n-1 t neg\n"),
                      std::string("torvane-windows 1\n1 x flag\n"),
                      std::string("torvane-windows 1\n1 t\n"),             // no blank before title
                      std::string("torvane-windows 1\n1t title\n"),
                      std::string("torvane-windows 1\n1 t a\tb\n"),        // control character
                      std::string("torvane-windows 1\n1 t a\n1 - b\n"),    // duplicate number
                      std::string("torvane-windows 1\n1 t ") + std::string(kMaxTitleLength + 1, 'x') + "\n",
                      std::string("torvane-windows 1\n\n")));

struct PrefixCase {
    const char* title;
    const char* prefix;
    int bufferSize;
    bool matches;
};

class TitlePrefix : public ::testing::TestWithParam<PrefixCase> {};

TEST_P(TitlePrefix, ComparesTheTitleAsReadIntoTheBuffer)
{
    const PrefixCase& c = GetParam();
    EXPECT_EQ(titleBeginsWith(c.title, c.prefix, c.bufferSize), c.matches) << c.title << " / " << c.prefix;
}

INSTANTIATE_TEST_SUITE_P(
    Table, TitlePrefix,
    ::testing::Values(PrefixCase{"Telephone Directory - x", "Telephone Directory", 39, true},
                      PrefixCase{"Telephone Directory", "Telephone Directory", 39, true},
                      PrefixCase{"Telephone Director", "Telephone Directory", 39, false},
                      PrefixCase{"Ring Tone Editor", "Ring Tone Edit", 39, true},
                      PrefixCase{"ring tone editor", "Ring Tone Edit", 39, false}, // case counts
                      PrefixCase{"Telephone Directory", "Telephone", 9, false},    // 8 characters kept
                      PrefixCase{"Telephone Directory", "Telephone", 10, true},
                      // A title of 39 or more characters is compared over its first 38.
                      PrefixCase{"012345678901234567890123456789012345678", "012345678901234567890123456789012345678", 39, false},
                      PrefixCase{"012345678901234567890123456789012345678", "01234567890123456789012345678901234567", 39, true},
                      PrefixCase{"012345678901234567890123456789012345678", "012345678901234567890123456789012345678", 40, true},
                      PrefixCase{"anything", "", 39, true},
                      PrefixCase{"anything", "a", 0, false},
                      PrefixCase{"anything", "a", -5, false}));

TEST(WindowList, FileIsReplacedWholeAndReadBack)
{
    const std::string folder = std::getenv("TORVANE_TEST_TMP") ? std::getenv("TORVANE_TEST_TMP") : "/tmp";
    const std::string path = folder + "/windowlist-test-" + std::to_string(::getpid()) + ".win";
    const WindowList first{{1, true, "first"}};
    const WindowList second{{2, false, ""}, {3, true, "third"}};
    ASSERT_TRUE(writeWindowListFile(path, first));
    EXPECT_EQ(readWindowListFile(path), first);
    ASSERT_TRUE(writeWindowListFile(path, second));
    EXPECT_EQ(readWindowListFile(path), second);
    EXPECT_FALSE(std::ifstream(path + ".tmp").good()) << "the temporary file is renamed, not left";

    std::ofstream(path, std::ios::trunc) << "torvane-windows 1\n1 t cut off";
    EXPECT_FALSE(readWindowListFile(path).has_value());
    std::remove(path.c_str());
    EXPECT_FALSE(readWindowListFile(path).has_value());
}
