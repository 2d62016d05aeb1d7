// The seven launcher buttons of the main window's picture: their rectangles in view pixels,
// their commands, and which button a click hits.
#pragma once

#include <array>

namespace corvant {

// Commands of the menu and the buttons.
constexpr int ID_APPOINTMENTS = 32775;
constexpr int ID_PHONEBOOK = 32771;
constexpr int ID_RINGTONE = 32772;
constexpr int ID_CALL_FORWARDING = 32773;
constexpr int ID_BARRING = 32774;
constexpr int ID_CONFIGURATION = 32776;
constexpr int ID_HELP_FINDER = 57667;
constexpr int ID_APP_EXIT = 57665;
constexpr int ID_APP_ABOUT = 57664;

// The view's client area, which the launcher picture fills.
constexpr int VIEW_WIDTH = 400;
constexpr int VIEW_HEIGHT = 320;

struct ButtonRect {
    int left, top, right, bottom;
};

constexpr int LAUNCHER_BUTTONS = 7;

constexpr std::array<ButtonRect, LAUNCHER_BUTTONS> kButtonRects {{
    {10, 47, 144, 82},
    {10, 82, 144, 117},
    {10, 117, 144, 152},
    {10, 152, 144, 187},
    {10, 187, 144, 222},
    {10, 222, 144, 257},
    {10, 257, 144, 292},
}};

constexpr std::array<int, LAUNCHER_BUTTONS> kButtonCommands {
    ID_APPOINTMENTS, ID_PHONEBOOK, ID_RINGTONE, ID_CALL_FORWARDING, ID_BARRING, ID_CONFIGURATION, ID_HELP_FINDER,
};

// The first button whose rectangle holds the point strictly inside (a click on a border hits
// none); -1 for none.
int hitButton(int x, int y);

} // namespace corvant
