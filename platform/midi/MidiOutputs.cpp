#include "platform/midi/MidiOutputs.h"

namespace torvane::midi {

int shortMessageLength(std::uint8_t status)
{
    if (status < 0x80 || status >= 0xF0)
        return 0;
    const std::uint8_t kind = status & 0xF0;
    // Program change and channel pressure carry one data byte, the others two.
    return kind == 0xC0 || kind == 0xD0 ? 2 : 3;
}

} // namespace torvane::midi
