// Entries entering and leaving the two lists: the index question, deletion marks, full blocks,
// and what a directory takes of a name and a number.
#include "BrevikFakes.h"

#include "phonebook/model/BrevikStrings.h"

#include <gtest/gtest.h>

using namespace brevik;
using namespace brevik::test;

namespace {

class Lists : public ::testing::Test {
protected:
    void SetUp() override { h.read(0, 10, 6, 20, {{1, "Anna", "1"}, {2, "Bob", "2"}, {3, "Carl", "3"}}); }

    std::vector<int> liveIndices()
    {
        std::vector<int> out;
        for (int slot = 0; slot < block().count; ++slot)
            out.push_back(block().entries[std::size_t(slot)].index);
        return out;
    }
    std::vector<int> markIndices()
    {
        std::vector<int> out;
        for (int slot = block().count; slot < block().count + block().markCount(); ++slot)
            out.push_back(block().entries[std::size_t(slot)].index);
        return out;
    }
    PhoneDirectory& block() { return model.shownDirectory(); }

    ModelHarness h;
    DlgViewModel& model = h.model;
    FakeDialogs& dialogs = h.dialogs;
};

TEST_F(Lists, TheIndexQuestionAndItsThreeOutcomes)
{
    model.setFlag(FLAG_CHECK_INDEX, true);
    model.setFlag(FLAG_SEVERAL, true);
    dialogs.indexAnswers.push_back({IndexAnswer::Accept, 12});
    EXPECT_EQ(model.AddToDirectory(3, entry(2, "Dup", "9")), 1);
    ASSERT_EQ(dialogs.indexQuestions.size(), 1u);
    EXPECT_EQ(dialogs.indexQuestions[0].offered, 4);
    EXPECT_TRUE(dialogs.indexQuestions[0].several);
    EXPECT_EQ(liveIndices(), (std::vector<int>{1, 2, 3, 12})) << "the index typed into the dialog";

    dialogs.indexAnswers.push_back({IndexAnswer::Accept, 1});
    EXPECT_EQ(model.AddToDirectory(4, entry(2, "Dup", "9")), 1);
    EXPECT_EQ(liveIndices().back(), 4) << "a typed index that is taken gives way to the lowest free one";

    dialogs.indexAnswers.push_back({IndexAnswer::AcceptAll, 5});
    EXPECT_EQ(model.AddToDirectory(5, entry(3, "Dup", "9")), 1);
    EXPECT_FALSE(model.hasFlag(FLAG_CHECK_INDEX));
    EXPECT_EQ(model.AddToDirectory(6, entry(3, "Dup", "9")), 1) << "later entries without asking";
    EXPECT_EQ(dialogs.indexQuestions.size(), 3u);
    EXPECT_EQ(liveIndices(), (std::vector<int>{1, 2, 3, 12, 4, 5, 6}));

    model.setFlag(FLAG_CHECK_INDEX, true);
    model.setFlag(FLAG_SEVERAL, false);
    dialogs.indexAnswers.push_back({IndexAnswer::Cancel, 0});
    EXPECT_EQ(model.AddToDirectory(0, entry(1, "No", "9")), 0);
    EXPECT_FALSE(dialogs.indexQuestions.back().several);
    EXPECT_FALSE(model.hasFlag(FLAG_CHECK_INDEX));
    EXPECT_EQ(block().count, 7);
    EXPECT_TRUE(h.engine.reports.empty());
}

TEST_F(Lists, WithoutTheQuestionATakenIndexBecomesTheLowestFreeSilently)
{
    for (const int index : {2, 0, 21, -4})
        EXPECT_EQ(model.AddToDirectory(0, entry(index, "N", "9")), 1);
    EXPECT_EQ(liveIndices(), (std::vector<int>{7, 6, 5, 4, 1, 2, 3}));
    EXPECT_TRUE(dialogs.indexQuestions.empty());
}

TEST_F(Lists, ADirectoryTakesWhatThePhoneTakes)
{
    struct Case {
        const char* name;
        const char* number;
        const char* storedName;
        const char* storedNumber;
    };
    const Case cases[] = {
        {"Anna {Berg}", "(089) 12-34", "Anna Berg", "089123"},   // name to 10, number to 6 digits
        {"[Klaus-Peter M\xFCller]\xB5", "+49 89 1234", "Klaus-Pete", "+498912"}, // '+' is no digit
        {"x", "#31#0171", "x", "#31#01"},
    };
    int position = 3;
    for (const Case& c : cases) {
        ASSERT_EQ(model.AddToDirectory(position, entry(0, c.name, c.number)), 1) << c.name;
        EXPECT_EQ(h.shown(position).name, c.storedName);
        EXPECT_EQ(h.shown(position).number, c.storedNumber);
        EXPECT_EQ(h.shown(position).state, ENTRY_NEW);
        ++position;
    }
    EXPECT_EQ(model.AddToDirectory(0, entry(0, "Nobody", "-/ ()")), 0) << "nothing a phone could dial";
    EXPECT_EQ(h.engine.reports.back(), std::make_pair(4, int(IDS_ERR_INCOMPLETE)));
    EXPECT_EQ(h.view.lastStatus(), IDS_ABORTED);

    PhoneBookEntry changed = h.shown(0);
    changed.number = "(0171) 55-66";
    changed.name = "Anna{}";
    ASSERT_TRUE(model.ChangeDirectoryEntry(0, changed));
    EXPECT_EQ(h.shown(0).number, "017155");
    EXPECT_EQ(h.shown(0).name, "Anna");
}

TEST_F(Lists, RemovingLeavesMarksForStoredEntriesOnly)
{
    EXPECT_EQ(model.DeleteDirectoryEntry(5), 0);
    EXPECT_EQ(model.DeleteDirectoryEntry(-1), 0);
    ASSERT_EQ(model.AddToDirectory(3, entry(9, "New", "9")), 1);
    model.setFlag(FLAG_PHONE_CHANGED, false);
    EXPECT_EQ(model.DeleteDirectoryEntry(3), 1);
    EXPECT_TRUE(markIndices().empty()) << "an entry never written leaves no mark";
    EXPECT_FALSE(model.hasFlag(FLAG_PHONE_CHANGED));

    EXPECT_EQ(model.DeleteDirectoryEntry(1), 1);
    EXPECT_EQ(model.DeleteDirectoryEntry(0), 1);
    EXPECT_TRUE(model.hasFlag(FLAG_PHONE_CHANGED));
    EXPECT_EQ(liveIndices(), std::vector<int>{3});
    EXPECT_EQ(markIndices(), (std::vector<int>{2, 1}));
    EXPECT_EQ(block().entries[1].name, "Bob") << "a mark is a whole copy";
    EXPECT_EQ(model.DeleteDirectoryEntry(0), 1);
    EXPECT_EQ(model.DeleteDirectoryEntry(0), 0) << "an empty block";
    EXPECT_EQ(markIndices(), (std::vector<int>{2, 1, 3}));

    // A new entry at a marked index overwrites it: that mark goes, the others stay in order.
    ASSERT_EQ(model.AddToDirectory(0, entry(1, "Again", "1")), 1);
    EXPECT_EQ(liveIndices(), std::vector<int>{1});
    EXPECT_EQ(markIndices(), (std::vector<int>{2, 3}));
    ASSERT_EQ(model.AddToDirectory(0, entry(7, "Other", "1")), 1);
    EXPECT_EQ(liveIndices(), (std::vector<int>{7, 1}));
    EXPECT_EQ(markIndices(), (std::vector<int>{2, 3}));
}

TEST_F(Lists, AFullDirectoryTakesNoMore)
{
    h.read(1, 10, 10, 3, {{1, "a", "1"}, {2, "b", "2"}, {3, "c", "3"}});
    EXPECT_EQ(model.AddToDirectory(0, entry(1, "d", "4")), 0);
    EXPECT_EQ(h.engine.reports.back(), std::make_pair(4, int(IDS_ERR_FULL)));
    EXPECT_EQ(h.view.lastStatus(), IDS_ABORTED);

    // Marks fill the rest: an index no mark has finds no room, and nothing is overrun.
    ASSERT_EQ(model.DeleteDirectoryEntry(2), 1);
    ASSERT_EQ(model.DeleteDirectoryEntry(1), 1);
    block().entries[std::size_t(block().count + 1)].index = 3; // two marks of one index
    const std::size_t reports = h.engine.reports.size();
    EXPECT_EQ(model.AddToDirectory(0, entry(2, "e", "5")), 0);
    EXPECT_EQ(h.engine.reports.size(), reports + 1);
    EXPECT_EQ(block().count, 1);

}

TEST_F(Lists, ChangingAnEntry)
{
    PhoneBookEntry edited = h.shown(1);
    edited.name = "Bobby";
    edited.status = "!";
    ASSERT_TRUE(model.ChangeDirectoryEntry(1, edited));
    EXPECT_EQ(h.shown(1).state, ENTRY_CHANGED);
    EXPECT_EQ(h.shown(1).status, "!");
    EXPECT_TRUE(markIndices().empty());

    edited.index = 3; // taken: the entry keeps its index
    ASSERT_TRUE(model.ChangeDirectoryEntry(1, edited));
    EXPECT_EQ(h.shown(1).index, 2);

    edited.index = 8;
    ASSERT_TRUE(model.ChangeDirectoryEntry(1, edited));
    EXPECT_EQ(h.shown(1).index, 8);
    EXPECT_EQ(markIndices(), std::vector<int>{2}) << "the old index is erased on the phone";

    ASSERT_EQ(model.AddToDirectory(3, entry(9, "N", "1")), 1);
    PhoneBookEntry fresh = h.shown(3);
    fresh.index = 10;
    ASSERT_TRUE(model.ChangeDirectoryEntry(3, fresh));
    EXPECT_EQ(h.shown(3).state, ENTRY_NEW) << "a new entry stays new";
    EXPECT_EQ(markIndices(), std::vector<int>{2}) << "and was never on the phone";
    EXPECT_FALSE(model.ChangeDirectoryEntry(7, fresh));
}

TEST(PabList, InsertingKeepsWhatTheEntryCarriesAndEveryMark)
{
    ModelHarness h;
    DlgViewModel& model = h.model;
    PhoneBookEntry source = entry(5, "Anna {x}", "(089) 1", "!");
    source.entryId = {1, 2, 3};
    source.keptComment = "Kollegin";
    ASSERT_EQ(model.AddToPabList(0, source), 1);
    const PhoneBookEntry& added = model.pabList().entries[0];
    EXPECT_EQ(added.name, "Anna {x}") << "the address book takes names and numbers as they are";
    EXPECT_EQ(added.number, "(089) 1");
    EXPECT_EQ(added.entryId, (torvane::mapi::EntryId{1, 2, 3}));
    EXPECT_EQ(added.keptComment, "Kollegin");
    EXPECT_EQ(added.state, ENTRY_NEW);
    EXPECT_TRUE(model.hasFlag(FLAG_PAB_CHANGED));
    EXPECT_EQ(model.AddToPabList(0, source), 1);
    EXPECT_EQ(model.pabList().entries[0].index, 1) << "5 is taken";

    // A mark with the same index is not dropped in the address book: marks go by identifier.
    model.pabList().entries[0].state = ENTRY_UNCHANGED;
    ASSERT_EQ(model.DeletePabListEntry(0), 1);
    EXPECT_EQ(model.pabList().markCount(), 1);
    ASSERT_EQ(model.AddToPabList(0, source), 1);
    EXPECT_EQ(model.pabList().markCount(), 1);
    EXPECT_EQ(model.pabList().count, 2);
}

TEST(PabList, AThousandSlotsHoldLiveEntriesAndMarksTogether)
{
    ModelHarness h;
    DlgViewModel& model = h.model;
    for (int i = 0; i < 1000; ++i)
        ASSERT_EQ(model.AddToPabList(i, entry(i + 1, "n" + std::to_string(i), "1")), 1) << i;
    EXPECT_EQ(model.AddToPabList(0, entry(1, "more", "1")), 0);
    EXPECT_EQ(h.engine.reports.back(), std::make_pair(4, int(IDS_ERR_FULL)));
    for (int i = 0; i < 1000; ++i)
        model.pabList().entries[std::size_t(i)].state = ENTRY_UNCHANGED;
    ASSERT_EQ(model.DeletePabListEntry(999), 1);
    EXPECT_EQ(model.AddToPabList(0, entry(1, "more", "1")), 0) << "the mark holds the last slot until saved";
    EXPECT_EQ(model.pabList().count, 999);
    EXPECT_EQ(model.pabList().markCount(), 1);
}

TEST(PabList, FillingMendsIndicesAndStatuses)
{
    ModelHarness h;
    PhoneDirectory& list = h.model.pabList();
    list.entries[0] = entry(1, "a", "1", "x");
    list.entries[1] = entry(1500, "b", "2", "!");
    list.entries[2] = entry(-3, "c", "3", "");
    for (int i = 0; i < 3; ++i)
        list.entries[std::size_t(i)].state = ENTRY_CHANGED;
    list.count = 3;
    h.model.FillPabList(false);
    EXPECT_EQ(list.entries[0].status, " ");
    EXPECT_EQ(list.entries[1].status, "!");
    EXPECT_EQ(list.entries[2].status, " ");
    EXPECT_EQ(list.entries[1].index, 2);
    EXPECT_EQ(list.entries[2].index, 3);
    EXPECT_EQ(list.entries[0].state, ENTRY_CHANGED);
    h.model.FillPabList(true);
    EXPECT_EQ(list.entries[0].state, ENTRY_UNCHANGED);
    EXPECT_EQ(h.view.pabFills, 2);
}

} // namespace
