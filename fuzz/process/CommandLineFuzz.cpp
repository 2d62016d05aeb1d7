// Configured command lines come from settings anyone may edit: splitting must take any bytes.
#include "platform/process/CommandLine.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string_view line(reinterpret_cast<const char*>(data), size);
    std::size_t total = 0;
    for (const auto& word : torvane::process::splitCommandLine(line))
        total += word.size();
    // Splitting only ever drops characters.
    if (total > size)
        __builtin_trap();
    return 0;
}
