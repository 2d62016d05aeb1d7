// Playing a melody on the PC: the temporary file, the sequencer's start, stop and end, the
// command flags, and the preview strikes on the MIDI output.
#include "EditFakes.h"
#include "platform/midi/FakeOutputs.h"

#include "melody/editing/MelodyPlayback.h"
#include "melody/editing/MidiOutPort.h"
#include "melody/editing/TempMidiFile.h"
#include "platform/midi/ManualScheduler.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace {

namespace fs = std::filesystem;
namespace midi = torvane::midi;
using Bytes = std::vector<std::uint8_t>;
using Reports = std::vector<std::pair<int, int>>;
using Strings = std::vector<std::string>;

const Bytes EMPTY_AT_120 = {0x4D, 0x54, 0x68, 0x64, 0x00, 0x00, 0x00, 0x06, 0x00, 0x00, 0x00,
                            0x01, 0x00, 0x60, 0x4D, 0x54, 0x72, 0x6B, 0x00, 0x00, 0x00, 0x0B,
                            0x00, 0xFF, 0x51, 0x03, 0x07, 0xA1, 0x20, 0x00, 0xFF, 0x2F, 0x00};

Bytes ReadFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// A sequencer whose every step answers as told.
struct ScriptedSequencer : midi::Sequencer {
    DWORD openResult = 0, statusResult = 0, playResult = 0, stopResult = 0;
    std::string knownText = "scripted text";
    DWORD textCode = 3;
    Strings calls;
    DWORD open(const std::string&, UINT* id) override
    {
        calls.push_back("open");
        *id = 7;
        return openResult;
    }
    DWORD setPort(UINT, int port) override
    {
        calls.push_back("port " + std::to_string(port));
        return 0;
    }
    DWORD statusPort(UINT, int*) override { return statusResult; }
    DWORD play(UINT, Notify) override
    {
        calls.push_back("play");
        return playResult;
    }
    DWORD stop(UINT, Notify) override
    {
        calls.push_back("stop");
        return stopResult;
    }
    DWORD close(UINT id) override
    {
        calls.push_back("close " + std::to_string(id));
        return 0;
    }
    bool errorText(DWORD code, std::string* text) const override
    {
        if (code != textCode)
            return false;
        *text = knownText;
        return true;
    }
};

struct PlaybackTest : ::testing::Test {
    fs::path folder;
    RecordingReporter reporter;
    RecordingMessages messages;
    FakeTempoField field;
    torvane::ManualScheduler scheduler;
    midi::fakes::FakeOutputs outputs;
    midi::MciSequencer sequencer{outputs, scheduler};
    MidiOutPort port{outputs, sequencer, &reporter, &messages};

    struct Window {
        CMelvioDoc doc;
        MelodyPlayback playback;
        int notifications = 0;
        explicit Window(PlaybackTest& t)
            : doc(CMelvioDoc::Services{&t.reporter, &t.field, &t.port}), playback(doc, t.port, &t.reporter)
        {
        }
        void Play()
        {
            playback.OnPlay([this](UINT flags, UINT id) {
                ++notifications;
                playback.OnMciNotify(flags, id);
            });
        }
        std::pair<int, int> Flags() const { return {doc.canPlay, doc.canStop}; }
    };

    void SetUp() override
    {
        const char* base = std::getenv("TORVANE_TEST_TMP");
        folder = fs::path(base ? base : "/tmp") / ("play-" + std::to_string(::getpid()));
        fs::create_directories(folder);
        ::setenv("TMP", folder.c_str(), 1);
    }
    void TearDown() override
    {
        ::unsetenv("TMP");
        fs::remove_all(folder);
    }
    std::size_t FilesInFolder() const { return std::size_t(std::distance(fs::directory_iterator(folder), fs::directory_iterator())); }
};

TEST_F(PlaybackTest, AnEmptyMelodyPlaysA33ByteFileAndTheEndReenablesPlay)
{
    Window w(*this);
    port.Open(0);
    w.Play();
    EXPECT_EQ(w.Flags(), (std::pair{0, 1}));
    EXPECT_FALSE(port.IsOpen()); // the sequencer has the device now
    ASSERT_FALSE(w.doc.tempPath.empty());
    EXPECT_EQ(fs::path(w.doc.tempPath).parent_path(), folder);
    EXPECT_EQ(fs::path(w.doc.tempPath).filename().string().rfind("rte", 0), 0u);
    EXPECT_EQ(ReadFile(w.doc.tempPath), EMPTY_AT_120);
    EXPECT_TRUE(sequencer.isPlaying(w.playback.SequenceDevice()));

    scheduler.runUntilIdle();
    EXPECT_EQ(w.notifications, 1);
    EXPECT_EQ(w.Flags(), (std::pair{1, 0}));
    EXPECT_TRUE(w.doc.tempPath.empty());
    EXPECT_EQ(FilesInFolder(), 0u);
    EXPECT_FALSE(sequencer.isOpen(w.playback.SequenceDevice()));
    EXPECT_TRUE(port.IsOpen()); // the preview is back
    EXPECT_TRUE(reporter.reports.empty());
}

TEST_F(PlaybackTest, TheSequencePlaysTheMelodyOnTheChosenDevice)
{
    Window w(*this);
    w.doc.notes[0] = {60, 2, 0};
    w.doc.notes[1] = {0, 3, 0};
    w.doc.noteCount = 2;
    w.doc.settingsDevice = 1;
    w.Play();
    EXPECT_EQ(port.CurrentDevice(), 1);
    EXPECT_EQ(w.doc.lastDevice, 1);
    scheduler.runUntilIdle();
    EXPECT_EQ(outputs.log, (Strings{"open 1", "90 3C 60", "80 3C 60", "80 30 00", "80 30 00", "close 1", "open 1"}));
}

TEST_F(PlaybackTest, StopNotifiesTwiceAndEndsPlaying)
{
    Window w(*this);
    for (int i = 0; i < 8; ++i)
        w.doc.notes[std::size_t(i)] = {60 + i, 1, 0};
    w.doc.noteCount = 8;
    w.Play();
    scheduler.advance(100);
    w.playback.OnStop();
    EXPECT_EQ(w.Flags(), (std::pair{0, 1})); // until the notification comes
    scheduler.runDue();
    EXPECT_EQ(w.notifications, 2);
    EXPECT_EQ(w.Flags(), (std::pair{1, 0}));
    EXPECT_EQ(FilesInFolder(), 0u);
    EXPECT_TRUE(reporter.reports.empty());
    scheduler.runUntilIdle();
    EXPECT_EQ(w.notifications, 2);
}

TEST_F(PlaybackTest, AStartThatFailsResetsTheCommandsAndRemovesTheFile)
{
    outputs.count = 0;
    Window w(*this);
    w.Play();
    EXPECT_EQ(reporter.reports, (Reports{{3, 40005}}));
    EXPECT_EQ(w.Flags(), (std::pair{1, 0}));
    EXPECT_TRUE(w.doc.tempPath.empty());
    EXPECT_EQ(FilesInFolder(), 0u);
    EXPECT_TRUE(messages.boxes.empty());
    scheduler.runUntilIdle();
    EXPECT_EQ(w.notifications, 0);
}

TEST_F(PlaybackTest, ClosingAWindowWhileItPlaysFreesTheSequencerAtOnce)
{
    Window a(*this);
    a.doc.notes[0] = {60, 0, 1};
    a.doc.noteCount = 1;
    a.Play();
    const UINT device = a.playback.SequenceDevice();
    a.playback.OnViewDestroy();
    EXPECT_FALSE(sequencer.isOpen(device));
    EXPECT_EQ(outputs.openNow, 0) << ::testing::PrintToString(outputs.log);
    EXPECT_EQ(FilesInFolder(), 0u);

    Window b(*this);
    b.Play();
    EXPECT_TRUE(reporter.reports.empty());
    scheduler.runUntilIdle();
    EXPECT_EQ(a.notifications, 0);
    EXPECT_EQ(b.notifications, 1);
}

TEST_F(PlaybackTest, OneMelodyAtATimeAndStopActsOnTheWindowsOwnSequence)
{
    Window a(*this);
    a.doc.notes[0] = {60, 0, 1};
    a.doc.noteCount = 1;
    Window b(*this);
    a.Play();
    b.Play();
    EXPECT_EQ(reporter.reports, (Reports{{3, 40005}}));
    EXPECT_EQ(b.Flags(), (std::pair{1, 0}));
    a.playback.OnStop();
    scheduler.runDue();
    EXPECT_EQ(reporter.reports.size(), 1u);
    EXPECT_EQ(a.notifications, 2);
    EXPECT_EQ(a.Flags(), (std::pair{1, 0}));
}

TEST_F(PlaybackTest, SequencerErrorsOfOpenStatusAndStop)
{
    ScriptedSequencer scripted;
    MidiOutPort scriptedPort(outputs, scripted, &reporter, &messages);
    CMelvioDoc doc(CMelvioDoc::Services{&reporter, &field, &scriptedPort});
    MelodyPlayback playback(doc, scriptedPort, &reporter);

    scripted.openResult = 3; // has a text: shown in a box
    playback.OnPlay(nullptr);
    EXPECT_EQ(messages.boxes, Strings{"scripted text"});
    EXPECT_EQ(reporter.reports, (Reports{{3, 40005}}));

    reporter.reports.clear();
    scripted.openResult = 99; // none: reported instead
    playback.OnPlay(nullptr);
    EXPECT_EQ(reporter.reports, (Reports{{3, 40004}, {3, 40005}}));
    EXPECT_EQ(messages.boxes.size(), 1u);

    reporter.reports.clear();
    scripted.calls.clear();
    scripted.openResult = 0;
    scripted.statusResult = 5;
    playback.OnPlay(nullptr);
    EXPECT_EQ(scripted.calls, (Strings{"open", "port 0", "close 7"}));
    EXPECT_EQ(reporter.reports, (Reports{{3, 40005}}));

    reporter.reports.clear();
    scripted.statusResult = 0;
    scripted.stopResult = 4;
    playback.OnPlay(nullptr);
    EXPECT_EQ((std::pair{doc.canPlay, doc.canStop}), (std::pair{0, 1}));
    playback.OnStop();
    EXPECT_EQ(reporter.reports, (Reports{{3, 40008}}));
    EXPECT_EQ(scripted.calls.back(), "close 7");
    EXPECT_EQ((std::pair{doc.canPlay, doc.canStop}), (std::pair{1, 0}));
    EXPECT_EQ(FilesInFolder(), 0u);
}

TEST_F(PlaybackTest, TemporaryFolders)
{
    EXPECT_EQ(TempMidiFolder(), folder.string());
    ::setenv("TMP", (folder / "missing").c_str(), 1);
    ::setenv("TMPDIR", (folder / "also-missing").c_str(), 1);
    EXPECT_EQ(TempMidiFolder(), "/tmp");
    ::setenv("TMPDIR", folder.c_str(), 1);
    EXPECT_EQ(TempMidiFolder(), folder.string());
    ::unsetenv("TMPDIR");

    const Bytes bytes = {1, 2, 3};
    const auto name = WriteTempFile(bytes, &reporter, folder.string());
    ASSERT_TRUE(name);
    EXPECT_EQ(ReadFile(*name), bytes);
    EXPECT_EQ(fs::status(*name).permissions() & fs::perms::others_all, fs::perms::none);

    EXPECT_FALSE(WriteTempFile(bytes, &reporter, (folder / "missing").string()));
    EXPECT_EQ(reporter.reports, (Reports{{4, 40020}, {4, 40021}}));
}

TEST_F(PlaybackTest, PreviewStrikesOnTheOutput)
{
    CMelvioDoc doc(CMelvioDoc::Services{&reporter, &field, &port});
    int last = -1;
    doc.SetNote(0, 60, 2, 0, &last);
    doc.SetNote(1, 60, 2, 0, &last);
    doc.SetNote(2, 62, 2, 0, &last);
    doc.SetNote(3, 0, 2, 0, &last);
    EXPECT_EQ(outputs.log, (Strings{"open 0", "90 3C 58", "90 3C 58", "80 3C 00", "90 3E 58", "80 3E 00"}));

    // A device that cannot be opened leaves the notes silent, without a report.
    port.Close();
    outputs.refuseOpen = true;
    doc.SetNote(4, 64, 2, 0, &last);
    EXPECT_FALSE(port.IsOpen());
    EXPECT_TRUE(reporter.reports.empty());
}

} // namespace
