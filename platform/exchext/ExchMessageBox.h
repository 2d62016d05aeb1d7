// Message boxes for code that runs inside a host process it does not own (an extension
// library): the host decides how a box is shown by installing a sink; without one the box is
// written to standard error and answered with OK, so an extension never needs a window system
// or an application object of its own. The sink is process-wide; this library is shared so that
// the host and every extension it loads see the same one.
#pragma once

#include "platform/wintypes.h"

#include <functional>
#include <string>

constexpr UINT MB_OK = 0x00000000;
constexpr UINT MB_ICONINFORMATION = 0x00000040;
constexpr int IDOK = 1;

namespace torvane::exchext {

struct MessageBoxRequest {
    HWND owner = 0; // 0: the box has no owner window
    std::string text;
    std::string caption;
    UINT type = MB_OK;
};

// Answers with the button chosen (IDOK, ...).
using MessageBoxSink = std::function<int(const MessageBoxRequest&)>;

// Installs the host's sink and returns the one it replaces; an empty sink restores the fallback.
MessageBoxSink setMessageBoxSink(MessageBoxSink sink);

// Shows a box through the current sink and returns its answer.
int showMessageBox(HWND owner, const std::string& text, const std::string& caption, UINT type);

} // namespace torvane::exchext
