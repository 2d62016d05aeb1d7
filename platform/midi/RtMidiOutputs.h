// The system's MIDI outputs through RtMidi (the ALSA sequencer). Without a sequencer (no sound
// driver loaded, a container) the system simply has no devices.
#pragma once

#include "platform/midi/MidiOutputs.h"

#include <memory>

namespace torvane::midi {

std::unique_ptr<MidiOutputs> makeSystemMidiOutputs();

} // namespace torvane::midi
