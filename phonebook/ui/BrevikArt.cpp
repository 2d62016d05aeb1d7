#include "phonebook/ui/BrevikArt.h"

#include "phonebook/model/FormCommands.h"

#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>

namespace brevik {

namespace {

const QColor kInk(0x26, 0x2e, 0x36);
const QColor kPaper(0xfb, 0xfb, 0xf5);
const QColor kBlue(0x2c, 0x6f, 0xc0);
const QColor kGreen(0x2f, 0x9a, 0x4a);
const QColor kRed(0xc8, 0x32, 0x2c);
const QColor kYellow(0xe8, 0xc0, 0x40);

QPixmap canvas(int width, int height)
{
    QPixmap pixmap(width, height);
    pixmap.fill(Qt::transparent);
    return pixmap;
}

void page(QPainter& p, const QRectF& r)
{
    p.setPen(QPen(kInk, 1));
    p.setBrush(kPaper);
    p.drawRect(r);
    p.setPen(QPen(QColor(0x90, 0x98, 0xa0), 1));
    for (qreal y = r.top() + 3; y < r.bottom() - 1; y += 2.5)
        p.drawLine(QPointF(r.left() + 2, y), QPointF(r.right() - 2, y));
}

void folder(QPainter& p, const QRectF& r, const QColor& colour)
{
    QPainterPath path;
    path.moveTo(r.left(), r.top() + 2);
    path.lineTo(r.left() + r.width() * 0.4, r.top() + 2);
    path.lineTo(r.left() + r.width() * 0.5, r.top() + 4);
    path.lineTo(r.right(), r.top() + 4);
    path.lineTo(r.right(), r.bottom());
    path.lineTo(r.left(), r.bottom());
    path.closeSubpath();
    p.setPen(QPen(kInk, 1));
    p.setBrush(colour);
    p.drawPath(path);
}

void person(QPainter& p, qreal x, qreal y, qreal size, const QColor& colour)
{
    p.setPen(QPen(kInk, 1));
    p.setBrush(colour);
    p.drawEllipse(QRectF(x + size * 0.3, y, size * 0.4, size * 0.4));
    p.drawChord(QRectF(x, y + size * 0.45, size, size * 0.9), 0, 180 * 16);
}

void arrow(QPainter& p, const QRectF& r, bool right, const QColor& colour)
{
    const qreal mid = r.center().y();
    const qreal head = r.width() * 0.45;
    QPolygonF shape;
    if (right)
        shape << QPointF(r.left(), mid - r.height() * 0.18) << QPointF(r.right() - head, mid - r.height() * 0.18)
              << QPointF(r.right() - head, r.top()) << QPointF(r.right(), mid) << QPointF(r.right() - head, r.bottom())
              << QPointF(r.right() - head, mid + r.height() * 0.18) << QPointF(r.left(), mid + r.height() * 0.18);
    else
        shape << QPointF(r.right(), mid - r.height() * 0.18) << QPointF(r.left() + head, mid - r.height() * 0.18)
              << QPointF(r.left() + head, r.top()) << QPointF(r.left(), mid) << QPointF(r.left() + head, r.bottom())
              << QPointF(r.left() + head, mid + r.height() * 0.18) << QPointF(r.right(), mid + r.height() * 0.18);
    p.setPen(QPen(kInk, 1));
    p.setBrush(colour);
    p.drawPolygon(shape);
}

// The program's picture: an open address book with a phone on its right page.
QPixmap programPicture(int size)
{
    QPixmap pixmap = canvas(size, size);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / 32.0, size / 32.0);
    p.setPen(QPen(kInk, 1.2));
    p.setBrush(kBlue);
    p.drawRoundedRect(QRectF(2, 5, 28, 23), 2, 2);
    page(p, QRectF(4, 7, 11.5, 19));
    p.setPen(QPen(kInk, 1));
    p.setBrush(kPaper);
    p.drawRect(QRectF(16.5, 7, 11.5, 19));
    p.setBrush(kInk);
    p.drawRoundedRect(QRectF(19, 9, 6.5, 15), 1.5, 1.5);
    p.setBrush(QColor(0x9c, 0xd8, 0xf0));
    p.drawRect(QRectF(20.2, 10.5, 4.1, 4.5));
    p.setPen(Qt::NoPen);
    p.setBrush(kPaper);
    for (int row = 0; row < 3; ++row)
        for (int col = 0; col < 2; ++col)
            p.drawRect(QRectF(20.4 + col * 2.2, 16.5 + row * 2.2, 1.4, 1.2));
    return pixmap;
}

QPixmap greyed(const QPixmap& source)
{
    QImage image = source.toImage().convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < image.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            const int grey = 96 + qGray(line[x]) / 2;
            line[x] = qRgba(grey, grey, grey, qAlpha(line[x]));
        }
    }
    return QPixmap::fromImage(image);
}

} // namespace

QIcon brevikIcon(int id)
{
    QIcon icon;
    switch (id) {
    case IDR_MAINFRAME:
        for (const int size : {16, 32, 48})
            icon.addPixmap(programPicture(size));
        return icon;
    case IDI_COPY_TO_PHONE:
    case IDI_COPY_TO_PAB: {
        QPixmap pixmap = canvas(32, 32);
        QPainter p(&pixmap);
        p.setRenderHint(QPainter::Antialiasing);
        arrow(p, QRectF(3, 7, 26, 18), id == IDI_COPY_TO_PAB, id == IDI_COPY_TO_PAB ? kYellow : kGreen);
        icon.addPixmap(pixmap);
        icon.addPixmap(greyed(pixmap), QIcon::Disabled);
        return icon;
    }
    default:
        return icon;
    }
}

QPixmap toolbarImage(int command)
{
    QPixmap pixmap = canvas(16, 15);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    switch (command) {
    case ID_NEW_PAB_FOLDER:
        folder(p, QRectF(1.5, 3.5, 12, 10), kYellow);
        p.setPen(QPen(kGreen, 2));
        p.drawLine(QPointF(12, 1), QPointF(12, 7));
        p.drawLine(QPointF(9, 4), QPointF(15, 4));
        break;
    case ID_OPEN_PAB_FOLDER:
        folder(p, QRectF(1.5, 3.5, 12, 10), kYellow);
        p.setBrush(QColor(0xf6, 0xdc, 0x80));
        p.drawPolygon(QPolygonF({QPointF(4, 7.5), QPointF(15, 7.5), QPointF(12.5, 13.5), QPointF(1.5, 13.5)}));
        break;
    case ID_EDIT_CUT:
        p.setPen(QPen(kInk, 1.2));
        p.drawLine(QPointF(5, 1), QPointF(10.5, 10));
        p.drawLine(QPointF(11, 1), QPointF(5.5, 10));
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(QRectF(2, 9.5, 4.5, 4.5));
        p.drawEllipse(QRectF(9.5, 9.5, 4.5, 4.5));
        break;
    case ID_EDIT_COPY:
        page(p, QRectF(1.5, 1.5, 8.5, 10));
        page(p, QRectF(6.5, 4.5, 8.5, 10));
        break;
    case ID_EDIT_PASTE:
        p.setPen(QPen(kInk, 1));
        p.setBrush(QColor(0xb0, 0x80, 0x48));
        p.drawRect(QRectF(1.5, 2.5, 10, 12));
        p.setBrush(QColor(0xc0, 0xc4, 0xc8));
        p.drawRect(QRectF(4, 1, 5, 3));
        page(p, QRectF(6.5, 5.5, 8.5, 9));
        break;
    case ID_EDIT_SELECT_ALL:
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0x3a, 0x78, 0xd0));
        for (int row = 0; row < 4; ++row)
            p.drawRect(QRectF(2, 1.5 + row * 3.3, 12, 2.2));
        break;
    case ID_CHANGE_ENTRY:
        page(p, QRectF(1.5, 1.5, 10, 12.5));
        p.setPen(QPen(kInk, 1));
        p.setBrush(kYellow);
        p.drawPolygon(QPolygonF({QPointF(14.5, 4), QPointF(15.5, 5), QPointF(8, 12.5), QPointF(6, 13.5), QPointF(7, 11.5)}));
        break;
    case ID_NEW_ENTRY:
        page(p, QRectF(1.5, 1.5, 10, 12.5));
        p.setPen(QPen(kGreen, 2));
        p.drawLine(QPointF(12.5, 7), QPointF(12.5, 14));
        p.drawLine(QPointF(9, 10.5), QPointF(16, 10.5));
        break;
    case ID_EDIT_CLEAR_ALL:
        p.setPen(QPen(kRed, 2.2));
        p.drawLine(QPointF(3, 2.5), QPointF(13, 12.5));
        p.drawLine(QPointF(13, 2.5), QPointF(3, 12.5));
        break;
    case ID_APP_ABOUT:
        p.setPen(QPen(kInk, 1));
        p.setBrush(QColor(0xff, 0xf4, 0xb0));
        p.drawEllipse(QRectF(1.5, 1, 12.5, 12.5));
        p.setPen(QPen(kBlue, 2));
        p.drawLine(QPointF(7.75, 6), QPointF(7.75, 11));
        p.drawPoint(QPointF(7.75, 3.8));
        break;
    default:
        return {};
    }
    return pixmap;
}

QPixmap folderPicture(int kind, bool disabled)
{
    QPixmap pixmap = canvas(kFolderPictureSize, kFolderPictureSize);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    if (kind == 1) {
        // The address book itself: a closed book.
        p.setPen(QPen(kInk, 1));
        p.setBrush(kBlue);
        p.drawRoundedRect(QRectF(3.5, 1.5, 11, 15), 1.5, 1.5);
        p.setBrush(kPaper);
        p.drawRect(QRectF(5.5, 4, 7, 3));
    } else {
        // A distribution list: a folder with people.
        folder(p, QRectF(1.5, 2.5, 15, 13), kYellow);
        person(p, 4, 7, 6, kBlue);
        person(p, 9, 6, 6, kGreen);
    }
    p.end();
    return disabled ? greyed(pixmap) : pixmap;
}

} // namespace brevik
