#include "tests/integration/randominput/RandomEvents.h"

#include <algorithm>
#include <iterator>
#include <utility>

namespace torvane::test {

namespace {

// Special keys by their X symbols, and how they are written in the list of events.
const std::pair<xcb_keysym_t, const char*> kSpecialKeys[] = {
    {0xff0d, "Return"}, {0xff8d, "Enter"},  {0xff1b, "Escape"}, {0xff09, "Tab"},      {0xff08, "Backspace"},
    {0xffff, "Delete"}, {0xff63, "Insert"}, {0xff50, "Home"},   {0xff57, "End"},      {0xff55, "PageUp"},
    {0xff56, "PageDown"}, {0xff51, "Left"}, {0xff52, "Up"},     {0xff53, "Right"},    {0xff54, "Down"},
    {0x0020, "Space"},
};
constexpr xcb_keysym_t kF1 = 0xffbe;
// Typed text: letters, digits and what dates, times, numbers and names hold. No "/" or "\",
// with which a typed folder name would leave the test's own folder.
const char kTyped[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789:.,-+#*!? ";

std::string keyName(const Chord& chord)
{
    std::string name;
    if (chord.control)
        name += "Ctrl+";
    if (chord.alt)
        name += "Alt+";
    if (chord.shift)
        name += "Shift+";
    for (const auto& [key, text] : kSpecialKeys)
        if (key == chord.key)
            return name + text;
    if (chord.key >= kF1 && chord.key < kF1 + 12)
        return name + "F" + std::to_string(chord.key - kF1 + 1);
    return name + (chord.key >= 0x20 && chord.key < 0x7f ? std::string(1, char(chord.key)) : "?");
}

} // namespace

QPoint RandomEvents::randomPoint(const QRect& rect)
{
    return QPoint(rect.x() + pick(std::max(1, rect.width())), rect.y() + pick(std::max(1, rect.height())));
}

Chord RandomEvents::randomChord()
{
    const int kind = pick(100);
    Chord chord;
    if (kind < 40) {
        chord.key = xcb_keysym_t(kTyped[pick(int(sizeof kTyped) - 1)]);
    } else if (kind < 70) {
        chord.key = kSpecialKeys[pick(int(std::size(kSpecialKeys)))].first;
        chord.shift = chord.key == 0xff09 && pick(3) == 0; // Shift+Tab
    } else if (kind < 74) {
        chord.key = kF1 + xcb_keysym_t(pick(12));
    } else if (kind < 88) {
        chord.key = xcb_keysym_t('a' + pick(26));
        chord.control = true;
    } else if (kind < 92) {
        chord.key = xcb_keysym_t('a' + pick(26));
        chord.alt = true;
    } else if (kind < 98) {
        // A paste, mostly with nothing on the clipboard, as after a login.
        chord.key = 'v';
        chord.control = true;
    } else {
        chord.key = 0xff63; // Shift+Insert, the other paste
        chord.shift = true;
    }
    return chord;
}

void RandomEvents::give(const TopWindow& target, const std::string& program)
{
    const std::string where = program + " '" + target.title + "'";
    const QPoint at = randomPoint(target.rect);
    const QPoint inside = at - target.rect.topLeft();
    const std::string point = " (" + std::to_string(inside.x()) + "," + std::to_string(inside.y()) + ")";
    const int kind = pick(100);
    if (kind < 46) {
        const Chord chord = randomChord();
        if (!x_.canType(chord))
            return;
        tell_(where + ": " + keyName(chord));
        // The keyboard goes where a window manager would give it after a click on the window.
        if (!target.popup)
            x_.focus(target.id);
        x_.type(chord);
    } else if (kind < 70) {
        tell_(where + ": click" + point);
        x_.click(at);
    } else if (kind < 79) {
        tell_(where + ": double click" + point);
        x_.click(at);
        x_.click(at);
    } else if (kind < 83) {
        tell_(where + ": right click" + point);
        x_.click(at, 3);
    } else if (kind < 85) {
        tell_(where + ": middle click" + point);
        x_.click(at, 2);
    } else if (kind < 91) {
        const QPoint to = randomPoint(target.rect);
        tell_(where + ": drag" + point + " to (" + std::to_string(to.x() - target.rect.x()) + "," +
             std::to_string(to.y() - target.rect.y()) + ")");
        x_.move(at);
        x_.button(1, true);
        for (int i = 1; i <= 4; ++i)
            x_.move(at + (to - at) * i / 4);
        x_.button(1, false);
    } else {
        const bool up = pick(2) == 0;
        const int turns = 1 + pick(3);
        tell_(where + ": wheel " + (up ? "up" : "down") + " " + std::to_string(turns) + point);
        x_.move(at);
        for (int i = 0; i < turns; ++i) {
            x_.button(up ? 4 : 5, true);
            x_.button(up ? 4 : 5, false);
        }
    }
    x_.sync();
}

} // namespace torvane::test
