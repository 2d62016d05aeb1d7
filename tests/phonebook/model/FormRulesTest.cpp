// The form's rules without widgets: the preview header's widths under dragging, the filters of
// typed names and numbers, the order of the lists, and which commands and menus are offered.
#include "BrevikFakes.h"

#include "phonebook/model/EditFilters.h"
#include "phonebook/model/FormCommands.h"
#include "phonebook/model/ListSort.h"
#include "phonebook/model/PreviewHeaderRule.h"

#include <gtest/gtest.h>

#include <numeric>
#include <random>

using namespace brevik;
using brevik::test::entry;

namespace {

TEST(PreviewHeaderRule, DraggingTheNumberSeparatorIntoTheIndexColumn)
{
    const PreviewWidths start = {100, 80, 20, 10};
    EXPECT_EQ(DragSeparator(start, 210, 1, 190), (PreviewWidths{100, 90, 10, 10}));
    EXPECT_EQ(DragSeparator(start, 210, 1, 200), (PreviewWidths{100, 100, 2, 8}));
    // Pushed past its neighbour it takes the next separator along.
    EXPECT_EQ(DragSeparator(start, 210, 0, 185), (PreviewWidths{185, 2, 13, 10}));
    EXPECT_EQ(DragSeparator(start, 210, 2, 100), (PreviewWidths{96, 2, 2, 110}));
    EXPECT_EQ(SeparatorAt(start, 91), 0);
    EXPECT_EQ(SeparatorAt(start, 90), -1) << "strictly within ten pixels";
    EXPECT_EQ(SeparatorAt(start, 185), 1);
    EXPECT_EQ(SeparatorAt(start, 209), 2);
}

TEST(PreviewHeaderRule, NoColumnBelowTwoPixelsAndTheRowAlwaysFilled)
{
    std::mt19937 random(7);
    for (const int total : {8, 9, 40, 210, 333}) {
        PreviewWidths w = {total / 4, total / 4, total / 4, total - 3 * (total / 4)};
        for (int drag = 0; drag < 4000; ++drag) {
            const int separator = int(random() % 3);
            const int x = 2 + int(random() % unsigned(total - 3));
            w = DragSeparator(w, total, separator, x);
            ASSERT_EQ(std::accumulate(w.begin(), w.end(), 0), total) << "row " << total << " drag " << drag;
            for (const int width : w)
                ASSERT_GE(width, kMinColumnWidth) << "row " << total << " drag " << drag << " separator " << separator
                                                  << " to " << x;
        }
    }
    // Widths that did not add up to the row are made to.
    EXPECT_EQ(DragSeparator({120, 90, 30, 15}, 210, 0, 100), (PreviewWidths{100, 106, 2, 2}));
}

struct NumberCase {
    const char* typed;
    int caret;
    bool blanksAllowed;
    const char* shown; // nullptr: the text stays
    int caretAfter;
};

TEST(EditFilters, NumbersAsTheyAreTyped)
{
    const NumberCase cases[] = {
        {"089/12-34", 9, false, nullptr, 0},      // valid while typed; cleaned when stored
        {"0891a", 5, false, "0891", 4},           // a letter goes and the caret steps back
        {"089-1a", 6, false, "0891", 4},          // with it go the '-' already there
        {"a", 1, false, "", 0},
        {"x123", 0, false, "123", 0},             // the caret never goes before the start
        {"+49 89", 6, true, nullptr, 0},          // blanks stay in numbers for the address book
        {"+49 89", 6, false, "+4989", 5},         // and go from numbers for the phone
        {"*#?+0", 5, false, nullptr, 0},
    };
    for (const NumberCase& c : cases) {
        const auto corrected = CorrectNumberChange({c.typed, c.caret, c.caret}, c.blanksAllowed);
        if (!c.shown) {
            EXPECT_FALSE(corrected) << c.typed;
            continue;
        }
        ASSERT_TRUE(corrected) << c.typed;
        EXPECT_EQ(corrected->text, c.shown) << c.typed;
        EXPECT_EQ(corrected->selStart, c.caretAfter) << c.typed;
        EXPECT_EQ(corrected->selEnd, c.caretAfter) << c.typed;
    }
}

TEST(EditFilters, NamesAndNumbersBoundForThePhone)
{
    EXPECT_EQ(LimitPhoneName({"Alexandra Bergmann", 18, 18}, 14), (EditText{"Alexandra Berg", 14, 14}));
    EXPECT_EQ(LimitPhoneName({"Ab{c", 3, 3}, 14), (EditText{"Abc", 2, 2})) << "'{' typed goes at once";
    EXPECT_EQ(LimitPhoneName({"[x]\xB5", 0, 4}, 14), (EditText{"x", 0, 1}));
    EXPECT_FALSE(LimitPhoneName({"Anna", 4, 4}, 14));
    EXPECT_EQ(LimitPhoneNumber({"0123456", 7, 7}, 5), (EditText{"01234", 5, 5}));
    EXPECT_FALSE(LimitPhoneNumber({"+12345", 6, 6}, 5)) << "a leading '+' is not counted";
    EXPECT_EQ(LimitPhoneNumber({"+123456", 2, 2}, 5), (EditText{"+12345", 2, 2}));

    EXPECT_EQ(TrimTrailingBlanks("Anna   "), "Anna");
    EXPECT_EQ(TrimTrailingBlanks("   "), " ") << "the first character stays";
    EXPECT_EQ(NewEntryStatus("!x"), "!");
    EXPECT_EQ(NewEntryStatus("x!"), " ");
    EXPECT_EQ(ChangedEntryStatus("x!"), "!");
    EXPECT_EQ(ChangedEntryStatus(""), " ");
    EXPECT_TRUE(IsAcceptedPreviewStatus(""));
    EXPECT_TRUE(IsAcceptedPreviewStatus("!"));
    EXPECT_FALSE(IsAcceptedPreviewStatus("x"));
    EXPECT_FALSE(IsAcceptedPreviewStatus("!!"));
    EXPECT_EQ(IndexFromText(" 12abc"), 12);
    EXPECT_EQ(IndexFromText("abc"), 0);
    EXPECT_EQ(IndexFromText("99999999999"), 2147483647);
}

TEST(ListSort, IndexTextsVipFirstAndNamesWithoutCase)
{
    PhoneDirectory block;
    block.maxIndex = 1000;
    const PhoneBookEntry entries[] = {entry(101, "bert", "3"), entry(1000, "Anna", "1", "!"), entry(100, "carl", "2"),
                                      entry(7, "\xC4rger", "4", "!"), entry(20, "ANNA", "5")};
    for (const PhoneBookEntry& e : entries)
        block.entries[std::size_t(block.count++)] = e;
    const auto names = [&](int column) {
        std::vector<std::string> out;
        for (const int slot : SortedSlots(block, column))
            out.push_back(block.entries[std::size_t(slot)].name);
        return out;
    };
    using V = std::vector<std::string>;
    EXPECT_EQ(names(COLUMN_INDEX), (V{"\xC4rger", "ANNA", "carl", "Anna", "bert"})) << "007, 020, 100, 1000, 101";
    EXPECT_EQ(names(COLUMN_STATUS), (V{"Anna", "\xC4rger", "bert", "carl", "ANNA"})) << "VIP first";
    EXPECT_EQ(names(COLUMN_NAME), (V{"Anna", "ANNA", "bert", "carl", "\xC4rger"})) << "only ASCII letters fold";
    EXPECT_EQ(names(COLUMN_NUMBER), (V{"Anna", "carl", "bert", "\xC4rger", "ANNA"}));
}

TEST(FormCommands, EnablingAndContextMenus)
{
    const int edits[] = {ID_EDIT_COPY, ID_EDIT_CUT, ID_EDIT_SELECT_ALL, ID_EDIT_CLEAR_ALL, ID_CHANGE_ENTRY};
    for (const int command : edits) {
        EXPECT_FALSE(IsCommandEnabled(command, {LIST_NONE, 3, true, 14})) << command;
        EXPECT_FALSE(IsCommandEnabled(command, {LIST_PHONE, 0, true, 14})) << command;
        EXPECT_TRUE(IsCommandEnabled(command, {LIST_PAB, 1, false, 0})) << command;
    }
    EXPECT_TRUE(IsCommandEnabled(ID_EDIT_PASTE, {LIST_NONE, 0, true, 0}));
    EXPECT_FALSE(IsCommandEnabled(ID_EDIT_PASTE, {LIST_PHONE, 5, false, 14}));
    EXPECT_FALSE(IsCommandEnabled(ID_NEW_ENTRY, {LIST_PHONE, 0, false, 0})) << "before any directory was read";
    EXPECT_TRUE(IsCommandEnabled(ID_NEW_ENTRY, {LIST_PHONE, 0, false, 14}));
    EXPECT_TRUE(IsCommandEnabled(ID_NEW_ENTRY, {LIST_PAB, 0, false, 0}));
    EXPECT_FALSE(IsCommandEnabled(ID_NEW_ENTRY, {LIST_NONE, 0, false, 14}));

    EXPECT_EQ(ContextMenuFor(LIST_PHONE, 2), IDR_PHONE_LIST_MENU);
    EXPECT_EQ(ContextMenuFor(LIST_PAB, 1), IDR_PAB_LIST_MENU);
    EXPECT_EQ(ContextMenuFor(LIST_PAB, 0), 0);
    EXPECT_EQ(ContextMenuFor(LIST_NONE, 4), 0);
}

} // namespace
