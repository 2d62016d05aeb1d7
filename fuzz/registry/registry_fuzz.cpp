// Feeds any bytes to the REGEDIT4 parser as a file of either root. Besides not crashing, a file
// that is taken must come back unchanged through writing and reading again, and a refused one
// must say where and why.
#include "platform/registry/RegFileFormat.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

using namespace torvane::registry;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const long lines = 1 + std::count(text.begin(), text.end(), '\n');
    for (const std::string_view root : {"HKEY_CURRENT_USER", "HKEY_LOCAL_MACHINE"}) {
        const ParseResult parsed = parseRegFile(text, root);
        if (!parsed.ok) {
            if (parsed.line < 1 || parsed.line > lines || parsed.message.empty())
                std::abort();
            continue;
        }
        const std::string written = formatRegFile(parsed.tree, root);
        const ParseResult back = parseRegFile(written, root);
        if (!back.ok || !(back.tree == parsed.tree) || formatRegFile(back.tree, root) != written)
            std::abort();
    }
    return 0;
}
