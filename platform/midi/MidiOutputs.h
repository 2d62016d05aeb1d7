// The MIDI output devices of the system, by index as the programs store them (0 up to count - 1).
// Having no device at all is a normal state: the count is 0 and every open fails.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

namespace torvane::midi {

// One opened output. Closing is destroying it; a note still sounding is the caller's to end.
class MidiOutput {
public:
    virtual ~MidiOutput() = default;
    // A channel message of up to three bytes packed as status | data1 << 8 | data2 << 16;
    // messages whose status takes one data byte send two bytes. False when it was not sent.
    virtual bool shortMessage(std::uint32_t packed) = 0;
};

class MidiOutputs {
public:
    virtual ~MidiOutputs() = default;
    virtual int deviceCount() = 0;
    // The product name of device index; empty when there is no such device.
    virtual std::string deviceName(int index) = 0;
    // Null when the device does not exist or cannot be opened now.
    virtual std::unique_ptr<MidiOutput> open(int index) = 0;
};

// status | data1 << 8 | data2 << 16, as a short message travels.
constexpr std::uint32_t packShortMessage(std::uint8_t status, std::uint8_t data1, std::uint8_t data2)
{
    return std::uint32_t(status) | std::uint32_t(data1) << 8 | std::uint32_t(data2) << 16;
}

// How many bytes a channel message with this status byte has (1 to 3); 0 for a byte that does
// not start a channel message.
int shortMessageLength(std::uint8_t status);

} // namespace torvane::midi
