#include "platform/messaging/Datagram.h"
#include "platform/messaging/Hwnd.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <vector>

using namespace messaging;

namespace {

Datagram post()
{
    Datagram d;
    d.kind = DatagramKind::Post;
    d.window = makeHwnd(4242, 0x12345);
    d.message = WM_USER + 101;
    d.wParam = 3;
    d.lParam = -41500;
    return d;
}

Datagram send()
{
    Datagram d = post();
    d.kind = DatagramKind::Send;
    d.serial = 0x0102030405060708ull;
    return d;
}

Datagram reply(ReplyStatus status)
{
    Datagram d = send();
    d.kind = DatagramKind::Reply;
    d.lParam = -5;
    d.status = status;
    return d;
}

Datagram wake()
{
    Datagram d;
    d.kind = DatagramKind::Wake;
    return d;
}

} // namespace

TEST(Datagram, EveryKindSurvivesEncodeAndDecode)
{
    Datagram extreme = send();
    extreme.wParam = ~WPARAM(0);
    extreme.lParam = LPARAM(INTPTR_MIN);
    extreme.message = 0xffffffffu;
    extreme.window = makeHwnd(0xffffffffu, 0xffffffffu);
    for (const Datagram& d : {post(), send(), reply(ReplyStatus::Handled), reply(ReplyStatus::NoWindow), wake(), extreme}) {
        const auto bytes = encodeDatagram(d);
        const auto decoded = decodeDatagram(bytes.data(), bytes.size());
        ASSERT_TRUE(decoded.has_value()) << "kind " << int(d.kind);
        EXPECT_EQ(*decoded, d);
    }
}

TEST(Datagram, LayoutIsLittleEndianWithHeaderFirst)
{
    const auto bytes = encodeDatagram(post());
    ASSERT_EQ(bytes.size(), 56u);
    EXPECT_EQ(std::memcmp(bytes.data(), "TVMG", 4), 0);
    EXPECT_EQ(bytes[4], 1); // version
    EXPECT_EQ(bytes[6], 56); // size
    EXPECT_EQ(bytes[8], 1);  // kind Post
    // window: number 0x12345 in the low half, pid 4242 (0x1092) in the high half
    EXPECT_EQ(bytes[16], 0x45);
    EXPECT_EQ(bytes[18], 0x01);
    EXPECT_EQ(bytes[20], 0x92);
    EXPECT_EQ(bytes[21], 0x10);
}

struct Corruption {
    const char* name;
    Datagram base;
    std::function<void(std::vector<std::uint8_t>&)> damage;
};

class DatagramRejects : public ::testing::TestWithParam<Corruption> {};

TEST_P(DatagramRejects, Malformed)
{
    const auto encoded = encodeDatagram(GetParam().base);
    std::vector<std::uint8_t> bytes(encoded.begin(), encoded.end());
    ASSERT_TRUE(decodeDatagram(bytes.data(), bytes.size()).has_value());
    GetParam().damage(bytes);
    EXPECT_FALSE(decodeDatagram(bytes.data(), bytes.size()).has_value());
}

namespace {

auto setByte(std::size_t offset, std::uint8_t value)
{
    return [=](std::vector<std::uint8_t>& b) { b[offset] = value; };
}

auto zero(std::size_t offset, std::size_t count)
{
    return [=](std::vector<std::uint8_t>& b) { std::memset(b.data() + offset, 0, count); };
}

} // namespace

INSTANTIATE_TEST_SUITE_P(
    Table, DatagramRejects,
    ::testing::Values(
        Corruption{"Empty", post(), [](auto& b) { b.clear(); }},
        Corruption{"Short", post(), [](auto& b) { b.resize(55); }},
        Corruption{"Long", post(), [](auto& b) { b.push_back(0); }},
        Corruption{"Magic", post(), setByte(0, 'X')},
        Corruption{"Version", post(), setByte(4, 2)},
        Corruption{"SizeField", post(), setByte(6, 57)},
        Corruption{"KindZero", post(), setByte(8, 0)},
        Corruption{"KindUnknown", post(), setByte(8, 5)},
        Corruption{"KindHighByte", post(), setByte(11, 1)},
        Corruption{"Reserved", post(), setByte(55, 1)},
        Corruption{"PostWithoutWindow", post(), zero(16, 8)},
        Corruption{"PostWithoutPid", post(), zero(20, 4)},
        Corruption{"PostWithoutNumber", post(), zero(16, 4)},
        Corruption{"PostWithSerial", post(), setByte(40, 1)},
        Corruption{"PostWithStatus", post(), setByte(48, 1)},
        Corruption{"SendWithoutSerial", send(), zero(40, 8)},
        Corruption{"SendWithoutWindow", send(), zero(16, 8)},
        Corruption{"SendWithStatus", send(), setByte(48, 1)},
        Corruption{"ReplyWithoutSerial", reply(ReplyStatus::Handled), zero(40, 8)},
        Corruption{"ReplyUnknownStatus", reply(ReplyStatus::Handled), setByte(48, 2)},
        Corruption{"WakeWithMessage", wake(), setByte(12, 1)},
        Corruption{"WakeWithWindow", wake(), setByte(16, 1)}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Datagram, NullDataIsRejected)
{
    EXPECT_FALSE(decodeDatagram(nullptr, kDatagramSize).has_value());
}
