// One note or rest of a melody, as the document, its files, the clipboard and the view hold it.
#pragma once

#include <cstdint>

struct NoteEntry {
    std::int32_t pitch;    // MIDI note number; 0 = rest
    std::int32_t duration; // 0 whole, 1 half, 2 quarter, 3 eighth, 4 sixteenth, 5 thirty-second
    std::int32_t dotted;   // 1 = one and a half times the length

    friend bool operator==(const NoteEntry&, const NoteEntry&) = default;
};

// The bounds every note in a melody keeps: a rest or a MIDI key from 24 up, one of the six
// durations, a plain or dotted flag. Notes read from a file are held to them, and the editing
// operations refuse anything else, so the MIDI builder never meets a value it cannot encode.
constexpr bool IsValidNote(const NoteEntry& note)
{
    return (note.pitch == 0 || (note.pitch >= 24 && note.pitch <= 127))
        && note.duration >= 0 && note.duration <= 5
        && (note.dotted == 0 || note.dotted == 1);
}
