// The form's flags word and the messages of the phone road.
#pragma once

#include "platform/wintypes.h"

namespace brevik {

enum ViewFlags : int {
    FLAG_BUSY = 0x001,                 // a phone job is pending
    FLAG_CLIPBOARD = 0x002,            // the internal clipboard may be pasted
    FLAG_PHONE_CHANGED = 0x004,        // the shown directory has unwritten changes
    FLAG_PAB_CHANGED = 0x008,          // the address book list has unsaved changes
    FLAG_QUIT_AFTER_WRITE = 0x010,
    FLAG_RESELECT_AFTER_WRITE = 0x020,
    FLAG_PREVIEW_ROW = 0x040,
    FLAG_CHECK_INDEX = 0x080,          // ask for a new index when an inserted entry's is taken
    FLAG_SEVERAL = 0x100,              // several entries are being inserted in one go
};

// autoloadMask: bits 0-6 the directories still to read at start, and the first step's mark.
constexpr int AUTOLOAD_DIRECTORIES = 0x7F;
constexpr int AUTOLOAD_FIRST = 0x1000;

// The answers of the engine's phonebook jobs to the form's window.
constexpr UINT WM_PHONEBOOK_READ_DONE = WM_USER + 101;
constexpr UINT WM_PHONEBOOK_WRITE_DONE = WM_USER + 102;

} // namespace brevik
