// The spool file format: what the send road reads, and the inbox bytes the receive road writes.
#include "mainprog/core/SpoolFile.h"

#include <gtest/gtest.h>

#include <numeric>

using namespace corvant::spool;

TEST(SpoolReadTest, DestinationInBracketsWithDisplayNameAndFields)
{
    const std::string text = "Head: x\r\n**Rufnummer: Anna Berg [+4917012345]\r\n**Betreffzeile: Hello \r\n"
                             "**Priority Normal:\r\n**TextBody:\r\n  World  \r\n*** End of Message ***\r\n";
    const OutgoingFile f = parseOutgoing(text);
    EXPECT_TRUE(f.hasNumber);
    EXPECT_EQ(f.destination, "+4917012345");
    EXPECT_EQ(f.subject, "Hello");
    EXPECT_EQ(f.body, "World");
    EXPECT_TRUE(f.furtherRecipients.empty());
}

struct FieldCase {
    const char* text;
    const char* destination;
    const char* subject;
    const char* body;
    size_t further;
};

class SpoolFieldTest : public testing::TestWithParam<FieldCase> {};

TEST_P(SpoolFieldTest, Fields)
{
    const OutgoingFile f = parseOutgoing(GetParam().text);
    EXPECT_EQ(f.destination, GetParam().destination);
    EXPECT_EQ(f.subject, GetParam().subject);
    EXPECT_EQ(f.body, GetParam().body);
    EXPECT_EQ(f.furtherRecipients.size(), GetParam().further);
}

INSTANTIATE_TEST_SUITE_P(
    Rules, SpoolFieldTest,
    testing::Values(
        // no number marker
        FieldCase{"**TextBody: x*** End of Message ***", "<none>", "", "x", 0},
        // subject without priority is empty; body still found after the subject marker
        FieldCase{"**Rufnummer:[1]**Betreffzeile: S **TextBody: B *** End of Message ***", "1", "", "B", 0},
        // body without end marker is empty
        FieldCase{"**Rufnummer:[1]**TextBody: B", "1", "", "", 0},
        // a number field inside the body splits off nothing
        FieldCase{"**Rufnummer:[1]**TextBody: call **Rufnummer:[2] now*** End of Message ***", "1", "",
                  "call **Rufnummer:[2] now", 0},
        // two further recipients before the body
        FieldCase{"**Rufnummer:[1]\r\n**Rufnummer: B [2]\r\n**Rufnummer:[3]**TextBody:x*** End of Message ***", "1",
                  "", "x", 2},
        // no "]" after a further marker: the split ends, no loop
        FieldCase{"**Rufnummer:[1]**Rufnummer: [2 **TextBody:x*** End of Message ***", "1", "", "x", 0},
        // a "]" standing in front of a further field does not cut the field short
        FieldCase{"**Rufnummer:[1] junk ] **Rufnummer:[2]**TextBody:x*** End of Message ***", "1", "", "x", 1},
        // no brackets at all: empty destination
        FieldCase{"**Rufnummer: 123 **TextBody:x*** End of Message ***", "", "", "x", 0}));

TEST(SpoolReadTest, FurtherRecipientPiecesAndCommonTail)
{
    const std::string text = "H\r\n**Rufnummer:[1]\r\n**Rufnummer: Bob [2]\r\n**Betreffzeile: S**Priority\r\n"
                             "**TextBody:B*** End of Message ***";
    const OutgoingFile f = parseOutgoing(text);
    ASSERT_EQ(f.furtherRecipients.size(), 1u);
    EXPECT_EQ(f.furtherRecipients[0], "**Rufnummer: Bob [2]");
    EXPECT_EQ(f.commonTail, "\r\n**Betreffzeile: S**Priority\r\n**TextBody:B*** End of Message ***");
    // The new file parses to the second recipient with the same subject and body.
    const OutgoingFile second = parseOutgoing(f.furtherRecipients[0] + f.commonTail);
    EXPECT_EQ(second.destination, "2");
    EXPECT_EQ(second.subject, "S");
    EXPECT_EQ(second.body, "B");
}

TEST(SpoolReadTest, TextEndsAtFirstZeroByte)
{
    EXPECT_EQ(textOf(std::string("ab\0cd", 5)), "ab");
}

struct DestCase {
    const char* destination;
    bool valid;
};
class DestinationTest : public testing::TestWithParam<DestCase> {};
TEST_P(DestinationTest, Check) { EXPECT_EQ(isValidDestination(GetParam().destination), GetParam().valid); }
INSTANTIATE_TEST_SUITE_P(Rules, DestinationTest,
                         testing::Values(DestCase{"+491701", true}, DestCase{"0170123", true},
                                         DestCase{"0170 123", false}, DestCase{"01+70", false},
                                         DestCase{"", false}, DestCase{"<none>", false}));

struct MergeCase {
    const char* subject;
    const char* body;
    const char* merged;
};
class MergeTest : public testing::TestWithParam<MergeCase> {};
TEST_P(MergeTest, Merge)
{
    EXPECT_EQ(MergeSubjectAndBody(GetParam().subject, GetParam().body), GetParam().merged);
}
INSTANTIATE_TEST_SUITE_P(Rules, MergeTest,
                         testing::Values(MergeCase{"WG: Meeting", "Meeting at 10", "Meeting at 10"},
                                         MergeCase{"Hello", "World", "Hello World"},
                                         MergeCase{"", "Body", "Body"}, MergeCase{"Subj", "", "Subj"},
                                         MergeCase{"Re: AW: Lunch", "AW: Lunch today", "AW: Lunch today"},
                                         MergeCase{"hello", "HELLO there", "HELLO there"},
                                         MergeCase{"Long subject text", "LONG", "Long subject text"},
                                         MergeCase{"AW: x", "y", "x y"}));

TEST(SpoolTextTest, FilterReplacesWhatThePhoneCannotCarry)
{
    EXPECT_EQ(FilterSmsText("a_b{c}"), "a_b{c}");
    // Backquote, tab, DEL, form feed, a C1 control, c cedilla, no-break space.
    EXPECT_EQ(FilterSmsText("`\t\x7f\f\x85\xE7\xA0"), ".......");
    const std::string kept =
        "AZaz 09\r\n[\\]^~|{}_@$\xA1\xA3\xA7\xBF\xC4\xC7\xD1\xD6\xDC\xDF\xE0\xE4\xE9\xF1\xF6\xFC";
    EXPECT_EQ(FilterSmsText(kept), kept);
}

TEST(SpoolTextTest, PartsHoldWholeCharactersWithinTheirSeptets)
{
    const std::string x(151, 'x');
    const std::pair<std::string, std::vector<size_t>> cases[] = {
        {"", {0}}, {std::string(160, 'x'), {160}}, {std::string(161, 'x'), {152, 9}},
        {std::string(304, 'x'), {152, 152}}, {std::string(305, 'x'), {152, 152, 1}},
        {std::string(1520, 'x'), std::vector<size_t>(10, 152)},
        {std::string(80, '{'), {80}}, {std::string(81, '{'), {76, 5}},
        {x + "xxxxxxxx[", {152, 8}},                    // 160 characters, 161 septets
        {x + "[" + std::string(10, 'y'), {151, 11}},    // the escape would end part 1 without its code
        {x.substr(1) + "]" + std::string(10, 'y'), {151, 10}}};
    for (const auto& [text, lengths] : cases) {
        const std::vector<std::string> parts = cutParts(text);
        std::vector<size_t> got;
        for (const std::string& part : parts)
            got.push_back(part.size());
        EXPECT_EQ(got, lengths) << text;
        EXPECT_EQ(std::accumulate(parts.begin(), parts.end(), std::string()), text);
        EXPECT_EQ(CountParts(text), parts.size());
    }
}

TEST(SpoolTextTest, PreviewSeparatorBetweenParts)
{
    const std::string text(400, 'x');
    const std::string shown = previewText(cutParts(text));
    const std::string sep = "\r\n----------\r\n";
    EXPECT_EQ(shown.size(), 400 + 2 * sep.size());
    EXPECT_EQ(shown.substr(152, sep.size()), sep);
    EXPECT_EQ(shown.substr(152 + 166, sep.size()), sep);
    EXPECT_EQ(previewText({text.substr(0, 160)}), text.substr(0, 160));
}

TEST(SpoolInboxTest, BytesOfTheDateExample)
{
    const std::string bytes = inboxFile("+4917011", "Hi there\r\n\r\nsecond line", {2000, 3, 5, 9, 7},
                                        "Torvane mobile phone [SMS]");
    const std::string expected =
        "Message: \r\n\r\n"
        "From: SMS User [SMS:+4917011]\r\n\r\n"
        "Representing: SMS User [SMS:+4917011]\r\n\r\n"
        "Reply To: SMS User [+4917011]\r\n\r\n"
        "Date: 2000/3/5 9:7\r\n\r\n"
        "**Rufnummer: Torvane mobile phone [SMS]\r\n\r\n"
        "**Betreffzeile: \r\nHi there\r\n\r\nsecond line\r\n\r\n"
        "**Priority Normal: \r\n\r\n"
        "Contents: \r\n\r\n"
        "**TextBody: \r\nHi there\r\nsecond line\r\n"
        "\r\n\n*** End of Message ***\n\r\n\r\n"
        "File Item: MESSAGE.SMS\r\n"
        "\x78\x9F\x3E\x22\xAF\x01\x01\x06\x90\x08\x20\x04";
    EXPECT_EQ(bytes, expected);
    // The subject line takes only the first 30 characters.
    const std::string long40(40, 'y');
    const std::string b2 = inboxFile("1", long40, {2000, 3, 5, 9, 7}, "P");
    EXPECT_NE(b2.find("**Betreffzeile: \r\n" + std::string(30, 'y') + "\r\n\r\n"), std::string::npos);
    // An empty text: no body line at all.
    const std::string b3 = inboxFile("1", "", {2000, 3, 5, 9, 7}, "P");
    EXPECT_NE(b3.find("**TextBody: \r\n\r\n\n*** End"), std::string::npos);
}
