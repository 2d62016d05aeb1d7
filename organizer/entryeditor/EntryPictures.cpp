#include "organizer/entryeditor/EntryPictures.h"

#include <QPainter>
#include <QPainterPath>

namespace tessaro {

namespace {

const QColor kOutline(40, 40, 40);

void drawMemo(QPainter& p)
{
    p.setPen(kOutline);
    p.setBrush(QColor(255, 240, 140));
    p.drawRect(QRectF(2.5, 1.5, 11, 13));
    p.setPen(QColor(120, 120, 120));
    for (int y = 5; y <= 12; y += 2)
        p.drawLine(QPointF(4.5, y + 0.5), QPointF(11.5, y + 0.5));
}

void drawMeeting(QPainter& p)
{
    p.setPen(kOutline);
    p.setBrush(QColor(80, 140, 220));
    p.drawEllipse(QRectF(1.5, 2.5, 5, 5));
    p.drawPie(QRectF(0.5, 8.5, 7, 9), 0, 180 * 16);
    p.setBrush(QColor(90, 180, 90));
    p.drawEllipse(QRectF(9.5, 2.5, 5, 5));
    p.drawPie(QRectF(8.5, 8.5, 7, 9), 0, 180 * 16);
}

void drawAnniversary(QPainter& p)
{
    p.setPen(kOutline);
    p.setBrush(QColor(220, 50, 50));
    p.drawRect(QRectF(2.5, 6.5, 11, 8));
    p.setBrush(QColor(240, 200, 40));
    p.drawRect(QRectF(7, 6.5, 2, 8));
    p.drawRect(QRectF(2.5, 9.5, 11, 2));
    // The bow.
    p.drawEllipse(QRectF(4.5, 2.5, 4, 4));
    p.drawEllipse(QRectF(7.5, 2.5, 4, 4));
}

void drawPhoneCall(QPainter& p)
{
    p.setPen(kOutline);
    p.setBrush(QColor(60, 60, 70));
    // The handset lying on the set.
    QPainterPath handset;
    handset.moveTo(1.5, 6.5);
    handset.cubicTo(3, 1.5, 13, 1.5, 14.5, 6.5);
    handset.lineTo(11.5, 7.5);
    handset.lineTo(10.5, 5.5);
    handset.cubicTo(9, 4.5, 7, 4.5, 5.5, 5.5);
    handset.lineTo(4.5, 7.5);
    handset.closeSubpath();
    p.drawPath(handset);
    QPainterPath body;
    body.moveTo(4.5, 7.5);
    body.lineTo(11.5, 7.5);
    body.lineTo(14.5, 14.5);
    body.lineTo(1.5, 14.5);
    body.closeSubpath();
    p.drawPath(body);
    p.setBrush(QColor(230, 230, 230));
    p.drawEllipse(QRectF(6, 9.5, 4, 4));
}

void drawOnOff(QPainter& p)
{
    QPen pen(QColor(30, 140, 60), 2, Qt::SolidLine, Qt::RoundCap);
    p.setPen(pen);
    p.drawArc(QRectF(2.5, 3, 11, 11), 120 * 16, 300 * 16);
    p.drawLine(QPointF(8, 1.5), QPointF(8, 8));
}

void drawDelete(QPainter& p)
{
    QPen pen(QColor(200, 30, 30), 3, Qt::SolidLine, Qt::RoundCap);
    p.setPen(pen);
    p.drawLine(QPointF(3.5, 3.5), QPointF(12.5, 12.5));
    p.drawLine(QPointF(12.5, 3.5), QPointF(3.5, 12.5));
}

void drawSave(QPainter& p)
{
    p.setPen(kOutline);
    p.setBrush(QColor(50, 90, 170));
    p.drawRect(QRectF(1.5, 1.5, 13, 13));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(3.5, 1.5, 9, 6));
    p.setBrush(QColor(180, 180, 190));
    p.drawRect(QRectF(4.5, 10.5, 7, 4));
    p.setBrush(QColor(50, 90, 170));
    p.drawRect(QRectF(9.5, 2.5, 2, 4));
}

void drawNew(QPainter& p)
{
    p.setPen(kOutline);
    p.setBrush(Qt::white);
    QPainterPath page;
    page.moveTo(3.5, 1.5);
    page.lineTo(9.5, 1.5);
    page.lineTo(12.5, 4.5);
    page.lineTo(12.5, 14.5);
    page.lineTo(3.5, 14.5);
    page.closeSubpath();
    p.drawPath(page);
    p.drawLine(QPointF(9.5, 1.5), QPointF(9.5, 4.5));
    p.drawLine(QPointF(9.5, 4.5), QPointF(12.5, 4.5));
    p.setBrush(QColor(250, 200, 0));
    p.setPen(QColor(200, 140, 0));
    p.drawEllipse(QRectF(0.5, 0.5, 5, 5));
}

void drawHelp(QPainter& p)
{
    p.setPen(kOutline);
    p.setBrush(QColor(40, 110, 210));
    p.drawEllipse(QRectF(0.5, 0.5, 15, 15));
    QPen mark(Qt::white, 2, Qt::SolidLine, Qt::RoundCap);
    p.setPen(mark);
    p.setBrush(Qt::NoBrush);
    QPainterPath question;
    question.moveTo(5.5, 6);
    question.cubicTo(5.5, 2.5, 10.5, 2.5, 10.5, 5.5);
    question.cubicTo(10.5, 7.5, 8, 7.5, 8, 9.5);
    p.drawPath(question);
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    p.drawEllipse(QRectF(6.8, 11, 2.4, 2.4));
}

void arrowHead(QPainter& p, QPointF tip, QPointF back, QPointF side)
{
    p.drawPolygon(QPolygonF({tip, back + side, back - side}));
}

void drawSerie(QPainter& p)
{
    const QColor green(30, 140, 60);
    p.setPen(QPen(green, 2, Qt::SolidLine, Qt::FlatCap));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(2.5, 2.5, 11, 11), 30 * 16, 150 * 16);
    p.drawArc(QRectF(2.5, 2.5, 11, 11), 210 * 16, 150 * 16);
    p.setPen(Qt::NoPen);
    p.setBrush(green);
    arrowHead(p, QPointF(2.2, 11.5), QPointF(2.2, 7.5), QPointF(2.5, 0));
    arrowHead(p, QPointF(13.8, 4.5), QPointF(13.8, 8.5), QPointF(2.5, 0));
}

void drawCalendar(QPainter& p)
{
    p.setPen(kOutline);
    p.setBrush(Qt::white);
    p.drawRect(QRectF(1.5, 2.5, 13, 12));
    p.setBrush(QColor(200, 40, 40));
    p.drawRect(QRectF(1.5, 2.5, 13, 3));
    p.setPen(QColor(110, 110, 110));
    for (int x = 4; x <= 12; x += 3)
        for (int y = 8; y <= 13; y += 2)
            p.drawPoint(QPointF(x + 0.5, y + 0.5));
    p.setPen(kOutline);
    p.drawLine(QPointF(4.5, 1), QPointF(4.5, 4));
    p.drawLine(QPointF(11.5, 1), QPointF(11.5, 4));
}

void drawAlarm(QPainter& p)
{
    p.setPen(kOutline);
    p.setBrush(QColor(210, 170, 40));
    p.drawEllipse(QRectF(0.5, 0.5, 5, 5));
    p.drawEllipse(QRectF(10.5, 0.5, 5, 5));
    p.setBrush(Qt::white);
    p.drawEllipse(QRectF(2.5, 2.5, 11, 11));
    p.drawLine(QPointF(8, 8), QPointF(8, 4.5));
    p.drawLine(QPointF(8, 8), QPointF(10.5, 9.5));
    p.drawLine(QPointF(4.5, 13), QPointF(3, 15));
    p.drawLine(QPointF(11.5, 13), QPointF(13, 15));
}

} // namespace

QImage DrawEntryPicture(EntryPicture which)
{
    QImage image(EntryPictureSize, EntryPictureSize, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    switch (which) {
    case EntryPicture::Memo: drawMemo(p); break;
    case EntryPicture::Meeting: drawMeeting(p); break;
    case EntryPicture::Anniversary: drawAnniversary(p); break;
    case EntryPicture::PhoneCall: drawPhoneCall(p); break;
    case EntryPicture::OnOff: drawOnOff(p); break;
    case EntryPicture::Delete: drawDelete(p); break;
    case EntryPicture::Save: drawSave(p); break;
    case EntryPicture::New: drawNew(p); break;
    case EntryPicture::Help: drawHelp(p); break;
    case EntryPicture::Serie: drawSerie(p); break;
    case EntryPicture::Calendar: drawCalendar(p); break;
    case EntryPicture::Alarm: drawAlarm(p); break;
    }
    return image;
}

QImage EntryToolStrip()
{
    QImage strip(EntryPictureSize * EntryStripCells, EntryPictureSize, QImage::Format_ARGB32_Premultiplied);
    strip.fill(Qt::transparent);
    QPainter p(&strip);
    for (int i = 0; i < EntryPictureCount; ++i)
        p.drawImage(i * EntryPictureSize, 0, DrawEntryPicture(EntryPicture(i)));
    return strip;
}

} // namespace tessaro
