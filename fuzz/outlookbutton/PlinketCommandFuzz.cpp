// The button's registry value is outside input: parsing it must take any text.
#include "outlookbutton/PlinketCommand.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string_view value(reinterpret_cast<const char*>(data), size);
    const auto command = torvane::plinket::parsePlinketCommand(value);
    if (!command)
        return 0;
    // Fields are non-empty and hold no separator.
    for (const std::string* field : {&command->kind, command->commandLine ? &*command->commandLine : nullptr,
                                     command->procedure ? &*command->procedure : nullptr}) {
        if (field && (field->empty() || field->find(';') != std::string::npos))
            __builtin_trap();
    }
    return 0;
}
