#include "platform/ui/notation/MusicGlyphs.h"

#include "platform/ui/notation/MusicFont.h"

#include <QPainter>
#include <QPainterPathStroker>
#include <QTransform>

#include <array>
#include <initializer_list>
#include <vector>

namespace torvane::notation {
namespace {

constexpr double HEAD_Y = HEAD_OFFSET_Y;
// Stems are three and a half staff spaces long; each further flag sits 7 pixels along the stem.
constexpr double STEM_LENGTH = 35.0;
constexpr double FLAG_STEP = 7.0;

QPainterPath stroke(const QPainterPath& centreLine, double width)
{
    QPainterPathStroker stroker;
    stroker.setWidth(width);
    stroker.setCapStyle(Qt::RoundCap);
    stroker.setJoinStyle(Qt::RoundJoin);
    return stroker.createStroke(centreLine);
}

// A smooth curve through the points (Catmull-Rom, turned into cubic segments).
QPainterPath smoothCurve(const std::vector<QPointF>& pts)
{
    QPainterPath path;
    if (pts.empty())
        return path;
    path.moveTo(pts.front());
    for (std::size_t i = 0; i + 1 < pts.size(); ++i) {
        const QPointF p0 = pts[i == 0 ? 0 : i - 1];
        const QPointF p1 = pts[i];
        const QPointF p2 = pts[i + 1];
        const QPointF p3 = pts[i + 2 < pts.size() ? i + 2 : i + 1];
        path.cubicTo(p1 + (p2 - p0) / 6.0, p2 - (p3 - p1) / 6.0, p2);
    }
    return path;
}

QPainterPath polyline(std::initializer_list<QPointF> pts)
{
    QPainterPath path;
    bool first = true;
    for (const QPointF& p : pts) {
        if (first)
            path.moveTo(p);
        else
            path.lineTo(p);
        first = false;
    }
    return path;
}

QPainterPath disc(QPointF centre, double radius)
{
    QPainterPath path;
    path.addEllipse(centre, radius, radius);
    return path;
}

QPainterPath ellipse(QPointF centre, double rx, double ry, double degrees)
{
    QPainterPath path;
    path.addEllipse(QPointF(0, 0), rx, ry);
    QTransform t;
    t.translate(centre.x(), centre.y());
    t.rotate(degrees);
    return t.map(path);
}

QPainterPath box(double x0, double y0, double x1, double y1)
{
    QPainterPath path;
    path.addRect(QRectF(QPointF(x0, y0), QPointF(x1, y1)));
    return path;
}

// Heads: filled and hollow ones twelve pixels wide, a whole note's fifteen.
QPainterPath filledHead() { return ellipse({6.0, HEAD_Y}, 6.2, 4.3, -20); }

QPainterPath hollowHead()
{
    return filledHead().subtracted(ellipse({6.0, HEAD_Y}, 4.6, 2.0, -32));
}

QPainterPath wholeHead()
{
    return ellipse({7.5, HEAD_Y}, 7.5, 4.8, 0).subtracted(ellipse({7.5, HEAD_Y}, 3.4, 2.7, 50));
}

// One flag hanging from the top of an up stem at (x, top), or rising from the bottom of a down
// stem (mirrored).
QPainterPath flag(double x, double y, bool stemUp)
{
    const double s = stemUp ? 1.0 : -1.0;
    QPainterPath path;
    path.moveTo(x, y);
    path.cubicTo(x + 1.0, y + s * 6.0, x + 8.5, y + s * 8.0, x + 7.0, y + s * 17.0);
    path.cubicTo(x + 7.2, y + s * 10.5, x + 3.0, y + s * 8.5, x, y + s * 6.0);
    path.closeSubpath();
    return path;
}

QPainterPath note(int duration, bool stemUp)
{
    if (duration == 0)
        return wholeHead();
    QPainterPath path = duration == 1 ? hollowHead() : filledHead();
    const int flags = duration - 2;
    // Short notes get longer stems, so their flags keep clear of the head.
    const double length = STEM_LENGTH + (flags > 1 ? FLAG_STEP * (flags - 1) : 0.0);
    if (stemUp) {
        const double top = HEAD_Y - 1.0 - length;
        path = path.united(box(10.7, top, 12.0, HEAD_Y - 1.0));
        for (int k = 0; k < flags; ++k)
            path = path.united(flag(12.0, top + k * FLAG_STEP, true));
    } else {
        const double bottom = HEAD_Y + 1.0 + length;
        path = path.united(box(0.1, HEAD_Y + 1.0, 1.4, bottom));
        for (int k = 0; k < flags; ++k)
            path = path.united(flag(1.4, bottom - k * FLAG_STEP, false));
    }
    return path;
}

// A short rest: its stem slants down to the left from the first flag; one dot-ended flag per
// value beyond the quarter.
QPainterPath flaggedRest(int flags)
{
    QPainterPath path;
    const double topX = 10.0 + 1.5 * flags;
    const double topY = 52.0 - 5.0 * flags;
    path = stroke(polyline({{topX, topY}, {6.0, 68.0}}), 1.5);
    for (int k = 0; k < flags; ++k) {
        const double fy = topY + k * 7.5;
        const double fx = topX - k * 1.9;
        path = path.united(disc({fx - 7.0, fy + 1.5}, 2.4));
        path = path.united(stroke(smoothCurve({{fx - 7.0, fy + 2.5}, {fx - 3.5, fy + 3.0}, {fx, fy}}), 1.3));
    }
    return path;
}

QPainterPath rest(int duration)
{
    switch (duration) {
    case 0:
        return box(1.0, HEAD_Y - 10.0, 13.0, HEAD_Y - 5.0); // hangs from the line above the middle
    case 1:
        return box(1.0, HEAD_Y - 5.0, 13.0, HEAD_Y); // sits on the middle line
    case 2: {
        QPainterPath path = stroke(polyline({{5.0, 39.0}, {10.5, 46.5}, {5.5, 53.0}, {11.0, 60.5}}), 2.6);
        return path.united(stroke(smoothCurve({{11.0, 60.5}, {5.5, 59.0}, {4.5, 64.5}, {8.0, 70.0}}), 1.8));
    }
    default:
        return flaggedRest(duration - 2);
    }
}

QPainterPath trebleClef()
{
    // Curls round the G line (cell line 45, the upper staff's second line from below), rises to
    // a loop above the staff and falls to the tail below it.
    const std::vector<QPointF> line = {
        {13.0, 47.5}, {10.0, 44.0}, {11.5, 39.0}, {16.5, 38.0}, {20.5, 43.5}, {19.0, 50.5},
        {12.0, 53.5}, {5.0, 49.5},  {3.0, 41.0},  {7.0, 31.5},  {14.0, 23.5}, {18.0, 14.5},
        {17.0, 6.5},  {14.0, 3.0},  {11.0, 8.0},  {10.0, 18.0}, {12.0, 40.0}, {14.0, 60.0},
        {13.0, 66.0}, {9.5, 68.5},  {6.5, 66.0},
    };
    QPainterPath path = stroke(smoothCurve(line), 2.2);
    return path.united(disc({8.0, 64.5}, 3.0));
}

QPainterPath bassClef()
{
    // Starts with its head on the F line (cell line 25, the lower staff's second line from
    // above); the two dots sit in the spaces either side of that line.
    const std::vector<QPointF> line = {
        {4.0, 25.0}, {6.0, 19.0}, {12.0, 16.0}, {18.0, 19.0}, {20.0, 26.5}, {17.0, 35.5}, {10.0, 43.0}, {3.0, 48.0},
    };
    QPainterPath path = stroke(smoothCurve(line), 2.6);
    path = path.united(disc({4.5, 25.0}, 3.3));
    path = path.united(disc({25.0, 20.5}, 1.8));
    return path.united(disc({25.0, 29.5}, 1.8));
}

QPainterPath slantedBar(double x0, double y0, double x1, double y1, double thickness)
{
    QPainterPath path;
    path.moveTo(x0, y0);
    path.lineTo(x1, y1);
    path.lineTo(x1, y1 + thickness);
    path.lineTo(x0, y0 + thickness);
    path.closeSubpath();
    return path;
}

QPainterPath sharp()
{
    QPainterPath path = box(2.4, 44.0, 3.6, 67.0);
    path = path.united(box(6.4, 42.5, 7.6, 65.5));
    path = path.united(slantedBar(0.0, 51.0, 10.0, 48.5, 2.6));
    return path.united(slantedBar(0.0, 59.5, 10.0, 57.0, 2.6));
}

// The dot sits half a space above a head's centre, so a note on a line keeps its dot in the
// space above.
QPainterPath dot() { return disc({3.0, 51.0}, 2.0); }

struct Font {
    std::array<QPainterPath, 256> outlines;
    std::array<bool, 256> present{};

    void add(unsigned char ch, const QPainterPath& path)
    {
        // Boolean operations leave holes (hollow heads) oriented for the path's own fill rule;
        // simplifying keeps them while merging the overlapping strokes.
        outlines[ch] = path.simplified();
        present[ch] = true;
    }

    Font()
    {
        for (int d = 0; d < 6; ++d) {
            add(GLYPH_NOTE_STEM_UP[d], note(d, true));
            // A whole note has no stem: both sets share its character.
            if (GLYPH_NOTE_STEM_DOWN[d] != GLYPH_NOTE_STEM_UP[d])
                add(GLYPH_NOTE_STEM_DOWN[d], note(d, false));
            add(GLYPH_REST[d], rest(d));
        }
        add(GLYPH_TREBLE_CLEF, trebleClef());
        add(GLYPH_BASS_CLEF, bassClef());
        add(GLYPH_SHARP, sharp());
        add(GLYPH_DOT, dot());
    }
};

const Font& font()
{
    static const Font instance;
    return instance;
}

} // namespace

bool hasGlyph(unsigned char ch) { return font().present[ch]; }

const QPainterPath& glyphOutline(unsigned char ch) { return font().outlines[ch]; }

bool drawGlyph(QPainter& painter, unsigned char ch, QPointF topLeft)
{
    if (!hasGlyph(ch))
        return false;
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.translate(topLeft);
    painter.fillPath(glyphOutline(ch), painter.pen().color());
    painter.restore();
    return true;
}

void drawLedgerLine(QPainter& painter, int x0, int x1, int y)
{
    painter.fillRect(QRect(QPoint(x0, y), QPoint(x1, y)), painter.pen().color());
}

} // namespace torvane::notation
