// Where clicks land and where notes are drawn on the two staves.
#include "melody/editing/StaffLayout.h"

#include "platform/ui/notation/MusicFont.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

namespace notation = torvane::notation;

// The line or space of a pitch worked out from letter names: each step up the C major scale
// is half a staff space (5 pixels); E above middle C sits on the upper staff's bottom line.
int DiatonicIndex(int pitch)
{
    constexpr int LETTER_OF_SEMITONE[12] = {0, 0, 1, 1, 2, 3, 3, 4, 4, 5, 5, 6};
    return 7 * (pitch / 12) + LETTER_OF_SEMITONE[pitch % 12];
}
int HeadCentreY(int pitch) { return 100 - 5 * (DiatonicIndex(pitch) - DiatonicIndex(64)); }
bool Black(int pitch)
{
    const int s = pitch % 12;
    return s == 1 || s == 3 || s == 6 || s == 8 || s == 10;
}

TEST(StaffLayout, NoteIndexFromX)
{
    const std::pair<int, int> cases[] = {{-5, -1}, {0, -1}, {49, -1}, {50, 0}, {69, 0}, {70, 1}, {100, 2},
                                         {2099, 68}, {2100, 68}, {2110, 69}, {2150, 70}, {5000, 165}};
    for (auto [x, index] : cases)
        EXPECT_EQ(NoteIndexFromX(x), index) << "x " << x;
}

TEST(StaffLayout, PitchFromYGivesWhiteKeysFrom48To84)
{
    struct Case {
        int y;
        bool sharp;
        int pitch;
    };
    const Case cases[] = {
        {100, false, 64}, {100, true, 65}, {145, false, 48}, {148, false, 48}, {152, false, 48}, {153, false, 0},
        {153, true, 0},   {43, false, 84}, {40, false, 84},  {39, false, 84}, {38, false, 0}, {30, true, 0},   {80, false, 71},
        {60, false, 77},  {120, false, 57}, {110, false, 60}, {115, false, 59},
    };
    for (const Case& c : cases)
        EXPECT_EQ(PitchFromY(c.y, c.sharp), c.pitch) << "y " << c.y << " sharp " << c.sharp;
}

TEST(StaffLayout, ClickHeightsAndDrawnHeightsAgree)
{
    // A white key set by a click at height y is drawn with its head on that height.
    for (int y = 40; y <= 150; ++y) {
        const int pitch = PitchFromY(y, false);
        if (pitch == 0)
            continue;
        EXPECT_LE(std::abs(*NoteGlyphY(pitch) + notation::HEAD_OFFSET_Y - y), 5) << "y " << y;
    }
}

TEST(StaffLayout, EveryPitchFrom24To127SitsOnItsLineWithItsSharpStemAndLedgers)
{
    for (int pitch = 24; pitch <= 127; ++pitch) {
        const NoteLayout layout = LayoutNote(3, {pitch, 2, 0});
        const int x0 = 90;
        const auto head = std::find_if(layout.glyphs.begin(), layout.glyphs.end(), [](const GlyphAt& g) {
            return g.ch == notation::GLYPH_NOTE_STEM_UP[2] || g.ch == notation::GLYPH_NOTE_STEM_DOWN[2];
        });
        ASSERT_NE(head, layout.glyphs.end()) << pitch;
        EXPECT_EQ(head->x, x0 + 50);
        EXPECT_EQ(head->y + notation::HEAD_OFFSET_Y, HeadCentreY(pitch)) << pitch;
        const bool down = pitch >= 72 || (pitch >= 54 && pitch <= 59);
        EXPECT_EQ(head->ch, down ? 'Q' : 'q') << pitch;

        const bool hasSharp = std::any_of(layout.glyphs.begin(), layout.glyphs.end(), [&](const GlyphAt& g) {
            return g == GlyphAt{notation::GLYPH_SHARP, x0 + 40, head->y};
        });
        EXPECT_EQ(hasSharp, Black(pitch)) << pitch;
        EXPECT_EQ(layout.glyphs.size(), Black(pitch) ? 2u : 1u);

        std::vector<LedgerLine> ledgers;
        if (pitch == 60 || pitch == 61)
            ledgers.push_back({x0 + 45, x0 + 67, 110});
        if (pitch >= 81)
            ledgers.push_back({x0 + 45, x0 + 67, 50});
        if (pitch >= 84)
            ledgers.push_back({x0 + 45, x0 + 67, 40});
        EXPECT_EQ(layout.ledgers, ledgers) << pitch;
    }
}

TEST(StaffLayout, AnchorPitchesOfTheStaves)
{
    EXPECT_EQ(*NoteGlyphY(64) + 55, 100);
    EXPECT_EQ(*NoteGlyphY(77) + 55, 60);
    EXPECT_EQ(*NoteGlyphY(57) + 55, 120);
    EXPECT_EQ(*NoteGlyphY(43) + 55, 160);
}

TEST(StaffLayout, PitchesTheStaffCannotShowDrawNothing)
{
    for (int pitch : {1, 12, 23, 128, 200, -3})
        EXPECT_TRUE(LayoutNote(0, {pitch, 2, 0}).glyphs.empty()) << pitch;
    EXPECT_TRUE(LayoutNote(0, {60, 6, 0}).glyphs.empty());
    EXPECT_TRUE(LayoutNote(0, {60, -1, 0}).glyphs.empty());
    EXPECT_FALSE(NoteGlyphY(23));
    EXPECT_TRUE(NoteGlyphY(24));
}

TEST(StaffLayout, DurationsDotsAndRests)
{
    for (int d = 0; d <= 5; ++d) {
        const NoteLayout rest = LayoutNote(1, {0, d, 1});
        const int dotDy = d == 0 ? -5 : 0;
        EXPECT_EQ(rest.glyphs, (std::vector<GlyphAt>{{notation::GLYPH_REST[d], 80, 25},
                                                     {notation::GLYPH_REST[d], 80, 85},
                                                     {'.', 92, 27 + dotDy},
                                                     {'.', 92, 87 + dotDy}}))
            << d;
        EXPECT_TRUE(rest.ledgers.empty());

        const NoteLayout note = LayoutNote(0, {65, d, 1});
        const int y = *NoteGlyphY(65);
        EXPECT_EQ(note.glyphs, (std::vector<GlyphAt>{{'.', d == 0 ? 66 : 62, y + 2},
                                                     {notation::GLYPH_NOTE_STEM_UP[d], 50, y}}))
            << d;
    }
    EXPECT_EQ(LayoutNote(0, {0, 2, 0}).glyphs.size(), 2u);
}

TEST(StaffLayout, SelectionBandBetweenAnchorAndCaret)
{
    EXPECT_EQ(SelectionBand(1, 3, 58), (Band{70, 58, 130, 163}));
    EXPECT_EQ(SelectionBand(3, 1, 58), (Band{72, 58, 132, 163}));
    EXPECT_FALSE(SelectionBand(2, 2, 58));
    EXPECT_FALSE(SelectionBand(-1, 2, 58));
}

} // namespace
