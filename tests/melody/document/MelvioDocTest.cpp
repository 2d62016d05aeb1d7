// Editing a melody document: limits, the insertion point, the preview strike, the tempo.
#include "DocFakes.h"

#include "melody/document/CMelvioDoc.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using Log = std::vector<std::string>;

constexpr NoteEntry QUARTER_REST{0, 2, 0};

struct DocFixture : ::testing::Test {
    RecordingReporter reporter;
    FakeTempoField field;
    FakePreviewPort port;
    CountingView view;
    std::unique_ptr<CMelvioDoc> made;
    int lastPitch = -7;

    CMelvioDoc& doc()
    {
        if (!made) {
            made = std::make_unique<CMelvioDoc>(CMelvioDoc::Services{&reporter, &field, &port});
            made->AddView(&view);
        }
        return *made;
    }

    void Fill(int count, int pitch0 = 40)
    {
        for (int i = 0; i < count; ++i)
            doc().notes[i] = {pitch0 + i, 3, 0};
        doc().noteCount = count;
    }

    std::vector<NoteEntry> Notes() { return {doc().notes.begin(), doc().notes.begin() + doc().noteCount}; }
};

TEST_F(DocFixture, StartsEmptyAt120OnTheApplicationsDevice)
{
    port.device = 3;
    CMelvioDoc& d = doc();
    EXPECT_EQ(d.noteCount, 0);
    EXPECT_EQ(d.tempo, 120);
    EXPECT_EQ(d.caret, 0);
    EXPECT_EQ(d.anchor, 0);
    EXPECT_TRUE(d.ClipIsEmpty());
    EXPECT_EQ(d.clip[0], (NoteEntry{-1, -1, 0}));
    EXPECT_EQ((std::vector<int>{d.canPlay, d.canStop, d.canSendToPhone, d.canPhonePlay, d.canPhoneStop}),
              (std::vector<int>{1, 0, 1, 1, 0}));
    EXPECT_EQ(d.settingsDevice, 3);
    EXPECT_EQ(d.lastDevice, 3);
    EXPECT_EQ(d.scrollSize[0], 2180);
    EXPECT_EQ(d.scrollSize[1], 227);
    EXPECT_FALSE(d.IsModified());
}

TEST_F(DocFixture, NewDocumentResetsEverythingAndIsMarkedChanged)
{
    Fill(12);
    doc().tempo = 61;
    doc().caret = 5;
    doc().anchor = 9;
    doc().clip[0] = {60, 2, 0};
    doc().clipCount = 1;
    doc().canPlay = 0;
    doc().canStop = 1;
    doc().canSendToPhone = 0;
    doc().canPhonePlay = 0;
    doc().canPhoneStop = 1;
    port.device = 2;
    port.open = true;

    EXPECT_TRUE(doc().OnNewDocument());
    EXPECT_EQ(doc().noteCount, 0);
    EXPECT_EQ(doc().tempo, 120);
    EXPECT_TRUE(doc().ClipIsEmpty());
    EXPECT_EQ(doc().caret, 0);
    EXPECT_EQ(doc().anchor, 0);
    EXPECT_EQ((std::vector<int>{doc().canPlay, doc().canStop, doc().canSendToPhone, doc().canPhonePlay,
                                doc().canPhoneStop}),
              (std::vector<int>{1, 0, 1, 1, 0}));
    EXPECT_TRUE(doc().IsModified());
    EXPECT_EQ(view.updates, 1);
    EXPECT_EQ(port.log, (Log{"close", "open 2"}));
}

TEST_F(DocFixture, ClosingTheDocumentClosesThePreviewPort)
{
    port.open = true;
    doc().OnCloseDocument();
    EXPECT_FALSE(port.open);
    EXPECT_EQ(port.log, Log{"close"});
}

TEST_F(DocFixture, SettingBeyondTheEndFillsWithQuarterRests)
{
    Fill(3);
    field.text = 150;
    doc().ShowTempo(field.text);
    doc().SetNote(10, 67, 1, 1, &lastPitch);
    ASSERT_EQ(doc().noteCount, 11);
    for (int i = 3; i < 10; ++i)
        EXPECT_EQ(doc().notes[i], QUARTER_REST) << "note " << i;
    EXPECT_EQ(doc().notes[10], (NoteEntry{67, 1, 1}));
    EXPECT_EQ(doc().notes[2], (NoteEntry{42, 3, 0}));
    EXPECT_EQ(doc().tempo, 150);
    EXPECT_EQ(lastPitch, 67);
    EXPECT_EQ(view.scrolls, 1);
    // Its callers mark the change, not SetNote.
    EXPECT_FALSE(doc().IsModified());
    EXPECT_EQ(view.updates, 0);
}

TEST_F(DocFixture, SettingOutsideTheEditableNotesChangesNothing)
{
    Fill(4);
    const auto before = Notes();
    for (const int index : {-1, 70, 71, 1000}) {
        doc().SetNote(index, 60, 2, 0, &lastPitch);
        EXPECT_EQ(Notes(), before) << index;
    }
    // Values no note can hold are refused the same way.
    for (const NoteEntry bad : {NoteEntry{200, 2, 0}, NoteEntry{60, 6, 0}, NoteEntry{60, -1, 0}, NoteEntry{60, 2, 2}}) {
        doc().SetNote(1, bad.pitch, bad.duration, bad.dotted, &lastPitch);
        EXPECT_EQ(Notes(), before);
    }
    EXPECT_TRUE(port.log.empty());
    EXPECT_EQ(lastPitch, -7);
    EXPECT_TRUE(reporter.reports.empty());
}

// The preview strike: what the port sees for a sequence of notes set one after the other.
struct StrikeCase {
    const char* name;
    std::vector<int> pitches;
    Log log;
};

class PreviewStrike : public DocFixture, public ::testing::WithParamInterface<StrikeCase> {};

TEST_P(PreviewStrike, SendsTheseMessages)
{
    port.open = true;
    for (const int pitch : GetParam().pitches)
        doc().SetNote(0, pitch, 2, 0, &lastPitch);
    EXPECT_EQ(port.log, GetParam().log);
    EXPECT_EQ(lastPitch, GetParam().pitches.back());
    EXPECT_EQ(port.sounding, GetParam().pitches.back());
}

INSTANTIATE_TEST_SUITE_P(
    Sequences, PreviewStrike,
    ::testing::Values(StrikeCase{"SamePitchTwiceIsStruckTwice", {60, 60}, {"on 60", "on 60"}},
                      StrikeCase{"AnotherPitchEndsTheFirst", {60, 62}, {"on 60", "off 60", "on 62"}},
                      StrikeCase{"RestOnlyEndsTheSoundingNote", {60, 0}, {"on 60", "off 60"}},
                      // A rest counts as the pitch still sounding (0), which keeps a held palette key on
                      // the rest from inserting again; its note-off of key 0 is silent.
                      StrikeCase{"NoteAfterRest", {60, 0, 64}, {"on 60", "off 60", "off 0", "on 64"}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(DocFixture, StrikeOpensAClosedPortOnTheDocumentsDevice)
{
    port.device = 4;
    doc().SetNote(0, 72, 2, 0, &lastPitch);
    EXPECT_EQ(port.log, (Log{"open 4", "on 72"}));
}

TEST_F(DocFixture, ANewDeviceFromTheSettingsIsTakenAtTheNextNote)
{
    port.open = true;
    doc().settingsDevice = 5;
    doc().SetNote(0, 60, 2, 0, &lastPitch);
    EXPECT_EQ(port.log, (Log{"device 5", "close", "open 5", "on 60"}));
    EXPECT_EQ(doc().lastDevice, 5);
    EXPECT_EQ(port.device, 5);
    port.log.clear();
    doc().SetNote(1, 62, 2, 0, &lastPitch);
    EXPECT_EQ(port.log, (Log{"off 60", "on 62"}));
}

TEST_F(DocFixture, InsertingMovesTheFollowingNotesUp)
{
    Fill(5);
    doc().caret = doc().anchor = 2;
    doc().InsertNote(77, 4, 1, &lastPitch);
    EXPECT_EQ(Notes(), (std::vector<NoteEntry>{{40, 3, 0}, {41, 3, 0}, {77, 4, 1}, {42, 3, 0}, {43, 3, 0}, {44, 3, 0}}));
    EXPECT_EQ(doc().caret, 3);
    EXPECT_EQ(doc().anchor, 3);
    EXPECT_TRUE(doc().IsModified());
    EXPECT_EQ(view.updates, 1);
    EXPECT_EQ(lastPitch, 77);
}

TEST_F(DocFixture, InsertingReplacesTheSelection)
{
    Fill(6);
    doc().caret = 1;
    doc().anchor = 4; // notes 1 to 3 selected
    doc().InsertNote(90, 0, 0, &lastPitch);
    EXPECT_EQ(Notes(), (std::vector<NoteEntry>{{40, 3, 0}, {90, 0, 0}, {44, 3, 0}, {45, 3, 0}}));
    EXPECT_EQ(doc().caret, 2);
    EXPECT_EQ(doc().anchor, 2);
    EXPECT_FALSE(doc().HasSelection());
}

TEST_F(DocFixture, InsertingStopsAt70Notes)
{
    for (int i = 0; i < 75; ++i)
        doc().InsertNote(50 + i % 20, 2, 0, &lastPitch);
    EXPECT_EQ(doc().noteCount, 70);
    EXPECT_EQ(doc().caret, 70);

    // With 70 notes, or with the caret at 70, an insertion does nothing.
    const auto full = Notes();
    const int updates = view.updates;
    doc().caret = doc().anchor = 10;
    doc().InsertNote(99, 2, 0, &lastPitch);
    EXPECT_EQ(Notes(), full);
    doc().noteCount = 30;
    doc().caret = doc().anchor = 70;
    doc().InsertNote(99, 2, 0, &lastPitch);
    EXPECT_EQ(doc().noteCount, 30);
    EXPECT_EQ(view.updates, updates);
    EXPECT_TRUE(reporter.reports.empty());
}

TEST_F(DocFixture, StoringAtTheCaretOverwritesAndAdvances)
{
    Fill(4);
    doc().caret = doc().anchor = 1;
    doc().StoreAtCaret(0, 5, 1, &lastPitch);
    EXPECT_EQ(doc().notes[1], (NoteEntry{0, 5, 1}));
    EXPECT_EQ(doc().noteCount, 4);
    EXPECT_EQ(doc().caret, 2);
    EXPECT_EQ(doc().anchor, 2);
    EXPECT_TRUE(doc().IsModified());
}

TEST_F(DocFixture, RemovingNotesStaysWithinTheMelody)
{
    Fill(6);
    doc().RemoveNotes(4, 20);
    EXPECT_EQ(Notes(), (std::vector<NoteEntry>{{40, 3, 0}, {41, 3, 0}, {42, 3, 0}, {43, 3, 0}}));
    doc().RemoveNotes(-3, 1);
    EXPECT_EQ(Notes(), (std::vector<NoteEntry>{{41, 3, 0}, {42, 3, 0}, {43, 3, 0}}));
    doc().RemoveNotes(2, 2);
    doc().RemoveNotes(9, 12);
    EXPECT_EQ(doc().noteCount, 3);
}

TEST_F(DocFixture, EveryViewIsToldOfAChange)
{
    CountingView second;
    doc().AddView(&second);
    EXPECT_EQ(doc().GetMelodyView(), &view);
    doc().MarkChanged();
    EXPECT_EQ(view.updates, 1);
    EXPECT_EQ(second.updates, 1);
    doc().RemoveView(&view);
    EXPECT_EQ(doc().GetMelodyView(), &second);
    doc().MarkChanged();
    EXPECT_EQ(view.updates, 1);
    EXPECT_EQ(second.updates, 2);
}

// One tempo field serves every open melody; it stands for the one that last showed its tempo.
TEST_F(DocFixture, TempoFieldStandsForTheMelodyLastShown)
{
    CMelvioDoc other({&reporter, &field, &port});
    EXPECT_EQ(other.tempo, 120);

    doc().tempo = 90;
    doc().ShowTempo(doc().tempo);
    field.text = 100;
    EXPECT_EQ(doc().ReadTempo(), 100);

    other.tempo = 200;
    other.ShowTempo(other.tempo);
    // Setting a note of the first melody must not take the second melody's tempo.
    doc().SetNote(0, 60, 2, 0, &lastPitch);
    EXPECT_EQ(doc().tempo, 90);
    other.SetNote(0, 60, 2, 0, &lastPitch);
    EXPECT_EQ(other.tempo, 200);
}

TEST_F(DocFixture, FieldForgetsAMelodyThatIsGone)
{
    {
        CMelvioDoc gone({&reporter, &field, &port});
        gone.ShowTempo(80);
        EXPECT_EQ(field.ShownDocument(), &gone);
    }
    EXPECT_EQ(field.ShownDocument(), nullptr);
}

} // namespace
