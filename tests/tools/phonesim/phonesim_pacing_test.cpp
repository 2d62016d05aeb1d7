// The line paced to a baud rate: the time a long answer takes on the line, measured at the
// receiving end, matches the rate within 5 percent; a command is answered only after its own
// bytes had the time to cross.
#include "SimLink.h"

#include <gtest/gtest.h>

using namespace torvane::phonesim;
using namespace simtest;

namespace {

constexpr std::size_t kAnswerBytes = 10 * 1024;

// Answers one long block, as an object read from the phone's store does.
class BlockModule : public PhoneModule {
public:
    QString key() const override { return "block"; }
    void addCommands(CommandTable& table) override
    {
        table.add("+TBLOCK", [](CommandContext& ctx, const AtCommand&) {
            for (std::size_t sent = 0; sent < kAnswerBytes; sent += 64)
                ctx.info(std::string(62, 'A'));
            return CommandResult::ok();
        });
    }
};

class PacingTest : public testing::TestWithParam<int> {};

TEST_P(PacingTest, LongAnswerTakesTheTimeItsBaudRateAllows)
{
    const int baud = GetParam();
    PhoneSim sim;
    sim.addModule(std::make_unique<BlockModule>());
    SimLink link(sim);
    ASSERT_TRUE(link.ok()) << link.error();
    link.command("ATE0");
    sim.setBaudRate(baud);

    link.send("AT+TBLOCK\r");
    std::size_t received = 0;
    Clock::time_point first {}, last {};
    char buf[4096];
    const auto deadline = Clock::now() + std::chrono::seconds(30);
    std::string tail;
    while (Clock::now() < deadline) {
        pollfd p {link.port().fd(), POLLIN, 0};
        ::poll(&p, 1, 50);
        auto n = link.port().read(buf, sizeof buf);
        ASSERT_TRUE(n) << n.error().text;
        if (*n == 0)
            continue;
        const auto now = Clock::now();
        if (received == 0)
            first = now;
        last = now;
        received += *n;
        tail = (tail + std::string(buf, *n)).substr(tail.size() + *n > 8 ? tail.size() + *n - 8 : 0);
        if (tail.size() >= 6 && tail.compare(tail.size() - 6, 6, "\r\nOK\r\n") == 0)
            break;
    }
    ASSERT_GE(received, kAnswerBytes);
    // From the arrival of the first byte to that of the last, received - 1 byte times pass.
    const double seconds = std::chrono::duration<double>(last - first).count();
    const double expected = double(received - 1) * 10.0 / baud;
    EXPECT_NEAR(seconds, expected, expected * 0.05) << received << " bytes at " << baud << " baud";
}

TEST(InputPacing, CommandIsAnsweredOnlyAfterItsBytesCrossedTheLine)
{
    PhoneSim sim;
    SimLink link(sim);
    ASSERT_TRUE(link.ok()) << link.error();
    link.command("ATE0");
    constexpr int kBaud = 1200;
    sim.setBaudRate(kBaud);
    const std::string line = "AT+CGMI;+CGMM\r";
    const auto start = Clock::now();
    link.send(line);
    const std::string answer = link.readUntil([](const std::string& got) { return !got.empty(); }, 10s);
    const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
    ASSERT_FALSE(answer.empty());
    // The first byte of the answer leaves once the whole line has arrived.
    EXPECT_GE(seconds, double(line.size()) * 10.0 / kBaud);
    const std::string rest = link.readUntil([&](const std::string& got) { return hasFinalResult(answer + got); }, 10s);
    EXPECT_NE((answer + rest).find("TV-35"), std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(Rates, PacingTest, testing::Values(19200, 57600));

} // namespace
