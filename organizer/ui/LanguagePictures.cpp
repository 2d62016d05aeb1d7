#include "organizer/ui/LanguagePictures.h"

#include <QPainter>

namespace tessaro {

namespace {

constexpr int kWidth = 32;
constexpr int kHeight = 20;

} // namespace

QPixmap EnglishPicture()
{
    QPixmap picture(kWidth, kHeight);
    picture.fill(Qt::white);
    QPainter p(&picture);
    const QColor red(0xc8, 0x10, 0x2e);
    p.fillRect(kWidth / 2 - 2, 0, 4, kHeight, red);
    p.fillRect(0, kHeight / 2 - 2, kWidth, 4, red);
    p.setPen(Qt::gray);
    p.drawRect(0, 0, kWidth - 1, kHeight - 1);
    return picture;
}

QPixmap GermanPicture()
{
    QPixmap picture(kWidth, kHeight);
    QPainter p(&picture);
    const int band = kHeight / 3;
    p.fillRect(0, 0, kWidth, band, Qt::black);
    p.fillRect(0, band, kWidth, band, QColor(0xdd, 0x00, 0x00));
    p.fillRect(0, 2 * band, kWidth, kHeight - 2 * band, QColor(0xff, 0xce, 0x00));
    return picture;
}

} // namespace tessaro
