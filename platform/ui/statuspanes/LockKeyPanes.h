// The three lock-key panes (CAP, NUM, SCRL) at the right of a frame's status bar, beside the
// message pane the frame adds itself.
#pragma once

class QStatusBar;

namespace torvane::ui {

void addLockKeyPanes(QStatusBar& bar);

} // namespace torvane::ui
