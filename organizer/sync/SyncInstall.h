// Puts the synchronisation behind the seams the organizer's lower half calls: the grid steps of
// the phone read, the date range, and the reset after a failed link. The program's start-up calls
// it once, after it installed the main window's own steps.
#pragma once

namespace tessaro {

// Installs the grid and date-range steps (keeping the window's other steps) and the reset of the
// phone side (keeping the other organizer services).
void installSynchronisation();

// After a failed link: the phone column and table emptied, the grids matched again, the status
// bar refreshed. What the link's ResetMobileState runs once installed.
void ResetMobileStateSteps();

} // namespace tessaro
