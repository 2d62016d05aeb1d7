#include "melody/editing/StaffLayout.h"

#include "platform/ui/notation/MusicFont.h"

namespace notation = torvane::notation;

namespace {

// The staff step (C 0 to B 6) of each semitone, 16 marking a black key drawn with a sharp on
// the white key below.
constexpr int STEP_OF_SEMITONE[12] = {0, 16, 1, 17, 2, 3, 19, 4, 20, 5, 21, 6};
constexpr int WHITE_KEYS[7] = {0, 2, 4, 5, 7, 9, 11};
constexpr int LOWEST_DRAWN_PITCH = 24;
constexpr int HIGHEST_PITCH = 127;

// Rests stand once on each staff.
constexpr int REST_Y[2] = {25, 85};
constexpr int REST_DOT_DY = 2;
constexpr int WHOLE_REST_DOT_DY = -3;

constexpr int SHARP_DX = 40;
constexpr int GLYPH_DX = 50;
constexpr int DOT_DX = 62;
constexpr int WHOLE_DOT_DX = 66;
constexpr int DOT_DY = 2;
constexpr int LEDGER_DX0 = 45;
constexpr int LEDGER_DX1 = 67;

bool StemDown(int pitch) { return pitch >= 72 || (pitch >= 54 && pitch <= 59); }

} // namespace

int NoteIndexFromX(int x)
{
    if (x < NOTE_X0)
        return -1;
    return (x - 40) / NOTE_SPACING;
}

int PitchFromY(int y, bool sharp)
{
    const int c = (2 * (148 - y)) / 10;
    if (c < 0 || c > 21)
        return 0;
    return WHITE_KEYS[c % 7] + 12 * (c / 7) + 48 + (sharp ? 1 : 0);
}

std::optional<int> NoteGlyphY(int pitch)
{
    // The step table starts at C two octaves below middle C; nothing lower has a place.
    if (pitch < LOWEST_DRAWN_PITCH || pitch > HIGHEST_PITCH)
        return std::nullopt;
    const int o = pitch - LOWEST_DRAWN_PITCH;
    const int step = STEP_OF_SEMITONE[o % 12] & 0x0F;
    return 160 - 35 * (o / 12) - 5 * step;
}

bool IsBlackKey(int pitch)
{
    if (pitch < LOWEST_DRAWN_PITCH || pitch > HIGHEST_PITCH)
        return false;
    return (STEP_OF_SEMITONE[(pitch - LOWEST_DRAWN_PITCH) % 12] & 0x10) != 0;
}

NoteLayout LayoutNote(int index, const NoteEntry& note)
{
    NoteLayout layout;
    if (!IsValidNote(note))
        return layout;
    const int x0 = NOTE_SPACING * index;
    const auto d = static_cast<std::size_t>(note.duration);

    if (note.pitch == 0) {
        for (int y : REST_Y)
            layout.glyphs.push_back({notation::GLYPH_REST[d], x0 + GLYPH_DX, y});
        if (note.dotted) {
            const int dy = note.duration == 0 ? WHOLE_REST_DOT_DY : REST_DOT_DY;
            for (int y : REST_Y)
                layout.glyphs.push_back({notation::GLYPH_DOT, x0 + DOT_DX, y + dy});
        }
        return layout;
    }

    const std::optional<int> y = NoteGlyphY(note.pitch);
    if (!y)
        return layout;
    if (IsBlackKey(note.pitch))
        layout.glyphs.push_back({notation::GLYPH_SHARP, x0 + SHARP_DX, *y});
    if (note.dotted)
        layout.glyphs.push_back({notation::GLYPH_DOT, x0 + (note.duration == 0 ? WHOLE_DOT_DX : DOT_DX), *y + DOT_DY});
    const unsigned char glyph =
        StemDown(note.pitch) ? notation::GLYPH_NOTE_STEM_DOWN[d] : notation::GLYPH_NOTE_STEM_UP[d];
    layout.glyphs.push_back({glyph, x0 + GLYPH_DX, *y});

    // Middle C between the staves, and the two lines above the upper staff; the staves show
    // nothing further out.
    if (note.pitch == 60 || note.pitch == 61)
        layout.ledgers.push_back({x0 + LEDGER_DX0, x0 + LEDGER_DX1, *y + notation::HEAD_OFFSET_Y});
    if (note.pitch >= 81)
        layout.ledgers.push_back({x0 + LEDGER_DX0, x0 + LEDGER_DX1, 50});
    if (note.pitch >= 84)
        layout.ledgers.push_back({x0 + LEDGER_DX0, x0 + LEDGER_DX1, 40});
    return layout;
}

std::array<GlyphAt, 2> ClefGlyphs()
{
    return {GlyphAt{notation::GLYPH_TREBLE_CLEF, 10, 45}, GlyphAt{notation::GLYPH_BASS_CLEF, 10, 105}};
}

std::optional<Band> SelectionBand(int anchor, int caret, int top)
{
    const int a = CaretX(anchor);
    const int b = CaretX(caret);
    if (a < CARET_X0 || b < CARET_X0 || a == b)
        return std::nullopt;
    if (a > b)
        return Band{b + 7, top, a + 7, top + CARET_HEIGHT};
    return Band{a + 5, top, b + 5, top + CARET_HEIGHT};
}
