// Where things sit on the staff view, in logical pixels before scrolling: the note positions,
// the pitch a height stands for, and the glyphs, dots and ledger lines of one note or rest.
#pragma once

#include "melody/document/NoteEntry.h"

#include <array>
#include <optional>
#include <vector>

// Note i is drawn at x = NOTE_X0 + NOTE_SPACING * i.
constexpr int NOTE_X0 = 50;
constexpr int NOTE_SPACING = 30;
// The last index a click or a drag can set (editing keeps a melody at 70 notes at most).
constexpr int LAST_EDIT_INDEX = 69;

constexpr int STAFF_LEFT = 5;
constexpr int STAFF_RIGHT = 2190;
constexpr std::array<int, 10> STAFF_LINE_Y = {60, 70, 80, 90, 100, 120, 130, 140, 150, 160};

// The caret: a bar 14 x 105 pixels whose left edge stands at 30 x caret + 35.
constexpr int CARET_X0 = 35;
constexpr int CARET_Y = 58;
constexpr int CARET_WIDTH = 14;
constexpr int CARET_HEIGHT = 105;

// A character of the music font with its cell's top-left corner.
struct GlyphAt {
    unsigned char ch;
    int x;
    int y;
    friend bool operator==(const GlyphAt&, const GlyphAt&) = default;
};

struct LedgerLine {
    int x0;
    int x1;
    int y;
    friend bool operator==(const LedgerLine&, const LedgerLine&) = default;
};

struct NoteLayout {
    std::vector<GlyphAt> glyphs; // in drawing order
    std::vector<LedgerLine> ledgers;
};

// The note a click at x belongs to; -1 left of the first note position.
int NoteIndexFromX(int x);

// The pitch a click at height y stands for: the white keys 48 to 84 in steps of 5 pixels, one
// higher with sharp; 0 (a rest) above and below that range.
int PitchFromY(int y, bool sharp);

// The cell top of a pitch's glyph; nothing for a pitch outside 24 to 127.
std::optional<int> NoteGlyphY(int pitch);
// Whether the pitch is a black key (drawn with a sharp).
bool IsBlackKey(int pitch);

// The glyphs of note index: rests on both staves, or the head (stem up or down), sharp, dot and
// ledger lines. Empty for anything that is not a valid note at a pitch the staff shows.
NoteLayout LayoutNote(int index, const NoteEntry& note);

// The two clefs.
std::array<GlyphAt, 2> ClefGlyphs();

// The x of the caret's left edge at insertion point caret.
constexpr int CaretX(int caret) { return NOTE_SPACING * caret + CARET_X0; }

struct Band {
    int left;
    int top;
    int right;
    int bottom;
    friend bool operator==(const Band&, const Band&) = default;
};

// The inverted band that shows the selection between anchor and caret, top at the caret's
// top; nothing without a selection.
std::optional<Band> SelectionBand(int anchor, int caret, int top);
