#include "mainprog/ui/CCorvantView.h"

#include "engine/zeldll.h"
#include "mainprog/core/CorvantStrings.h"
#include "mainprog/core/LauncherLayout.h"
#include "mainprog/ui/CorvantArt.h"
#include "platform/messaging/qt/MessageWindow.h"
#include "platform/messaging/qt/WindowTimers.h"

#include <QMouseEvent>
#include <QPainter>
#include <QSystemTrayIcon>

namespace corvant {

namespace {

// The notification area takes tips of at most 63 characters.
constexpr int kTipMax = 63;

// Commands after whose modal dialog the view is painted anew.
bool repaintsAfter(int command)
{
    return command == ID_CALL_FORWARDING || command == ID_BARRING || command == ID_CONFIGURATION;
}

} // namespace

CCorvantView::CCorvantView(EngineApi& engine, RunCommand runCommand, QWidget* parent)
    : QWidget(parent)
    , engine_(engine)
    , runCommand_(std::move(runCommand))
    , normal_(launcherPicture(false))
    , pressedPicture_(launcherPicture(true))
{
    setObjectName(QStringLiteral("CCorvantView"));
    setFixedSize(VIEW_WIDTH, VIEW_HEIGHT);
    setAttribute(Qt::WA_OpaquePaintEvent);
    window_ = new messaging::MessageWindow(
        [this](UINT message, WPARAM wParam, LPARAM lParam) { return handleMessage(message, wParam, lParam); }, this);
}

CCorvantView::~CCorvantView()
{
    if (slot_ >= 0 && engine_.ATStatusDeReg(slot_) != 0)
        engine_.Fehler_Melden(ERROR_CLASS_EXCEPTIONAL, IDS_ZEL_DEREGISTRATION);
    KillTimer(hwnd(), BLINK_TIMER_ID);
    delete trayIcon_;
}

HWND CCorvantView::hwnd() const
{
    return window_->hwnd();
}

void CCorvantView::OnInitialUpdate()
{
    if (QSystemTrayIcon::isSystemTrayAvailable()) {
        trayIcon_ = new QSystemTrayIcon();
        trayIcon_->setObjectName(QStringLiteral("trayIcon138"));
    }
    showLook(TrayIndicator::initialLook());
    if (trayIcon_ != nullptr)
        trayIcon_->show();
    slot_ = engine_.ATStatusReg(hwnd(), WM_PHONE_STATE);
    if (slot_ < 0)
        engine_.Fehler_Melden(ERROR_CLASS_EXCEPTIONAL, IDS_ZEL_REGISTRATION);
}

QString CCorvantView::trayTip() const
{
    return QString::fromLatin1(corvantString(look_.tip)).left(kTipMax);
}

void CCorvantView::showLook(const TrayLook& look)
{
    look_ = look;
    const QIcon icon = corvantIcon(look.icon);
    if (trayIcon_ != nullptr) {
        trayIcon_->setIcon(icon);
        trayIcon_->setToolTip(trayTip());
        return;
    }
    if (QWidget* frame = window(); frame != this)
        frame->setWindowIcon(icon);
    setToolTip(trayTip());
}

LRESULT CCorvantView::handleMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_PHONE_STATE)
        OnPhoneState(int(lParam));
    else if (message == WM_TIMER && wParam == BLINK_TIMER_ID)
        showLook(tray_.onBlinkTick());
    return 0;
}

void CCorvantView::OnPhoneState(int phoneState)
{
    const TrayChange change = tray_.onPhoneState(phoneState);
    if (change.startBlink)
        SetTimer(hwnd(), BLINK_TIMER_ID, BLINK_PERIOD_MS);
    if (change.stopBlink)
        KillTimer(hwnd(), BLINK_TIMER_ID);
    if (change.look)
        showLook(*change.look);
}

void CCorvantView::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.drawImage(0, 0, normal_);
    if (pressed_ >= 0) {
        const ButtonRect& r = kButtonRects[pressed_];
        const QRect rect(r.left, r.top, r.right - r.left, r.bottom - r.top);
        p.drawImage(rect.topLeft(), pressedPicture_, rect);
    }
}

void CCorvantView::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return;
    const QPoint at = event->position().toPoint();
    const int hit = hitButton(at.x(), at.y());
    if (hit < 0)
        return;
    pressed_ = hit;
    repaint();
    const int command = kButtonCommands[hit];
    if (runCommand_)
        runCommand_(command);
    if (repaintsAfter(command)) {
        pressed_ = -1;
        update();
    }
}

void CCorvantView::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return;
    pressed_ = -1;
    update();
}

} // namespace corvant
