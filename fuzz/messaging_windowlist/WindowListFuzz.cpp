// A window list is written by another process. The parser must survive anything, and what it
// accepts must be exactly what formatting the result gives back.
#include "platform/messaging/WindowList.h"

#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const auto windows = messaging::parseWindowList(text);
    if (windows && messaging::formatWindowList(*windows) != text)
        std::abort();
    return 0;
}
