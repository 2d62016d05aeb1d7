// Drawing the music font's glyphs (see MusicFont.h) with QPainter. Every glyph is an outline
// built in its character cell's coordinates, so it sits exactly where a font glyph written at
// the same point would: note heads centred HEAD_OFFSET_Y below the cell's top, the treble clef
// curling round the cell's line 45, the bass clef's dots around its line 25.
#pragma once

#include <QPainterPath>
#include <QPointF>
#include <QRectF>

class QPainter;

namespace torvane::notation {

// Whether the font has a glyph for the character.
bool hasGlyph(unsigned char ch);

// The glyph's outline relative to its cell's top-left corner; empty for an unknown character.
const QPainterPath& glyphOutline(unsigned char ch);

// Fills the glyph with the painter's pen colour, its cell's top-left corner at topLeft.
// False, and nothing drawn, for an unknown character.
bool drawGlyph(QPainter& painter, unsigned char ch, QPointF topLeft);

// A ledger line from x0 to x1 at height y, one pixel like a staff line, in the pen colour.
void drawLedgerLine(QPainter& painter, int x0, int x1, int y);

} // namespace torvane::notation
