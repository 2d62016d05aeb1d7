// Feeds arbitrary bytes to the Standard MIDI File reader the sequencer plays from: no crash,
// no overrun, and an accepted file gives channel messages in time order.
#include "platform/midi/MidiOutputs.h"
#include "platform/midi/SmfReader.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const auto sequence = torvane::midi::readSmf({data, size});
    if (!sequence)
        return 0;
    std::int64_t last = 0;
    for (const auto& event : sequence->events) {
        if (event.atMicros < last || torvane::midi::shortMessageLength(std::uint8_t(event.message)) == 0)
            __builtin_trap();
        last = event.atMicros;
    }
    if (sequence->lengthMicros < last)
        __builtin_trap();
    return 0;
}
