// The organizer's application object: it ties the start-up steps to the windows and the
// system. It puts up the real message boxes and the status window, installs the main window's
// steps, the synchronisation for the lower half and the entry editor's steps, ties the window's
// controls to its commands and opens the windows they ask for, opens appointments in their
// window, serves the DDE topic a second copy talks to, runs the start-up timer, and ends the
// program when the main window is unloaded. A library of its own, so tests run the organizer in
// their process without its main().
#pragma once

#include "organizer/mainwindow/CommandWindows.h"
#include "organizer/mainwindow/StartUp.h"
#include "organizer/ui/MainWindow.h"

#include "platform/dde/Dde.h"

#include <QObject>
#include <QPointer>
#include <QTimer>

#include <functional>
#include <memory>

namespace tessaro {

class Status_Anzeige;

class TessaroApp : public QObject, public StartupHost, public CommandWindows {
    Q_OBJECT
public:
    TessaroApp();
    ~TessaroApp() override;

    // The start-up with the program's arguments (what follows its name); false when the
    // program is to end at once (a second copy, KILL, or a failure that has shown its box).
    bool start(const QString& commandLine);

    // What ending the program does; by default the application's event loop ends (code 0).
    void setEndHandler(std::function<void()> handler) { m_end = std::move(handler); }
    bool ended() const { return m_ended; }

    MainWindow* window() const { return m_window; }
    Status_Anzeige& statusWindow() { return *m_status; }
    // How often another copy asked this one to come to the front.
    int activations() const { return m_activations; }

    // StartupHost
    void loadMainWindow() override;
    void startRangeNow() override;
    bool otherCopyRunning(const QString& caption) override;
    void executeOnRunningCopy(const QString& applicationTitle, const QString& command) override;
    void activateRunningCopy(const QString& applicationTitle) override;
    void armAppTimer(int intervalMs) override;
    void disarmAppTimer() override;
    void showSplash() override;
    std::optional<OrganizerProbe> probeOrganizer() override;
    void repaintMainWindow() override;
    void bringUpMainWindow() override;
    void statusWindowForProbe(bool probing) override;
    bool entryEditorOpen() override;
    void endProgram() override;

    // CommandWindows
    void MobileEntryFormShow() override;
    void ShowAbout() override;
    void ShowComEigenschaften() override;
    void ShowLanguage() override;
    void ShowHelpContents() override;
    void UnloadMainWindow() override;
    void PhoneTestWindow(bool asking) override;

signals:
    // The window is up (AppTimer_Timer has run).
    void started();

private:
    void checkPendingKill();

    std::unique_ptr<Status_Anzeige> m_status;
    QPointer<MainWindow> m_window;
    torvane::dde::DdeSource m_dde;
    QTimer m_appTimer;
    QTimer m_killCheck;
    std::function<void()> m_end;
    bool m_ended = false;
    int m_activations = 0;
};

} // namespace tessaro
