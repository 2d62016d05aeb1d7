// Reads a MIDI file with the midicsv tool, an independent parser, and checks what it sees.
#pragma once

#include "melody/document/NoteEntry.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <span>
#include <vector>

// Writes the bytes to a temporary file, runs midicsv on it and checks: format 0, one track,
// 96 ticks per quarter note, the tempo of beatsPerMinute, and for every note in order a note-on
// (a note-off of key 48 for a rest) at its start and a note-off at its end, then the end of
// the track.
::testing::AssertionResult MidicsvReads(std::span<const std::uint8_t> file,
                                        const std::vector<NoteEntry>& notes, int beatsPerMinute);
