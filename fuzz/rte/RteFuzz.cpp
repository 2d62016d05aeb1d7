// Feeds arbitrary bytes to the .rte reader. Whatever the input, loading must not crash or
// overrun; an accepted file must leave a melody that obeys its limits, store back to the very
// bytes it came from and build a MIDI file that fits its buffer; a refused or cut-off one must
// leave the document as it was.
#include "melody/document/Archive.h"
#include "melody/document/CMelvioDoc.h"
#include "melody/document/ErrorReporter.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <span>

namespace {

struct CountingReporter : ErrorReporter {
    int reports = 0;
    void Fehler_Melden(int, int) override { ++reports; }
};

void Require(bool condition)
{
    if (!condition)
        __builtin_trap();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::span<const std::uint8_t> input(data, size);
    CountingReporter reporter;
    CMelvioDoc doc({&reporter, nullptr, nullptr});
    Archive ar(input);
    const SerializeResult result = doc.Serialize(ar);

    if (result != SerializeResult::Done) {
        Require(doc.noteCount == 0 && doc.tempo == 120 && !doc.IsModified());
        Require(reporter.reports == (result == SerializeResult::Refused ? 1 : 0));
        return 0;
    }

    Require(doc.noteCount >= 0 && doc.noteCount <= MELODY_SLOTS);
    for (int i = 0; i < doc.noteCount; ++i)
        Require(IsValidNote(doc.notes[static_cast<std::size_t>(i)]));

    // Only a melody kept whole stores back to its own bytes; a longer one was cut to 71.
    std::int32_t announced = 0;
    std::memcpy(&announced, data + 23, sizeof announced);
    Archive out;
    doc.Serialize(out);
    const std::size_t stored = out.Bytes().size();
    Require(stored == 31 + 12 * std::size_t(doc.noteCount));
    if (announced <= MELODY_SLOTS)
        Require(std::equal(out.Bytes().begin(), out.Bytes().end(), data));

    const auto midi = doc.BuildMidiFile();
    Require(midi.size() >= 33 && midi.size() <= 672);
    Require(midi.size() == 22 + std::size_t(doc.trackLength));
    return 0;
}
