// The .rte melody file: a length-prefixed magic text, the note count, the tempo and the notes,
// little-endian.
#include "melody/document/CMelvioDoc.h"

#include "melody/document/Archive.h"
#include "melody/document/ErrorReporter.h"

#include <algorithm>
#include <cstring>

namespace {

// 18 characters and then backslash, x, 1, A as four characters: the text was written with the
// escape spelled out, and every file carries it that way.
constexpr char RTE_MAGIC[] = "QVN PRO - RTME 1.0\\x1A";
constexpr std::size_t RTE_MAGIC_LENGTH = sizeof RTE_MAGIC - 1;
static_assert(RTE_MAGIC_LENGTH == 22);

} // namespace

SerializeResult CMelvioDoc::Serialize(Archive& ar)
{
    if (ar.IsStoring()) {
        Store(ar);
        return SerializeResult::Done;
    }
    return Load(ar);
}

void CMelvioDoc::Store(Archive& ar)
{
    tempo = ReadTempo();
    const int count = std::clamp(noteCount, 0, MELODY_SLOTS);
    ar.WriteByte(static_cast<std::uint8_t>(RTE_MAGIC_LENGTH));
    ar.WriteBytes({reinterpret_cast<const std::uint8_t*>(RTE_MAGIC), RTE_MAGIC_LENGTH});
    ar.WriteInt32(count);
    ar.WriteInt32(tempo);
    for (int i = 0; i < count; ++i) {
        ar.WriteInt32(notes[i].pitch);
        ar.WriteInt32(notes[i].duration);
        ar.WriteInt32(notes[i].dotted);
    }
    SetModifiedFlag(false);
}

SerializeResult CMelvioDoc::Load(Archive& ar)
{
    // Everything is read into locals first, so a refused or cut-off file leaves the document
    // exactly as it was.
    std::uint8_t magicLength = 0;
    if (!ar.ReadByte(magicLength))
        return SerializeResult::Truncated;
    // Any other length cannot be the magic; the text behind it is not read at all, whatever
    // size its prefix announces.
    if (magicLength != RTE_MAGIC_LENGTH) {
        Report(ERROR_CLASS_REFUSED, IDS_ERR_LOAD_FILE);
        return SerializeResult::Refused;
    }
    std::uint8_t magic[RTE_MAGIC_LENGTH];
    if (!ar.ReadBytes(magic))
        return SerializeResult::Truncated;
    if (std::memcmp(magic, RTE_MAGIC, RTE_MAGIC_LENGTH) != 0) {
        Report(ERROR_CLASS_REFUSED, IDS_ERR_LOAD_FILE);
        return SerializeResult::Refused;
    }

    std::int32_t count = 0;
    std::int32_t fileTempo = 0;
    if (!ar.ReadInt32(count) || !ar.ReadInt32(fileTempo))
        return SerializeResult::Truncated;
    if (count < 0) {
        Report(ERROR_CLASS_REFUSED, IDS_ERR_LOAD_FILE);
        return SerializeResult::Refused;
    }

    std::array<NoteEntry, MELODY_SLOTS> loaded = notes;
    for (std::int32_t i = 0; i < count; ++i) {
        NoteEntry note{};
        if (!ar.ReadInt32(note.pitch) || !ar.ReadInt32(note.duration) || !ar.ReadInt32(note.dotted))
            return SerializeResult::Truncated;
        // Notes past the 71st are dropped, but a broken one still marks a broken file.
        if (!IsValidNote(note)) {
            Report(ERROR_CLASS_REFUSED, IDS_ERR_LOAD_FILE);
            return SerializeResult::Refused;
        }
        if (i < MELODY_SLOTS)
            loaded[static_cast<std::size_t>(i)] = note;
    }

    notes = loaded;
    noteCount = std::min(count, MELODY_SLOTS);
    tempo = fileTempo;
    if (count > MELODY_SLOTS)
        Report(ERROR_CLASS_REFUSED, IDS_ERR_FILE_TOO_LONG);
    ShowTempo(tempo);
    SetModifiedFlag(false);
    return SerializeResult::Done;
}
