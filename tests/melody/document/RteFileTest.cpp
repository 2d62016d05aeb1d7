// The .rte melody file: storing, loading, and refusing what is not a sound melody file.
#include "DocFakes.h"
#include "MidicsvCheck.h"

#include "melody/document/Archive.h"
#include "melody/document/CMelvioDoc.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

using Bytes = std::vector<std::uint8_t>;

const std::string MAGIC = "QVN PRO - RTME 1.0\\x1A";

void Put32(Bytes& out, std::int32_t value)
{
    const auto bits = std::uint32_t(value);
    out.insert(out.end(), {std::uint8_t(bits), std::uint8_t(bits >> 8), std::uint8_t(bits >> 16),
                           std::uint8_t(bits >> 24)});
}

// A file as another writer would lay it out: magic, count, tempo, notes.
Bytes RteFile(std::int32_t count, std::int32_t tempo, const std::vector<NoteEntry>& notes,
              const std::string& magic = MAGIC)
{
    Bytes out{std::uint8_t(magic.size())};
    out.insert(out.end(), magic.begin(), magic.end());
    Put32(out, count);
    Put32(out, tempo);
    for (const NoteEntry& n : notes) {
        Put32(out, n.pitch);
        Put32(out, n.duration);
        Put32(out, n.dotted);
    }
    return out;
}

Bytes RteFile(std::int32_t tempo, const std::vector<NoteEntry>& notes)
{
    return RteFile(std::int32_t(notes.size()), tempo, notes);
}

std::vector<NoteEntry> Melody(std::size_t count)
{
    std::vector<NoteEntry> notes;
    for (std::size_t i = 0; i < count; ++i)
        notes.push_back({i % 7 == 3 ? 0 : int(24 + (i * 5) % 104), int(i % 6), int(i % 2)});
    return notes;
}

std::vector<NoteEntry> NotesOf(const CMelvioDoc& doc)
{
    return {doc.notes.begin(), doc.notes.begin() + doc.noteCount};
}

SerializeResult Load(CMelvioDoc& doc, const Bytes& file)
{
    Archive ar(file);
    return doc.Serialize(ar);
}

Bytes Store(CMelvioDoc& doc)
{
    Archive ar;
    EXPECT_EQ(doc.Serialize(ar), SerializeResult::Done);
    return ar.Bytes();
}

// A document with a melody of its own, to show that a failed load leaves it alone.
struct LoadFixture : ::testing::Test {
    RecordingReporter reporter;
    FakeTempoField field;
    CMelvioDoc doc{{&reporter, &field, nullptr}};
    std::vector<NoteEntry> before = Melody(5);

    void SetUp() override
    {
        for (std::size_t i = 0; i < before.size(); ++i)
            doc.notes[i] = before[i];
        doc.noteCount = 5;
        doc.tempo = 99;
        doc.SetModifiedFlag(true);
    }

    void ExpectUnchanged()
    {
        EXPECT_EQ(NotesOf(doc), before);
        EXPECT_EQ(doc.tempo, 99);
        EXPECT_TRUE(doc.IsModified());
        EXPECT_TRUE(field.shown.empty());
    }
};

using Reports = std::vector<std::pair<int, int>>;
const Reports LOAD_ERROR{{4, 40006}};

TEST(RteFile, StoresTheLayoutByteForByte)
{
    CMelvioDoc doc;
    const std::vector<NoteEntry> melody{{60, 2, 0}, {0, 5, 1}, {127, 0, 1}};
    for (std::size_t i = 0; i < melody.size(); ++i)
        doc.notes[i] = melody[i];
    doc.noteCount = 3;
    doc.tempo = 77;
    doc.SetModifiedFlag(true);
    const Bytes file = Store(doc);
    EXPECT_EQ(file, RteFile(77, melody));
    ASSERT_EQ(file.size(), 31u + 36);
    EXPECT_EQ(file[0], 22);
    EXPECT_EQ(std::string(file.begin() + 19, file.begin() + 23), "\\x1A");
    EXPECT_FALSE(doc.IsModified());
}

TEST(RteFile, RoundTripIsByteForByte)
{
    for (const std::size_t count : {0u, 1u, 12u, 70u, 71u}) {
        const Bytes file = RteFile(40 + int(count), Melody(count));
        CMelvioDoc doc;
        doc.SetModifiedFlag(true);
        ASSERT_EQ(Load(doc, file), SerializeResult::Done) << count << " notes";
        EXPECT_EQ(NotesOf(doc), Melody(count));
        EXPECT_EQ(doc.tempo, 40 + int(count));
        EXPECT_FALSE(doc.IsModified());
        EXPECT_EQ(Store(doc), file) << count << " notes";
    }
}

TEST(RteFile, LoadsFromAFile)
{
    const Bytes file = RteFile(150, Melody(20));
    const char* tmp = std::getenv("TORVANE_TEST_TMP");
    const auto path = std::filesystem::path(tmp ? tmp : std::filesystem::temp_directory_path().string()) / "m.rte";
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(file.data()), std::streamsize(file.size()));

    std::ifstream in(path, std::ios::binary);
    Archive ar(in);
    CMelvioDoc doc;
    ASSERT_EQ(doc.Serialize(ar), SerializeResult::Done);
    EXPECT_EQ(NotesOf(doc), Melody(20));
    EXPECT_EQ(Store(doc), file);
    std::filesystem::remove(path);
}

TEST_F(LoadFixture, LoadShowsTheTempoOfTheFile)
{
    ASSERT_EQ(Load(doc, RteFile(200, Melody(3))), SerializeResult::Done);
    EXPECT_EQ(field.shown, std::vector<int>{200});
    EXPECT_EQ(field.ShownDocument(), &doc);
    EXPECT_TRUE(reporter.reports.empty());
}

TEST_F(LoadFixture, StoringTakesTheTempoShownForThisMelody)
{
    doc.ShowTempo(doc.tempo);
    field.text = 300; // typed into the field, read when stored
    const Bytes file = Store(doc);
    EXPECT_EQ(file, RteFile(240, before));
    EXPECT_EQ(doc.tempo, 240);
}

// The field serves every melody: storing one that is not shown must keep its own tempo.
TEST_F(LoadFixture, StoringAMelodyNotShownKeepsItsOwnTempo)
{
    CMelvioDoc other({&reporter, &field, nullptr});
    doc.ShowTempo(doc.tempo);
    other.ShowTempo(180); // another melody took the field
    EXPECT_EQ(Store(doc), RteFile(99, before));
    EXPECT_EQ(doc.tempo, 99);
    EXPECT_EQ(Store(other), RteFile(180, {}));
}

TEST_F(LoadFixture, EightyNotesKeepTheFirst71AndReportOnce)
{
    const auto melody = Melody(80);
    ASSERT_EQ(Load(doc, RteFile(130, melody)), SerializeResult::Done);
    EXPECT_EQ(doc.noteCount, 71);
    EXPECT_EQ(NotesOf(doc), std::vector<NoteEntry>(melody.begin(), melody.begin() + 71));
    EXPECT_EQ(reporter.reports, (Reports{{4, 40007}}));
    EXPECT_EQ(doc.tempo, 130);
    EXPECT_EQ(field.shown, std::vector<int>{130});
    EXPECT_FALSE(doc.IsModified());
}

// A melody of 71 notes from a file is played, uploaded and stored with all 71.
TEST_F(LoadFixture, SeventyOneLoadedNotesAreBuiltAndStoredWhole)
{
    const auto melody = Melody(71);
    const Bytes file = RteFile(120, melody);
    ASSERT_EQ(Load(doc, file), SerializeResult::Done);
    const auto midi = doc.BuildMidiFile();
    EXPECT_TRUE(MidicsvReads(midi, melody, 120));
    EXPECT_EQ(Store(doc), file);
}

TEST_F(LoadFixture, WrongMagicIsRefused)
{
    const std::vector<std::string> magics{
        "qvn pro - rtme 1.0\\x1A", // case matters
        "QVN PRO - RTME 1.1\\x1A",
        "QVN PRO - RTME 1.0\\x1a",
        std::string("QVN PRO - RTME 1.0\x1A"), // the escape as one byte, length 19
        std::string(22, '\0'),
        "",
    };
    for (const std::string& magic : magics) {
        reporter.reports.clear();
        EXPECT_EQ(Load(doc, RteFile(1, 120, Melody(1), magic)), SerializeResult::Refused) << magic;
        EXPECT_EQ(reporter.reports, LOAD_ERROR) << magic;
        ExpectUnchanged();
    }
}

// A first byte other than 22 cannot start the magic: nothing after it is read, however long a
// text its prefix announces.
TEST_F(LoadFixture, FirstByteOtherThan22IsRefusedAtOnce)
{
    const std::vector<Bytes> files{
        {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x7F},
        {0xFF, 0xFE, 0xFF},
        {0xFF},
        {0x00},
        {21, 'Q'},
        {23, 'Q', 'V', 'N'},
    };
    for (const Bytes& file : files) {
        reporter.reports.clear();
        std::istringstream in(std::string(file.begin(), file.end()));
        Archive ar(in);
        EXPECT_EQ(doc.Serialize(ar), SerializeResult::Refused);
        EXPECT_EQ(in.tellg(), 1) << "read past the length byte " << int(file[0]);
        EXPECT_EQ(reporter.reports, LOAD_ERROR);
        ExpectUnchanged();
    }
}

TEST_F(LoadFixture, TruncatedFilesFailWithoutTouchingTheMelody)
{
    const Bytes full = RteFile(110, Melody(3));
    for (std::size_t size = 0; size < full.size(); ++size) {
        const Bytes cut(full.begin(), full.begin() + std::ptrdiff_t(size));
        EXPECT_EQ(Load(doc, cut), SerializeResult::Truncated) << size << " bytes";
        ExpectUnchanged();
    }
    EXPECT_TRUE(reporter.reports.empty());
}

TEST_F(LoadFixture, FileAnnouncingMoreNotesThanItHoldsIsTruncated)
{
    for (const std::int32_t count : {4, 72, 0x7FFFFFFF}) {
        EXPECT_EQ(Load(doc, RteFile(count, 120, Melody(3))), SerializeResult::Truncated) << count;
        ExpectUnchanged();
    }
    EXPECT_TRUE(reporter.reports.empty());
}

TEST_F(LoadFixture, NegativeNoteCountIsRefused)
{
    for (const std::int32_t count : {-1, -71, std::numeric_limits<std::int32_t>::min()}) {
        reporter.reports.clear();
        EXPECT_EQ(Load(doc, RteFile(count, 120, Melody(3))), SerializeResult::Refused) << count;
        EXPECT_EQ(reporter.reports, LOAD_ERROR);
        ExpectUnchanged();
    }
}

// Each field of a note outside its range breaks the file, wherever the note stands.
struct BadNote {
    NoteEntry note;
    const char* what;
};

class HostileNote : public LoadFixture, public ::testing::WithParamInterface<BadNote> {};

TEST_P(HostileNote, IsRefusedAndTheMelodyStays)
{
    for (const std::size_t position : {0u, 2u, 70u, 75u}) {
        reporter.reports.clear();
        auto melody = Melody(position < 71 ? 71 : 80);
        melody[position] = GetParam().note;
        EXPECT_EQ(Load(doc, RteFile(130, melody)), SerializeResult::Refused) << "at " << position;
        EXPECT_EQ(reporter.reports, LOAD_ERROR) << "at " << position;
        ExpectUnchanged();
    }
}

INSTANTIATE_TEST_SUITE_P(
    OutOfRange, HostileNote,
    ::testing::Values(BadNote{{-1, 2, 0}, "negative pitch"}, BadNote{{1, 2, 0}, "pitch 1"},
                      BadNote{{23, 2, 0}, "pitch 23"}, BadNote{{128, 2, 0}, "pitch 128"},
                      BadNote{{0x7FFFFFFF, 2, 0}, "huge pitch"}, BadNote{{60, -1, 0}, "negative duration"},
                      BadNote{{60, 6, 0}, "duration 6"}, BadNote{{60, 40, 0}, "duration 40"},
                      BadNote{{60, 2, -1}, "negative dotted"}, BadNote{{60, 2, 2}, "dotted 2"},
                      BadNote{{0, 2, 0x10000}, "dotted of a rest"}),
    [](const auto& info) {
        std::string name = info.param.what;
        for (char& c : name)
            if (c == ' ')
                c = '_';
        return name;
    });

TEST(RteFile, NotesAtTheEdgesOfTheirRangesLoad)
{
    const std::vector<NoteEntry> melody{{0, 0, 0}, {24, 5, 1}, {127, 0, 1}, {0, 5, 1}, {25, 3, 0}};
    CMelvioDoc doc;
    ASSERT_EQ(Load(doc, RteFile(120, melody)), SerializeResult::Done);
    EXPECT_EQ(NotesOf(doc), melody);
}

} // namespace
