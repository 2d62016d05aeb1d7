// The Edit menu on a melody: the internal clipboard, Cut, Copy, Paste, Delete and Delete all.
#include "EditFakes.h"

#include "melody/editing/EditCommands.h"

#include <gtest/gtest.h>

namespace {

using PitchList = std::vector<int>;
using Reports = std::vector<std::pair<int, int>>;

struct EditCommandsTest : ::testing::Test, EditorBench {};

TEST_F(EditCommandsTest, CopyAndCutWithoutASelectionReportAndKeepTheClipboard)
{
    Fill({60, 62, 64});
    Select(0, 2);
    OnEditCopy(doc, &reporter);
    doc.caret = doc.anchor = 1;
    OnEditCopy(doc, &reporter);
    OnEditCut(doc, editor, &reporter);
    EXPECT_EQ(reporter.reports, (Reports{{4, 40011}, {4, 40011}}));
    EXPECT_EQ(doc.clipCount, 2);
    EXPECT_EQ(doc.clip[1].pitch, 62);
    EXPECT_EQ(PitchList({60, 62, 64}), Pitches());
}

TEST_F(EditCommandsTest, CopyTakesTheSelectionInOrderWhicheverEndIsTheCaret)
{
    Fill({60, 62, 64, 65});
    Select(3, 1);
    OnEditCopy(doc, &reporter);
    EXPECT_EQ(doc.clipCount, 2);
    EXPECT_EQ(doc.clip[0].pitch, 62);
    EXPECT_EQ(doc.clip[1].pitch, 64);
    EXPECT_EQ(doc.clip[2], (NoteEntry{-1, -1, 0}));
    EXPECT_TRUE(reporter.reports.empty());
}

TEST_F(EditCommandsTest, CutRemovesAndPasteReplacesTheSelectionStrikingEachNote)
{
    Fill({60, 62, 64, 65, 67});
    Select(1, 3);
    OnEditCut(doc, editor, &reporter);
    EXPECT_EQ(PitchList({60, 65, 67}), Pitches());
    EXPECT_EQ(doc.caret, 1);

    Select(2, 3);
    port.log.clear();
    OnEditPaste(doc, editor);
    EXPECT_EQ(PitchList({60, 65, 62, 64}), Pitches());
    EXPECT_EQ(doc.caret, 4);
    EXPECT_EQ(port.log, (std::vector<std::string>{"open 0", "on 62", "off 62", "on 64"}));
    EXPECT_EQ(editor.lastPitch, 64);
}

TEST_F(EditCommandsTest, PasteStaysOffUntilACopyAndAgainAfterDeleteAll)
{
    Fill({60, 62});
    EXPECT_FALSE(CanPaste(doc));
    OnEditPaste(doc, editor);
    EXPECT_EQ(PitchList({60, 62}), Pitches());
    Select(0, 1);
    OnEditCopy(doc, &reporter);
    EXPECT_TRUE(CanPaste(doc));
    surface.scrollX = 300;
    OnDeleteAll(doc, editor);
    EXPECT_FALSE(CanPaste(doc));
    EXPECT_EQ(doc.noteCount, 0);
    EXPECT_EQ(doc.caret, 0);
    EXPECT_EQ(doc.anchor, 0);
    EXPECT_EQ(surface.scrollX, 0);
}

TEST_F(EditCommandsTest, PasteStopsAtTheMelodysLimit)
{
    std::vector<int> many(69, 60);
    Fill(many);
    doc.clip[0] = {70, 2, 0};
    doc.clip[1] = {71, 2, 0};
    doc.clip[2] = {72, 2, 0};
    doc.clipCount = 3;
    doc.caret = doc.anchor = 69;
    OnEditPaste(doc, editor);
    EXPECT_EQ(doc.noteCount, 70);
    EXPECT_EQ(doc.notes[69].pitch, 70);
}

TEST_F(EditCommandsTest, DeleteIsTheDeleteKey)
{
    Fill({60, 62, 64});
    Select(0, 2);
    OnEditDelete(editor);
    EXPECT_EQ(PitchList({64}), Pitches());
    OnEditDelete(editor);
    EXPECT_EQ(PitchList({}), Pitches());
}

} // namespace
