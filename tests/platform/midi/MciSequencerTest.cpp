// The sequencer device: playing a file's events at their times on the chosen output, the
// notifications of an end and of a stop, and its errors.
#include "FakeOutputs.h"

#include "platform/midi/ManualScheduler.h"
#include "platform/midi/MciSequencer.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <utility>
#include <vector>

namespace {

using namespace torvane::midi;
using torvane::ManualScheduler;
using fakes::FakeOutputs;
using Log = std::vector<std::string>;

// Format 0 at 96 ticks per quarter and 120 bpm: 96 ticks are 500 ms.
const std::vector<std::uint8_t> TWO_NOTES = {
    'M', 'T', 'h', 'd', 0, 0, 0, 6, 0, 0, 0, 1, 0, 0x60,
    'M', 'T', 'r', 'k', 0, 0, 0, 27,
    0x00, 0xFF, 0x51, 0x03, 0x07, 0xA1, 0x20,
    0x00, 0x90, 0x3C, 0x60, 0x60, 0x80, 0x3C, 0x60,
    0x00, 0x90, 0x3E, 0x60, 0x30, 0x80, 0x3E, 0x60,
    0x00, 0xFF, 0x2F, 0x00,
};

struct SequencerTest : ::testing::Test {
    std::filesystem::path folder;
    FakeOutputs outputs;
    ManualScheduler scheduler;
    MciSequencer sequencer{outputs, scheduler};
    std::vector<std::pair<UINT, UINT>> notes; // (flags, device) of each notification

    void SetUp() override
    {
        const char* base = std::getenv("TORVANE_TEST_TMP");
        folder = std::filesystem::path(base ? base : "/tmp") / ("seq-" + std::to_string(::getpid()));
        std::filesystem::create_directories(folder);
        outputs.clock = &scheduler;
    }
    void TearDown() override { std::filesystem::remove_all(folder); }

    std::string File(const std::string& name, const std::vector<std::uint8_t>& bytes)
    {
        const auto path = folder / name;
        std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
        return path.string();
    }

    Sequencer::Notify Recorder()
    {
        return [this](UINT flags, UINT device) { notes.emplace_back(flags, device); };
    }

    void Advance(std::int64_t ms) { scheduler.advance(ms); }

    UINT OpenTwoNotes(int port = 1)
    {
        UINT id = 0;
        EXPECT_EQ(sequencer.open(File("two.mid", TWO_NOTES), &id), MCI_OK);
        EXPECT_EQ(sequencer.setPort(id, port), MCI_OK);
        return id;
    }
};

TEST_F(SequencerTest, PlaysEachEventAtItsTimeAndNotifiesTheEndAfterwards)
{
    const UINT id = OpenTwoNotes();
    int port = -7;
    EXPECT_EQ(sequencer.statusPort(id, &port), MCI_OK);
    EXPECT_EQ(port, 1);
    ASSERT_EQ(sequencer.play(id, Recorder()), MCI_OK);
    EXPECT_TRUE(notes.empty());
    Advance(800);
    EXPECT_EQ(outputs.log, (Log{"open 1", "90 3C 60", "80 3C 60", "90 3E 60", "80 3E 60", "close 1"}));
    EXPECT_EQ(outputs.times, (std::vector<std::int64_t>{0, 500, 500, 750}));
    EXPECT_EQ(notes, (std::vector<std::pair<UINT, UINT>>{{MCI_NOTIFY_SUCCESSFUL, id}}));
    EXPECT_FALSE(sequencer.isPlaying(id));
    EXPECT_TRUE(sequencer.isOpen(id));
    EXPECT_EQ(sequencer.close(id), MCI_OK);
    EXPECT_FALSE(sequencer.isOpen(id));
}

TEST_F(SequencerTest, StopSilencesAndNotifiesThePlayAbortedThenItself)
{
    const UINT id = OpenTwoNotes(MIDI_MAPPER);
    ASSERT_EQ(sequencer.play(id, Recorder()), MCI_OK);
    Advance(100);
    std::vector<UINT> stopNotes;
    ASSERT_EQ(sequencer.stop(id, [&](UINT flags, UINT) { stopNotes.push_back(flags); }), MCI_OK);
    EXPECT_TRUE(notes.empty()); // handed over later, never inside the call
    EXPECT_EQ(outputs.log, (Log{"open 0", "90 3C 60", "80 3C 00", "close 0"}));
    scheduler.runDue();
    EXPECT_EQ(notes, (std::vector<std::pair<UINT, UINT>>{{MCI_NOTIFY_ABORTED, id}}));
    EXPECT_EQ(stopNotes, std::vector<UINT>{MCI_NOTIFY_SUCCESSFUL});
    Advance(2000);
    EXPECT_EQ(outputs.log.size(), 4u); // nothing more plays
    EXPECT_EQ(notes.size(), 1u);
}

TEST_F(SequencerTest, CloseWhilePlayingStopsWithoutNotifying)
{
    const UINT id = OpenTwoNotes();
    ASSERT_EQ(sequencer.play(id, Recorder()), MCI_OK);
    Advance(10);
    EXPECT_EQ(sequencer.close(id), MCI_OK);
    EXPECT_EQ(outputs.openNow, 0);
    Advance(2000);
    EXPECT_TRUE(notes.empty());
    EXPECT_EQ(outputs.log.back(), "close 1");
}

TEST_F(SequencerTest, OneSequencePlaysAtATime)
{
    const UINT first = OpenTwoNotes();
    UINT second = 0;
    ASSERT_EQ(sequencer.open(File("b.mid", TWO_NOTES), &second), MCI_OK);
    EXPECT_NE(first, second);
    ASSERT_EQ(sequencer.play(first, Recorder()), MCI_OK);
    EXPECT_EQ(sequencer.play(second, Recorder()), MCIERR_SEQ_PORT_INUSE);
    Advance(800);
    EXPECT_EQ(sequencer.play(second, Recorder()), MCI_OK);
}

TEST_F(SequencerTest, ErrorsOfOpenAndPlay)
{
    UINT id = 0;
    EXPECT_EQ(sequencer.open("", &id), MCIERR_NO_ELEMENT);
    EXPECT_EQ(sequencer.open((folder / "missing.mid").string(), &id), MCIERR_FILE_NOT_FOUND);
    EXPECT_EQ(sequencer.open(File("text.mid", {'h', 'e', 'l', 'l', 'o'}), &id), MCIERR_INVALID_FILE);
    EXPECT_EQ(sequencer.open(File("big.mid", std::vector<std::uint8_t>(MciSequencer::MAX_FILE_SIZE + 1)), &id),
              MCIERR_INVALID_FILE);

    id = OpenTwoNotes(5);
    EXPECT_EQ(sequencer.play(id, Recorder()), MCIERR_SEQ_PORT_NONEXISTENT);
    sequencer.setPort(id, 0);
    outputs.refuseOpen = true;
    EXPECT_EQ(sequencer.play(id, Recorder()), MCIERR_SEQ_PORT_UNAVAILABLE);
    outputs.count = 0;
    EXPECT_EQ(sequencer.play(id, Recorder()), MCIERR_SEQ_NOMIDIPRESENT);
    Advance(1000);
    EXPECT_TRUE(notes.empty());

    const UINT unknown = id + 100;
    int port = 0;
    EXPECT_EQ(sequencer.setPort(unknown, 0), MCIERR_INVALID_DEVICE_ID);
    EXPECT_EQ(sequencer.statusPort(unknown, &port), MCIERR_INVALID_DEVICE_ID);
    EXPECT_EQ(sequencer.play(unknown, Recorder()), MCIERR_INVALID_DEVICE_ID);
    EXPECT_EQ(sequencer.stop(unknown, Recorder()), MCIERR_INVALID_DEVICE_ID);
    EXPECT_EQ(sequencer.close(unknown), MCIERR_INVALID_DEVICE_ID);
}

TEST_F(SequencerTest, EveryErrorCodeHasATextAndOthersNone)
{
    for (DWORD code = MCIERR_INVALID_DEVICE_ID; code <= MCIERR_SEQ_PORT_UNAVAILABLE; ++code) {
        std::string text;
        EXPECT_TRUE(sequencer.errorText(code, &text)) << code;
        EXPECT_FALSE(text.empty());
    }
    EXPECT_FALSE(sequencer.errorText(MCI_OK, nullptr));
    EXPECT_FALSE(sequencer.errorText(9999, nullptr));
}

} // namespace
