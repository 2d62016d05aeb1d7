#include "organizer/ui/frmSplash.h"

#include "organizer/ui/TessaroIcon.h"
#include "organizer/ui/WindowDesign.h"

#include "organizer/link/Settings.h"
#include "organizer/link/TessaroStrings.h"

#include "platform/ui/controls/Twips.h"

#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPointer>

namespace tessaro {

namespace {

constexpr int TxtDescription = 173;

// The window's design in twips.
constexpr double kWidth = 7200;
constexpr double kHeight = 4200;
constexpr double kPictureSize = 720;
constexpr double kPictureTop = 360;
constexpr double kWarningHeight = 600;
// The notice ends at this share of the window's height.
constexpr double kWarningBottom = 0.95;

QPointer<frmSplash>& shownSplash()
{
    static QPointer<frmSplash> splash;
    return splash;
}

} // namespace

frmSplash::frmSplash(const ProgramVersion& version)
    : QWidget(nullptr, Qt::SplashScreen | Qt::FramelessWindowHint)
{
    using torvane::controls::twipsRect;
    setObjectName(QStringLiteral("frmSplash"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(LangText(TxtAppCaption));
    setWindowIcon(TessaroIcon());
    setFocusPolicy(Qt::StrongFocus);
    placeCentredOnScreen(this, kWidth, kHeight);

    ImageAppointment = new QLabel(this);
    ImageAppointment->setObjectName(QStringLiteral("ImageAppointment"));
    ImageAppointment->setScaledContents(true);
    ImageAppointment->setPixmap(QPixmap::fromImage(TessaroIconImage(48)));
    ImageAppointment->setGeometry(twipsRect(0, kPictureTop, kPictureSize, kPictureSize));
    ImageAppointment->move((width() - ImageAppointment->width()) / 2, ImageAppointment->y());

    lblProductName = addCentredLabel(this, QStringLiteral("lblProductName"), LangText(TxtAppCaption), 1260, 540, 18, true);
    lblProduct = addCentredLabel(this, QStringLiteral("lblProduct"), LangText(TxtDescription), 1860, 330, 10);
    lblVersion = addCentredLabel(this, QStringLiteral("lblVersion"), QStringLiteral("Version ") + VersionText(version),
                                 2250, 270, 8);
    lblWarning = addCentredLabel(this, QStringLiteral("lblWarning"), RightsNotice,
                                 kWarningBottom * kHeight - kWarningHeight, kWarningHeight, 7);
    lblWarning->setContentsMargins(18, 0, 18, 0);
}

void frmSplash::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Shift:
    case Qt::Key_Control:
    case Qt::Key_Alt:
    case Qt::Key_Meta:
    case Qt::Key_AltGr:
        QWidget::keyPressEvent(event);
        return;
    default:
        event->accept();
        close();
    }
}

void frmSplash::paintEvent(QPaintEvent*)
{
    // Without a window frame the splash draws its own raised border.
    QPainter painter(this);
    const QRect r = rect().adjusted(0, 0, -1, -1);
    painter.setPen(palette().color(QPalette::Light));
    painter.drawLine(r.topLeft(), r.topRight());
    painter.drawLine(r.topLeft(), r.bottomLeft());
    painter.setPen(palette().color(QPalette::Dark));
    painter.drawLine(r.bottomLeft(), r.bottomRight());
    painter.drawLine(r.topRight(), r.bottomRight());
}

frmSplash* ShowSplash(const ProgramVersion& version)
{
    QPointer<frmSplash>& splash = shownSplash();
    // A splash closed a moment ago is still waiting to be deleted; it is not shown again.
    if (!splash || !splash->isVisible())
        splash = new frmSplash(version);
    splash->show();
    splash->raise();
    splash->activateWindow();
    splash->setFocus(Qt::OtherFocusReason);
    return splash;
}

void UnloadSplash()
{
    if (frmSplash* splash = shownSplash())
        splash->close();
}

frmSplash* LoadedSplash()
{
    frmSplash* splash = shownSplash();
    return splash && splash->isVisible() ? splash : nullptr;
}

} // namespace tessaro
