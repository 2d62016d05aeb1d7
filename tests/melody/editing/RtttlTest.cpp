// RTTTL text into a melody: the grammar, its refusals, and the import from the clipboard.
#include "EditFakes.h"

#include "melody/editing/Rtttl.h"
#include "melody/editing/SmartMessagePaste.h"

#include <gtest/gtest.h>

namespace {

using Reports = std::vector<std::pair<int, int>>;
using Notes = std::vector<NoteEntry>;

struct RtttlTest : ::testing::Test, EditorBench {
    Notes Melody() const { return {doc.notes.begin(), doc.notes.begin() + doc.noteCount}; }
    RtttlResult Parse(std::string_view text) { return ParseRtttl(doc, text, &reporter); }
};

TEST_F(RtttlTest, ExamplesOfTheFormat)
{
    struct Case {
        const char* text;
        Notes notes;
        int tempo;
    };
    const Case cases[] = {
        {"x:d=4,o=5,b=120:c,e,g", {{60, 2, 0}, {64, 2, 0}, {67, 2, 0}}, 120},
        {"x:d=8,o=6,b=90:4c#7.,p,16h", {{85, 2, 1}, {0, 3, 0}, {83, 4, 0}}, 90},
        {"x:o=5,d=4,b=100:c", {{60, 2, 0}}, 100},
        {"x:d=1,o=4,b=63:c,2d,4e,8f,16g,32a,p.", {{48, 0, 0}, {50, 1, 0}, {52, 2, 0}, {53, 3, 0}, {55, 4, 0}, {57, 5, 0}, {0, 0, 1}}, 63},
        {"x:d=16,o=7,b=200:b,a#", {{95, 4, 0}, {94, 4, 0}}, 200},
        {"x:d=32,o=5,b=120:32c#6,c##", {{73, 5, 0}, {62, 5, 0}}, 120},
        {"Some Tune Name 12345:b=140,d=4,o=5:C,E", {{60, 2, 0}, {64, 2, 0}}, 140},
        // A prefix that is no power of two counts its halvings: 3 is a half.
        {"x:d=4,o=5,b=120:3c", {{60, 1, 0}}, 120},
    };
    for (const Case& c : cases) {
        doc.noteCount = 0;
        reporter.reports.clear();
        EXPECT_EQ(Parse(c.text), RtttlResult::Done) << c.text;
        EXPECT_EQ(Melody(), c.notes) << c.text;
        EXPECT_EQ(doc.tempo, c.tempo) << c.text;
        EXPECT_EQ(field.shown.back(), c.tempo) << c.text;
        EXPECT_TRUE(reporter.reports.empty()) << c.text;
    }
}

TEST_F(RtttlTest, StrayCharactersInANoteAreReportedAndTheNoteKept)
{
    EXPECT_EQ(Parse("x:d=4,o=5,b=120:c9x,e"), RtttlResult::Done);
    EXPECT_EQ(Melody(), (Notes{{60, 2, 0}, {64, 2, 0}}));
    EXPECT_EQ(reporter.reports, (Reports{{4, 40014}, {4, 40014}}));
}

TEST_F(RtttlTest, HeaderRefusalsLeaveTheMelodyAlone)
{
    struct Case {
        const char* text;
        int id;
    };
    const Case cases[] = {
        {"", 40014},
        {"x:d=4,o=5,b=120", 40014},
        {"x:d=4,o=5:b=120:c", 40014},
        {"x:d=4,o=5:c", 40014},
        {"123456789012345678901:d=4,o=5,b=120:c", 40014},
        {"x:d=4,o=9,b=120:c", 40016},
        {"x:d=4,o=55,b=120:c", 40016},
        {"x:d=4,o=,b=120:c", 40016},
        {"x:d=4,o-5,b=120:c", 40014},
        {"x:d=4,o+5,b=120:c", 40014},
        {"x:d=3,o=5,b=120:c", 40015},
        {"x:d=64,o=5,b=120:c", 40015},
        {"x:d=128,o=5,b=120:c", 40015},
        {"x:d=,o=5,b=120:c", 40015},
        {"x:d,o=5,b=120:c", 40014},
        {"x:d4,o=5,b=120:c", 40014},
        {"x:d=4,o=5,b=1200:c", 40017},
        {"x:d=4,o=5,t=120:c", 40018},
        {"x:d=4,o=5,:c", 40018},
        {"x:D=4,o=5,b=120:c", 40018},
    };
    for (const Case& c : cases) {
        doc.notes[0] = {77, 1, 1};
        doc.noteCount = 1;
        reporter.reports.clear();
        EXPECT_EQ(Parse(c.text), RtttlResult::HeaderRefused) << c.text;
        EXPECT_EQ(reporter.reports, (Reports{{4, c.id}})) << c.text;
        EXPECT_EQ(Melody(), (Notes{{77, 1, 1}})) << c.text;
    }
}

TEST_F(RtttlTest, ATempoReadBeforeAFailingItemStays)
{
    doc.tempo = 77;
    Parse("x:b=150,d=3,o=5:c");
    EXPECT_EQ(doc.tempo, 150);
    EXPECT_EQ(reporter.reports, (Reports{{4, 40015}}));
}

TEST_F(RtttlTest, MissingDurationOrOctaveItemsUseFourAndSix)
{
    EXPECT_EQ(Parse("x:b=120,b=100,o=4:c"), RtttlResult::Done);
    EXPECT_EQ(Melody(), (Notes{{48, 2, 0}}));
    EXPECT_EQ(Parse("x:d=8,b=120,d=16:c"), RtttlResult::Done);
    EXPECT_EQ(Melody(), (Notes{{72, 4, 0}}));
    EXPECT_EQ(Parse("x:b=120,b=90,b=80:c,a"), RtttlResult::Done);
    EXPECT_EQ(Melody(), (Notes{{72, 2, 0}, {81, 2, 0}}));
    EXPECT_TRUE(reporter.reports.empty());
}

TEST_F(RtttlTest, NoteTokenLengths)
{
    EXPECT_EQ(Parse("x:d=4,o=5,b=120:32c#6,c"), RtttlResult::Done);
    EXPECT_EQ(Melody(), (Notes{{73, 5, 0}, {60, 2, 0}}));

    doc.noteCount = 1;
    doc.notes[0] = {77, 1, 1};
    EXPECT_EQ(Parse("x:d=4,o=5,b=120:c,32c#6.5,e"), RtttlResult::NotesRefused);
    EXPECT_EQ(reporter.reports, (Reports{{4, 40014}}));
    EXPECT_EQ(Melody(), (Notes{{77, 1, 1}}));
}

TEST_F(RtttlTest, AnUnknownLetterEndsTheImportWithWholeRestsAfter)
{
    EXPECT_EQ(Parse("x:d=4,o=5,b=120:c,q,e"), RtttlResult::Ended);
    EXPECT_EQ(reporter.reports, (Reports{{4, 40014}, {4, 40014}}));
    EXPECT_EQ(Melody(), (Notes{{60, 2, 0}, {0, 0, 0}, {0, 0, 0}}));
}

TEST_F(RtttlTest, NotesThatEndTheImport)
{
    const char* texts[] = {
        "x:d=4,o=5,b=120:c,b#,e",   // one above B
        "x:d=4,o=5,b=120:c,p#,e",   // a sharpened rest
        "x:d=4,o=5,b=120:c,q#,e",   // an unknown letter made C by its sharp
        "x:d=4,o=5,b=120:c,,e",     // no letter at all
        "x:d=4,o=5,b=120:c,1234567", // no letter among the first eight characters
        "x:d=4,o=5,b=120:c,",       // an empty last note
    };
    for (const char* text : texts) {
        reporter.reports.clear();
        EXPECT_EQ(Parse(text), RtttlResult::Ended) << text;
        EXPECT_EQ(doc.notes[0], (NoteEntry{60, 2, 0})) << text;
        EXPECT_EQ(doc.notes[1], (NoteEntry{0, 0, 0})) << text;
        EXPECT_FALSE(reporter.reports.empty());
        EXPECT_EQ(reporter.reports.back(), (std::pair{4, 40014})) << text;
    }
}

TEST_F(RtttlTest, DurationPrefixesOutside1To32AreRefused)
{
    for (const char* text : {"x:d=4,o=5,b=120:c,64e,g", "x:d=4,o=5,b=120:c,-4e,g", "x:d=4,o=5,b=120:c,33e,g"}) {
        reporter.reports.clear();
        EXPECT_EQ(Parse(text), RtttlResult::Ended) << text;
        EXPECT_EQ(reporter.reports, (Reports{{4, 40015}})) << text;
        EXPECT_EQ(Melody(), (Notes{{60, 2, 0}, {0, 0, 0}, {0, 0, 0}})) << text;
    }
}

TEST_F(RtttlTest, ATuneOfMoreThan71NotesIsCutAndReportedOnce)
{
    std::string text = "x:d=4,o=5,b=120:";
    for (int i = 0; i < 90; ++i)
        text += i ? ",e" : "c";
    EXPECT_EQ(Parse(text), RtttlResult::Done);
    EXPECT_EQ(reporter.reports, (Reports{{4, 40014}}));
    EXPECT_EQ(doc.noteCount, 71);
    EXPECT_EQ(doc.notes[0].pitch, 60);
    EXPECT_EQ(doc.notes[70], (NoteEntry{64, 2, 0}));

    reporter.reports.clear();
    text = "x:d=4,o=5,b=120:";
    for (int i = 0; i < 71; ++i)
        text += i ? ",e" : "c";
    EXPECT_EQ(Parse(text), RtttlResult::Done);
    EXPECT_TRUE(reporter.reports.empty());
    EXPECT_EQ(doc.noteCount, 71);
}

struct PasteTest : RtttlTest {
    FakeClipboard clipboard;
    void Paste() { OnSmartMessagePaste(doc, clipboard, &reporter); }
};

TEST_F(PasteTest, ClipboardTextBecomesTheMelody)
{
    doc.caret = doc.anchor = 9;
    clipboard.text = "x:d=4,o=5,b=120:c,e,g";
    Paste();
    EXPECT_EQ(Melody(), (Notes{{60, 2, 0}, {64, 2, 0}, {67, 2, 0}}));
    EXPECT_EQ(clipboard.askedFor, 710u);
    EXPECT_EQ(clipboard.closes, 1);
    EXPECT_EQ(doc.caret, 3);
    EXPECT_TRUE(doc.IsModified());
}

TEST_F(PasteTest, ClipboardFailures)
{
    clipboard.hasText = false;
    Paste();
    EXPECT_EQ(reporter.reports, (Reports{{4, 40012}}));
    EXPECT_FALSE(doc.IsModified());

    reporter.reports.clear();
    clipboard.hasText = true;
    clipboard.opens = false;
    Paste();
    EXPECT_EQ(reporter.reports, (Reports{{3, 40013}}));
    EXPECT_EQ(clipboard.closes, 0);

    // The data cannot be locked: the text stays empty and is parsed as such.
    reporter.reports.clear();
    clipboard.opens = true;
    clipboard.locks = false;
    Paste();
    EXPECT_EQ(reporter.reports, (Reports{{3, 40013}, {4, 40014}}));
    EXPECT_EQ(clipboard.closes, 1);
    EXPECT_TRUE(doc.IsModified());
}

TEST_F(PasteTest, AnEmptyTextIsRefused)
{
    clipboard.text = "";
    Paste();
    EXPECT_EQ(reporter.reports, (Reports{{4, 40014}}));
}

TEST(RtttlLetters, SemitonesOfTheLetters)
{
    RecordingReporter reporter;
    const std::pair<char, int> cases[] = {{'C', 0}, {'D', 2}, {'E', 4}, {'F', 5}, {'G', 7}, {'A', 9},
                                          {'B', 11}, {'H', 11}, {'P', 100}};
    for (auto [letter, semitone] : cases)
        EXPECT_EQ(NoteLetterToSemitone(letter, &reporter), semitone) << letter;
    EXPECT_TRUE(reporter.reports.empty());
    EXPECT_EQ(NoteLetterToSemitone('c', &reporter), -1);
    EXPECT_EQ(NoteLetterToSemitone('X', &reporter), -1);
    EXPECT_EQ(reporter.reports.size(), 2u);
    EXPECT_EQ(CountChar("a:b:c", ':'), 2);
    EXPECT_EQ(CountChar("", ':'), 0);
}

} // namespace
