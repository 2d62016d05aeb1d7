#include "outlookbutton/ShowLastError.h"

#include "platform/exchext/ExchMessageBox.h"

#include <string>

namespace torvane::plinket {

namespace {

constexpr std::size_t kCaptionLength = 255;

} // namespace

void ShowLastError(const char* name, const process::SystemError& error)
{
    std::string caption = name && *name ? std::string("Error:") + name : std::string("Error");
    if (caption.size() > kCaptionLength)
        caption.resize(kCaptionLength);
    exchext::showMessageBox(0, error.message, caption, MB_OK | MB_ICONINFORMATION);
}

} // namespace torvane::plinket
