#include "organizer/ui/WindowDesign.h"

#include "platform/ui/controls/Twips.h"

#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <QWidget>

namespace tessaro {

using torvane::controls::twipsToPixels;

QLabel* addCentredLabel(QWidget* window, const QString& name, const QString& text, double top, double height,
                        int points, bool bold)
{
    auto* label = new QLabel(text, window);
    label->setObjectName(name);
    QFont font(QStringLiteral("Arial"));
    font.setPointSize(points);
    font.setBold(bold);
    label->setFont(font);
    label->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    label->setWordWrap(true);
    label->setGeometry(0, twipsToPixels(top), window->width(), twipsToPixels(height));
    return label;
}

void placeCentredOnScreen(QWidget* window, double width, double height)
{
    window->setFixedSize(twipsToPixels(width), twipsToPixels(height));
    QScreen* screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
    const QRect area = screen->geometry();
    window->move(area.left() + (area.width() - window->width()) / 2, area.top() + (area.height() - window->height()) / 2);
}

} // namespace tessaro
