// Reading Standard MIDI Files: timing under tempo changes, running status, other chunks and
// events skipped, and refusal of broken files.
#include "platform/midi/SmfReader.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <vector>

namespace {

using namespace torvane::midi;
using Bytes = std::vector<std::uint8_t>;

Bytes Header(int format, int tracks, int division)
{
    return {'M', 'T', 'h', 'd', 0, 0, 0, 6, 0, std::uint8_t(format), 0, std::uint8_t(tracks),
            std::uint8_t(division >> 8), std::uint8_t(division)};
}

Bytes Track(std::initializer_list<std::uint8_t> events)
{
    Bytes t = {'M', 'T', 'r', 'k', 0, 0, 0, 0};
    t.insert(t.end(), events);
    const std::size_t n = events.size();
    t[6] = std::uint8_t(n >> 8);
    t[7] = std::uint8_t(n);
    return t;
}

Bytes Join(std::initializer_list<Bytes> parts)
{
    Bytes all;
    for (const Bytes& p : parts)
        all.insert(all.end(), p.begin(), p.end());
    return all;
}

TEST(SmfReader, TimesFollowTheTempoAndItsChanges)
{
    // 96 ticks per quarter at 500000 us (the default), then 250000 us from tick 96.
    const Bytes file = Join({Header(0, 1, 96), Track({
        0x00, 0x90, 60, 96,       // t 0
        0x60, 0x80, 60, 96,       // t 96: 500 ms
        0x00, 0xFF, 0x51, 3, 0x03, 0xD0, 0x90, // tempo 250000 at tick 96
        0x60, 0x90, 62, 96,       // t 192: 500 + 250 ms
        0x81, 0x40, 0x80, 62, 0,  // two-byte delta 192: 750 + 500 ms
        0x00, 0xFF, 0x2F, 0x00,
    })});
    const auto seq = readSmf(file);
    ASSERT_TRUE(seq);
    ASSERT_EQ(seq->events.size(), 4u);
    EXPECT_EQ(seq->events[0].atMicros, 0);
    EXPECT_EQ(seq->events[1].atMicros, 500000);
    EXPECT_EQ(seq->events[2].atMicros, 750000);
    EXPECT_EQ(seq->events[3].atMicros, 1250000);
    EXPECT_EQ(seq->events[0].message, 0x60'3C'90u);
    EXPECT_EQ(seq->events[3].message, 0x00'3E'80u);
    EXPECT_EQ(seq->lengthMicros, 1250000);
}

TEST(SmfReader, RunningStatusSysexAndUnknownChunksAreHandled)
{
    Bytes unknown = {'X', 'Y', 'Z', 'W', 0, 0, 0, 2, 1, 2};
    const Bytes file = Join({Header(1, 2, 96), unknown,
                             Track({0x00, 0xF0, 0x02, 0x7E, 0xF7, 0x00, 0x90, 60, 90, 0x10, 64, 90, 0x00, 0xFF, 0x2F, 0x00}),
                             Track({0x08, 0xC0, 5, 0x00, 0xFF, 0x2F, 0x00})});
    const auto seq = readSmf(file);
    ASSERT_TRUE(seq);
    ASSERT_EQ(seq->events.size(), 3u);
    EXPECT_EQ(seq->events[0].message, 0x5A'3C'90u);
    EXPECT_EQ(seq->events[1].message, 0x00'05'C0u); // program change, tick 8
    EXPECT_EQ(seq->events[2].message, 0x5A'40'90u); // running status, tick 16
    EXPECT_EQ(seq->events[2].atMicros, 16 * 500000 / 96);
}

TEST(SmfReader, BrokenFilesAreRefused)
{
    const Bytes good = Join({Header(0, 1, 96), Track({0x00, 0x90, 60, 96, 0x60, 0x80, 60, 0, 0x00, 0xFF, 0x2F, 0x00})});
    ASSERT_TRUE(readSmf(good));
    const std::vector<Bytes> broken = {
        {},
        Bytes(good.begin(), good.begin() + 10),             // header cut
        Bytes(good.begin(), good.end() - 3),                // track shorter than announced
        Join({Header(2, 1, 96), Track({0x00, 0xFF, 0x2F, 0x00})}),      // format 2
        Join({Header(0, 1, 0xE728), Track({0x00, 0xFF, 0x2F, 0x00})}), // frame-based time
        Join({Header(0, 1, 96), Track({0x00, 60, 96})}),                 // data byte without status
        Join({Header(0, 1, 96), Track({0x00, 0x90, 60})}),               // message cut short
        Join({Header(0, 1, 96), Track({0xFF, 0xFF, 0xFF, 0xFF, 0x00})}), // delta longer than four bytes
        Join({Header(0, 1, 96), Track({0x00, 0xFF, 0x51, 2, 1, 2})}),    // tempo of two bytes
        Join({Header(0, 1, 96), Track({0x00, 0xFF, 0x01, 40, 'a'})}),    // meta longer than its track
    };
    for (std::size_t i = 0; i < broken.size(); ++i)
        EXPECT_FALSE(readSmf(broken[i])) << "case " << i;
}

TEST(SmfReader, HugeDeltasDoNotOverflowTheClock)
{
    Bytes events;
    for (int i = 0; i < 2000; ++i)
        events.insert(events.end(), {0xFF, 0xFF, 0xFF, 0x7F, 0x90, 60, 1});
    Bytes file = Header(0, 1, 1);
    Bytes track = {'M', 'T', 'r', 'k', 0, 0, std::uint8_t(events.size() >> 8), std::uint8_t(events.size())};
    file.insert(file.end(), track.begin(), track.end());
    file.insert(file.end(), events.begin(), events.end());
    const auto seq = readSmf(file);
    ASSERT_TRUE(seq);
    for (std::size_t i = 1; i < seq->events.size(); ++i)
        ASSERT_GT(seq->events[i].atMicros, seq->events[i - 1].atMicros);
}

} // namespace
