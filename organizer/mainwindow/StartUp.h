// The organizer's start-up and the life of its main window: Main reads the command line, ends
// or wakes a running copy, probes the desktop calendar, loads the settings and sets the window
// up; AppTimer_Timer shows it and asks the phone who it is; a KILL from another copy and the
// window's unloading end the program. What needs the window layer or the system goes through
// StartupHost, so the steps run in tests without a screen.
#pragma once

#include <QString>

#include <optional>

namespace tessaro {

// The desktop calendar as the start-up probe sees it.
struct OrganizerProbe {
    QString name;
    QString version;
};

class StartupHost {
public:
    virtual ~StartupHost() = default;

    // Builds the main window's widgets on its controls (hidden) and lets it see keys first.
    virtual void loadMainWindow() = 0;

    // The active date range starts now, until the window's set-up computes it from its fields.
    virtual void startRangeNow() = 0;

    // Whether another copy runs: a top-level window with this caption, or a copy that serves the
    // program's DDE topic. When none runs, this copy becomes the one that serves it.
    virtual bool otherCopyRunning(const QString& caption) = 0;
    // Executes a command on the running copy's DDE topic; its failures do not matter.
    virtual void executeOnRunningCopy(const QString& applicationTitle, const QString& command) = 0;
    // Asks the running copy to bring its window to the front.
    virtual void activateRunningCopy(const QString& applicationTitle) = 0;

    // The one-shot start-up timer: AppTimer_Timer runs when it expires.
    virtual void armAppTimer(int intervalMs) = 0;
    virtual void disarmAppTimer() = 0;

    virtual void showSplash() = 0;

    // Creates the desktop calendar's application object, reads its name and version and lets
    // it go; nothing when it cannot be created.
    virtual std::optional<OrganizerProbe> probeOrganizer() = 0;

    virtual void repaintMainWindow() = 0;
    // Shows the main window on top and drops the splash window.
    virtual void bringUpMainWindow() = 0;
    // While the phone is asked at start-up the status window offers no cancel and shows the
    // hourglass.
    virtual void statusWindowForProbe(bool probing) = 0;

    // Whether the entry editor's window is loaded (an entry is being edited).
    virtual bool entryEditorOpen() = 0;

    // Lets the desktop calendar's object go, unloads every window and ends the program (its
    // event loop).
    virtual void endProgram() = 0;
};

inline const QString DdeTopic = QStringLiteral("DDE");
inline const QString SecondCopyTitle = QStringLiteral("Tessaro2INST");

// The start-up; false when the program is to end without its window (a second copy, a KILL,
// the desktop calendar refused, or a failure, which has shown its box). `commandLine` is what
// follows the program's name.
bool Main(StartupHost& host, const QString& commandLine);

// The main window's load: entry kinds and series rules, the menu and toolbar's stored layout and
// pictures, the pictures of the window's design; then the host's widgets. Runs once, at the
// first use of the window.
void Form_Load(StartupHost& host);
bool MainFormLoaded();

// The start-up step after Main: show the window, ask the phone for its identity and range.
void AppTimer_Timer(StartupHost& host);

// A DDE execute on the main window's topic: "KILL" in any letter case is taken (true) and
// ends the program as soon as nothing busy runs; anything else is refused.
bool Form_LinkExecute(const QString& command);

// Whether a link operation, a command, the entry editor (open or running a command) or the
// start-up's phone probe runs.
bool ProgramBusy(StartupHost& host);

// Carries out a KILL taken earlier once the program is no longer busy; true when it did.
bool CarryOutPendingKill(StartupHost& host);

// The user closes the window: it goes now, or, while something busy runs, once that has ended,
// as after a KILL; true when it went now.
bool CloseMainWindow(StartupHost& host);

// The window goes: the settings are saved (not when this copy was started with KILL), then
// every window and the program end.
void Form_Unload(StartupHost& host);

// A click on the window's free area hides the date picker.
void Form_Click();

// Back to the state before Main (tests).
void ResetStartupState();

} // namespace tessaro
