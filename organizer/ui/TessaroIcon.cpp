#include "organizer/ui/TessaroIcon.h"

#include "organizer/entryeditor/MobileEntryForm.h"

#include <QPainter>
#include <QPainterPath>

namespace tessaro {

QImage TessaroIconImage(int size)
{
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / 32.0, size / 32.0);
    const QColor outline(40, 40, 40);

    // The calendar sheet with its rings and a red head.
    p.setPen(QPen(outline, 1));
    p.setBrush(Qt::white);
    p.drawRoundedRect(QRectF(1.5, 4.5, 24, 24), 2, 2);
    p.setBrush(QColor(200, 40, 40));
    p.drawRect(QRectF(1.5, 4.5, 24, 6));
    p.setPen(QColor(130, 130, 130));
    for (int row = 0; row < 3; ++row)
        for (int col = 0; col < 4; ++col)
            p.drawRect(QRectF(4.5 + col * 5, 13.5 + row * 4.5, 2, 2));
    p.setPen(QPen(outline, 2, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(7, 2), QPointF(7, 7));
    p.drawLine(QPointF(20, 2), QPointF(20, 7));

    // The phone before it, lower right.
    p.setPen(QPen(outline, 1));
    p.setBrush(QColor(45, 80, 150));
    p.drawRoundedRect(QRectF(18.5, 11.5, 12, 19), 2.5, 2.5);
    p.setBrush(QColor(190, 225, 240));
    p.drawRect(QRectF(20.5, 14.5, 8, 6));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(230, 230, 230));
    for (int row = 0; row < 2; ++row)
        for (int col = 0; col < 3; ++col)
            p.drawEllipse(QRectF(20.5 + col * 3, 23 + row * 3, 2, 2));
    p.setPen(QPen(outline, 1.5, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(27.5, 11.5), QPointF(27.5, 8));
    return image;
}

QIcon TessaroIcon()
{
    QIcon icon;
    for (int size : {16, 32, 48})
        icon.addPixmap(QPixmap::fromImage(TessaroIconImage(size)));
    return icon;
}

QIcon IconByName(const QString& resourceName)
{
    return resourceName == TessaroIconName ? TessaroIcon() : QIcon();
}

} // namespace tessaro
