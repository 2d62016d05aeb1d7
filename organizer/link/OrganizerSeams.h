// Services of the organizer's upper half that the link and the codec call: the main window,
// the grids and the phone calendar access install them at start-up. Until then they do nothing,
// so the lower half runs on its own in tests and tools.
#pragma once

#include <functional>

namespace tessaro {

// The main window's state (0 normal, 1 minimized, 2 maximized) and its size and place in twips.
struct MainWindowGeometry {
    int windowState = 0;
    double width = 0;
    double top = 0;
    double left = 0;
};

struct ScreenSize {
    int widthTwips = 1024 * 15;
    int heightTwips = 768 * 15;
};

struct OrganizerServices {
    // After a link failure: clear the phone grid and table, compare the grids, refresh the status.
    std::function<void()> resetMobileState;
    // Refresh the phone's status-bar panels and the commands.
    std::function<void()> showMobileStatus;
    // Give the main window the input focus.
    std::function<void()> focusMainWindow;
    // The main window's geometry; without a window the settings save the default geometry.
    std::function<MainWindowGeometry()> mainWindowGeometry;
    // The screen's size; without it a screen of 1024 by 768 pixels is assumed.
    std::function<ScreenSize()> screenSize;
};

// Installs the services and returns the previous set.
OrganizerServices setOrganizerServices(OrganizerServices services);

void ResetMobileState();
void ShowMobileStatus();
void FocusMainWindow();
// Minimized (as when there is no window) when no main window is installed.
MainWindowGeometry CurrentMainWindowGeometry();
ScreenSize CurrentScreenSize();

} // namespace tessaro
