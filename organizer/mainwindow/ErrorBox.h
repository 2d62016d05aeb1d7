// The error handler of a main window procedure: whatever the procedure raises (the organizer's
// own errors and the controls' alike) ends it and is shown in the organizer's error box under
// the procedure's name.
#pragma once

#include "organizer/link/MessageBox.h"
#include "organizer/link/OrgError.h"
#include "platform/ui/controls/ControlError.h"

#include <QString>

namespace tessaro {

// Runs f; true when it ran to its end, false when it raised and the box was shown.
template <class F>
bool runWithErrorBox(const QString& procName, F&& f)
{
    try {
        f();
        return true;
    } catch (const torvane::controls::ControlError& err) {
        ShowErrorBox(err, procName);
    }
    return false;
}

} // namespace tessaro
