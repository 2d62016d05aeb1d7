// Starting the suite's other programs, and closing the phonebook and melody editors when the
// main program ends. A program that cannot be started gives no message.
#pragma once

#include "platform/registry/AppProfile.h"
#include "platform/wintypes.h"

#include <functional>
#include <string>
#include <vector>

namespace corvant {

// The editors, started by their bare program names: found beside this program first, then
// on PATH.
constexpr char PHONEBOOK_PROGRAM[] = "brevik";
constexpr char RINGTONE_PROGRAM[] = "melvio";

// Editor windows are found by the first 38 characters of their titles (a 39-character buffer).
constexpr int EDITOR_TITLE_BUFFER = 39;
// The phonebook editor's window is titled after its application, "Telefonbuch", not "Telephone
// Directory": the main program closes the first window of either title, so that the editor is
// not left running.
constexpr char PHONEBOOK_EDITOR_TITLE[] = "Telefonbuch";

class Launcher {
public:
    // Starts a command line; false when it could not be started.
    using Start = std::function<bool(const std::string& commandLine)>;

    // start defaults to the platform's detached start of a command line.
    explicit Launcher(torvane::registry::AppProfile& profile, Start start = {});

    // The appointments program: the command line in Settings/TerminPrg.
    void runAppointments();
    void runPhonebook();
    void runRingtone();

    // At exit: the command line in Settings/TerminPrgTrm, then WM_CLOSE to the first window
    // titled "Telephone Directory...", to the first titled "Telefonbuch..." and to the first
    // titled "Ring Tone Edit...". The windows it closed.
    std::vector<HWND> runExitSequence();

private:
    torvane::registry::AppProfile& profile_;
    Start start_;
};

// Posts WM_CLOSE to the first top-level window whose title begins with prefix; that window, or
// 0 when none was closed.
HWND closeFirstWindowTitled(const std::string& prefix);

} // namespace corvant
