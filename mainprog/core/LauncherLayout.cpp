#include "mainprog/core/LauncherLayout.h"

namespace corvant {

int hitButton(int x, int y)
{
    for (int i = 0; i < LAUNCHER_BUTTONS; ++i) {
        const ButtonRect& r = kButtonRects[i];
        if (r.left < x && x < r.right && r.top < y && y < r.bottom)
            return i;
    }
    return -1;
}

} // namespace corvant
