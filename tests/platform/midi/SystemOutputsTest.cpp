// The system's outputs where there may be no sound system at all: no device is a normal state.
#include "platform/midi/RtMidiOutputs.h"

#include <gtest/gtest.h>

namespace {

using namespace torvane::midi;

TEST(SystemOutputs, NamesAndOpensOnlyDevicesThatExist)
{
    auto outputs = makeSystemMidiOutputs();
    const int count = outputs->deviceCount();
    ASSERT_GE(count, 0);
    EXPECT_EQ(outputs->deviceName(count), "");
    EXPECT_EQ(outputs->deviceName(-1), "");
    EXPECT_EQ(outputs->open(count), nullptr);
    EXPECT_EQ(outputs->open(-1), nullptr);
    for (int i = 0; i < count; ++i)
        EXPECT_FALSE(outputs->deviceName(i).empty());
}

TEST(SystemOutputs, ShortMessageLengths)
{
    EXPECT_EQ(shortMessageLength(0x90), 3);
    EXPECT_EQ(shortMessageLength(0x8F), 3);
    EXPECT_EQ(shortMessageLength(0xB0), 3);
    EXPECT_EQ(shortMessageLength(0xC3), 2);
    EXPECT_EQ(shortMessageLength(0xD0), 2);
    EXPECT_EQ(shortMessageLength(0xE0), 3);
    EXPECT_EQ(shortMessageLength(0x3C), 0);
    EXPECT_EQ(shortMessageLength(0xF0), 0);
    EXPECT_EQ(shortMessageLength(0xFF), 0);
}

} // namespace
