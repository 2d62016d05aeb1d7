// The error handler of a main window procedure: whatever the procedure raises ends it and is
// shown in the organizer's error box under the procedure's name.
#pragma once

#include "organizer/link/ErrorReport.h"

#include <QString>

namespace tessaro {

// Runs f; true when it ran to its end, false when it raised and the box was shown. `show`
// reports the error being handled: by default the organizer's, the controls' and the runtime's
// errors; the synchronisation's commands pass the one that also knows the calendar's.
template <class F>
bool runWithErrorBox(const QString& procName, F&& f, void (*show)(const QString&) = ShowCaughtError)
{
    try {
        f();
        return true;
    } catch (...) {
        show(procName);
    }
    return false;
}

} // namespace tessaro
