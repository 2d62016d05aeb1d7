// The characters of the music font the staff view writes with. A glyph is placed by the top-left
// corner of its character cell; at the font's height of 40 pixels a note head's centre lies 55
// pixels below the cell's top, so a note drawn at y sits on the staff line y + 55.
#pragma once

namespace torvane::notation {

inline constexpr int FONT_HEIGHT = 40;
inline constexpr int HEAD_OFFSET_Y = 55;

inline constexpr unsigned char GLYPH_TREBLE_CLEF = '&';
inline constexpr unsigned char GLYPH_BASS_CLEF = '?';
inline constexpr unsigned char GLYPH_SHARP = '#';
inline constexpr unsigned char GLYPH_DOT = '.';

// Indexed by duration: whole, half, quarter, eighth, sixteenth, thirty-second.
inline constexpr unsigned char GLYPH_NOTE_STEM_UP[6] = {'w', 'h', 'q', 'e', 'x', 'r'};
inline constexpr unsigned char GLYPH_NOTE_STEM_DOWN[6] = {'w', 'H', 'Q', 'E', 'X', 'R'};
inline constexpr unsigned char GLYPH_REST[6] = {0xB7, 0xEE, 0xCE, 0xE4, 0xC5, 0xA8};

} // namespace torvane::notation
