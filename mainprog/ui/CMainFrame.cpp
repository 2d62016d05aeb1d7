#include "mainprog/ui/CMainFrame.h"

#include "mainprog/core/CorvantStrings.h"
#include "mainprog/core/LauncherLayout.h"
#include "mainprog/core/SuiteSettings.h"
#include "mainprog/ui/CAboutDlg.h"
#include "mainprog/ui/CCfgPropSheet.h"
#include "mainprog/ui/CCorvantView.h"
#include "mainprog/ui/CorvantArt.h"
#include "platform/messaging/qt/WidgetWindow.h"
#include "platform/ui/statuspanes/LockKeyPanes.h"
#include "platform/process/ProgramStart.h"
#include "platform/ui/help/HelpPage.h"
#include "platform/ui/msgservice/MessageService.h"

#include <QAction>
#include <QLabel>
#include <QLayout>
#include <QMenuBar>
#include <QStatusBar>

namespace corvant {

CMainFrame::CMainFrame(EngineApi& engine, torvane::registry::AppProfile& profile, std::unique_ptr<HostPort> port,
                       HostTimers timers, Launcher::Start start)
    : QMainWindow(nullptr, Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint
                               | Qt::WindowCloseButtonHint)
    , engine_(engine)
    , profile_(profile)
    , launcher_(profile, std::move(start))
{
    setObjectName(QStringLiteral("CMainFrame"));
    setWindowIcon(corvantIcon(IDI_MAINFRAME));
    setWindowTitle(QString::fromLatin1(corvantString(IDS_APP_TITLE)));

    // The engine host first: the view registers with the engine it initialises.
    debugDlg_ = std::make_unique<CDebugDlg>(engine_, std::move(port), profile_, timers);
    if (profile_.GetProfileInt(section::Settings, value::DebugDlg, 0) != 0) {
        debugDlg_->setTracing(true);
        debugDlg_->setAttribute(Qt::WA_ShowWithoutActivating);
        debugDlg_->show();
    }

    view_ = new CCorvantView(engine_, [this](int command) { OnCommand(command); }, this);
    setCentralWidget(view_);
    buildMenu();
    buildStatusBar();
    // No sizing border: the client area stays 400 x 320.
    layout()->setSizeConstraint(QLayout::SetFixedSize);

    // A command posted to the frame runs as its menu item or button would, as the framework's
    // frames do; the suite's tests start the editors this way.
    window_ = new messaging::WidgetWindow(this, [this](UINT message, WPARAM wParam, LPARAM) -> LRESULT {
        if (message != WM_COMMAND)
            return 0;
        OnCommand(LOWORD(wParam));
        return 1;
    });
}

CMainFrame::~CMainFrame()
{
    // The view goes before the host, as it is a child window of the frame.
    delete view_;
    view_ = nullptr;
    debugDlg_.reset();
}

HWND CMainFrame::hwnd() const
{
    return window_->hwnd();
}

QAction* CMainFrame::addCommand(QMenu* menu, int command, const QString& text)
{
    auto* action = menu->addAction(text);
    action->setObjectName(QStringLiteral("command%1").arg(command));
    connect(action, &QAction::triggered, this, [this, command] { OnCommand(command); });
    actions_[command] = action;
    return action;
}

void CMainFrame::buildMenu()
{
    QMenu* file = menuBar()->addMenu(QStringLiteral("&File"));
    addCommand(file, ID_CONFIGURATION, QStringLiteral("&Configuration"));
    file->addSeparator();
    addCommand(file, ID_APP_EXIT, QStringLiteral("E&xit"));

    QMenu* apps = menuBar()->addMenu(QStringLiteral("&Applications"));
    addCommand(apps, ID_APPOINTMENTS, QStringLiteral("&Appointments"));
    addCommand(apps, ID_PHONEBOOK, QStringLiteral("&Mobile Phone Directory"));
    addCommand(apps, ID_RINGTONE, QStringLiteral("&Ring Tone Editor"));
    addCommand(apps, ID_CALL_FORWARDING, QStringLiteral("Call &Forwarding"))->setEnabled(false);
    addCommand(apps, ID_BARRING, QStringLiteral("&Barring"))->setEnabled(false);

    QMenu* help = menuBar()->addMenu(QStringLiteral("&?"));
    addCommand(help, ID_HELP_FINDER, QStringLiteral("&Help"));
    help->addSeparator();
    addCommand(help, ID_APP_ABOUT, QStringLiteral("&About Quorvane 3.0"));
}

void CMainFrame::buildStatusBar()
{
    pane0_ = new QLabel(this);
    pane0_->setObjectName(QStringLiteral("pane0"));
    statusBar()->addWidget(pane0_, 1);
    torvane::ui::addLockKeyPanes(*statusBar());
}

QAction* CMainFrame::commandAction(int command) const
{
    const auto it = actions_.find(command);
    return it != actions_.end() ? it->second : nullptr;
}

void CMainFrame::setDialogEntry(int command, DialogEntry entry)
{
    if (command != ID_CALL_FORWARDING && command != ID_BARRING)
        return;
    const bool available = bool(entry);
    dialogs_[command] = std::move(entry);
    if (QAction* action = commandAction(command))
        action->setEnabled(available);
}

void CMainFrame::setSmsManager(std::function<SmsManagerHooks*()> manager)
{
    smsManager_ = manager;
    debugDlg_->setSmsManager(std::move(manager));
}

void CMainFrame::setStatusText(const QString& text)
{
    pane0_->setText(text);
}

QString CMainFrame::statusText() const
{
    return pane0_->text();
}

void CMainFrame::OnCommand(int command)
{
    switch (command) {
    case ID_APPOINTMENTS:
        launcher_.runAppointments();
        break;
    case ID_PHONEBOOK:
        launcher_.runPhonebook();
        break;
    case ID_RINGTONE:
        launcher_.runRingtone();
        break;
    case ID_CALL_FORWARDING:
    case ID_BARRING:
        if (const auto it = dialogs_.find(command); it != dialogs_.end() && it->second)
            it->second(this);
        view_->update();
        break;
    case ID_CONFIGURATION:
        openSettings();
        view_->update();
        break;
    case ID_HELP_FINDER:
        showHelpContents();
        break;
    case ID_APP_ABOUT: {
        CAboutDlg about(this);
        torvane::ui::execDialog(about);
        break;
    }
    case ID_APP_EXIT:
        close();
        break;
    default:
        break;
    }
}

void CMainFrame::openSettings()
{
    CCfgPropSheet sheet(engine_, profile_,
                        [this] {
                            if (SmsManagerHooks* sms = smsManager_ ? smsManager_() : nullptr)
                                sms->Configure();
                        },
                        this);
    torvane::ui::execDialog(sheet);
}

void CMainFrame::showHelpContents()
{
    if (torvane::ui::openHelpPage(QString::fromLatin1(corvantString(IDS_HELP_FILE))))
        return;
    torvane::ui::messageBox(this,
                            QStringLiteral("Cannot find the help file %1.")
                                .arg(QString::fromLatin1(corvantString(IDS_HELP_FILE))),
                            windowTitle(), torvane::ui::MB_OK | torvane::ui::MB_ICONEXCLAMATION);
}

} // namespace corvant
