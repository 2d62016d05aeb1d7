#include "mainprog/ui/CorvantArt.h"

#include "mainprog/core/LauncherLayout.h"
#include "mainprog/core/TrayIndicator.h"

#include <QFont>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

#include <array>

namespace corvant {

namespace {

const std::array<const char*, LAUNCHER_BUTTONS> kButtonLabels {
    "Appointments", "Phone Directory", "Ring Tone Editor", "Call Forwarding", "Barring", "Configuration", "Help",
};

// One colour per button, for the mark at its left end.
const std::array<QColor, LAUNCHER_BUTTONS> kButtonMarks {
    QColor(0xd0, 0x5a, 0x2c), QColor(0x2c, 0x7f, 0xd0), QColor(0x9b, 0x3c, 0xc8), QColor(0x2c, 0xa8, 0x6a),
    QColor(0xc8, 0x3c, 0x4a), QColor(0x6a, 0x74, 0x80), QColor(0xd0, 0xa0, 0x2c),
};

const QColor kInk(0x1c, 0x2a, 0x33);

void drawBackground(QPainter& p)
{
    QLinearGradient sky(0, 0, 0, VIEW_HEIGHT);
    sky.setColorAt(0, QColor(0x1f, 0x4e, 0x63));
    sky.setColorAt(1, QColor(0x6f, 0xa3, 0xb5));
    p.fillRect(0, 0, VIEW_WIDTH, VIEW_HEIGHT, sky);

    QFont title = p.font();
    title.setPixelSize(22);
    title.setBold(true);
    p.setFont(title);
    p.setPen(Qt::white);
    p.drawText(QRect(10, 6, VIEW_WIDTH - 20, 34), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("Quorvane 3.0"));
}

void drawPhone(QPainter& p)
{
    p.setRenderHint(QPainter::Antialiasing, true);
    const QRectF body(215, 70, 120, 215);
    p.setPen(QPen(QColor(0x10, 0x1c, 0x22), 2));
    p.setBrush(QColor(0x33, 0x3d, 0x44));
    p.drawRoundedRect(body, 18, 18);
    p.setBrush(QColor(0x33, 0x3d, 0x44));
    p.drawRoundedRect(QRectF(300, 48, 10, 26), 4, 4); // antenna

    p.setPen(QPen(QColor(0x10, 0x1c, 0x22), 1));
    p.setBrush(QColor(0xb9, 0xe3, 0xa8));
    const QRectF screen(232, 92, 86, 62);
    p.drawRoundedRect(screen, 4, 4);
    p.setPen(QColor(0x2d, 0x4a, 0x26));
    QFont small = p.font();
    small.setPixelSize(10);
    small.setBold(true);
    p.setFont(small);
    p.drawText(screen.adjusted(4, 2, -4, -2), Qt::AlignLeft | Qt::AlignTop, QStringLiteral("TORVANE"));
    for (int bar = 0; bar < 4; ++bar)
        p.fillRect(QRectF(300 + bar * 4, 146 - bar * 3, 3, 4 + bar * 3), QColor(0x2d, 0x4a, 0x26));

    p.setPen(Qt::NoPen);
    for (int row = 0; row < 4; ++row) {
        for (int col = 0; col < 3; ++col) {
            p.setBrush(QColor(0xd7, 0xdc, 0xdf));
            p.drawRoundedRect(QRectF(238 + col * 27, 172 + row * 24, 20, 14), 5, 5);
        }
    }
    p.setRenderHint(QPainter::Antialiasing, false);
}

void drawButton(QPainter& p, int index, bool pressed)
{
    const ButtonRect& r = kButtonRects[index];
    // Each button fills its rectangle less a pixel all round, so borders stay background.
    const QRect face(r.left + 1, r.top + 1, r.right - r.left - 1, r.bottom - r.top - 1);
    QLinearGradient shade(face.topLeft(), face.bottomLeft());
    shade.setColorAt(0, pressed ? QColor(0xb4, 0xbe, 0xc4) : QColor(0xfb, 0xfc, 0xfd));
    shade.setColorAt(1, pressed ? QColor(0xcf, 0xd6, 0xda) : QColor(0xd9, 0xe0, 0xe4));
    p.fillRect(face, shade);

    // Raised: light above and left, dark below and right; pressed the other way round.
    const QColor light(0xff, 0xff, 0xff);
    const QColor dark(0x4a, 0x58, 0x60);
    p.setPen(pressed ? dark : light);
    p.drawLine(face.topLeft(), face.topRight());
    p.drawLine(face.topLeft(), face.bottomLeft());
    p.setPen(pressed ? light : dark);
    p.drawLine(face.bottomLeft(), face.bottomRight());
    p.drawLine(face.topRight(), face.bottomRight());

    const int shift = pressed ? 1 : 0;
    p.fillRect(QRect(face.left() + 6 + shift, face.top() + 9 + shift, 10, face.height() - 18), kButtonMarks[index]);
    QFont label = p.font();
    label.setPixelSize(12);
    label.setBold(false);
    p.setFont(label);
    p.setPen(kInk);
    p.drawText(face.adjusted(22 + shift, shift, -2, shift), Qt::AlignLeft | Qt::AlignVCenter,
               QString::fromLatin1(kButtonLabels[index]));
}

QPixmap phoneGlyph(int size, const QColor& body, const QColor& screen, bool hollow, bool crossed)
{
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing, true);
    const qreal s = size / 16.0;
    const QRectF shell(4 * s, 1.5 * s, 8 * s, 13 * s);
    p.setPen(QPen(QColor(0x10, 0x18, 0x1c), std::max(1.0, s)));
    p.setBrush(hollow ? QBrush(Qt::NoBrush) : QBrush(body));
    p.drawRoundedRect(shell, 1.6 * s, 1.6 * s);
    p.setPen(Qt::NoPen);
    p.setBrush(screen);
    p.drawRect(QRectF(5.5 * s, 3.5 * s, 5 * s, 4 * s));
    if (crossed) {
        p.setPen(QPen(QColor(0xd0, 0x1c, 0x1c), 2 * s, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(2 * s, 2 * s), QPointF(14 * s, 14 * s));
        p.drawLine(QPointF(14 * s, 2 * s), QPointF(2 * s, 14 * s));
    }
    p.end();
    return pixmap;
}

QIcon phoneIcon(const QColor& body, const QColor& screen, bool hollow = false, bool crossed = false)
{
    QIcon icon;
    for (int size : {16, 32})
        icon.addPixmap(phoneGlyph(size, body, screen, hollow, crossed));
    return icon;
}

QIcon settingsIcon()
{
    QIcon icon;
    for (int size : {16, 32}) {
        QPixmap pixmap(size, size);
        pixmap.fill(Qt::transparent);
        QPainter p(&pixmap);
        p.setRenderHint(QPainter::Antialiasing, true);
        const qreal s = size / 16.0;
        p.setPen(QPen(QColor(0x30, 0x3a, 0x40), 2 * s, Qt::SolidLine, Qt::RoundCap));
        for (int i = 0; i < 3; ++i) {
            const qreal y = (4 + 4 * i) * s;
            p.drawLine(QPointF(2 * s, y), QPointF(14 * s, y));
        }
        p.setPen(QPen(QColor(0x10, 0x18, 0x1c), s));
        p.setBrush(QColor(0x2c, 0x7f, 0xd0));
        for (int i = 0; i < 3; ++i)
            p.drawEllipse(QPointF((5 + 3 * i) * s, (4 + 4 * i) * s), 1.8 * s, 1.8 * s);
        p.end();
        icon.addPixmap(pixmap);
    }
    return icon;
}

} // namespace

QImage launcherPicture(bool pressed)
{
    QImage image(VIEW_WIDTH, VIEW_HEIGHT, QImage::Format_RGB32);
    QPainter p(&image);
    drawBackground(p);
    drawPhone(p);
    for (int i = 0; i < LAUNCHER_BUTTONS; ++i)
        drawButton(p, i, pressed);
    return image;
}

QIcon corvantIcon(int id)
{
    const QColor dark(0x2b, 0x33, 0x38);
    switch (id) {
    case IDI_MAINFRAME: return phoneIcon(QColor(0x2c, 0x7f, 0xd0), QColor(0xe8, 0xf4, 0xff));
    case IDI_READY: return phoneIcon(dark, QColor(0x3c, 0xd0, 0x5a));
    case IDI_NOT_READY: return phoneIcon(dark, QColor(0xf0, 0xb0, 0x20));
    case IDI_BLINK: return phoneIcon(dark, QColor(0xe0, 0xe4, 0xe6), true);
    case IDI_NOT_CONNECTED: return phoneIcon(QColor(0x8a, 0x92, 0x96), QColor(0x5a, 0x62, 0x66), false, true);
    case IDI_SETTINGS: return settingsIcon();
    default: return {};
    }
}

} // namespace corvant
