// Clicks, drags and keys on the staff turned into note edits, selections and scrolling.
#include "EditFakes.h"

#include <gtest/gtest.h>

namespace {

using PitchList = std::vector<int>;
using Strings = std::vector<std::string>;

struct StaffEditorTest : ::testing::Test, EditorBench {
    RecordingPalette palette;
    StaffEditorTest() { editor.SetPalette(&palette); }
};

TEST_F(StaffEditorTest, ClickOnAnEmptyMelodySetsENoteTwoAfterTwoQuarterRests)
{
    editor.OnLButtonDown(100, 100);
    EXPECT_EQ(doc.noteCount, 3);
    EXPECT_EQ(doc.notes[0], (NoteEntry{0, 2, 0}));
    EXPECT_EQ(doc.notes[1], (NoteEntry{0, 2, 0}));
    EXPECT_EQ(doc.notes[2], (NoteEntry{64, 2, 0}));
    EXPECT_EQ(doc.caret, 3);
    EXPECT_EQ(doc.anchor, 3);
    EXPECT_EQ(editor.lastPitch, 64);
    EXPECT_EQ(port.log, (Strings{"open 0", "on 64"}));
    EXPECT_TRUE(doc.IsModified());
    EXPECT_GT(surface.repaints, 0);
}

TEST_F(StaffEditorTest, ClickAboveTheStaffSetsARestEvenWithTheSharpToggle)
{
    editor.sharpOn = 1;
    editor.OnLButtonDown(50, 30);
    EXPECT_EQ(doc.notes[0], (NoteEntry{0, 2, 0}));
    EXPECT_EQ(editor.sharpOn, 0);
    EXPECT_EQ(palette.calls, Strings{"sharp up"});
}

TEST_F(StaffEditorTest, TogglesApplyToOneClickAndGoBackUp)
{
    editor.curDuration = 3;
    editor.sharpOn = 1;
    editor.dotOn = 1;
    keys.ctrl = true; // one semitone up on its own, and another with the sharp toggle
    editor.OnLButtonDown(80, 100);
    EXPECT_EQ(doc.notes[1], (NoteEntry{66, 3, 1}));
    EXPECT_EQ(palette.calls, (Strings{"sharp up", "dot up"}));
    keys.ctrl = false;
    editor.OnLButtonDown(110, 100);
    EXPECT_EQ(doc.notes[2], (NoteEntry{64, 3, 0}));
}

TEST_F(StaffEditorTest, ClickLeftOfTheFirstNoteOnlyMovesTheCaretToTheStart)
{
    Fill({60, 62});
    doc.caret = doc.anchor = 2;
    editor.sharpOn = 1;
    editor.OnLButtonDown(20, 100);
    EXPECT_EQ(PitchList({60, 62}), Pitches());
    EXPECT_EQ(doc.caret, 0);
    EXPECT_EQ(editor.sharpOn, 0);
}

TEST_F(StaffEditorTest, ClickFarRightSetsNote69AtMost)
{
    editor.OnLButtonDown(3000, 100);
    EXPECT_EQ(doc.noteCount, 70);
    EXPECT_EQ(doc.notes[69].pitch, 64);
    EXPECT_EQ(doc.caret, 70);
}

TEST_F(StaffEditorTest, DragRetunesTheNoteUnderTheMouseWithoutToggles)
{
    editor.dotOn = 1;
    editor.OnMouseMove(110, 100, false); // button up: nothing
    EXPECT_EQ(doc.noteCount, 0);
    editor.OnMouseMove(110, 100, true);
    EXPECT_EQ(doc.notes[2], (NoteEntry{64, 2, 0}));
    EXPECT_EQ(doc.caret, 3);
    const auto logged = port.log.size();
    editor.OnMouseMove(112, 101, true); // same pitch: nothing struck again
    EXPECT_EQ(port.log.size(), logged);
    editor.OnMouseMove(112, 90, true);
    EXPECT_EQ(doc.notes[2].pitch, 67);
}

TEST_F(StaffEditorTest, DragBeyondTheLastPositionIsIgnored)
{
    Fill({60, 62});
    doc.caret = doc.anchor = 1;
    editor.OnMouseMove(2150, 100, true); // position 70
    editor.OnMouseMove(2400, 90, true);  // position 78
    EXPECT_EQ(doc.caret, 1);
    EXPECT_EQ(PitchList({60, 62}), Pitches());
    // Later edits still stay inside the melody.
    editor.OnKeyDown(StaffKey::Letter, 'C');
    EXPECT_EQ(PitchList({60, 60, 62}), Pitches());
}

TEST_F(StaffEditorTest, NoteKeysWithShiftRightShiftAndCtrl)
{
    struct Case {
        char letter;
        bool shift, right, ctrl;
        int pitch;
    };
    const Case cases[] = {
        {'A', false, false, false, 69}, {'B', false, false, false, 71}, {'H', false, false, false, 71},
        {'C', false, false, false, 60}, {'D', false, false, false, 62}, {'E', false, false, false, 64},
        {'F', false, false, false, 65}, {'G', false, false, false, 67}, {'C', false, true, false, 48},
        {'C', true, false, false, 72},  {'B', true, false, true, 84},   {'D', false, true, true, 51},
        {'F', false, false, true, 66},
    };
    for (const Case& c : cases) {
        keys.shift = c.shift;
        keys.rightShift = c.right;
        keys.ctrl = c.ctrl;
        EXPECT_TRUE(editor.OnKeyDown(StaffKey::Letter, c.letter));
    }
    ASSERT_EQ(doc.noteCount, int(std::size(cases)));
    for (std::size_t i = 0; i < std::size(cases); ++i)
        EXPECT_EQ(doc.notes[i].pitch, cases[i].pitch) << "case " << i;
    EXPECT_EQ(doc.caret, int(std::size(cases)));
    EXPECT_EQ(doc.anchor, doc.caret);
    EXPECT_FALSE(editor.OnKeyDown(StaffKey::Letter, 'I'));
}

TEST_F(StaffEditorTest, NoteKeyReplacesTheSelectionAndStopsAt70)
{
    Fill({60, 62, 64, 65});
    Select(3, 1);
    editor.curDuration = 4;
    editor.OnKeyDown(StaffKey::Letter, 'A');
    EXPECT_EQ(PitchList({60, 69, 65}), Pitches());
    EXPECT_EQ(doc.notes[1].duration, 4);
    EXPECT_EQ(doc.caret, 2);
    EXPECT_EQ(doc.anchor, 2);

    doc.caret = doc.anchor = 70;
    editor.OnKeyDown(StaffKey::Letter, 'A');
    EXPECT_EQ(doc.noteCount, 3);
}

TEST_F(StaffEditorTest, BackspaceAndDelete)
{
    Fill({60, 62, 64});
    editor.OnKeyDown(StaffKey::Backspace); // caret 0: nothing
    EXPECT_EQ(PitchList({60, 62, 64}), Pitches());
    doc.caret = doc.anchor = 3;
    editor.OnKeyDown(StaffKey::Delete); // at the end: nothing
    EXPECT_EQ(PitchList({60, 62, 64}), Pitches());
    editor.OnKeyDown(StaffKey::Backspace);
    EXPECT_EQ(PitchList({60, 62}), Pitches());
    EXPECT_EQ(doc.caret, 2);
    doc.caret = doc.anchor = 0;
    editor.OnKeyDown(StaffKey::Delete);
    EXPECT_EQ(PitchList({62}), Pitches());
    EXPECT_EQ(doc.caret, 0);
}

TEST_F(StaffEditorTest, RemovingASelectionUsesTheDocumentsEndsNotThePaintedOnes)
{
    Fill({60, 62, 64, 65, 67});
    editor.caretShown = 0;
    editor.anchorShown = 5; // painted before the selection last changed
    Select(1, 3);
    editor.OnKeyDown(StaffKey::Backspace);
    EXPECT_EQ(PitchList({60, 65, 67}), Pitches());
    EXPECT_EQ(doc.caret, 1);
    EXPECT_EQ(doc.anchor, 1);
    EXPECT_EQ(editor.caretShown, 1);
    EXPECT_EQ(editor.anchorShown, 1);

    Select(3, 2);
    editor.OnKeyDown(StaffKey::Delete);
    EXPECT_EQ(PitchList({60, 65}), Pitches());
}

TEST_F(StaffEditorTest, PauseInsertsARestOfTheCurrentDuration)
{
    Fill({60});
    editor.curDuration = 5;
    editor.OnKeyDown(StaffKey::Pause);
    EXPECT_EQ(doc.notes[0], (NoteEntry{0, 5, 0}));
    EXPECT_EQ(doc.notes[1].pitch, 60);
}

TEST_F(StaffEditorTest, HomeEndAndArrowsMoveAndSelect)
{
    Fill({60, 62, 64, 65});
    doc.caret = doc.anchor = 2;
    keys.shift = true;
    editor.OnKeyDown(StaffKey::Home);
    EXPECT_EQ((std::pair{doc.anchor, doc.caret}), (std::pair{2, 0}));
    editor.OnKeyDown(StaffKey::End);
    EXPECT_EQ((std::pair{doc.anchor, doc.caret}), (std::pair{2, 4}));
    editor.OnKeyDown(StaffKey::Left);
    EXPECT_EQ((std::pair{doc.anchor, doc.caret}), (std::pair{2, 3}));
    editor.OnKeyDown(StaffKey::Right);
    EXPECT_EQ((std::pair{doc.anchor, doc.caret}), (std::pair{2, 4}));
    editor.OnKeyDown(StaffKey::Right); // at the end: stays
    EXPECT_EQ((std::pair{doc.anchor, doc.caret}), (std::pair{2, 4}));

    keys.shift = false;
    Select(3, 1);
    editor.OnKeyDown(StaffKey::Left); // a selection collapses to its lower end
    EXPECT_EQ((std::pair{doc.anchor, doc.caret}), (std::pair{1, 1}));
    editor.OnKeyDown(StaffKey::Left);
    editor.OnKeyDown(StaffKey::Left);
    EXPECT_EQ((std::pair{doc.anchor, doc.caret}), (std::pair{0, 0}));
    Select(1, 3);
    editor.OnKeyDown(StaffKey::Right); // ... and to its upper end
    EXPECT_EQ((std::pair{doc.anchor, doc.caret}), (std::pair{3, 3}));
    Select(1, 4);
    editor.OnKeyDown(StaffKey::Right); // no Shift at the end drops the selection there
    EXPECT_EQ((std::pair{doc.anchor, doc.caret}), (std::pair{4, 4}));
    editor.OnKeyDown(StaffKey::Home);
    EXPECT_EQ((std::pair{doc.anchor, doc.caret}), (std::pair{0, 0}));
    editor.OnKeyDown(StaffKey::End);
    EXPECT_EQ((std::pair{doc.anchor, doc.caret}), (std::pair{4, 4}));
}

TEST_F(StaffEditorTest, DigitsChooseTheDurationAndResetTheToggles)
{
    editor.sharpOn = editor.dotOn = 1;
    EXPECT_TRUE(editor.OnKeyDown(StaffKey::Digit, '5'));
    EXPECT_EQ(editor.curDuration, 4);
    EXPECT_EQ(editor.sharpOn, 0);
    EXPECT_EQ(editor.dotOn, 0);
    EXPECT_EQ(palette.calls, Strings{"duration 4"});
    EXPECT_FALSE(editor.OnKeyDown(StaffKey::Digit, '7'));
    EXPECT_FALSE(editor.OnKeyDown(StaffKey::Other));
    EXPECT_EQ(editor.curDuration, 4);
}

TEST_F(StaffEditorTest, ScrollingFollowsTheCaret)
{
    surface.width = 600; // 18 positions visible
    std::vector<int> many(40, 60);
    Fill(many);
    doc.caret = doc.anchor = 30;
    editor.KeepCaretVisible();
    EXPECT_EQ(surface.scrolls, Strings{"to 395"}); // 30 x (30 - 18) + 35
    editor.KeepCaretVisible(); // visible already: it stays where it is
    EXPECT_EQ(surface.scrollX, 395);
    surface.scrolls.clear();

    surface.scrollX = 600; // first visible position 18
    doc.caret = doc.anchor = 15;
    editor.ScrollToCaret();
    EXPECT_EQ(surface.scrolls, Strings{"to 480"});
    surface.scrolls.clear();
    editor.OnKeyDown(StaffKey::PageDown);
    editor.OnKeyDown(StaffKey::PageUp);
    editor.OnKeyDown(StaffKey::Home);
    EXPECT_EQ(surface.scrolls, (Strings{"lines 2", "lines -2", "to 0"}));
    surface.scrolls.clear();
    editor.OnKeyDown(StaffKey::End);
    EXPECT_EQ(surface.scrolls, Strings{"to 695"}); // 30 x (40 - 18) + 35
}

TEST_F(StaffEditorTest, FocusShowsAndTakesTheTempo)
{
    doc.tempo = 90;
    editor.OnSetFocus();
    EXPECT_EQ(field.shown, std::vector<int>{90});
    EXPECT_EQ(editor.hasFocus, 1);
    field.text = 300;
    editor.OnKillFocus();
    EXPECT_EQ(doc.tempo, 240);
    EXPECT_EQ(editor.hasFocus, 0);
}

} // namespace
