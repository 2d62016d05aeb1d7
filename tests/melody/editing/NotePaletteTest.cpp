// The palette bar: what the keyboard and buttons hit, the button images that are the toggles,
// and the notes the keyboard inserts.
#include "EditFakes.h"

#include "melody/editing/TempoText.h"

#include <gtest/gtest.h>

namespace {

struct Active : ActiveMelody {
    CMelvioDoc* doc = nullptr;
    StaffEditor* view = nullptr;
    CMelvioDoc* ActiveDocument() override { return doc; }
    StaffEditor* ActiveView() override { return view; }
};

struct PaletteTest : ::testing::Test, EditorBench {
    Active active;
    NotePalette palette{active, &port};
    int repaints = 0;
    PaletteTest()
    {
        active.doc = &doc;
        active.view = &editor;
        editor.SetPalette(&palette);
        palette.imagesChanged = [this] { ++repaints; };
    }
    std::vector<bool> Images() const
    {
        std::vector<bool> down;
        for (int i = 0; i < PALETTE_BUTTONS; ++i)
            down.push_back(palette.IsDown(i));
        return down;
    }
};

TEST_F(PaletteTest, KeyboardHitTest)
{
    struct Case {
        int x, y, pitch;
    };
    const Case cases[] = {
        {8 + 14 * 13, 20, 61},  {8 + 24 * 7, 80, 60},   {8 + 540, 80, 0},   {8 + 540, 20, 0},   {8, 8, 48},
        {8 + 503, 67, 83},      {8 + 504, 67, 84},      {8 + 527, 67, 84},  {8 + 528, 67, 0},   {8 + 551, 67, 0},
        {8 + 552, 67, -1},      {8 + 563, 67, -1},      {8, 68, 48},        {8 + 23, 97, 48},   {8 + 24, 97, 50},
        {8 + 167, 80, 59},      {8 + 527, 80, 84},      {8 + 503, 80, 83},  {7, 20, -1},        {20, 7, -1},
        {20, 98, -1},           {8 + 100, 67, 48 + 7},  {8 + 100, 68, 55},
    };
    for (const Case& c : cases)
        EXPECT_EQ(palette.HitTest(c.x, c.y), c.pitch) << c.x << "," << c.y;
}

TEST_F(PaletteTest, ButtonsAreChosenByRowAndColumnAndGiveNoPitch)
{
    struct Case {
        int x, y, button;
    };
    const Case cases[] = {
        {8 + 564, 8, 0},  {8 + 601, 47, 1 - 1}, {8 + 604, 8, 1},  {8 + 641, 20, 1}, {8 + 644, 8, 2},
        {8 + 681, 8, 2},  {8 + 564, 57, 3},     {8 + 604, 97, 4}, {8 + 650, 60, 5},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(palette.HitTest(c.x, c.y), -1);
        std::vector<bool> expected(PALETTE_BUTTONS, false);
        expected[std::size_t(c.button)] = true;
        EXPECT_EQ(Images(), expected) << c.x << "," << c.y;
        EXPECT_EQ(editor.curDuration, c.button);
        EXPECT_EQ(palette.paletteDuration, c.button);
    }
    // Gaps between columns and rows hit nothing.
    const auto before = Images();
    for (auto [x, y] : {std::pair{8 + 602, 20}, {8 + 642, 20}, {8 + 685, 20}, {8 + 729, 20}, {8 + 600, 8 + 44}})
        EXPECT_EQ(palette.HitTest(x, y), -1);
    EXPECT_EQ(Images(), before);
}

TEST_F(PaletteTest, SharpAndDotButtonsGoDownAndTheKeyboardPutsThemUp)
{
    palette.HitTest(8 + 700, 20);
    palette.HitTest(8 + 700, 70);
    EXPECT_TRUE(palette.IsDown(BUTTON_SHARP));
    EXPECT_TRUE(palette.IsDown(BUTTON_DOT));
    EXPECT_EQ(editor.sharpOn, 1);
    EXPECT_EQ(editor.dotOn, 1);
    EXPECT_EQ(palette.pendingDot, 1);
    EXPECT_TRUE(palette.IsDown(2)); // the duration stays

    palette.HitTest(8 + 20, 20);
    EXPECT_FALSE(palette.IsDown(BUTTON_SHARP));
    EXPECT_FALSE(palette.IsDown(BUTTON_DOT));
    EXPECT_EQ(editor.sharpOn, 0);
    EXPECT_EQ(editor.dotOn, 0);
    EXPECT_EQ(palette.pendingDot, 1); // the keyboard still inserts the dotted note
    EXPECT_GT(repaints, 0);
}

TEST_F(PaletteTest, QuarterButtonWithTheSharpDownPutsTheSharpUp)
{
    palette.HitTest(8 + 700, 20);
    palette.HitTest(8 + 650, 20);
    EXPECT_FALSE(palette.IsDown(BUTTON_SHARP));
    EXPECT_EQ(editor.sharpOn, 0);
    EXPECT_TRUE(palette.IsDown(2));
}

TEST_F(PaletteTest, DotThenKeyInsertsOneDottedNote)
{
    palette.HitTest(8 + 700, 70);
    palette.OnKeyboardDown(8 + 24 * 7, 80);
    palette.OnKeyboardUp();
    palette.OnKeyboardDown(8 + 24 * 8, 80);
    ASSERT_EQ(doc.noteCount, 2);
    EXPECT_EQ(doc.notes[0], (NoteEntry{60, 2, 1}));
    EXPECT_EQ(doc.notes[1], (NoteEntry{62, 2, 0}));
    EXPECT_FALSE(palette.IsDown(BUTTON_DOT));
}

TEST_F(PaletteTest, ADragInsertsOneNotePerKeyEnteredAndHeldKeyNothingMore)
{
    palette.HitTest(8 + 604, 60); // sixteenth
    palette.OnKeyboardDown(8 + 14 * 2, 20);
    palette.OnKeyboardMove(8 + 14 * 2 + 5, 22, true);
    palette.OnKeyboardMove(8 + 14 * 3, 22, true);
    palette.OnKeyboardMove(8 + 14 * 9, 22, false);
    palette.OnKeyboardDown(8 + 14 * 3, 20); // still sounding
    EXPECT_EQ(doc.noteCount, 2);
    EXPECT_EQ(doc.notes[0], (NoteEntry{50, 4, 0}));
    EXPECT_EQ(doc.notes[1], (NoteEntry{51, 4, 0}));
}

TEST_F(PaletteTest, ReleaseLetsTheSameKeyBeEnteredAgainWithOrWithoutADevice)
{
    palette.OnKeyboardDown(8, 20);
    palette.OnKeyboardUp();
    EXPECT_EQ(port.log, (std::vector<std::string>{"open 0", "on 48", "off 48"}));
    palette.OnKeyboardDown(8, 20);
    palette.OnKeyboardUp();
    // With the port closed (no device) the release still ends the key.
    port.open = false;
    port.sounding = 48;
    palette.OnKeyboardUp();
    EXPECT_EQ(port.sounding, -1);
    palette.OnKeyboardDown(8, 20);
    EXPECT_EQ(doc.noteCount, 3);
}

TEST_F(PaletteTest, WithoutAnyPortTheSameKeyWorksAfterRelease)
{
    NotePalette silent(active, nullptr);
    silent.OnKeyboardDown(8, 20);
    silent.OnKeyboardDown(8, 20);
    silent.OnKeyboardUp();
    silent.OnKeyboardDown(8, 20);
    EXPECT_EQ(doc.noteCount, 2);
}

TEST_F(PaletteTest, NothingIsInsertedAtTheLimitOrWithoutAMelody)
{
    doc.caret = doc.anchor = 70;
    palette.OnKeyboardDown(8, 20);
    EXPECT_EQ(doc.noteCount, 0);
    active.doc = nullptr;
    active.view = nullptr;
    palette.OnKeyboardDown(30, 20);
    palette.HitTest(8 + 644, 70); // thirty-second: the images change, no view to tell
    EXPECT_TRUE(palette.IsDown(5));
    EXPECT_EQ(palette.paletteDuration, 2);
}

TEST_F(PaletteTest, TheViewsKeysAndClicksPutTheButtonsBack)
{
    palette.HitTest(8 + 700, 20);
    palette.HitTest(8 + 700, 70);
    editor.OnLButtonDown(80, 100);
    EXPECT_EQ(doc.notes[1], (NoteEntry{65, 2, 1}));
    EXPECT_FALSE(palette.IsDown(BUTTON_SHARP));
    EXPECT_FALSE(palette.IsDown(BUTTON_DOT));
    EXPECT_EQ(palette.pendingDot, 0);
    editor.OnKeyDown(StaffKey::Digit, '1');
    EXPECT_EQ(Images(), (std::vector<bool>{true, false, false, false, false, false, false, false}));
    EXPECT_EQ(editor.curDuration, 0);
}

TEST(TempoText, ReadsTheLeadingNumberWithinItsBounds)
{
    const std::pair<const char*, int> cases[] = {{"120", 120}, {"300", 240}, {"", 40},    {"abc", 40},
                                                 {"39", 40},   {"40", 40},   {"240", 240}, {"241", 240},
                                                 {"0", 40},    {" 77x", 77}, {"-5", 40},  {"99999999999999999999", 240}};
    for (auto [text, tempo] : cases)
        EXPECT_EQ(TempoFromText(text), tempo) << '"' << text << '"';
}

} // namespace
