// The windows the main window's commands open, and the program's end. The application installs
// them with its windows; until then nothing opens, so the commands run in tests without a screen
// (and tests put fakes in).
#pragma once

#include "organizer/mainwindow/ErrorBox.h"
#include "organizer/sync/SyncErrors.h"

#include <QString>

#include <utility>

namespace tessaro {

class CommandWindows {
public:
    virtual ~CommandWindows() = default;
    // The entry editor on CurrentEntry, modal over the main window once the running command has
    // ended.
    virtual void MobileEntryFormShow() = 0;
    virtual void ShowAbout() = 0;
    virtual void ShowComEigenschaften() = 0;
    virtual void ShowLanguage() = 0;
    // The contents page of the help file of the current language.
    virtual void ShowHelpContents() = 0;
    // Unloads the main window (settings saved as on closing it) and ends the program.
    virtual void UnloadMainWindow() = 0;
    // The status window of the phone test: while the phone is asked it offers no cancel and shows
    // the hourglass (`asking`); afterwards it shows OK, which closes it, and the normal pointer.
    virtual void PhoneTestWindow(bool asking) = 0;
};

// Installs the windows (not owned; nullptr: none) and returns the previous ones.
CommandWindows* setCommandWindows(CommandWindows* windows);
CommandWindows& Windows();

// Runs one command or event of the main window. Whatever it raises (the organizer's errors, the
// controls', the calendar's) ends it and is shown in the error box of `procName`, so no error
// leaves a window event half done without a word. True when it ran to its end.
template <class F>
bool runCommand(const QString& procName, F&& f)
{
    return runWithErrorBox(procName, std::forward<F>(f), ShowSyncError);
}

} // namespace tessaro
