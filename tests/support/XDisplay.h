// The X display as a test program sees it from outside the programs: the top-level windows
// (where each lies, its title and the process that made it), input that the X server takes as
// the user's own (XTest), and whether a window's program still answers the window manager's
// ping. Without a window manager (the virtual display the tests start) the programs' windows are
// the root window's own children, so their places are screen places.
#pragma once

#include <QPoint>
#include <QRect>

#include <xcb/xcb.h>

#include <cstdint>
#include <optional>
#include <set>
#include <string>
#include <sys/types.h>
#include <vector>

namespace torvane::test {

struct TopWindow {
    xcb_window_t id = 0;
    QRect rect;                   // on the screen
    pid_t pid = 0;                // of the program that made it; 0 when it did not say
    std::string title;
    bool popup = false;           // a menu, a list or a tooltip (no window manager would frame it)
};

// A key as one presses it: the key's symbol and the modifiers held down with it.
struct Chord {
    xcb_keysym_t key = 0;
    bool control = false;
    bool alt = false;
    bool shift = false; // besides the shift the symbol itself needs
};

class XDisplay {
public:
    XDisplay();
    ~XDisplay();
    XDisplay(const XDisplay&) = delete;
    XDisplay& operator=(const XDisplay&) = delete;

    bool connected() const;

    // The mapped top-level windows, bottom first.
    std::vector<TopWindow> windows() const;
    // The topmost mapped one whose title begins with the prefix; an empty rectangle when none.
    QRect find(const std::string& prefix) const;

    void raise(xcb_window_t window);
    // Asks the window to close, as a window manager's close button does.
    void close(xcb_window_t window);
    // Gives the window the keyboard, as a window manager does when the user clicks it.
    void focus(xcb_window_t window);

    void move(QPoint at);
    // Press and release of a pointer button (1 left, 2 middle, 3 right, 4 and 5 the wheel).
    void button(int number, bool press);
    void click(QPoint at, int number = 1);
    // Whether the keyboard has the key (some layouts lack some symbols).
    bool canType(const Chord& chord) const;
    void type(const Chord& chord);
    // The user's key with Ctrl held, the pointer resting on the point (the window under it takes
    // the keyboard where no window manager gives the focus).
    void pressWithControl(QPoint at, xcb_keysym_t key);
    // Returns once the server has handled everything sent before.
    void sync();

    // Asks the window's program for the window manager's ping, numbered `serial`.
    void ping(xcb_window_t window, std::uint32_t serial);
    // The numbers of the pings answered since the last call; reads what the server has sent.
    std::set<std::uint32_t> answeredPings();

private:
    struct KeyPlace {
        xcb_keycode_t code = 0;
        bool shifted = false;
    };
    std::optional<KeyPlace> keyPlace(xcb_keysym_t key) const;
    void fake(std::uint8_t type, std::uint8_t detail);
    void tell(xcb_window_t window, xcb_atom_t protocol, std::uint32_t argument);
    xcb_atom_t atom(const char* name) const;
    std::string title(xcb_window_t window) const;
    pid_t pidOf(xcb_window_t window) const;

    xcb_connection_t* connection_ = nullptr;
    xcb_window_t root_ = 0;
    xcb_atom_t protocols_ = 0;
    xcb_atom_t ping_ = 0;
    xcb_atom_t takeFocus_ = 0;
    xcb_atom_t deleteWindow_ = 0;
    xcb_atom_t pid_ = 0;
    xcb_atom_t netName_ = 0;
    xcb_atom_t utf8_ = 0;
    std::vector<xcb_keysym_t> keymap_;
    int symsPerCode_ = 0;
    xcb_keycode_t minCode_ = 0;
};

} // namespace torvane::test
