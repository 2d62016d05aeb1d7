#include "melody/ui/MelvioArt.h"

#include "platform/ui/notation/MusicFont.h"
#include "platform/ui/notation/MusicGlyphs.h"

#include <QPainter>
#include <QPainterPath>

namespace notation = torvane::notation;

namespace melvio_art {
namespace {

constexpr int SEMITONE_WIDTH = 14;
constexpr int UPPER_BAND = 60;
constexpr int WHITE_KEY_WIDTH = 24;
constexpr int REST_KEY_X = 528;
constexpr int TOP_KEY_X = 504;

bool isBlack(int pitch)
{
    const int s = pitch % 12;
    return s == 1 || s == 3 || s == 6 || s == 8 || s == 10;
}

// Draws glyph ch scaled into rect, centred on its inked outline.
void drawGlyphInto(QPainter& p, unsigned char ch, const QRectF& rect, double scale)
{
    const QRectF bounds = notation::glyphOutline(ch).boundingRect();
    p.save();
    p.translate(rect.center());
    p.scale(scale, scale);
    p.translate(-bounds.center());
    notation::drawGlyph(p, ch, QPointF(0, 0));
    p.restore();
}

void drawBevel(QPainter& p, const QRect& r, bool sunken)
{
    const QColor light(255, 255, 255);
    const QColor shadow(128, 128, 128);
    const QColor dark(64, 64, 64);
    p.fillRect(r, sunken ? QColor(200, 200, 200) : QColor(224, 224, 224));
    p.setPen(sunken ? dark : light);
    p.drawLine(r.topLeft(), r.topRight());
    p.drawLine(r.topLeft(), r.bottomLeft());
    p.setPen(sunken ? light : dark);
    p.drawLine(r.bottomLeft(), r.bottomRight());
    p.drawLine(r.topRight(), r.bottomRight());
    p.setPen(shadow);
    if (sunken) {
        p.drawLine(r.topLeft() + QPoint(1, 1), r.topRight() + QPoint(-1, 1));
        p.drawLine(r.topLeft() + QPoint(1, 1), r.bottomLeft() + QPoint(1, -1));
    } else {
        p.drawLine(r.bottomLeft() + QPoint(1, -1), r.bottomRight() + QPoint(-1, -1));
        p.drawLine(r.topRight() + QPoint(-1, 1), r.bottomRight() + QPoint(-1, -1));
    }
}

void drawRestKey(QPainter& p, const QRect& r)
{
    p.fillRect(r, QColor(236, 232, 214));
    p.setPen(QColor(96, 96, 96));
    p.drawRect(r.adjusted(0, 0, -1, -1));
    p.setPen(Qt::black);
    drawGlyphInto(p, notation::GLYPH_REST[2], r, r.height() > 40 ? 1.0 : 0.7);
}

} // namespace

QPixmap keyboard()
{
    QPixmap pixmap(KEYBOARD_WIDTH, KEYBOARD_HEIGHT);
    pixmap.fill(Qt::white);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing, false);

    // Upper band: every semitone, black keys dark.
    for (int k = 0; k <= 36; ++k) {
        const int pitch = 48 + k;
        const int x = k < 36 ? k * SEMITONE_WIDTH : TOP_KEY_X;
        const int w = k < 36 ? SEMITONE_WIDTH : REST_KEY_X - TOP_KEY_X;
        const QRect key(x, 0, w, UPPER_BAND);
        p.fillRect(key, isBlack(pitch) ? QColor(24, 24, 24) : QColor(252, 252, 248));
        p.setPen(QColor(140, 140, 140));
        p.drawLine(key.topRight(), key.bottomRight());
    }
    drawRestKey(p, QRect(REST_KEY_X, 0, KEYBOARD_WIDTH - REST_KEY_X, UPPER_BAND));

    // Lower band: the white keys with a mark on every C.
    QFont font = p.font();
    font.setPixelSize(9);
    p.setFont(font);
    for (int k = 0; k < 22; ++k) {
        const QRect key(k * WHITE_KEY_WIDTH, UPPER_BAND, WHITE_KEY_WIDTH, KEYBOARD_HEIGHT - UPPER_BAND);
        p.fillRect(key, QColor(252, 252, 248));
        p.setPen(QColor(96, 96, 96));
        p.drawRect(key.adjusted(0, 0, -1, -1));
        if (k % 7 == 0) {
            p.setPen(Qt::black);
            p.drawText(key.adjusted(0, 0, 0, -2), Qt::AlignHCenter | Qt::AlignBottom, QStringLiteral("c%1").arg(k / 7 + 3));
        }
    }
    drawRestKey(p, QRect(REST_KEY_X, UPPER_BAND, KEYBOARD_WIDTH - REST_KEY_X, KEYBOARD_HEIGHT - UPPER_BAND));

    p.setPen(Qt::black);
    p.drawLine(0, UPPER_BAND - 1, KEYBOARD_WIDTH - 1, UPPER_BAND - 1);
    p.drawRect(0, 0, KEYBOARD_WIDTH - 1, KEYBOARD_HEIGHT - 1);
    return pixmap;
}

QPixmap paletteButton(int button, bool down)
{
    QPixmap pixmap(PALETTE_BUTTON_WIDTH, PALETTE_BUTTON_HEIGHT);
    QPainter p(&pixmap);
    const QRect r(0, 0, PALETTE_BUTTON_WIDTH, PALETTE_BUTTON_HEIGHT);
    drawBevel(p, r.adjusted(0, 0, -1, -1), down);
    p.setPen(Qt::black);
    const QRectF inner = QRectF(r).adjusted(4, 3, -4, -3).translated(down ? 1 : 0, down ? 1 : 0);
    if (button >= 0 && button < 6)
        drawGlyphInto(p, notation::GLYPH_NOTE_STEM_UP[button], inner, button == 0 ? 1.2 : 0.72);
    else if (button == 6)
        drawGlyphInto(p, notation::GLYPH_SHARP, inner, 1.1);
    else
        drawGlyphInto(p, notation::GLYPH_DOT, inner, 1.8);
    return pixmap;
}

QImage caretShape()
{
    QImage image(14, 105, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.fillRect(6, 0, 2, 105, Qt::black);
    p.fillRect(3, 0, 8, 2, Qt::black);
    p.fillRect(3, 103, 8, 2, Qt::black);
    return image;
}

QCursor durationCursor(int duration)
{
    QPixmap pixmap(32, 32);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    // The head sits at the hot spot (10, 24); the glyph's cell is placed to put it there.
    const unsigned char ch = notation::GLYPH_NOTE_STEM_UP[duration < 0 || duration > 5 ? 2 : duration];
    const QPointF cell(4, 24 - notation::HEAD_OFFSET_Y);
    p.setPen(Qt::white);
    for (const QPointF d : {QPointF(-1, 0), QPointF(1, 0), QPointF(0, -1), QPointF(0, 1)})
        notation::drawGlyph(p, ch, cell + d);
    p.setPen(Qt::black);
    notation::drawGlyph(p, ch, cell);
    return QCursor(pixmap, 10, 24);
}

QIcon applicationIcon()
{
    QPixmap pixmap(32, 32);
    pixmap.fill(QColor(255, 255, 240));
    QPainter p(&pixmap);
    p.setPen(QColor(80, 80, 80));
    for (int y = 8; y <= 24; y += 4)
        p.drawLine(1, y, 30, y);
    p.setPen(Qt::black);
    p.save();
    p.scale(0.5, 0.5);
    notation::drawGlyph(p, notation::GLYPH_NOTE_STEM_UP[3], QPointF(26, 40 - notation::HEAD_OFFSET_Y));
    p.restore();
    return QIcon(pixmap);
}

QPixmap toolImage(int index)
{
    QPixmap pixmap(16, 15);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setPen(QPen(Qt::black, 1));
    switch (index) {
    case 0: // a new page
        p.setBrush(Qt::white);
        p.drawPolygon(QPolygonF({QPointF(3, 1), QPointF(10, 1), QPointF(13, 4), QPointF(13, 14), QPointF(3, 14)}));
        break;
    case 1: // a folder
        p.setBrush(QColor(240, 200, 80));
        p.drawRect(QRectF(1.5, 4.5, 13, 9));
        p.drawRect(QRectF(1.5, 2.5, 5, 2));
        break;
    case 2: // a disk
        p.setBrush(QColor(60, 60, 140));
        p.drawRect(QRectF(1.5, 1.5, 13, 12));
        p.setBrush(Qt::white);
        p.drawRect(QRectF(4.5, 1.5, 7, 5));
        break;
    case 3: // scissors
        p.drawEllipse(QRectF(2, 9, 4, 4));
        p.drawEllipse(QRectF(10, 9, 4, 4));
        p.drawLine(QPointF(5, 9), QPointF(11, 1));
        p.drawLine(QPointF(11, 9), QPointF(5, 1));
        break;
    case 4: // two pages
        p.setBrush(Qt::white);
        p.drawRect(QRectF(1.5, 1.5, 8, 9));
        p.drawRect(QRectF(6.5, 4.5, 8, 9));
        break;
    case 5: // a clipboard
        p.setBrush(QColor(200, 160, 100));
        p.drawRect(QRectF(2.5, 2.5, 11, 11));
        p.setBrush(Qt::white);
        p.drawRect(QRectF(5.5, 5.5, 8, 8));
        break;
    case 6: // play
        p.setBrush(QColor(0, 128, 0));
        p.drawPolygon(QPolygonF({QPointF(4, 2), QPointF(13, 7.5), QPointF(4, 13)}));
        break;
    default: // stop
        p.setBrush(QColor(160, 0, 0));
        p.drawRect(QRectF(3.5, 3.5, 9, 9));
        break;
    }
    return pixmap;
}

} // namespace melvio_art
