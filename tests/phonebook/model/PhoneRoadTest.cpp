// The road to the phone: reading a directory and its answers, the autoload chain, and the
// write road's calls, order and stops.
#include "BrevikFakes.h"

#include "phonebook/model/BrevikStrings.h"

#include <gtest/gtest.h>

using namespace brevik;
using namespace brevik::test;

namespace {

constexpr int SIM = 0, MOBILE = 1, LAST_DIAL = 2, OWN = 3, FIX = 4, MISSED = 5;

class PhoneRoad : public ::testing::Test {
protected:
    ModelHarness h;
    DlgViewModel& model = h.model;
    FakeEngine& engine = h.engine;
    FakeView& view = h.view;

    std::vector<std::string> storagesRead() const
    {
        std::vector<std::string> out;
        for (const auto& r : engine.reads)
            out.push_back(r.storage);
        return out;
    }
};

TEST_F(PhoneRoad, ReadingADirectoryAsksTheEngineAndFillsItsBlock)
{
    model.setFlag(FLAG_PREVIEW_ROW, true);
    engine.setResult(16, 20, 250, {{4, "Anna!", "0891"}, {9, "Bob", "0892"}});
    model.SelectDirectory(SIM);
    ASSERT_EQ(engine.reads.size(), 1u);
    EXPECT_EQ(engine.reads[0].window, kFormWindow);
    EXPECT_EQ(engine.reads[0].message, 0x465u);
    EXPECT_EQ(engine.reads[0].storage, "SM");
    EXPECT_EQ(view.lastStatus(), IDS_READING);
    EXPECT_TRUE(model.hasFlag(FLAG_BUSY));
    EXPECT_EQ(view.busy, std::vector<bool>{true});

    model.OnPhonebookRead(JOB_PHONEBOOK_READ, RESULT_OK);
    EXPECT_FALSE(model.hasFlag(FLAG_BUSY));
    EXPECT_EQ(view.busy, (std::vector<bool>{true, false}));
    EXPECT_EQ(view.lastStatus(), IDS_DONE);
    EXPECT_EQ(view.preview, std::vector<bool>{true});
    EXPECT_EQ(model.directories().usedCount, 7);
    const PhoneDirectory& sim = model.directories().blocks[SIM];
    EXPECT_EQ(sim.count, 2);
    EXPECT_EQ(sim.maxIndex, 250);
    EXPECT_EQ(sim.readOnly, 0);
    EXPECT_EQ(model.nameLength(), 16);
    EXPECT_EQ(model.numberLength(), 20);
    EXPECT_EQ(view.directoryCombo.back(), SIM);
    EXPECT_GE(view.phoneFills, 1);

    // Shown again from memory, without a phone job.
    h.read(OWN, 10, 12, 4, {{1, "Me", "1"}});
    model.SelectDirectory(SIM);
    EXPECT_EQ(engine.reads.size(), 2u);
    EXPECT_EQ(model.nameLength(), 16) << "a directory from memory is edited with its own limits";
    EXPECT_EQ(model.numberLength(), 20);
    EXPECT_EQ(model.previousDirectory(), OWN);
}

TEST_F(PhoneRoad, ReadOnlyDirectoriesAreMarked)
{
    for (const int directory : {LAST_DIAL, MISSED, 6}) {
        h.read(directory, 10, 10, 10, {{1, "x", "1"}});
        EXPECT_EQ(model.directories().blocks[std::size_t(directory)].readOnly, 1) << directory;
    }
    h.read(FIX, 10, 10, 10, {{1, "x", "1"}});
    EXPECT_EQ(model.directories().blocks[FIX].readOnly, 0);
}

TEST_F(PhoneRoad, ANoDataAnswerFallsBackAndEndsTheChain)
{
    model.setFlag(FLAG_PREVIEW_ROW, true);
    h.read(SIM, 16, 20, 250, {{1, "A", "1"}});
    model.setAutoloadMask(0x12); // ME and FD still queued
    model.SelectDirectory(OWN);  // the chain reads ME
    ASSERT_EQ(engine.reads.back().storage, "ME");
    model.OnPhonebookRead(JOB_PHONEBOOK_READ, RESULT_TIMEOUT);
    EXPECT_EQ(engine.reportIds().back(), IDS_ERR_NO_DATA);
    EXPECT_EQ(engine.reports.back().first, 5);
    EXPECT_EQ(view.lastStatus(), IDS_ABORTED);
    EXPECT_EQ(model.directories().current, SIM) << "back to the directory shown before";
    EXPECT_EQ(view.directoryCombo.back(), SIM);
    EXPECT_FALSE(model.hasFlag(FLAG_BUSY));
    EXPECT_EQ(model.autoloadMask(), 0) << "FD must not replace the user's next choice";

    model.SelectDirectory(MOBILE);
    EXPECT_EQ(engine.reads.back().storage, "ME") << "the user's choice is read, not the queued FD";
}

TEST_F(PhoneRoad, AMissingDirectoryIsReportedAndTheChainGoesOn)
{
    model.setFlag(FLAG_PREVIEW_ROW, true);
    model.setAutoloadMask(0x03 | AUTOLOAD_FIRST); // SM and ME
    model.SelectDirectory(OWN);
    ASSERT_EQ(storagesRead(), std::vector<std::string>{"SM"});
    EXPECT_EQ(model.previousDirectory(), SIM) << "the first step falls back to itself";
    model.OnPhonebookRead(JOB_PHONEBOOK_READ, RESULT_STORAGE_ERROR);
    EXPECT_EQ(engine.reports.back(), std::make_pair(5, int(IDS_ERR_NO_DIRECTORY)));
    EXPECT_EQ(storagesRead(), (std::vector<std::string>{"SM", "ME"}));
    EXPECT_EQ(view.preview.back(), false) << "no read has succeeded yet";
    engine.setResult(16, 20, 100, {{1, "x", "1"}});
    model.OnPhonebookRead(JOB_PHONEBOOK_READ, RESULT_OK);
    EXPECT_EQ(model.directories().current, MOBILE);
    EXPECT_EQ(model.autoloadMask(), 0);
}

TEST_F(PhoneRoad, AutoloadChains)
{
    struct Case {
        int mask;
        std::vector<std::string> storages;
        int shownAtEnd;
    };
    const Case cases[] = {
        {0, {"OW"}, OWN},                                       // without autoload the own numbers
        {0x05 | AUTOLOAD_FIRST, {"SM", "LD"}, LAST_DIAL},       // Phonebooks 5
        {0x7F | AUTOLOAD_FIRST, {"SM", "ME", "LD", "OW", "FD", "MC", "CD"}, 6},
        {0x10 | AUTOLOAD_FIRST, {"FD"}, FIX},
        {AUTOLOAD_FIRST, {"OW"}, OWN},                          // no directory bit: nothing queued
    };
    for (const Case& c : cases) {
        ModelHarness run;
        run.model.setAutoloadMask(c.mask);
        run.engine.setResult(16, 20, 100, {{1, "x", "1"}});
        run.model.SelectDirectory(OWN);
        for (int guard = 0; run.model.hasFlag(FLAG_BUSY) && guard < 10; ++guard)
            run.model.OnPhonebookRead(JOB_PHONEBOOK_READ, RESULT_OK);
        std::vector<std::string> read;
        for (const auto& r : run.engine.reads)
            read.push_back(r.storage);
        EXPECT_EQ(read, c.storages) << std::hex << c.mask;
        EXPECT_EQ(run.model.directories().current, c.shownAtEnd);
        EXPECT_EQ(run.view.directoryCombo.back(), c.shownAtEnd);
        EXPECT_EQ(run.model.autoloadMask(), 0);
    }
}

TEST_F(PhoneRoad, AnAnswerNobodyWaitsForChangesNothing)
{
    h.read(SIM, 16, 20, 250, {{1, "A", "1"}});
    const int fills = view.phoneFills;
    engine.setResult(16, 20, 250, {{1, "Other", "2"}, {2, "B", "3"}});
    model.OnPhonebookRead(JOB_PHONEBOOK_READ, RESULT_OK);
    model.OnPhonebookEntryWritten(JOB_PHONEBOOK_WRITE, RESULT_OK);
    EXPECT_EQ(model.directories().blocks[SIM].count, 1);
    EXPECT_EQ(view.phoneFills, fills);
    EXPECT_TRUE(engine.writes.empty());
}

// ---- Writing --------------------------------------------------------------------------------

class WriteRoad : public PhoneRoad {
protected:
    void SetUp() override
    {
        h.read(SIM, 16, 20, 250,
               {{1, "Anna", "0891"}, {2, "Bob", "0892"}, {3, "Carl", "0893"}, {4, "Dora", "0894"}});
    }
    FakeEngine::Write write(int index, std::string text, std::string number)
    {
        return {kFormWindow, 0x466, "SM", index, std::move(text), std::move(number)};
    }
    void change(int slot, std::string name)
    {
        PhoneBookEntry edited = h.shown(slot);
        edited.name = std::move(name);
        ASSERT_TRUE(model.ChangeDirectoryEntry(slot, edited));
    }
};

TEST_F(WriteRoad, NewAndChangedEntriesInSlotOrderThenTheErasuresInMarkOrder)
{
    change(2, "Carla");
    ASSERT_EQ(model.DeleteDirectoryEntry(3), 1); // Dora, index 4
    ASSERT_EQ(model.DeleteDirectoryEntry(0), 1); // Anna, index 1
    ASSERT_EQ(model.AddToDirectory(0, entry(7, "Eve", "0897")), 1);
    change(1, "Bobby");
    ASSERT_TRUE(model.hasFlag(FLAG_PHONE_CHANGED));

    const auto writes = h.writeAll();
    EXPECT_EQ(writes, (std::vector<FakeEngine::Write>{write(7, "Eve", "0897"), write(2, "Bobby", "0892"),
                                                        write(3, "Carla", "0893"), write(4, "", ""), write(1, "", "")}));
    EXPECT_EQ(view.statusTexts.back(), IDS_DONE);
    EXPECT_FALSE(model.hasFlag(FLAG_PHONE_CHANGED));
    EXPECT_FALSE(model.hasFlag(FLAG_BUSY));
    const PhoneDirectory& block = model.shownDirectory();
    EXPECT_EQ(block.count, 3);
    EXPECT_EQ(block.markCount(), 0);
    for (int slot = 0; slot < block.count; ++slot)
        EXPECT_EQ(block.entries[std::size_t(slot)].state, ENTRY_UNCHANGED);
    EXPECT_TRUE(h.writeAll().empty()) << "nothing left to write";
    EXPECT_EQ(view.lastStatus(), IDS_NOTHING_TO_WRITE);
}

TEST_F(WriteRoad, OneJobAtATimeEachStartedFromTheAnswer)
{
    change(0, "A1");
    change(1, "B1");
    ASSERT_TRUE(model.WritePhonebook());
    EXPECT_EQ(engine.writes.size(), 1u);
    EXPECT_FALSE(model.WritePhonebook()) << "no second job while one is pending";
    EXPECT_EQ(engine.writes.size(), 1u);
    model.OnPhonebookEntryWritten(JOB_PHONEBOOK_WRITE, RESULT_OK);
    EXPECT_EQ(engine.writes.size(), 2u);
    EXPECT_EQ(model.writeCursor(), 1);
    model.OnPhonebookEntryWritten(JOB_PHONEBOOK_WRITE, RESULT_OK);
    EXPECT_EQ(engine.writes.size(), 2u);
    EXPECT_FALSE(model.hasFlag(FLAG_BUSY));
}

TEST_F(WriteRoad, NamesGoInThePhonesCodesWithTheVipMarkWithinTheLength)
{
    h.read(MOBILE, 16, 20, 100, {});
    ASSERT_EQ(model.AddToDirectory(0, entry(1, "Alexandra Bergmann", "1", "!")), 1);
    ASSERT_EQ(model.AddToDirectory(1, entry(2, "\xD6l_", "2")), 1);
    ASSERT_EQ(model.AddToDirectory(2, entry(3, "", "3")), 1);
    const auto writes = h.writeAll();
    ASSERT_EQ(writes.size(), 3u);
    EXPECT_EQ(writes[0].storage, "ME");
    EXPECT_EQ(writes[0].text, "Alexandra Bergm!") << "15 characters and the mark make 16";
    EXPECT_EQ(writes[1].text, "\x7C" "l\x11");
    EXPECT_EQ(writes[2].text, " ") << "an empty name is written as a blank";
}

TEST_F(WriteRoad, AFailedWriteStopsTheRoadAndKeepsEverything)
{
    change(0, "A1");
    change(1, "B1");
    model.setFlag(FLAG_QUIT_AFTER_WRITE, true);
    ASSERT_TRUE(model.WritePhonebook());
    model.OnPhonebookEntryWritten(JOB_PHONEBOOK_WRITE, RESULT_OK);
    model.OnPhonebookEntryWritten(JOB_PHONEBOOK_WRITE, RESULT_TIMEOUT);
    EXPECT_EQ(engine.reports.back(), std::make_pair(3, int(IDS_ERR_WRITE)));
    EXPECT_EQ(view.lastStatus(), IDS_ABORTED);
    EXPECT_FALSE(model.hasFlag(FLAG_BUSY));
    EXPECT_TRUE(model.hasFlag(FLAG_PHONE_CHANGED));
    EXPECT_EQ(h.shown(0).state, ENTRY_UNCHANGED);
    EXPECT_EQ(h.shown(1).state, ENTRY_CHANGED);
    EXPECT_EQ(view.closes, 0) << "quitting now would lose the changes the phone did not take";
    EXPECT_FALSE(model.hasFlag(FLAG_QUIT_AFTER_WRITE));
    const auto retry = h.writeAll();
    EXPECT_EQ(retry, std::vector<FakeEngine::Write>{write(2, "B1", "0892")});
}

TEST_F(WriteRoad, AFailedErasureIsTriedAgainAndNoDeletionIsDropped)
{
    ASSERT_EQ(model.DeleteDirectoryEntry(0), 1); // index 1
    ASSERT_EQ(model.DeleteDirectoryEntry(0), 1); // index 2
    ASSERT_EQ(model.DeleteDirectoryEntry(0), 1); // index 3
    ASSERT_TRUE(model.WritePhonebook());
    model.OnPhonebookEntryWritten(JOB_PHONEBOOK_WRITE, RESULT_OK);      // 1 erased
    model.OnPhonebookEntryWritten(JOB_PHONEBOOK_WRITE, RESULT_TIMEOUT); // 2 fails
    EXPECT_EQ(model.shownDirectory().markCount(), 2);
    const auto retry = h.writeAll();
    EXPECT_EQ(retry, (std::vector<FakeEngine::Write>{write(2, "", ""), write(3, "", "")}));
    EXPECT_EQ(model.shownDirectory().markCount(), 0);
    EXPECT_EQ(model.shownDirectory().count, 1);

    // A new entry after a partly failed road still finds room and the marks in order.
    ASSERT_EQ(model.DeleteDirectoryEntry(0), 1); // index 4
    ASSERT_EQ(model.AddToDirectory(0, entry(4, "Neu", "5")), 1);
    EXPECT_EQ(model.shownDirectory().markCount(), 0) << "overwritten, not erased";
    EXPECT_EQ(h.writeAll(), std::vector<FakeEngine::Write>{write(4, "Neu", "5")});
}

TEST_F(WriteRoad, AMarkWhoseIndexALiveEntryTookIsNotErased)
{
    ASSERT_EQ(model.DeleteDirectoryEntry(0), 1); // Anna at 1 leaves a mark
    PhoneBookEntry bob = h.shown(0);              // Bob at 2 moves to 1
    bob.index = 1;
    ASSERT_TRUE(model.ChangeDirectoryEntry(0, bob));
    const auto writes = h.writeAll();
    EXPECT_EQ(writes, (std::vector<FakeEngine::Write>{write(1, "Bob", "0892"), write(2, "", "")}))
        << "Bob is written at 1 and erased at 2; the erasure of 1 would have erased Bob";
}

TEST_F(WriteRoad, ReadOnlyAndEmptyRoadsEndAtOnce)
{
    h.read(LAST_DIAL, 16, 20, 10, {{1, "x", "1"}});
    ASSERT_EQ(model.DeleteDirectoryEntry(0), 1);
    ASSERT_TRUE(model.hasFlag(FLAG_PHONE_CHANGED));
    EXPECT_FALSE(model.WritePhonebook());
    EXPECT_EQ(engine.reports.back(), std::make_pair(4, int(IDS_ERR_READ_ONLY)));
    EXPECT_EQ(view.lastStatus(), IDS_ABORTED);
    EXPECT_FALSE(model.hasFlag(FLAG_PHONE_CHANGED));
    EXPECT_TRUE(engine.writes.empty());

    model.SelectDirectory(SIM);
    ASSERT_EQ(model.AddToDirectory(0, entry(9, "Tmp", "1")), 1);
    ASSERT_EQ(model.DeleteDirectoryEntry(0), 1); // added and removed: no mark
    EXPECT_FALSE(model.WritePhonebook());
    EXPECT_EQ(view.lastStatus(), IDS_NOTHING_TO_WRITE);
    EXPECT_FALSE(model.hasFlag(FLAG_BUSY));
    EXPECT_FALSE(model.hasFlag(FLAG_PHONE_CHANGED));
}

TEST_F(WriteRoad, QuitAndReselectAfterTheWrite)
{
    change(0, "A1");
    model.setFlag(FLAG_QUIT_AFTER_WRITE, true);
    h.writeAll();
    EXPECT_EQ(view.closes, 1);

    change(1, "B1");
    model.setFlag(FLAG_QUIT_AFTER_WRITE, false);
    model.setFlag(FLAG_RESELECT_AFTER_WRITE, true);
    view.directorySelection = FIX; // the user picked FD while SM had changes
    h.writeAll();
    EXPECT_EQ(engine.reads.back().storage, "FD");
    EXPECT_FALSE(model.hasFlag(FLAG_RESELECT_AFTER_WRITE));

    // Nothing to write: the user's choice is shown all the same.
    model.OnPhonebookRead(JOB_PHONEBOOK_READ, RESULT_STORAGE_ERROR);
    model.setFlag(FLAG_RESELECT_AFTER_WRITE, true);
    view.directorySelection = MOBILE;
    EXPECT_FALSE(model.WritePhonebook());
    EXPECT_EQ(engine.reads.back().storage, "ME");

    // A failed write keeps the directory with its changes shown, and the combo box with it.
    engine.setResult(16, 20, 100, {{1, "m", "1"}});
    model.OnPhonebookRead(JOB_PHONEBOOK_READ, RESULT_OK);
    change(0, "m2");
    model.setFlag(FLAG_RESELECT_AFTER_WRITE, true);
    view.directorySelection = SIM;
    ASSERT_TRUE(model.WritePhonebook());
    model.OnPhonebookEntryWritten(JOB_PHONEBOOK_WRITE, RESULT_TIMEOUT);
    EXPECT_EQ(model.directories().current, MOBILE);
    EXPECT_EQ(view.directoryCombo.back(), MOBILE);
    EXPECT_FALSE(model.hasFlag(FLAG_RESELECT_AFTER_WRITE));
}

} // namespace
