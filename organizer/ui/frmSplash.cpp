#include "organizer/ui/frmSplash.h"

#include "organizer/link/TessaroStrings.h"
#include "organizer/mainwindow/Pictures.h"

#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPixmap>
#include <QScreen>
#include <QVBoxLayout>

namespace tessaro {

frmSplash::frmSplash(QWidget* parent) : QWidget(parent, Qt::SplashScreen | Qt::WindowStaysOnTopHint)
{
    setObjectName(QStringLiteral("frmSplash"));
    auto* picture = new QLabel(this);
    picture->setPixmap(QPixmap::fromImage(LoadResPicture(QStringLiteral("1Tessaro")).image()).scaled(64, 64));
    auto* title = new QLabel(LangText(TxtAppCaption), this);
    QFont big = title->font();
    big.setPointSizeF(big.pointSizeF() * 1.6);
    big.setBold(true);
    title->setFont(big);
    auto* version = new QLabel(QStringLiteral("Tessaro " TORVANE_VERSION), this);
    version->setObjectName(QStringLiteral("lblVersion"));
    auto* texts = new QVBoxLayout;
    texts->addWidget(title);
    texts->addWidget(version);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(24, 24, 24, 24);
    layout->setSpacing(16);
    layout->addWidget(picture);
    layout->addLayout(texts);
    setAutoFillBackground(true);
    adjustSize();
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->geometry().center() - rect().center());
}

} // namespace tessaro
