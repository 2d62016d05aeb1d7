#include "organizer/TessaroApp.h"

#include "organizer/daterange/Calendar.h"
#include "organizer/entryeditor/MobileEntrySteps.h"
#include "organizer/link/ComDrv.h"
#include "organizer/link/MainWindowSeams.h"
#include "organizer/link/MessageBox.h"
#include "organizer/link/OrgError.h"
#include "organizer/link/OrganizerSeams.h"
#include "organizer/link/PublicVar.h"
#include "organizer/link/StatusDisplay.h"
#include "organizer/mainwindow/CommandDispatch.h"
#include "organizer/mainwindow/MainFormControls.h"
#include "organizer/mainwindow/MainFormState.h"
#include "organizer/sync/SyncInstall.h"
#include "organizer/sync/TIVOutlook.h"
#include "organizer/ui/ComEigenschaften.h"
#include "organizer/ui/Language.h"
#include "organizer/ui/MainWindow.h"
#include "organizer/ui/MobileEntry.h"
#include "organizer/ui/Status_Anzeige.h"
#include "organizer/ui/TessaroHelp.h"
#include "organizer/ui/frmAbout.h"
#include "organizer/ui/frmSplash.h"

#include "platform/messaging/Messaging.h"
#include "platform/messaging/qt/MessagePump.h"
#include "platform/messaging/qt/WidgetWindow.h"
#include "platform/outlook/Application.h"
#include "platform/outlook/AppointmentDialog.h"
#include "platform/ui/controls/Twips.h"
#include "platform/ui/controls/widgets/CommandBarWidget.h"
#include "platform/ui/guardedapp/GuardedApplication.h"
#include "platform/ui/msgservice/MessageService.h"

#include <QApplication>
#include <QPushButton>
#include <QScreen>

namespace tessaro {

namespace {

// How often an end asked for while the program was busy (a KILL, the close box) looks again
// whether it may be carried out.
constexpr int kKillCheckMs = 100;
constexpr int kDdeTimeoutMs = 5000;

// A failure that leaves a window event gets the error box of a procedure that handles its own
// errors, the procedure named after the object and its event.
void showEventFailure(const torvane::ui::EventFailure& failure)
{
    const QString procName = failure.receiver + QLatin1Char('_') + failure.event;
    try {
        std::rethrow_exception(failure.error);
    } catch (const torvane::controls::ControlError& err) {
        ShowErrorBox(err, procName);
    } catch (...) {
        ShowErrorBox(OrgError(ErrInternal, AppTitle, failure.text), procName);
    }
}

} // namespace

TessaroApp::TessaroApp() : m_status(std::make_unique<Status_Anzeige>())
{
    messaging::attachToEventLoop();
    setMessageBoxHandler([this](const QString& text, int style, const QString& caption) {
        QWidget* owner = QApplication::activeWindow() ? QApplication::activeWindow() : m_window.data();
        return torvane::ui::messageBox(owner, text, caption, UINT(style));
    });
    torvane::ui::setEventFailureHandler(showEventFailure);
    setStatusDisplay(m_status.get());
    setCommandWindows(this);

    OrganizerServices services = setOrganizerServices({});
    services.focusMainWindow = [this] {
        if (m_window)
            m_window->activateWindow();
    };
    services.mainWindowGeometry = [] {
        const FormWindow& form = Main_Form().Form;
        return MainWindowGeometry{form.windowState(), form.width(), form.top(), form.left()};
    };
    services.screenSize = [] {
        const QScreen* screen = QGuiApplication::primaryScreen();
        if (!screen)
            return ScreenSize{};
        return ScreenSize{int(torvane::controls::pixelsToTwips(screen->size().width())),
                          int(torvane::controls::pixelsToTwips(screen->size().height()))};
    };
    setOrganizerServices(services);

    m_appTimer.setSingleShot(true);
    connect(&m_appTimer, &QTimer::timeout, this, [this] {
        AppTimer_Timer(*this);
        emit started();
    });
    m_killCheck.setInterval(kKillCheckMs);
    connect(&m_killCheck, &QTimer::timeout, this, &TessaroApp::checkPendingKill);
    m_end = [] { QCoreApplication::exit(0); };
}

TessaroApp::~TessaroApp()
{
    m_appTimer.stop();
    m_killCheck.stop();
    MainWindowSeams seams = setMainWindowSeams({});
    seams.form = nullptr;
    seams.statusBar = nullptr;
    seams.grids = nullptr;
    seams.dates = nullptr;
    setMainWindowSeams(seams);
    OrganizerServices services = setOrganizerServices({});
    services.resetMobileState = nullptr;
    services.focusMainWindow = nullptr;
    services.mainWindowGeometry = nullptr;
    services.screenSize = nullptr;
    setOrganizerServices(services);
    uninstallMobileEntrySteps();
    setStatusDisplay(nullptr);
    if (&Windows() == this)
        setCommandWindows(nullptr);
    setMessageBoxHandler({});
    torvane::ui::setEventFailureHandler({});
    UnloadSplash();
    delete m_window.data();
    m_status.reset();
}

bool TessaroApp::start(const QString& commandLine)
{
    return Main(*this, commandLine);
}

void TessaroApp::loadMainWindow()
{
    m_window = new MainWindow;
    // The window's title is published, so other programs find it by its caption and can close
    // it as the user would.
    new messaging::WidgetWindow(m_window);
    m_window->setUnloadHandler([this] {
        if (!CloseMainWindow(*this))
            m_killCheck.start();
    });
    m_window->bar()->forwardKeysOf(m_window);
    m_status->setOwnerWindow(m_window);

    MainWindowSeams seams = setMainWindowSeams({});
    seams.form = m_window;
    seams.statusBar = m_window;
    setMainWindowSeams(seams);
    // The synchronisation keeps the window's steps and puts its own grid and range steps beside
    // them, so it comes second.
    installSynchronisation();
    installMobileEntrySteps();
    OutlookOptions.display = torvane::outlook::showAppointmentDialog;

    ConnectMainFormEvents();
}

void TessaroApp::startRangeNow()
{
    RangeStart = fromDateTime(CurrentDateTime());
}

bool TessaroApp::otherCopyRunning(const QString& caption)
{
    const QByteArray title = caption.toLatin1();
    if (FindWindowByTitlePrefix(title.constData(), int(title.size()) + 1) != 0)
        return true;
    switch (m_dde.listen(AppTitle, DdeTopic)) {
    case torvane::dde::Listen::Taken:
        return true;
    case torvane::dde::Listen::NoLink:
        // Without the user's private runtime folder there is no link between copies: this one
        // starts as the only one it can know of.
        return false;
    case torvane::dde::Listen::Serving:
        break;
    }
    m_dde.setExecuteHandler([this](const QString& command) {
        const bool taken = Form_LinkExecute(command);
        if (taken) {
            // The answer goes back first; the end comes from the event loop.
            QTimer::singleShot(0, this, &TessaroApp::checkPendingKill);
            m_killCheck.start();
        }
        return taken;
    });
    m_dde.setActivateHandler([this] {
        ++m_activations;
        if (m_window)
            m_window->comeToFront();
    });
    return false;
}

void TessaroApp::executeOnRunningCopy(const QString& applicationTitle, const QString& command)
{
    torvane::dde::execute(applicationTitle, DdeTopic, command, kDdeTimeoutMs);
}

void TessaroApp::activateRunningCopy(const QString& applicationTitle)
{
    torvane::dde::activate(applicationTitle, DdeTopic, kDdeTimeoutMs);
}

void TessaroApp::armAppTimer(int intervalMs)
{
    m_appTimer.start(intervalMs);
}

void TessaroApp::disarmAppTimer()
{
    m_appTimer.stop();
}

void TessaroApp::showSplash()
{
    ShowSplash();
}

std::optional<OrganizerProbe> TessaroApp::probeOrganizer()
{
    const std::optional<torvane::outlook::Application> app = torvane::outlook::Application::create();
    if (!app)
        return std::nullopt;
    return OrganizerProbe{app->Name(), app->Version()};
}

void TessaroApp::repaintMainWindow()
{
    if (m_window)
        m_window->update();
}

void TessaroApp::bringUpMainWindow()
{
    m_window->showMinimized();
    m_window->show();
    m_window->raise();
    if (frmSplash* splash = LoadedSplash())
        splash->showMinimized();
    m_window->showNormal();
    m_window->activateWindow();
    UnloadSplash();
}

void TessaroApp::statusWindowForProbe(bool probing)
{
    if (probing) {
        m_status->Abbrechen()->setVisible(false);
        if (QWidget* w = m_status->window())
            w->setCursor(Qt::WaitCursor);
    } else {
        m_status->Abbrechen()->setEnabled(true);
        if (QWidget* w = m_status->window())
            w->unsetCursor();
    }
}

bool TessaroApp::entryEditorOpen()
{
    return LoadedMobileEntry() != nullptr;
}

void TessaroApp::endProgram()
{
    if (m_ended)
        return;
    m_ended = true;
    OutlookApp.reset();
    m_appTimer.stop();
    m_killCheck.stop();
    if (m_status->isLoaded())
        m_status->Quit();
    UnloadSplash();
    if (m_window) {
        m_window->setUnloadHandler({});
        m_window->close();
    }
    if (m_end)
        m_end();
}

void TessaroApp::MobileEntryFormShow()
{
    tessaro::MobileEntryFormShow(m_window, [] { return CommandBusy; });
}

void TessaroApp::ShowAbout()
{
    tessaro::ShowAbout(m_window);
}

void TessaroApp::ShowComEigenschaften()
{
    tessaro::ShowComEigenschaften(m_window);
}

void TessaroApp::ShowLanguage()
{
    Language language(m_window);
    torvane::ui::execDialog(language);
}

void TessaroApp::ShowHelpContents()
{
    tessaro::ShowHelpContents(HelpFile);
}

void TessaroApp::UnloadMainWindow()
{
    Form_Unload(*this);
}

void TessaroApp::PhoneTestWindow(bool asking)
{
    if (asking) {
        // An earlier answer still on show goes first.
        m_status->Quit();
        m_status->Abbrechen()->setVisible(false);
        m_status->window()->setCursor(Qt::WaitCursor);
    } else if (m_status->isLoaded()) {
        m_status->OK()->setVisible(true);
        m_status->window()->unsetCursor();
    }
}

void TessaroApp::checkPendingKill()
{
    if (CarryOutPendingKill(*this) || !KillPending)
        m_killCheck.stop();
}

} // namespace tessaro
