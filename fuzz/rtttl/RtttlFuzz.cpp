// Feeds arbitrary text to the RTTTL parser. Whatever the text, parsing must not crash or
// overrun; the melody it leaves must keep its limits and build a MIDI file that fits; a refused
// header or note list must leave the melody as it was.
#include "melody/document/CMelvioDoc.h"
#include "melody/document/ErrorReporter.h"
#include "melody/editing/Rtttl.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace {

struct CountingReporter : ErrorReporter {
    int reports = 0;
    void Fehler_Melden(int errorClass, int stringId) override
    {
        if (errorClass != 4 || stringId < 40014 || stringId > 40018)
            __builtin_trap();
        ++reports;
    }
};

void Require(bool condition)
{
    if (!condition)
        __builtin_trap();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    CountingReporter reporter;
    CMelvioDoc doc({&reporter, nullptr, nullptr});
    doc.notes[0] = {61, 3, 1};
    doc.noteCount = 1;

    const RtttlResult result = ParseRtttl(doc, text, &reporter);

    if (result == RtttlResult::HeaderRefused || result == RtttlResult::NotesRefused) {
        Require(reporter.reports >= 1);
        Require(doc.noteCount == 1 && doc.notes[0] == (NoteEntry{61, 3, 1}));
        return 0;
    }
    Require(doc.noteCount >= 1 && doc.noteCount <= MELODY_SLOTS);
    for (int i = 0; i < doc.noteCount; ++i) {
        const NoteEntry& note = doc.notes[std::size_t(i)];
        Require(IsValidNote(note));
        Require(note.pitch == 0 || (note.pitch >= 48 && note.pitch <= 95));
    }
    if (result == RtttlResult::Ended)
        Require(reporter.reports >= 1);
    const auto midi = doc.BuildMidiFile();
    Require(midi.size() >= 33 && midi.size() <= 672);
    return 0;
}
