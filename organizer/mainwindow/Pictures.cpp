#include "organizer/mainwindow/Pictures.h"

#include "organizer/entryeditor/EntryPictures.h"

#include <QHash>
#include <QPainter>
#include <QPainterPath>

#include <functional>

namespace tessaro {

using torvane::controls::Picture;

namespace {

using Draw = std::function<void(QPainter&, const QRectF&)>;

const QColor kInk(40, 40, 40);
const QColor kPaper(255, 255, 250);
const QColor kYellow(250, 215, 60);
const QColor kRed(205, 40, 40);
const QColor kBlue(40, 90, 180);
const QColor kGreen(40, 150, 60);
const QColor kGrey(150, 150, 150);

QImage paint(int width, int height, const Draw& draw)
{
    QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    draw(p, QRectF(0, 0, width, height));
    return image;
}

// A rectangle of `r` given in sixteenths of its size, so every picture is drawn on a 16 grid.
QRectF part(const QRectF& r, double x, double y, double w, double h)
{
    const double u = r.width() / 16;
    const double v = r.height() / 16;
    return {r.x() + x * u, r.y() + y * v, w * u, h * v};
}

QPointF at(const QRectF& r, double x, double y)
{
    return {r.x() + x * r.width() / 16, r.y() + y * r.height() / 16};
}

QPen pen(const QColor& color, const QRectF& r, double width = 1)
{
    QPen p(color, width * r.width() / 16);
    p.setCapStyle(Qt::RoundCap);
    p.setJoinStyle(Qt::RoundJoin);
    return p;
}

void sheet(QPainter& p, const QRectF& r, const QColor& fill)
{
    p.setPen(pen(kInk, r));
    p.setBrush(fill);
    p.drawRect(part(r, 2.5, 1.5, 11, 13));
}

void mobile(QPainter& p, const QRectF& r, const QColor& screen)
{
    p.setPen(pen(kInk, r));
    p.setBrush(QColor(70, 70, 80));
    p.drawRoundedRect(part(r, 4, 2.5, 8, 13), r.width() / 10, r.width() / 10);
    p.drawLine(at(r, 10, 2.5), at(r, 10, 0.5));
    p.setBrush(screen);
    p.drawRect(part(r, 5, 4, 6, 4));
    p.setPen(pen(QColor(220, 220, 220), r));
    for (double y : {10.0, 12.0, 14.0})
        for (double x : {6.0, 8.0, 10.0})
            p.drawPoint(at(r, x, y));
}

void table(QPainter& p, const QRectF& r)
{
    p.setPen(pen(kInk, r));
    p.setBrush(kYellow);
    p.drawRect(part(r, 1.5, 2.5, 13, 11));
    p.setBrush(kBlue);
    p.drawRect(part(r, 1.5, 2.5, 13, 3));
    p.setPen(pen(QColor(150, 110, 20), r));
    for (double y : {8.5, 11.0})
        p.drawLine(at(r, 1.5, y), at(r, 14.5, y));
    p.drawLine(at(r, 6, 5.5), at(r, 6, 13.5));
}

void calendarSheet(QPainter& p, const QRectF& r, bool redCircle)
{
    sheet(p, r, kPaper);
    p.setBrush(kRed);
    p.drawRect(part(r, 2.5, 1.5, 11, 3));
    p.setPen(pen(kGrey, r));
    for (double y : {7.0, 10.0, 13.0})
        p.drawLine(at(r, 3.5, y), at(r, 12.5, y));
    for (double x : {6.0, 9.0})
        p.drawLine(at(r, x, 5.5), at(r, x, 13.5));
    if (redCircle) {
        p.setPen(pen(kRed, r, 1.5));
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(part(r, 6.5, 7.5, 5, 5));
    }
}

void diary(QPainter& p, const QRectF& r, bool redMark)
{
    p.setPen(pen(kInk, r));
    p.setBrush(kPaper);
    QPolygonF left({at(r, 8, 4), at(r, 1, 2.5), at(r, 1, 13), at(r, 8, 14.5)});
    QPolygonF right({at(r, 8, 4), at(r, 15, 2.5), at(r, 15, 13), at(r, 8, 14.5)});
    p.drawPolygon(left);
    p.drawPolygon(right);
    p.setPen(pen(kGrey, r));
    for (double y : {6.5, 9.0, 11.5}) {
        p.drawLine(at(r, 2.5, y - 1), at(r, 6.5, y));
        p.drawLine(at(r, 9.5, y), at(r, 13.5, y - 1));
    }
    if (redMark) {
        p.setPen(pen(kRed, r, 1.5));
        p.drawLine(at(r, 11, 3), at(r, 11, 8));
    }
}

void cross(QPainter& p, const QRectF& r, const QColor& color)
{
    p.setPen(pen(color, r, 3));
    p.drawLine(at(r, 3.5, 3.5), at(r, 12.5, 12.5));
    p.drawLine(at(r, 12.5, 3.5), at(r, 3.5, 12.5));
}

void page(QPainter& p, const QRectF& r)
{
    p.setPen(pen(kInk, r));
    p.setBrush(kPaper);
    p.drawPolygon(QPolygonF({at(r, 3, 1.5), at(r, 10, 1.5), at(r, 13, 4.5), at(r, 13, 14.5), at(r, 3, 14.5)}));
    p.drawPolyline(QPolygonF({at(r, 10, 1.5), at(r, 10, 4.5), at(r, 13, 4.5)}));
}

void folder(QPainter& p, const QRectF& r)
{
    p.setPen(pen(kInk, r));
    p.setBrush(QColor(220, 170, 40));
    p.drawPolygon(QPolygonF({at(r, 1, 3.5), at(r, 6, 3.5), at(r, 7, 5), at(r, 13, 5), at(r, 13, 13.5), at(r, 1, 13.5)}));
    p.setBrush(kYellow);
    p.drawPolygon(QPolygonF({at(r, 3, 7.5), at(r, 15.5, 7.5), at(r, 13, 13.5), at(r, 1, 13.5)}));
}

void flags(QPainter& p, const QRectF& r)
{
    const QColor stripes[3][3] = {{kInk, kRed, kYellow}, {kBlue, kPaper, kRed}, {kRed, kPaper, kBlue}};
    for (int f = 0; f < 3; ++f) {
        const double x = 1 + f * 4.5;
        const double y = 2 + f * 3;
        for (int s = 0; s < 3; ++s) {
            p.setPen(Qt::NoPen);
            p.setBrush(stripes[f][s]);
            p.drawRect(part(r, x, y + s * 2, 7, 2));
        }
        p.setPen(pen(kInk, r, 0.5));
        p.setBrush(Qt::NoBrush);
        p.drawRect(part(r, x, y, 7, 6));
    }
}

void wrench(QPainter& p, const QRectF& r)
{
    p.setPen(pen(kGrey.darker(140), r, 3));
    p.drawLine(at(r, 4, 12), at(r, 10, 6));
    p.setPen(pen(kInk, r));
    p.setBrush(kGrey);
    p.drawEllipse(part(r, 8.5, 1.5, 6, 6));
    p.setBrush(Qt::transparent);
    p.setPen(Qt::NoPen);
    p.setCompositionMode(QPainter::CompositionMode_Clear);
    p.drawRect(part(r, 12, 1, 3, 3));
    p.setCompositionMode(QPainter::CompositionMode_SourceOver);
}

// "?" and "i" drawn as strokes, so no font is needed.
void questionMark(QPainter& p, const QRectF& r, const QColor& color)
{
    QPainterPath path;
    path.moveTo(at(r, 5, 5));
    path.cubicTo(at(r, 5, 1.5), at(r, 11, 1.5), at(r, 11, 5));
    path.cubicTo(at(r, 11, 7.5), at(r, 8, 7.5), at(r, 8, 10));
    p.setPen(pen(color, r, 2));
    p.setBrush(Qt::NoBrush);
    p.drawPath(path);
    p.drawPoint(at(r, 8, 13.5));
}

void info(QPainter& p, const QRectF& r)
{
    p.setPen(pen(kInk, r));
    p.setBrush(kYellow);
    p.drawEllipse(part(r, 1.5, 1.5, 13, 13));
    p.setPen(pen(kBlue.darker(130), r, 2.2));
    p.drawPoint(at(r, 8, 4.8));
    p.drawLine(at(r, 8, 7.5), at(r, 8, 12));
}

void bubble(QPainter& p, const QRectF& r)
{
    p.setPen(pen(kInk, r));
    p.setBrush(kPaper);
    QPainterPath path;
    path.addRoundedRect(part(r, 1, 1, 14, 11), r.width() / 5, r.width() / 5);
    path.moveTo(at(r, 4, 11));
    path.lineTo(at(r, 3, 15));
    path.lineTo(at(r, 8, 11.5));
    p.drawPath(path.simplified());
    questionMark(p, part(r, 3, 0.5, 10, 11), kBlue);
}

void cycle(QPainter& p, const QRectF& r)
{
    p.setPen(pen(kBlue, r, 2));
    p.setBrush(Qt::NoBrush);
    p.drawArc(part(r, 2.5, 2.5, 11, 11), 30 * 16, 150 * 16);
    p.drawArc(part(r, 2.5, 2.5, 11, 11), 210 * 16, 150 * 16);
    p.setBrush(kBlue);
    p.setPen(pen(kBlue, r));
    p.drawPolygon(QPolygonF({at(r, 12, 1.5), at(r, 15, 5.5), at(r, 10.5, 6)}));
    p.drawPolygon(QPolygonF({at(r, 4, 14.5), at(r, 1, 10.5), at(r, 5.5, 10)}));
}

void bell(QPainter& p, const QRectF& r)
{
    p.setPen(pen(kInk, r));
    p.setBrush(kYellow);
    QPainterPath path;
    path.moveTo(at(r, 2, 12));
    path.cubicTo(at(r, 4, 10), at(r, 3, 2), at(r, 8, 2));
    path.cubicTo(at(r, 13, 2), at(r, 12, 10), at(r, 14, 12));
    path.closeSubpath();
    p.drawPath(path);
    p.drawEllipse(part(r, 6.5, 12, 3, 3));
}

void eraser(QPainter& p, const QRectF& r)
{
    p.setPen(pen(kInk, r));
    p.setBrush(QColor(235, 130, 150));
    p.drawPolygon(QPolygonF({at(r, 1, 10), at(r, 8, 3), at(r, 15, 8), at(r, 8, 14)}));
    p.setBrush(kPaper);
    p.drawPolygon(QPolygonF({at(r, 1, 10), at(r, 4.5, 6.5), at(r, 11.5, 11), at(r, 8, 14)}));
}

// The series letters D, W and Y, stroked in a small white box.
void seriesBadge(QPainter& p, const QRectF& r, QChar letter)
{
    const QRectF box = part(r, 8, 8, 8, 8);
    p.setPen(pen(kInk, r, 0.7));
    p.setBrush(kPaper);
    p.drawRect(box.adjusted(0.5, 0.5, -0.5, -0.5));
    p.setPen(pen(kRed.darker(120), r, 1.2));
    p.setBrush(Qt::NoBrush);
    if (letter == QLatin1Char('D')) {
        QPainterPath d;
        d.moveTo(at(box, 5, 3));
        d.lineTo(at(box, 5, 13));
        d.lineTo(at(box, 8, 13));
        d.cubicTo(at(box, 13, 13), at(box, 13, 3), at(box, 8, 3));
        d.closeSubpath();
        p.drawPath(d);
    } else if (letter == QLatin1Char('W')) {
        p.drawPolyline(QPolygonF({at(box, 2.5, 3), at(box, 5, 13), at(box, 8, 6), at(box, 11, 13), at(box, 13.5, 3)}));
    } else {
        p.drawPolyline(QPolygonF({at(box, 4, 3), at(box, 8, 8), at(box, 12, 3)}));
        p.drawLine(at(box, 8, 8), at(box, 8, 13));
    }
}

void smallBell(QPainter& p, const QRectF& r)
{
    bell(p, part(r, 9, 0, 7, 7));
}

// The arrows between the grids and the row pictograms that name a direction.
void arrow(QPainter& p, const QRectF& r, bool pointsRight, const QColor& fill)
{
    const double w = r.width();
    const double h = r.height();
    const double head = std::min(w, h) * 0.9;
    QPolygonF shape({{0, h * 0.3}, {w - head, h * 0.3}, {w - head, h * 0.05}, {w, h * 0.5},
                     {w - head, h * 0.95}, {w - head, h * 0.7}, {0, h * 0.7}});
    if (!pointsRight)
        for (QPointF& pt : shape)
            pt.setX(w - pt.x());
    shape.translate(r.topLeft());
    p.setPen(QPen(kInk, std::max(1.0, w / 40)));
    p.setBrush(fill);
    p.drawPolygon(shape);
}

void check(QPainter& p, const QRectF& r)
{
    p.setPen(pen(kGreen, r, 2.5));
    p.drawPolyline(QPolygonF({at(r, 2.5, 8.5), at(r, 6.5, 12.5), at(r, 13.5, 3.5)}));
}

// The entry editor's picture of a kind, so a kind looks the same in the grid and in the editor.
Draw entryKind(EntryPicture kind)
{
    return [kind](QPainter& p, const QRectF& r) { p.drawImage(r, DrawEntryPicture(kind)); };
}

// A picture of a kind of entry with its series letter and alarm bell.
Draw kindPicture(const Draw& kind, QChar series, bool withBell)
{
    return [kind, series, withBell](QPainter& p, const QRectF& r) {
        kind(p, r);
        if (!series.isNull())
            seriesBadge(p, r, series);
        if (withBell)
            smallBell(p, r);
    };
}

QHash<QString, QImage> makeResources()
{
    QHash<QString, QImage> res;
    const std::pair<const char*, Draw> kinds[] = {{"MEM", entryKind(EntryPicture::Memo)},
                                                  {"MET", entryKind(EntryPicture::Meeting)},
                                                  {"BIR", entryKind(EntryPicture::Anniversary)},
                                                  {"CALL", entryKind(EntryPicture::PhoneCall)}};
    const std::pair<const char*, QChar> periods[] = {
        {"", QChar()}, {"_DAY", QLatin1Char('D')}, {"_WEEK", QLatin1Char('W')}, {"_YEAR", QLatin1Char('Y')}};
    for (const auto& [kind, draw] : kinds)
        for (const auto& [suffix, letter] : periods)
            for (bool withBell : {false, true}) {
                const QString name = QLatin1String(kind) + QLatin1String(suffix) +
                                     (withBell ? QStringLiteral("_BELL") : QString());
                res.insert(name, paint(16, 16, kindPicture(draw, letter, withBell)));
            }
    // Row pictograms: meeting, daily, weekly (and monthly), yearly series; the sync marks.
    res.insert(QStringLiteral("m"), paint(16, 16, entryKind(EntryPicture::Meeting)));
    res.insert(QStringLiteral("s"), paint(16, 16, kindPicture(cycle, QLatin1Char('D'), false)));
    res.insert(QStringLiteral("w"), paint(16, 16, kindPicture(cycle, QLatin1Char('W'), false)));
    res.insert(QStringLiteral("y"), paint(16, 16, kindPicture(cycle, QLatin1Char('Y'), false)));
    res.insert(QStringLiteral("j"), paint(16, 16, check));
    res.insert(QStringLiteral("r"), paint(16, 16, [](QPainter& p, const QRectF& r) {
                   arrow(p, r.adjusted(1, 3, -1, -3), true, kBlue);
               }));
    res.insert(QStringLiteral("l"), paint(16, 16, [](QPainter& p, const QRectF& r) {
                   arrow(p, r.adjusted(1, 3, -1, -3), false, kRed);
               }));
    // The arrows beside the grids: phone to desktop calendar points up-left of the phone grid's
    // rows, desktop calendar to phone the other way.
    res.insert(QStringLiteral("ImageMobile2PC"), paint(64, 32, [](QPainter& p, const QRectF& r) {
                   arrow(p, r.adjusted(2, 2, -2, -2), false, kRed);
               }));
    res.insert(QStringLiteral("ImagePC2Mobile"), paint(64, 32, [](QPainter& p, const QRectF& r) {
                   arrow(p, r.adjusted(2, 2, -2, -2), true, kBlue);
               }));
    res.insert(QStringLiteral("ImageHandy_gruen"), paint(16, 16, [](QPainter& p, const QRectF& r) {
                   mobile(p, r, QColor(120, 220, 120));
               }));
    res.insert(QStringLiteral("ImageHandy_grau"), paint(16, 16, [](QPainter& p, const QRectF& r) {
                   mobile(p, r, kGrey);
               }));
    return res;
}

const QHash<QString, QImage>& resources()
{
    static const QHash<QString, QImage> res = makeResources();
    return res;
}

} // namespace

Picture LoadResPicture(const QString& name)
{
    const auto it = resources().constFind(name);
    return it == resources().cend() ? Picture() : Picture(*it);
}

QImage ToolbarStripPicture()
{
    // The entry editor's pictures first, in its strip's order; then the three it leaves empty.
    const QImage entries = EntryToolStrip();
    const Draw more[] = {
        eraser,
        [](QPainter& p, const QRectF& r) {
            mobile(p, r, QColor(120, 220, 120));
            questionMark(p, part(r, 7, 3, 9, 9), kBlue);
        },
        [](QPainter& p, const QRectF& r) { diary(p, r, false); },
    };
    return paint(16 * ToolbarStripCells, 16, [&](QPainter& p, const QRectF&) {
        p.drawImage(0, 0, entries.copy(0, 0, 16 * EntryPictureCount, 16));
        for (int i = 0; i < 3; ++i)
            more[i](p, QRectF(16 * (EntryPictureCount + i), 0, 16, 16));
    });
}

std::vector<Picture> BarPictures()
{
    std::vector<Picture> pictures(22);
    auto put = [&pictures](int index, const Draw& draw) { pictures[std::size_t(index)] = Picture(paint(16, 16, draw)); };
    put(0, info);
    put(1, bubble);
    put(4, [](QPainter& p, const QRectF& r) { calendarSheet(p, r, true); });
    put(8, [](QPainter& p, const QRectF& r) { cross(p, r, kInk); });
    put(11, [](QPainter& p, const QRectF& r) {
        table(p, part(r, 4, 2, 12, 12));
        mobile(p, part(r, -1, 3, 10, 13), QColor(120, 220, 120));
    });
    put(12, [](QPainter& p, const QRectF& r) { mobile(p, r, QColor(120, 220, 120)); });
    put(13, table);
    put(14, table);
    put(15, [](QPainter& p, const QRectF& r) { diary(p, r, true); });
    put(16, [](QPainter& p, const QRectF& r) {
        mobile(p, part(r, -2, 0, 16, 16), QColor(120, 220, 120));
        questionMark(p, part(r, 7, 4, 9, 10), kBlue);
    });
    put(17, folder);
    put(18, page);
    put(19, flags);
    put(20, wrench);
    put(21, table);
    return pictures;
}

} // namespace tessaro
