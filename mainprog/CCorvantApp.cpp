#include "mainprog/CCorvantApp.h"

#include "mainprog/core/CorvantStrings.h"
#include "mainprog/core/ErrorReport.h"
#include "mainprog/core/SerialHostPort.h"
#include "mainprog/core/SuiteSettings.h"
#include "mainprog/ui/CCorvantView.h"
#include "mainprog/ui/CErrorDlg.h"
#include "mainprog/ui/CMainFrame.h"
#include "platform/messaging/Messaging.h"
#include "platform/ui/busyfilter/BusyInputFilter.h"
#include "platform/ui/guardedapp/GuardedApplication.h"
#include "platform/ui/msgservice/FirstInstance.h"
#include "platform/ui/msgservice/MessageService.h"
#include "platform/ui/msgservice/SettingsFailureBox.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QEventLoop>
#include <QTimer>

#include <algorithm>

namespace corvant {

namespace {

CCorvantApp* g_app = nullptr;

// How long the program, as it ends, keeps the port and pumps the engine for the editors it has
// closed: an editor may still ask whether to save, and the phone write its user's "Yes" starts
// needs the engine driven until it ends. After that the editor's own wait gives up.
constexpr int kClosedEditorsWaitMs = 60000;
// How often it looks whether the closed editors' windows are gone.
constexpr int kClosedEditorsCheckMs = 100;

// Runs the event loop (the engine host's pump and its port reader included) until none of
// windows exists any more, or until the wait is over.
void waitForWindowsToGo(const std::vector<HWND>& windows)
{
    const auto gone = [&windows] {
        return std::none_of(windows.begin(), windows.end(), [](HWND window) { return IsWindow(window) != FALSE; });
    };
    if (gone())
        return;
    // A box shown and closed meanwhile (an editor's error report) must not end the wait.
    QGuiApplication::setQuitOnLastWindowClosed(false);
    const QDeadlineTimer deadline(kClosedEditorsWaitMs);
    QEventLoop loop;
    QTimer check;
    QObject::connect(&check, &QTimer::timeout, &loop, [&] {
        if (gone() || deadline.hasExpired())
            loop.quit();
    });
    check.start(kClosedEditorsCheckMs);
    loop.exec();
}

} // namespace

CCorvantApp::CCorvantApp(EngineApi& engine, HostTimers timers, Launcher::Start start)
    : engine_(engine)
    , timers_(timers)
    , start_(std::move(start))
    , profile_(corvantProfile())
{
    portFactory_ = [] { return std::make_unique<SerialHostPort>(); };
    g_app = this;
}

CCorvantApp::~CCorvantApp()
{
    smsManager_.reset();
    frame_.reset();
    if (g_app == this)
        g_app = nullptr;
}

CCorvantApp* CCorvantApp::instance()
{
    return g_app;
}

bool CCorvantApp::InitInstance()
{
    instanceMutex_ = torvane::ui::claimFirstInstanceOrTell(INSTANCE_MUTEX, exitCode_);
    if (!instanceMutex_)
        return false;
    torvane::ui::installSettingsFailureBox();
    // What fails inside a window event is shown as the suite shows its errors.
    torvane::ui::setEventFailureHandler([](const torvane::ui::EventFailure& failure) {
        CErrorDlg dialog(failureReportTexts(failure.text.toLatin1().toStdString()));
        torvane::ui::execDialog(dialog);
    });
    busy_ = false;
    inputFilter_ = torvane::ui::installBusyInputFilter([this] { return busy_; });

    frame_ = std::make_unique<CMainFrame>(engine_, profile_, portFactory_(), timers_, start_);
    frame_->setSmsManager([this] { return smsManager_.get(); });
    frame_->show();
    frame_->view().OnInitialUpdate();
    frame_->setWindowTitle(QString::fromLatin1(corvantString(IDS_APP_TITLE)));

    if (smsFactory_)
        smsManager_ = smsFactory_(*this);
    if (smsManager_)
        smsManager_->Configure();
    return true;
}

int CCorvantApp::ExitInstance()
{
    smsManager_.reset();
    if (frame_)
        waitForWindowsToGo(frame_->launcher().runExitSequence());
    return 0;
}

} // namespace corvant
