// Which tools of the main window's menu and toolbar are enabled or shown, from what the
// program holds: the desktop calendar present, entries on either side, free phone locations.
#pragma once

namespace tessaro {

void SetMenus_Click();

} // namespace tessaro
