// The read-phone command: the phone's whole calendar into PhoneEntryTable and the phone grid,
// under the status window.
#pragma once

namespace tessaro {

// Opens the link, identifies the phone when that is still to be done, reads every location
// into the hidden FG1 instance and swaps it in. `silent` starts the status window without
// showing it. False when the read failed or was cancelled; the phone side is then reset and
// ActiveGridIndexFG1 names the instance that is shown.
bool ReadMobile(bool silent);

} // namespace tessaro
