#include "mainprog/ui/CDebugDlg.h"

#include "engine/zeldll.h"
#include "mainprog/core/CorvantStrings.h"
#include "mainprog/core/ErrorReport.h"
#include "mainprog/core/RegisteredMessage.h"
#include "mainprog/core/SuiteSettings.h"
#include "mainprog/ui/CErrorDlg.h"
#include "mainprog/ui/CPinDlg.h"
#include "mainprog/ui/CorvantArt.h"
#include "platform/messaging/Messaging.h"
#include "platform/messaging/qt/WidgetWindow.h"
#include "platform/messaging/qt/WindowTimers.h"
#include "platform/ui/controlids/ControlIds.h"
#include "platform/ui/msgservice/MessageService.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

#include <cstring>

namespace corvant {

using torvane::ui::ControlKind;
using torvane::ui::nameControl;

namespace {

constexpr int kSendTextMax = 80;
constexpr char kAppName[] = "Quorvane PRO";

QLineEdit* field(QWidget* parent, int id, bool readOnly = true)
{
    auto* edit = nameControl(new QLineEdit(parent), ControlKind::Edit, id);
    edit->setReadOnly(readOnly);
    return edit;
}

QPushButton* button(QWidget* parent, int id, const QString& text)
{
    auto* b = nameControl(new QPushButton(text, parent), ControlKind::Button, id);
    b->setAutoDefault(false);
    return b;
}

} // namespace

CDebugDlg::CDebugDlg(EngineApi& engine, std::unique_ptr<HostPort> port, torvane::registry::AppProfile& profile,
                     HostTimers timers)
    : QDialog(nullptr)
    , engine_(engine)
    , port_(std::move(port))
    , profile_(profile)
    , statusAnswer_(engine, *this)
{
    setObjectName(QStringLiteral("CDebugDlg"));
    setWindowTitle(QStringLiteral("Mobile phone connection"));
    setWindowIcon(corvantIcon(IDI_MAINFRAME));

    messageNumber_ = field(this, 1001);
    sendText_ = field(this, 1009, false);
    sendText_->setMaxLength(kSendTextMax);
    portName_ = field(this, 1010);
    phoneStatus_ = field(this, 1015);
    trace_ = nameControl(new QCheckBox(QStringLiteral("Log"), this), ControlKind::Check, 1016);
    openError_ = field(this, 1017);
    writeErrors_ = field(this, 1018);
    readErrors_ = field(this, 1019);
    modem_ = field(this, 1020);
    handle_ = field(this, 1021);
    polling_ = nameControl(new QCheckBox(QStringLiteral("Status Chk."), this), ControlKind::Check, 1022);
    polling_->setChecked(true);
    traceList_ = new QListWidget(this);
    nameControl(traceList_, ControlKind::List, 1000);

    auto* send = button(this, 1006, QStringLiteral("Send"));
    auto* open = button(this, 1007, QStringLiteral("Open"));
    auto* close = button(this, 1008, QStringLiteral("Close"));
    auto* statusCheck = button(this, 1014, QStringLiteral("StatusCheck"));
    auto* hide = button(this, 1, QStringLiteral("&Close"));
    connect(send, &QPushButton::clicked, this, &CDebugDlg::OnSend);
    connect(open, &QPushButton::clicked, this, &CDebugDlg::OnOpen);
    connect(close, &QPushButton::clicked, this, &CDebugDlg::OnClose);
    connect(statusCheck, &QPushButton::clicked, this, &CDebugDlg::OnStatusCheck);
    connect(hide, &QPushButton::clicked, this, &QDialog::hide);
    connect(trace_, &QCheckBox::toggled, this, [this](bool on) { host_->setTracing(on); });

    auto* grid = new QGridLayout(this);
    const auto labelled = [&](int row, int column, const char* text, QWidget* w) {
        grid->addWidget(new QLabel(QLatin1String(text), this), row, column);
        grid->addWidget(w, row, column + 1);
    };
    labelled(0, 0, "Msg-No:", messageNumber_);
    labelled(0, 2, "Port:", portName_);
    labelled(1, 0, "Text:", sendText_);
    grid->addWidget(send, 1, 2);
    grid->addWidget(statusCheck, 1, 3);
    labelled(2, 0, "int. Status", phoneStatus_);
    labelled(2, 2, "CreateFile", openError_);
    labelled(3, 0, "WriteFile", writeErrors_);
    labelled(3, 2, "Read", readErrors_);
    labelled(4, 0, "Modem", modem_);
    labelled(4, 2, "Handle", handle_);
    grid->addWidget(trace_, 5, 0);
    grid->addWidget(polling_, 5, 1);
    grid->addWidget(open, 5, 2);
    grid->addWidget(close, 5, 3);
    grid->addWidget(traceList_, 6, 0, 1, 4);
    grid->addWidget(hide, 7, 3);

    window_ = new messaging::WidgetWindow(
        this, [this](UINT message, WPARAM wParam, LPARAM lParam) { return handleMessage(message, wParam, lParam); });

    host_ = std::make_unique<PortHost>(engine_, *port_, [this] {
        const std::string name = configuredPort(profile_);
        portName_->setText(QString::fromLatin1(name.c_str()));
        return name;
    });
    host_->setTraceSink([this](const std::string& text) { appendTrace(text); });
    const HWND self = window_->hwnd();
    host_->reader().setDeliver([self] { SendMessage(self, WM_LINE_RECEIVED, 1, 1); });
    // The reader thread changes the diagnostics too; the widgets follow on this thread.
    host_->display().changed = [this] {
        QMetaObject::invokeMethod(this, &CDebugDlg::refreshDiagnostics, Qt::QueuedConnection);
    };

    // What OnInitDialog does.
    messageNumber_->setText(QString::number(registerWindowMessage(ZEL_REGISTER_MESSAGE)));
    portName_->setText(QString::fromLatin1(configuredPort(profile_).c_str()));
    engine_.ZelDllInit(self);
    SetTimer(self, PUMP_TIMER, timers.pumpMs);
    SetTimer(self, POLL_TIMER, timers.pollMs);
    refreshDiagnostics();
}

CDebugDlg::~CDebugDlg()
{
    closing_ = true;
    const HWND self = hwnd();
    KillTimer(self, PUMP_TIMER);
    KillTimer(self, POLL_TIMER);
    // A line being handed over waits for this thread: keep handling messages until the reader
    // has ended (the handler drops what comes now).
    host_->reader().stop([] { messaging::dispatchMessages(10); });
    host_->display().changed = nullptr;
    host_->ClosePort();
}

HWND CDebugDlg::hwnd() const
{
    return window_ != nullptr ? window_->hwnd() : 0;
}

void CDebugDlg::setTracing(bool on)
{
    trace_->setChecked(on);
    host_->setTracing(on);
}

LRESULT CDebugDlg::handleMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (closing_)
        return 0;
    SmsManagerHooks* sms = smsManager_ ? smsManager_() : nullptr;
    switch (message) {
    case WM_LINE_RECEIVED:
        host_->OnLineReceived();
        break;
    case WM_ENGINE_KICK:
        host_->OnEngineKick();
        break;
    case WM_STATUS_CHECK_DONE:
        // The SMS manager first: the PIN dialog below may keep this handler for a long time.
        if (sms != nullptr)
            sms->OnPhoneStatus(int(wParam), int(lParam));
        statusAnswer_.OnStatusCheckDone(int(wParam), int(lParam));
        break;
    case WM_ENGINE_ERROR:
        OnEngineError(int(wParam), int(lParam));
        break;
    case WM_SMS_SEND_DONE:
        if (sms != nullptr)
            sms->OnPartSent(int(lParam));
        break;
    case WM_SMS_READ_DONE:
        if (sms != nullptr)
            sms->OnMessageRead(int(lParam));
        break;
    case WM_SMS_DELETE_DONE:
        if (sms != nullptr)
            sms->OnMessageDeleted(int(lParam));
        break;
    case WM_TIMER:
        OnTimer(wParam);
        break;
    default:
        break;
    }
    return 0;
}

void CDebugDlg::OnTimer(UINT_PTR id)
{
    if (id == PUMP_TIMER) {
        host_->CycleEngine(nullptr);
        return;
    }
    if (id != POLL_TIMER)
        return;
    if (polling_->isChecked())
        engine_.ATStatusCheck(hwnd(), WM_STATUS_CHECK_DONE);
    if (SmsManagerHooks* sms = smsManager_ ? smsManager_() : nullptr) {
        if (sms->receivePollArmed())
            sms->RequestRead();
        if (sms->sendPollArmed())
            sms->ScanOutbox();
    }
}

void CDebugDlg::OnSend()
{
    char text[kSendTextMax + 2] = {};
    const QByteArray typed = sendText_->text().toLatin1().left(kSendTextMax);
    std::memcpy(text, typed.constData(), std::size_t(typed.size()));
    text[typed.size()] = '\r';
    host_->WritePort(text);
}

void CDebugDlg::OnOpen()
{
    host_->OpenPort();
}

void CDebugDlg::OnClose()
{
    host_->ClosePort();
}

void CDebugDlg::OnStatusCheck()
{
    engine_.ATStatusCheck(hwnd(), WM_STATUS_CHECK_DONE);
}

void CDebugDlg::OnEngineError(int errorClass, int stringId)
{
    CErrorDlg dialog(errorReportTexts(errorClass, stringId));
    torvane::ui::execDialog(dialog);
}

void CDebugDlg::refreshDiagnostics()
{
    const HostDisplay& d = host_->display();
    openError_->setText(QString::number(d.openError));
    writeErrors_->setText(QString::number(d.writeErrors));
    readErrors_->setText(QString::number(d.readErrors));
    modem_->setText(QString::number(d.modem));
    handle_->setText(QString::number(d.handle));
}

void CDebugDlg::appendTrace(const std::string& text)
{
    traceList_->addItem(QString::fromLatin1(text.c_str()));
    traceList_->scrollToBottom();
}

void CDebugDlg::showPhoneStatus(int phoneStatus)
{
    phoneStatus_->setText(QString::number(phoneStatus));
}

void CDebugDlg::showPinRejected()
{
    torvane::ui::messageBox(nullptr, QString::fromLatin1(corvantString(IDS_PIN_REJECTED)),
                            QString::fromLatin1(kAppName), torvane::ui::MB_OK | torvane::ui::MB_ICONEXCLAMATION);
}

void CDebugDlg::runPinDialog()
{
    CPinDlg dialog(engine_.simPin());
    torvane::ui::execDialog(dialog);
}

} // namespace corvant
