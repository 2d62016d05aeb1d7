// The music font's glyphs sit where the staff expects them: heads centred 55 pixels below the
// cell's top, stems on the right side going up or on the left going down, hollow heads for
// whole and half notes, the clefs round their lines, rests on the middle line.
#include "platform/ui/notation/MusicFont.h"
#include "platform/ui/notation/MusicGlyphs.h"

#include <QGuiApplication>
#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

namespace {

using namespace torvane::notation;

QRectF Bounds(unsigned char ch) { return glyphOutline(ch).boundingRect(); }

TEST(MusicGlyphs, EveryCharacterOfTheTableHasAGlyphAndOthersNone)
{
    for (int d = 0; d < 6; ++d) {
        EXPECT_TRUE(hasGlyph(GLYPH_NOTE_STEM_UP[d])) << d;
        EXPECT_TRUE(hasGlyph(GLYPH_NOTE_STEM_DOWN[d])) << d;
        EXPECT_TRUE(hasGlyph(GLYPH_REST[d])) << d;
    }
    for (unsigned char ch : {GLYPH_TREBLE_CLEF, GLYPH_BASS_CLEF, GLYPH_SHARP, GLYPH_DOT})
        EXPECT_TRUE(hasGlyph(ch)) << ch;
    for (int ch : {int('a'), int('Z'), int('0'), int(' '), 0xFF})
        EXPECT_FALSE(hasGlyph(static_cast<unsigned char>(ch))) << ch;
}

TEST(MusicGlyphs, HeadsAreCentredOnTheirLineAndHollowForLongNotes)
{
    for (int d = 0; d < 6; ++d) {
        const QPainterPath& up = glyphOutline(GLYPH_NOTE_STEM_UP[d]);
        const QPainterPath& down = glyphOutline(GLYPH_NOTE_STEM_DOWN[d]);
        const double headX = d == 0 ? 7.5 : 6.0;
        // The head is the only ink at the centre line's far side from the stem.
        EXPECT_NEAR(up.boundingRect().bottom(), HEAD_OFFSET_Y + 4.5, 1.0) << d;
        EXPECT_NEAR(down.boundingRect().top(), HEAD_OFFSET_Y - 4.5, 1.0) << d;
        const bool hollow = d <= 1;
        EXPECT_EQ(up.contains(QPointF(headX, HEAD_OFFSET_Y)), !hollow) << d;
        EXPECT_EQ(down.contains(QPointF(headX, HEAD_OFFSET_Y)), !hollow) << d;
        EXPECT_TRUE(up.contains(QPointF(headX - 4.5, HEAD_OFFSET_Y))) << d;
        if (d > 0) {
            // Up stems rise on the right of the head, down stems fall on its left.
            EXPECT_TRUE(up.contains(QPointF(11.3, HEAD_OFFSET_Y - 20))) << d;
            EXPECT_FALSE(up.contains(QPointF(0.7, HEAD_OFFSET_Y + 20))) << d;
            EXPECT_TRUE(down.contains(QPointF(0.7, HEAD_OFFSET_Y + 20))) << d;
            EXPECT_LE(up.boundingRect().top(), HEAD_OFFSET_Y - 35) << d;
            EXPECT_GE(down.boundingRect().bottom(), HEAD_OFFSET_Y + 35) << d;
        }
    }
    // A whole note has no stem and is one glyph in both sets.
    EXPECT_EQ(GLYPH_NOTE_STEM_UP[0], GLYPH_NOTE_STEM_DOWN[0]);
    EXPECT_LT(Bounds('w').height(), 11);
}

TEST(MusicGlyphs, RestsSitOnTheMiddleLineAndClefsRoundTheirLines)
{
    // Whole rest hangs from the line above the middle line, half rest sits on the middle line.
    EXPECT_NEAR(Bounds(GLYPH_REST[0]).top(), HEAD_OFFSET_Y - 10, 0.5);
    EXPECT_NEAR(Bounds(GLYPH_REST[1]).bottom(), HEAD_OFFSET_Y, 0.5);
    for (int d = 2; d < 6; ++d) {
        const QRectF r = Bounds(GLYPH_REST[d]);
        EXPECT_LT(r.top(), HEAD_OFFSET_Y) << d;
        EXPECT_GT(r.bottom(), HEAD_OFFSET_Y) << d;
        EXPECT_LT(r.height(), 40) << d;
    }
    // Treble clef spans the five lines (cell lines 15 to 55) and reaches beyond them.
    EXPECT_LT(Bounds(GLYPH_TREBLE_CLEF).top(), 15);
    EXPECT_GT(Bounds(GLYPH_TREBLE_CLEF).bottom(), 55);
    // The bass clef's two dots lie either side of its line 25.
    const QPainterPath& bass = glyphOutline(GLYPH_BASS_CLEF);
    EXPECT_TRUE(bass.contains(QPointF(25, 20.5)));
    EXPECT_TRUE(bass.contains(QPointF(25, 29.5)));
    EXPECT_FALSE(bass.contains(QPointF(25, 25)));
    // Sharp centred on the head's line, dot just above it.
    EXPECT_NEAR(Bounds(GLYPH_SHARP).center().y(), HEAD_OFFSET_Y, 1.5);
    EXPECT_LT(Bounds(GLYPH_DOT).center().y(), HEAD_OFFSET_Y);
}

TEST(MusicGlyphs, DrawingInksWhereTheOutlineIs)
{
    QImage image(60, 100, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter p(&image);
    p.setPen(Qt::black);
    EXPECT_TRUE(drawGlyph(p, 'q', QPointF(20, 10)));
    EXPECT_FALSE(drawGlyph(p, 'z', QPointF(0, 0)));
    drawLedgerLine(p, 2, 10, 90);
    p.end();
    EXPECT_LT(qGray(image.pixel(26, 10 + HEAD_OFFSET_Y)), 80);
    EXPECT_EQ(qGray(image.pixel(50, 10 + HEAD_OFFSET_Y)), 255);
    EXPECT_LT(qGray(image.pixel(6, 90)), 80);
    EXPECT_EQ(qGray(image.pixel(6, 89)), 255);
}

} // namespace
