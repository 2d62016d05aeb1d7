// The Standard MIDI File of a melody, byte for byte, and as an independent reader sees it.
#include "DocFakes.h"
#include "MidicsvCheck.h"

#include "melody/document/CMelvioDoc.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using Bytes = std::vector<std::uint8_t>;

const Bytes EMPTY_AT_120 = {0x4D, 0x54, 0x68, 0x64, 0x00, 0x00, 0x00, 0x06, 0x00, 0x00, 0x00,
                            0x01, 0x00, 0x60, 0x4D, 0x54, 0x72, 0x6B, 0x00, 0x00, 0x00, 0x0B,
                            0x00, 0xFF, 0x51, 0x03, 0x07, 0xA1, 0x20, 0x00, 0xFF, 0x2F, 0x00};

Bytes Build(CMelvioDoc& doc)
{
    const auto file = doc.BuildMidiFile();
    return {file.begin(), file.end()};
}

void SetMelody(CMelvioDoc& doc, const std::vector<NoteEntry>& melody)
{
    for (std::size_t i = 0; i < melody.size(); ++i)
        doc.notes[i] = melody[i];
    doc.noteCount = static_cast<std::int32_t>(melody.size());
}

// The empty file at 120 with the events of one note put before the end of track.
Bytes WithNoteEvents(const Bytes& events)
{
    Bytes file = EMPTY_AT_120;
    file.insert(file.end() - 4, events.begin(), events.end());
    file[21] = std::uint8_t(0x0B + events.size());
    return file;
}

TEST(MidiFile, EmptyMelodyAt120IsThe33ByteFile)
{
    CMelvioDoc doc;
    const Bytes file = Build(doc);
    EXPECT_EQ(file, EMPTY_AT_120);
    EXPECT_EQ(doc.trackLength, 11);
    EXPECT_TRUE(MidicsvReads(file, {}, 120));
}

TEST(MidiFile, OneQuarterNote60)
{
    CMelvioDoc doc;
    SetMelody(doc, {{60, 2, 0}});
    const Bytes file = Build(doc);
    EXPECT_EQ(file, WithNoteEvents({0x00, 0x90, 0x3C, 0x60, 0x60, 0x80, 0x3C, 0x60}));
    EXPECT_EQ(doc.trackLength, 19);
    EXPECT_TRUE(MidicsvReads(file, {{60, 2, 0}}, 120));
}

TEST(MidiFile, DottedWholeRestIsSilentTime)
{
    CMelvioDoc doc;
    SetMelody(doc, {{0, 0, 1}});
    const Bytes file = Build(doc);
    EXPECT_EQ(file, WithNoteEvents({0x00, 0x80, 0x30, 0x00, 0x84, 0x40, 0x80, 0x30, 0x00}));
    EXPECT_TRUE(MidicsvReads(file, {{0, 0, 1}}, 120));
}

TEST(MidiFile, Tempo70TruncatesTheMicroseconds)
{
    CMelvioDoc doc;
    doc.tempo = 70;
    SetMelody(doc, {{72, 3, 0}});
    const Bytes file = Build(doc);
    ASSERT_GE(file.size(), 29u);
    EXPECT_EQ(Bytes(file.begin() + 22, file.begin() + 29), (Bytes{0x00, 0xFF, 0x51, 0x03, 0x0D, 0x14, 0x36}));
    EXPECT_TRUE(MidicsvReads(file, {{72, 3, 0}}, 70));
}

TEST(MidiFile, SeventyOneDottedWholeNotesTake672Bytes)
{
    CMelvioDoc doc;
    std::vector<NoteEntry> melody;
    for (int i = 0; i < MELODY_SLOTS; ++i)
        melody.push_back({24 + i, 0, 1});
    SetMelody(doc, melody);
    const Bytes file = Build(doc);
    ASSERT_EQ(file.size(), 672u);
    EXPECT_EQ(Bytes(file.begin() + 18, file.begin() + 22), (Bytes{0x00, 0x00, 0x02, 0x8A}));
    for (int i = 0; i < MELODY_SLOTS; ++i) {
        const auto key = std::uint8_t(24 + i);
        const Bytes events(file.begin() + 29 + 9 * i, file.begin() + 38 + 9 * i);
        EXPECT_EQ(events, (Bytes{0x00, 0x90, key, 0x60, 0x84, 0x40, 0x80, key, 0x60})) << "note " << i;
    }
    EXPECT_EQ(Bytes(file.end() - 4, file.end()), (Bytes{0x00, 0xFF, 0x2F, 0x00}));
    EXPECT_TRUE(MidicsvReads(file, melody, 120));
}

// The independent check must notice a file that differs from the melody it stands for.
TEST(MidiFile, MidicsvCheckNoticesADifferentFile)
{
    CMelvioDoc doc;
    SetMelody(doc, {{60, 2, 0}});
    const Bytes file = Build(doc);
    EXPECT_FALSE(MidicsvReads(file, {{62, 2, 0}}, 120));
    EXPECT_FALSE(MidicsvReads(file, {{60, 2, 1}}, 120));
    EXPECT_FALSE(MidicsvReads(file, {{60, 2, 0}}, 121));
    EXPECT_FALSE(MidicsvReads(Bytes(file.begin(), file.begin() + 20), {{60, 2, 0}}, 120));
}

// Every length a note can have, as the delta time before its note-off.
struct LengthCase {
    int duration;
    int dotted;
    Bytes delta;
};

class NoteLength : public ::testing::TestWithParam<LengthCase> {};

TEST_P(NoteLength, IsWrittenAsVariableLengthDelta)
{
    const LengthCase& c = GetParam();
    CMelvioDoc doc;
    SetMelody(doc, {{65, c.duration, c.dotted}});
    const Bytes file = Build(doc);
    Bytes events{0x00, 0x90, 0x41, 0x60};
    events.insert(events.end(), c.delta.begin(), c.delta.end());
    events.insert(events.end(), {0x80, 0x41, 0x60});
    EXPECT_EQ(file, WithNoteEvents(events));
    EXPECT_TRUE(MidicsvReads(file, {{65, c.duration, c.dotted}}, 120));
}

INSTANTIATE_TEST_SUITE_P(AllDurations, NoteLength,
                         ::testing::Values(LengthCase{0, 0, {0x83, 0x00}}, LengthCase{1, 0, {0x81, 0x40}},
                                           LengthCase{2, 0, {0x60}}, LengthCase{3, 0, {0x30}},
                                           LengthCase{4, 0, {0x18}}, LengthCase{5, 0, {0x0C}},
                                           LengthCase{0, 1, {0x84, 0x40}}, LengthCase{1, 1, {0x82, 0x20}},
                                           LengthCase{2, 1, {0x81, 0x10}}, LengthCase{3, 1, {0x48}},
                                           LengthCase{4, 1, {0x24}}, LengthCase{5, 1, {0x12}}));

TEST(MidiFile, MixedMelodyReadsBackNoteForNote)
{
    CMelvioDoc doc;
    doc.tempo = 180;
    const std::vector<NoteEntry> melody{{60, 2, 0}, {0, 3, 0}, {64, 1, 1}, {127, 5, 0}, {24, 4, 1}, {0, 0, 0}};
    SetMelody(doc, melody);
    const Bytes file = Build(doc);
    EXPECT_EQ(file.size(), 22u + 7 + 8 + 8 + 9 + 8 + 8 + 9 + 4);
    EXPECT_TRUE(MidicsvReads(file, melody, 180));
}

// A tempo that never went through the tool bar's field (from a file) still gives a valid file.
TEST(MidiFile, TempoIsKeptWithinTheFieldsRange)
{
    struct Case {
        int tempo;
        int used;
    };
    for (const Case c : {Case{0, 40}, Case{-5, 40}, Case{39, 40}, Case{241, 240}, Case{100000, 240}}) {
        CMelvioDoc doc;
        doc.tempo = c.tempo;
        SetMelody(doc, {{60, 2, 0}});
        EXPECT_TRUE(MidicsvReads(Build(doc), {{60, 2, 0}}, c.used)) << "tempo " << c.tempo;
    }
}

TEST(MidiFile, TempoComesFromTheFieldWhileItShowsThisMelody)
{
    FakeTempoField field;
    CMelvioDoc doc({nullptr, &field, nullptr});
    doc.ShowTempo(doc.tempo);
    field.text = 300; // typed but not yet read: the field limits it when read
    const Bytes file = Build(doc);
    EXPECT_TRUE(MidicsvReads(file, {}, 240));
    EXPECT_EQ(field.text, 240);
}

TEST(MidiFile, EachBuildStartsAfresh)
{
    CMelvioDoc doc;
    std::vector<NoteEntry> melody(MELODY_SLOTS, NoteEntry{90, 0, 1});
    SetMelody(doc, melody);
    Build(doc);
    doc.noteCount = 0;
    const Bytes file = Build(doc);
    EXPECT_EQ(file, EMPTY_AT_120);
    for (std::size_t i = file.size(); i < SMF_BUFFER_SIZE; ++i)
        ASSERT_EQ(doc.smfBuffer[i], 0) << "byte " << i << " left from the earlier build";
    EXPECT_TRUE(MidicsvReads(file, {}, 120));
}

TEST(MidiFile, StepsReturnTheNextWritePosition)
{
    CMelvioDoc doc;
    SetMelody(doc, {{60, 2, 0}, {62, 0, 0}});
    std::uint8_t* const start = doc.smfBuffer.data();
    std::uint8_t* out = doc.BeginMidiFile();
    EXPECT_EQ(out, start + 29);
    out = doc.AppendNoteEvents(out, 0);
    EXPECT_EQ(out, start + 37);
    out = doc.AppendNoteEvents(out, 1);
    EXPECT_EQ(out, start + 46);
    out = doc.EndMidiFile(out);
    EXPECT_EQ(out, start + 50);
    EXPECT_EQ(doc.smfWrite, out);
    EXPECT_EQ(doc.trackLength + 22, 50);
    EXPECT_TRUE(MidicsvReads({start, 50}, {{60, 2, 0}, {62, 0, 0}}, 120));
}

// Positions outside the buffer, or too close to its end, are not written through.
TEST(MidiFile, AppendingOutsideTheBufferWritesNothing)
{
    CMelvioDoc doc;
    SetMelody(doc, {{60, 2, 0}});
    doc.BeginMidiFile();
    std::uint8_t* const nearEnd = doc.smfBuffer.data() + SMF_BUFFER_SIZE - 12;
    EXPECT_EQ(doc.AppendNoteEvents(nearEnd, 0), nearEnd);
    EXPECT_EQ(doc.AppendNoteEvents(nullptr, 0), nullptr);
    EXPECT_EQ(doc.AppendNoteEvents(doc.smfBuffer.data() + 29, MELODY_SLOTS), doc.smfBuffer.data() + 29);
    EXPECT_EQ(doc.trackLength, 7);
    for (std::size_t i = 29; i < SMF_BUFFER_SIZE; ++i)
        ASSERT_EQ(doc.smfBuffer[i], 0) << "byte " << i;
}

} // namespace
