// The rules on data alone: free and lowest indices, names to and from the phone's codes,
// numbers the phone takes, decoding the engine's packed read result, the address book comment.
#include "BrevikFakes.h"

#include "phonebook/model/BrevikStrings.h"
#include "phonebook/model/GsmName.h"
#include "phonebook/model/PabComment.h"
#include "phonebook/model/PhonebookResult.h"

#include <gtest/gtest.h>

using namespace brevik;
using namespace brevik::test;

namespace {

PhoneDirectory blockWith(std::initializer_list<int> indices, int maxIndex = 250)
{
    PhoneDirectory block;
    block.maxIndex = maxIndex;
    for (const int index : indices)
        block.entries[std::size_t(block.count++)].index = index;
    return block;
}

TEST(IndexRules, FreeIndices)
{
    PhoneDirectory block = blockWith({1, 3}, 5);
    block.entries[2] = entry(2, "mark", "1");
    block.entries[2].state = ENTRY_DELETED;
    struct Case {
        int index;
        int free;
    };
    for (const Case& c : {Case{0, 0}, Case{-1, 0}, Case{1, 0}, Case{3, 0}, Case{2, 1}, Case{4, 1}, Case{5, 1},
                          Case{6, 0}}) {
        EXPECT_EQ(IsIndexFree(c.index, block), c.free) << c.index << " (marks are not looked at)";
    }
}

TEST(IndexRules, LowestFreeIndex)
{
    struct Case {
        std::initializer_list<int> indices;
        int lowest;
    };
    const Case cases[] = {
        {{}, 1}, {{1, 2, 3}, 4}, {{2, 5}, 1}, {{1, 5}, 2}, {{3, 1, 2}, 4}, {{1, 2, 900}, 3}, {{1, 1}, 2},
        // Not compared with maxIndex.
        {{1, 2, 3, 4, 5}, 6},
    };
    for (const Case& c : cases) {
        const PhoneDirectory block = blockWith(c.indices, 5);
        EXPECT_EQ(LowestFreeIndex(block), c.lowest);
    }
}

TEST(GsmNames, EveryPairBothWaysFromTheFirstPair)
{
    const std::string pc = "\x5F\xC4\xD6\xDC\xE4\xF6\xFC\xDF\xC6\xC1\xC7\xC9\xD1\xD8\xBF\xCC\xE6\xE5\xE0\xE9\xE8\xEC"
                           "\xF1\xF8\xF2\xF9";
    const std::string gsm = "\x11\x5B\x5C\x5E\x7B\x7C\x7E\x1E\x1C\x0E\x09\x1F\x5D\x0B\x60\x40\x1D\x0F\x7F\x05\x04\x07"
                            "\x7D\x0C\x08\x06";
    ASSERT_EQ(GsmNameTable.size(), pc.size());
    for (std::size_t i = 0; i < GsmNameTable.size(); ++i) {
        EXPECT_EQ(GsmNameTable[i].pc, static_cast<unsigned char>(pc[i]));
        EXPECT_EQ(GsmNameTable[i].gsm, static_cast<unsigned char>(gsm[i]));
    }
    std::string expectedToGsm = gsm;
    expectedToGsm[2] = '\x7C'; // 'Ö' is sent as 'ö'
    EXPECT_EQ(PhonebookNameToGsm(pc), expectedToGsm);
    EXPECT_EQ(PhonebookNameFromGsm(gsm), pc);
}

TEST(GsmNames, TheTablesExamples)
{
    struct Case {
        std::string pc;
        std::string toPhone;
    };
    const Case toPhone[] = {
        {"\xD6l", "\x7C\x6C"},            // 'Öl' reaches the phone as 'öl'
        {"", " "},                        // an empty name is a blank
        {"\xC1" "da", "\x0E" "da"},        // 'Á' takes the code of 'Å'
        {"\xC5\xA1", "\xC5\xA1"},          // 'Å' and '¡' are not in the table
        {"Anna_B", "Anna\x11" "B"},
    };
    for (const Case& c : toPhone)
        EXPECT_EQ(PhonebookNameToGsm(c.pc), c.toPhone) << c.pc;
    EXPECT_EQ(PhonebookNameFromGsm("\x5C\x6C"), "\xD6l");
    EXPECT_EQ(PhonebookNameFromGsm("\x0E"), "\xC1");
    EXPECT_EQ(PhonebookNameFromGsm("\x40"), "\xCC");
    EXPECT_EQ(PhonebookNameFromGsm("Plain 123"), "Plain 123");
}

TEST(GsmNames, RefusedCharactersAndNumbers)
{
    std::string out;
    EXPECT_EQ(StripRefusedCharacters("A{b}[c]\xB2\xB3\xB5!", out), 0);
    EXPECT_EQ(out, "Abc!");
    EXPECT_EQ(StripRefusedCharacters("Anna", out), 1);
    EXPECT_EQ(out, "Anna");

    EXPECT_EQ(FilterPhoneNumber("(089) 12-34/56", false), "089123456");
    EXPECT_EQ(FilterPhoneNumber("+49 #31*?x", false), "+49#31*?");
    EXPECT_EQ(FilterPhoneNumber("+49 89 12", true), "+49 89 12");
}

TEST(ReadResult, PackedEntriesDecode)
{
    FakeEngine engine;
    // Field lengths 14 and 20; names in the phone's codes.
    engine.setResult(14, 20, 1500,
                     {
                         {1, "Anna!", "0891234"},
                         {0x8002, "!Anna", "+4917012345678901234"}, // bit 15 set; number fills its field
                         {3, "ABCDEFGHIJKLMN", "1"},                // the name fills its field
                         {4, "\x5C" "l", "2"},
                         {5, "", "3"},
                         {6, "Al!ex!", "4"},
                     });
    PhoneDirectory block;
    block.entries[7].state = ENTRY_DELETED; // stale content of an earlier read
    DecodePhonebookResult(*engine.ATPBGet(), block);
    ASSERT_EQ(block.count, 6);
    EXPECT_EQ(block.maxIndex, 1000) << "a highest index of 1500 is capped";
    EXPECT_EQ(block.nameLength, 14);
    EXPECT_EQ(block.numberLength, 20);
    struct Want {
        int index;
        const char* name;
        const char* number;
        const char* status;
    };
    const Want want[] = {
        {1, "Anna", "0891234", "!"},  {2, "!Anna", "+4917012345678901234", " "},
        {3, "ABCDEFGHIJKLMN", "1", " "}, {4, "\xD6l", "2", " "},
        {5, "", "3", " "},           {6, "Al", "4", "!"},
    };
    for (int k = 0; k < 6; ++k) {
        const PhoneBookEntry& e = block.entries[std::size_t(k)];
        EXPECT_EQ(e.index, want[k].index) << k;
        EXPECT_EQ(e.name, want[k].name) << k;
        EXPECT_EQ(e.number, want[k].number) << k;
        EXPECT_EQ(e.status, want[k].status) << k;
        EXPECT_EQ(e.state, ENTRY_UNCHANGED) << k;
    }
    EXPECT_EQ(block.entries[7].state, ENTRY_UNCHANGED) << "nothing of the earlier contents stays";
}

TEST(ReadResult, NamesAndNumbersFollowThePhonesLengthsNotFixedOnes)
{
    FakeEngine engine;
    const std::string name(30, 'n');
    const std::string number(32, '7');
    engine.setResult(30, 32, 10, {{1, name, number}});
    PhoneDirectory block;
    DecodePhonebookResult(*engine.ATPBGet(), block);
    EXPECT_EQ(block.entries[0].name, name) << "not cut to 16";
    EXPECT_EQ(block.entries[0].number, number) << "not cut to 20";
}

TEST(ReadResult, AtMostAThousandEntriesAndNeverBeyondTheArea)
{
    FakeEngine engine;
    // Two-byte entries: 3000 fit into the area, the block takes 1000.
    std::vector<Packed> many;
    for (int i = 1; i <= 3000; ++i)
        many.push_back({std::uint16_t(i), "", ""});
    engine.setResult(0, 0, 3000, many);
    PhoneDirectory block;
    DecodePhonebookResult(*engine.ATPBGet(), block);
    EXPECT_EQ(block.count, 1000) << "only what was copied counts";
    EXPECT_EQ(block.entries[999].index, 1000);

    // A count larger than the area holds stops at the area's end.
    engine.setResult(100, 98, 250, {{1, "a", "1"}}, 400);
    DecodePhonebookResult(*engine.ATPBGet(), block);
    EXPECT_EQ(block.count, ZEL_PB_AREA_SIZE / 200);

    engine.setResult(10, 10, -5, {}, -3);
    DecodePhonebookResult(*engine.ATPBGet(), block);
    EXPECT_EQ(block.count, 0);
    EXPECT_EQ(block.maxIndex, 0);
}

TEST(PabComments, TheExamplesRead)
{
    PhoneDirectory list;
    list.maxIndex = kPabMaxIndex;
    struct Case {
        const char* comment;
        const char* status;
        int index;
        const char* kept;
    };
    const Case cases[] = {
        {"VIP-Status - Index: 12 ", "!", 12, ""},
        {"Standard-Status - Index: 7 ", " ", 7, ""},
        {"Kollege VIP-Status - Index: 12 ", "!", 12, "Kollege"},
        {"", " ", 0, ""},
        {"Tennis", " ", 0, "Tennis"},
        {"Index: 5", " ", 5, ""},
        {"VIP-Status - Index: 0 ", "!", 0, ""},
        {"Standard-Status - Index: 1001 ", " ", 0, ""},          // above 1000: no index
        {"Standard-Status - Index: 12345 ", " ", 0, ""},         // more than four digits: no index
        {"Indexkarte 5 Standard-Status - Index: 9 ", " ", 9, "Indexkarte 5"},
        {"Standard-Status - Index: abc ", " ", 0, ""},
        {"Index", " ", 0, "Index"},
    };
    for (const Case& c : cases) {
        const ParsedComment parsed = ParsePabComment(c.comment, list);
        EXPECT_EQ(parsed.status, c.status) << c.comment;
        EXPECT_EQ(parsed.index, c.index) << c.comment;
        EXPECT_EQ(parsed.keptComment, c.kept) << c.comment;
    }
    // An index taken among the entries read so far is none.
    list.entries[0].index = 7;
    list.count = 1;
    EXPECT_EQ(ParsePabComment("Standard-Status - Index: 7 ", list).index, 0);
}

TEST(PabComments, WrittenAndReadBackTheyStayTheSame)
{
    EXPECT_EQ(CreatePabComment("!", 12), "VIP-Status - Index: 12 ");
    EXPECT_EQ(CreatePabComment(" ", 7), "Standard-Status - Index: 7 ");
    EXPECT_EQ(CreatePabComment("", 0), "Standard-Status - Index: 0 ");
    EXPECT_EQ(ChangePabComment("Kollege", "!", 12), "Kollege VIP-Status - Index: 12 ");
    EXPECT_EQ(ChangePabComment("", "!", 3), "VIP-Status - Index: 3 ");

    PhoneDirectory list;
    list.maxIndex = kPabMaxIndex;
    std::string comment = "Kollege VIP-Status - Index: 12 ";
    for (int save = 0; save < 3; ++save) {
        const ParsedComment parsed = ParsePabComment(comment, list);
        comment = ChangePabComment(parsed.keptComment, parsed.status, parsed.index);
    }
    EXPECT_EQ(comment, "Kollege VIP-Status - Index: 12 ") << "the comment does not grow with every save";
}

TEST(Strings, TheTextsOfThisEditor)
{
    EXPECT_STREQ(brevikString(IDS_READING), "Telefonbuch wird gelesen...");
    EXPECT_STREQ(brevikString(IDS_ERR_FULL), "Fehler: Maximalzahl der Telefonbuch-Einträge überschritten.");
    EXPECT_EQ(brevikStringLatin1(IDS_PAB_ROOT), "Pers\xF6nliches Adressbuch");
    for (int id = 41000; id <= 41025; ++id)
        EXPECT_NE(brevikString(id), nullptr) << id;
    EXPECT_EQ(brevikString(1), nullptr);
    EXPECT_EQ(brevikStringLatin1(1), "");
}

} // namespace
