// Reads a Standard MIDI File (format 0 or 1, ticks per quarter note) into the channel messages
// to send and the time of each, with the file's tempo changes applied. Any file is read
// without overrunning it; a file that breaks the format is refused as a whole.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace torvane::midi {

struct SmfEvent {
    std::int64_t atMicros;  // from the start of the sequence
    std::uint32_t message;  // status | data1 << 8 | data2 << 16
};

struct SmfSequence {
    std::vector<SmfEvent> events; // in time order; events of one instant keep the file's order
    std::int64_t lengthMicros = 0; // up to the last event or end of track, whichever is later
};

// At most this many channel messages are kept; a longer file is refused.
constexpr std::size_t SMF_MAX_EVENTS = 200000;

std::optional<SmfSequence> readSmf(std::span<const std::uint8_t> bytes);

} // namespace torvane::midi
