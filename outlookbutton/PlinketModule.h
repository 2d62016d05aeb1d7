// What the library keeps while it is loaded in the mail client: the command line of the last
// press, which is started once more with " kill" when the library is unloaded, and the
// result buffer of getTIVEntry.
#pragma once

namespace torvane::plinket {

// The value the button reads below the organizer's machine key.
constexpr const char* kCommandValueName = "Plinket";

// getTIVEntry: the data of the value `name` in the first key of the search list that holds
// it, in a buffer that the next call overwrites; null when it isn't there.
const char* lookUpTivEntry(const char* name);

// A press of the button or the menu item: read the value and run what it says.
void runConfiguredCommand();

// The command line of the last press ("" before the first).
const char* storedCommandLine();

} // namespace torvane::plinket
