// The Standard MIDI File of a melody: format 0, one track, 96 ticks per quarter note. The same
// bytes are played on the PC and uploaded to the phone.
#include "melody/document/CMelvioDoc.h"

#include "melody/document/TempoField.h"

#include <algorithm>
#include <functional>

namespace {

constexpr std::uint8_t SMF_HEADER[] = {
    'M', 'T', 'h', 'd', 0x00, 0x00, 0x00, 0x06, // header chunk of six bytes
    0x00, 0x00,                                 // format 0
    0x00, 0x01,                                 // one track
    0x00, 0x60,                                 // 96 ticks per quarter note
    'M', 'T', 'r', 'k', 0x00, 0x00, 0x00, 0x00, // track chunk; length filled in at the end
};
static_assert(sizeof SMF_HEADER == SMF_HEADER_SIZE);
constexpr std::size_t TRACK_LENGTH_OFFSET = 18;

constexpr int TICKS_PER_WHOLE = 384;
constexpr std::uint8_t NOTE_ON = 0x90;
constexpr std::uint8_t NOTE_OFF = 0x80;
constexpr std::uint8_t VELOCITY = 0x60;
// A rest is silent time between a note-off of an unsounded key and the next event.
constexpr std::uint8_t REST_PITCH = 0x30;
constexpr std::size_t TEMPO_EVENT_SIZE = 7;
constexpr std::size_t MAX_NOTE_EVENTS_SIZE = 9;
constexpr std::uint8_t END_OF_TRACK[] = {0x00, 0xFF, 0x2F, 0x00};

int NoteTicks(const NoteEntry& note)
{
    int ticks = TICKS_PER_WHOLE >> note.duration;
    if (note.dotted)
        ticks += TICKS_PER_WHOLE >> (note.duration + 1);
    return ticks;
}

} // namespace

bool CMelvioDoc::HasRoom(const std::uint8_t* out, std::size_t bytes) const
{
    // Positions handed back by the builder always lie inside the buffer; anything else is
    // refused rather than written through.
    const std::less_equal<const std::uint8_t*> le;
    const std::uint8_t* begin = smfBuffer.data();
    const std::uint8_t* end = begin + smfBuffer.size();
    return out && le(begin, out) && le(out, end) && std::size_t(end - out) >= bytes;
}

std::uint8_t* CMelvioDoc::BeginMidiFile()
{
    smfBuffer.fill(0);
    trackLength = 0;
    std::uint8_t* out = std::copy(std::begin(SMF_HEADER), std::end(SMF_HEADER), smfBuffer.data());

    // The tempo field keeps 40 to 240; a tempo from a file never went through it.
    const int beatsPerMinute = std::clamp(ReadTempo(), TEMPO_MIN, TEMPO_MAX);
    const std::uint32_t microsPerQuarter = 60000000u / std::uint32_t(beatsPerMinute);
    *out++ = 0x00;
    *out++ = 0xFF;
    *out++ = 0x51;
    *out++ = 0x03;
    *out++ = std::uint8_t(microsPerQuarter >> 16);
    *out++ = std::uint8_t(microsPerQuarter >> 8);
    *out++ = std::uint8_t(microsPerQuarter);
    trackLength += TEMPO_EVENT_SIZE;
    smfWrite = out;
    return out;
}

std::uint8_t* CMelvioDoc::AppendNoteEvents(std::uint8_t* out, int index)
{
    if (index < 0 || index >= MELODY_SLOTS)
        return out;
    const NoteEntry& note = notes[static_cast<std::size_t>(index)];
    // Room for the end of track too, so a full buffer can always be closed.
    if (!IsValidNote(note) || !HasRoom(out, MAX_NOTE_EVENTS_SIZE + sizeof END_OF_TRACK))
        return out;

    const std::uint8_t* start = out;
    const bool rest = note.pitch == 0;
    const std::uint8_t key = rest ? REST_PITCH : std::uint8_t(note.pitch);
    const std::uint8_t velocity = rest ? 0x00 : VELOCITY;

    *out++ = 0x00;
    *out++ = rest ? NOTE_OFF : NOTE_ON;
    *out++ = key;
    *out++ = velocity;
    const int ticks = NoteTicks(note);
    if (ticks > 0x7F)
        *out++ = std::uint8_t((ticks >> 7) | 0x80);
    *out++ = std::uint8_t(ticks & 0x7F);
    *out++ = NOTE_OFF;
    *out++ = key;
    *out++ = velocity;

    trackLength += std::int32_t(out - start);
    smfWrite = out;
    return out;
}

std::uint8_t* CMelvioDoc::EndMidiFile(std::uint8_t* out)
{
    if (!HasRoom(out, sizeof END_OF_TRACK))
        return out;
    out = std::copy(std::begin(END_OF_TRACK), std::end(END_OF_TRACK), out);
    trackLength += sizeof END_OF_TRACK;
    const auto length = std::uint32_t(trackLength);
    std::uint8_t* field = smfBuffer.data() + TRACK_LENGTH_OFFSET;
    field[0] = std::uint8_t(length >> 24);
    field[1] = std::uint8_t(length >> 16);
    field[2] = std::uint8_t(length >> 8);
    field[3] = std::uint8_t(length);
    smfWrite = out;
    return out;
}

std::span<const std::uint8_t> CMelvioDoc::BuildMidiFile()
{
    std::uint8_t* out = BeginMidiFile();
    const int count = std::clamp(noteCount, 0, MELODY_SLOTS);
    for (int i = 0; i < count; ++i)
        out = AppendNoteEvents(out, i);
    EndMidiFile(out);
    return {smfBuffer.data(), SMF_HEADER_SIZE + std::size_t(trackLength)};
}
