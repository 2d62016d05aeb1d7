// How the reader cuts the phone's bytes into lines, read in the chunks the port hands over.
#include "mainprog/core/LineCutter.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using corvant::LineCutter;

namespace {

struct CutCase {
    const char* name;
    std::vector<std::string> reads; // what each read brings
    std::vector<std::string> lines;
    std::size_t leftOver;
};

std::vector<std::string> cutAll(LineCutter& cutter, const std::vector<std::string>& reads)
{
    std::vector<std::string> lines;
    for (const std::string& read : reads)
        cutter.feed(read.data(), read.size(), [&](char* line) { lines.emplace_back(line); });
    return lines;
}

class LineCutterCases : public ::testing::TestWithParam<CutCase> {};

TEST_P(LineCutterCases, Lines)
{
    LineCutter cutter;
    EXPECT_EQ(cutAll(cutter, GetParam().reads), GetParam().lines);
    EXPECT_EQ(cutter.fill(), GetParam().leftOver);
}

const std::string k499(499, 'x');

INSTANTIATE_TEST_SUITE_P(
    Reads, LineCutterCases,
    ::testing::Values(
        CutCase {"SmsPromptWithoutLineEnd", {"> "}, {">"}, 0},
        CutCase {"SmsPromptInTwoReads", {">", " "}, {">"}, 0},
        CutCase {"TwoAnswersInOneRead", {"OK\r\n\r\n+CSQ: 20,99\r\n"}, {"OK", "+CSQ: 20,99"}, 0},
        CutCase {"CrLfGivesOneLine", {"OK\r\n"}, {"OK"}, 0},
        CutCase {"LfAloneEndsALine", {"OK\n"}, {"OK"}, 0},
        CutCase {"LineSplitOverReads", {"+CG", "MI: TOR", "VANE\r"}, {"+CGMI: TORVANE"}, 0},
        CutCase {"EmptyLinesGiveNothing", {"\r\n\r\n\r"}, {}, 0},
        CutCase {"ControlBytesInsideALineStay", {"A\x01" "B\tC\r"}, {"A\x01" "B\tC"}, 0},
        CutCase {"BlankAtTheEndOfAnOrdinaryLineWaits", {"+CMGL: 1 "}, {}, 9},
        CutCase {"PromptWithTextWaitsForItsEnd", {"> hello"}, {}, 7},
        CutCase {"PartialLineStaysForTheNextRead", {"OK\r\nERR"}, {"OK"}, 3},
        CutCase {"Latin1AfterALineEndIsKept", {"OK\r\n\xe4rger\r"}, {"OK", "\xe4rger"}, 0},
        CutCase {"FullBufferWithoutLineEndIsHandedUp", {k499, "OK\r"}, {k499, "OK"}, 0},
        CutCase {"LongLineIsHandedUpInParts", {std::string(600, 'y') + "\r"},
                 {std::string(499, 'y'), std::string(101, 'y')}, 0}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(LineCutter, LineIsZeroEndedInTheBufferDuringTheHandOver)
{
    LineCutter cutter;
    const std::string bytes = "OK\r\nRING\r\n";
    std::vector<const char*> where;
    cutter.feed(bytes.data(), bytes.size(), [&](char* line) {
        where.push_back(line);
        EXPECT_EQ(line, cutter.buffer());
    });
    EXPECT_EQ(where.size(), 2u);
}

TEST(LineCutter, ReadsNeverGoPastTheRoomLeft)
{
    LineCutter cutter;
    std::string part(300, 'a');
    cutter.feed(part.data(), part.size(), [](char*) {});
    EXPECT_EQ(cutter.room(), LineCutter::kCapacity - 300);
    EXPECT_EQ(cutter.tail(), cutter.buffer() + 300);
}

} // namespace
