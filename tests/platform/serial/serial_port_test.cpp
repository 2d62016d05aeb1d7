// The port layer over real pseudo-terminals; the test plays the phone on the master side.
#include "PseudoTerminal.h"

#include "platform/serial/SerialPort.h"
#include "platform/serial/SerialPortName.h"

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <sys/ioctl.h>
#include <sys/wait.h>
#include <termios.h>
#include <thread>
#include <unistd.h>

using namespace torvane::serial;
using Clock = std::chrono::steady_clock;

namespace {

class SerialPortTest : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_pty.ok());
        std::filesystem::create_directories(portLinkFolder());
        m_link = portLinkFolder() + "/COM3";
        ASSERT_EQ(::symlink(m_pty.device().c_str(), m_link.c_str()), 0);
    }
    void TearDown() override { ::unlink(m_link.c_str()); }

    SerialPort openOk(std::string_view name = "COM3")
    {
        auto port = SerialPort::open(name);
        EXPECT_TRUE(port) << (port ? "" : port.error().text);
        return port ? std::move(port).value() : SerialPort();
    }

    // Reads what the far end sent within a deadline, until want has arrived.
    static std::string readUntil(SerialPort& port, const std::string& want)
    {
        std::string got;
        const auto deadline = Clock::now() + std::chrono::seconds(3);
        while (got.find(want) == std::string::npos && Clock::now() < deadline) {
            auto chunk = port.readAll();
            if (!chunk)
                break;
            got += *chunk;
            std::this_thread::yield();
        }
        return got;
    }

    PseudoTerminal m_pty;
    std::string m_link;
};

TEST_F(SerialPortTest, OpensByComNameAndByNumberThroughTheLink)
{
    {
        SerialPort port = openOk("COM3");
        EXPECT_EQ(port.devicePath(), m_link);
        EXPECT_EQ(port.name(), "COM3");
    }
    auto byNumber = SerialPort::open(3);
    ASSERT_TRUE(byNumber) << byNumber.error().text;
    EXPECT_EQ(byNumber->name(), "COM3");
}

TEST_F(SerialPortTest, MissingAndMisnamedPortsGiveDistinctErrors)
{
    auto missing = SerialPort::open("/dev/torvane-no-such-port");
    ASSERT_FALSE(missing);
    EXPECT_EQ(missing.error().code, SerialErrorCode::NotFound);
    auto badName = SerialPort::open("LPT1");
    ASSERT_FALSE(badName);
    EXPECT_EQ(badName.error().code, SerialErrorCode::BadName);
    auto badNumber = SerialPort::open(0);
    ASSERT_FALSE(badNumber);
    EXPECT_EQ(badNumber.error().code, SerialErrorCode::BadName);
    auto notTty = SerialPort::open("/dev/null");
    ASSERT_FALSE(notTty);
    EXPECT_EQ(notTty.error().code, SerialErrorCode::NotFound);
    SerialPort closed;
    auto notOpen = closed.write("AT\r");
    ASSERT_FALSE(notOpen);
    EXPECT_EQ(notOpen.error().code, SerialErrorCode::NotOpen);
}

TEST_F(SerialPortTest, SecondOpenInTheSameProcessIsInUseByEveryName)
{
    SerialPort first = openOk();
    for (const std::string& name : {std::string("COM3"), m_pty.device(), m_link}) {
        auto second = SerialPort::open(name);
        ASSERT_FALSE(second) << name;
        EXPECT_EQ(second.error().code, SerialErrorCode::InUse) << name;
        EXPECT_NE(second.error().text.find("in use"), std::string::npos);
    }
    // The failed opens took nothing from the holder.
    m_pty.send("still mine");
    EXPECT_EQ(readUntil(first, "still mine"), "still mine");
    first.close();
    EXPECT_TRUE(SerialPort::open("COM3"));
}

TEST_F(SerialPortTest, NoPortIsTakenWhileTheRuntimeFolderIsOpenToOthers)
{
    const std::filesystem::path folder = std::string(std::getenv("XDG_RUNTIME_DIR")) + "/torvane";
    std::filesystem::create_directories(folder);
    std::filesystem::permissions(folder, std::filesystem::perms::all);
    auto refused = SerialPort::open("COM3");
    std::filesystem::permissions(folder, std::filesystem::perms::owner_all);
    ASSERT_FALSE(refused);
    EXPECT_NE(refused.error().text.find("open to other users"), std::string::npos) << refused.error().text;
    EXPECT_TRUE(SerialPort::open("COM3")) << "the refused open held nothing";
}

TEST_F(SerialPortTest, RootIsKeptOutAlthoughTheTerminalsExclusiveModeLetsItIn)
{
    if (::geteuid() != 0)
        GTEST_SKIP() << "only root passes the terminal's exclusive mode";
    SerialPort first = openOk();
    const int raw = ::open(m_pty.device().c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK);
    EXPECT_GE(raw, 0) << "root is expected to pass the exclusive mode";
    if (raw >= 0)
        ::close(raw);
    auto second = SerialPort::open("COM3");
    ASSERT_FALSE(second);
    EXPECT_EQ(second.error().code, SerialErrorCode::InUse);
}

TEST_F(SerialPortTest, PortHeldByAnotherProcessIsInUseUntilThatProcessDies)
{
    int ready[2];
    ASSERT_EQ(::pipe(ready), 0);
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        auto held = SerialPort::open("COM3");
        const char answer = held ? '1' : '0';
        [[maybe_unused]] auto n = ::write(ready[1], &answer, 1);
        for (;;)
            ::pause();
    }
    ::close(ready[1]);
    char answer = 0;
    ASSERT_EQ(::read(ready[0], &answer, 1), 1);
    ::close(ready[0]);
    ASSERT_EQ(answer, '1') << "the child could not open the port";

    auto second = SerialPort::open("COM3");
    ASSERT_FALSE(second);
    EXPECT_EQ(second.error().code, SerialErrorCode::InUse);

    // A holder that crashes leaves nothing behind that blocks the port.
    ::kill(child, SIGKILL);
    int status = 0;
    ::waitpid(child, &status, 0);
    // Not even the terminal's exclusive mode, which root would pass and nobody else.
    const int raw = ::open(m_pty.device().c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK);
    int exclusive = -1;
    EXPECT_TRUE(raw >= 0 && ::ioctl(raw, TIOCGEXCL, &exclusive) == 0 && exclusive == 0)
        << "open: " << raw << ", exclusive: " << exclusive;
    if (raw >= 0)
        ::close(raw);
    auto after = SerialPort::open("COM3");
    EXPECT_TRUE(after) << after.error().text;
}

TEST_F(SerialPortTest, ProbeFindsAPortAndLeavesItAsItWas)
{
    // Another program holds the device without our locks, in the terminal's cooked mode.
    const int other = ::open(m_pty.device().c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK);
    ASSERT_GE(other, 0);
    termios before {};
    ASSERT_EQ(::tcgetattr(other, &before), 0);

    const auto probed = SerialPort::probe(3);
    EXPECT_TRUE(probed) << (probed ? "" : probed.error().text);
    termios after {};
    ASSERT_EQ(::tcgetattr(other, &after), 0);
    EXPECT_EQ(after.c_lflag, before.c_lflag) << "the probe changed the line's mode";
    EXPECT_EQ(after.c_iflag, before.c_iflag);
    EXPECT_EQ(after.c_cflag, before.c_cflag);
    int exclusive = 0;
    ASSERT_EQ(::ioctl(other, TIOCGEXCL, &exclusive), 0);
    EXPECT_EQ(exclusive, 0) << "the probe left the terminal in exclusive mode";
    ::close(other);

    // The probe took nothing: the port opens after it, and while it is open the probe says so.
    {
        SerialPort held = openOk();
        const auto busy = SerialPort::probe(3);
        ASSERT_FALSE(busy);
        EXPECT_EQ(busy.error().code, SerialErrorCode::InUse);
    }
    EXPECT_TRUE(SerialPort::probe(3));

    const std::string dangling = portLinkFolder() + "/COM5";
    ASSERT_EQ(::symlink("/dev/torvane-no-such-port", dangling.c_str()), 0);
    const auto missing = SerialPort::probe(5);
    ::unlink(dangling.c_str());
    ASSERT_FALSE(missing);
    EXPECT_EQ(missing.error().code, SerialErrorCode::NotFound);
    const auto zero = SerialPort::probe(0);
    ASSERT_FALSE(zero);
    EXPECT_EQ(zero.error().code, SerialErrorCode::BadName);
}

TEST_F(SerialPortTest, ProbeNeverMakesThePortTheControllingTerminal)
{
    int result[2];
    ASSERT_EQ(::pipe(result), 0);
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        // A session leader without a terminal takes the first terminal it opens, unless told not to.
        ::setsid();
        const bool probed = SerialPort::probe(3).ok();
        const int tty = ::open("/dev/tty", O_RDWR | O_NOCTTY);
        const char answer = !probed ? 'p' : tty >= 0 ? 't' : '1';
        [[maybe_unused]] auto n = ::write(result[1], &answer, 1);
        ::_exit(0);
    }
    ::close(result[1]);
    char answer = 0;
    ASSERT_EQ(::read(result[0], &answer, 1), 1);
    ::close(result[0]);
    ::waitpid(child, nullptr, 0);
    EXPECT_NE(answer, 'p') << "the probe did not find the port";
    EXPECT_NE(answer, 't') << "the probe made the port the controlling terminal";
    EXPECT_EQ(answer, '1');
}

// What a pseudo-terminal keeps: any speed, stop bits and flow control, 8 bits without parity.
class AppliedSettingsTest : public SerialPortTest, public testing::WithParamInterface<LineSettings> {};

TEST_P(AppliedSettingsTest, ReadBackEqualsWhatWasApplied)
{
    SerialPort port = openOk();
    const auto applied = port.apply(GetParam());
    ASSERT_TRUE(applied) << applied.error().text;
    const auto back = port.settings();
    ASSERT_TRUE(back) << back.error().text;
    EXPECT_EQ(*back, GetParam());
}

LineSettings with(int baud, StopBits stop = StopBits::One, bool rtsCts = false, bool xon = false,
                  LineControl dtr = LineControl::Enable)
{
    LineSettings s;
    s.baudRate = baud;
    s.stopBits = stop;
    s.ctsOutputFlow = rtsCts;
    s.xonXoffInput = s.xonXoffOutput = xon;
    s.dtrControl = dtr;
    return s;
}

INSTANTIATE_TEST_SUITE_P(Settings, AppliedSettingsTest,
                         testing::Values(with(19200), with(9600, StopBits::Two), with(115200, StopBits::One, true),
                                         with(57600, StopBits::One, false, true),
                                         with(14400), // not a standard terminal rate
                                         with(2400, StopBits::Two, true, true, LineControl::Disable)));

TEST_F(SerialPortTest, SettingsTheDeviceDropsOrNoDeviceTakesAreErrorsNotFallbacks)
{
    SerialPort port = openOk();
    struct Case {
        LineSettings settings;
        SerialErrorCode code;
        const char* mentions;
    };
    std::vector<Case> cases;
    for (Parity p : {Parity::Even, Parity::Odd, Parity::Mark, Parity::Space}) {
        LineSettings s;
        s.parity = p;
        cases.push_back({s, SerialErrorCode::SettingRefused, "parity"});
    }
    LineSettings seven;
    seven.dataBits = 7;
    cases.push_back({seven, SerialErrorCode::SettingRefused, "7 data bits"});
    LineSettings four;
    four.dataBits = 4;
    cases.push_back({four, SerialErrorCode::UnsupportedSetting, "4 data bits"});
    LineSettings onePointFive;
    onePointFive.stopBits = StopBits::OnePointFive;
    cases.push_back({onePointFive, SerialErrorCode::UnsupportedSetting, "1.5 stop bits"});
    LineSettings fiveTwo;
    fiveTwo.dataBits = 5;
    fiveTwo.stopBits = StopBits::Two;
    cases.push_back({fiveTwo, SerialErrorCode::UnsupportedSetting, "2 stop bits"});
    LineSettings dtrHandshake;
    dtrHandshake.dtrControl = LineControl::Handshake;
    cases.push_back({dtrHandshake, SerialErrorCode::UnsupportedSetting, "DTR"});
    LineSettings zeroBaud;
    zeroBaud.baudRate = 0;
    cases.push_back({zeroBaud, SerialErrorCode::UnsupportedSetting, "baud rate 0"});

    for (const Case& c : cases) {
        const auto result = port.apply(c.settings);
        ASSERT_FALSE(result) << c.mentions;
        EXPECT_EQ(result.error().code, c.code) << c.mentions;
        EXPECT_GT(result.error().number(), 0);
        EXPECT_NE(result.error().text.find(c.mentions), std::string::npos) << result.error().text;
        EXPECT_NE(result.error().text.find("COM3"), std::string::npos) << result.error().text;
    }
}

TEST_F(SerialPortTest, ReadTakesWhatIsWaitingWithoutWaiting)
{
    SerialPort port = openOk();
    char buf[64];
    const auto start = Clock::now();
    auto none = port.read(buf, sizeof buf);
    ASSERT_TRUE(none) << none.error().text;
    EXPECT_EQ(*none, 0u);
    EXPECT_LT(Clock::now() - start, std::chrono::milliseconds(100));

    m_pty.send("OK\r\nRING\r\n");
    const auto deadline = Clock::now() + std::chrono::seconds(3);
    while (*port.bytesWaiting() < 10 && Clock::now() < deadline)
        std::this_thread::yield();
    EXPECT_EQ(*port.bytesWaiting(), 10u);
    auto some = port.read(buf, 4);
    ASSERT_TRUE(some);
    EXPECT_EQ(std::string(buf, *some), "OK\r\n");
    EXPECT_EQ(*port.readAll(), "RING\r\n");
    EXPECT_EQ(*port.bytesWaiting(), 0u);
}

TEST_F(SerialPortTest, WritesWholeBufferAndPurgesInput)
{
    SerialPort port = openOk();
    const auto written = port.write("ATE1Q0V1\r");
    ASSERT_TRUE(written);
    EXPECT_EQ(*written, 9u);
    std::string got;
    const auto deadline = Clock::now() + std::chrono::seconds(3);
    while (got.size() < 9 && Clock::now() < deadline)
        got += m_pty.receive();
    EXPECT_EQ(got, "ATE1Q0V1\r");
    EXPECT_EQ(*port.outputQueueFill(), 0u);

    m_pty.send("stale");
    const auto until = Clock::now() + std::chrono::seconds(3);
    while (*port.bytesWaiting() < 5 && Clock::now() < until)
        std::this_thread::yield();
    ASSERT_TRUE(port.purge(PurgeInput));
    EXPECT_EQ(*port.bytesWaiting(), 0u);
}

TEST_F(SerialPortTest, WriteThatTheLineCannotTakeEndsAtItsTimeOutWithTheCountTaken)
{
    SerialPort port = openOk();
    port.setWriteTimeouts({0, 100});
    const std::string big(1 << 20, 'x'); // far more than the terminal buffers while nobody reads
    const auto start = Clock::now();
    const auto written = port.write(big);
    ASSERT_TRUE(written) << written.error().text;
    EXPECT_LT(*written, big.size());
    EXPECT_GT(*written, 0u);
    EXPECT_GE(Clock::now() - start, std::chrono::milliseconds(100));
    EXPECT_LT(Clock::now() - start, std::chrono::seconds(2));
}

TEST_F(SerialPortTest, PseudoTerminalLooksLikeACableWithItsLinesOnUntilHungUp)
{
    SerialPort port = openOk();
    EXPECT_TRUE(port.setDtr(true));
    EXPECT_TRUE(port.setRts(false));
    auto lines = port.modemStatus();
    ASSERT_TRUE(lines) << lines.error().text;
    EXPECT_TRUE(lines->dsr());
    EXPECT_TRUE(lines->cts());
    EXPECT_TRUE(lines->dcd());
    EXPECT_FALSE(lines->ring());
    EXPECT_FALSE(lines->reported);
    EXPECT_EQ(*port.readErrorFlags(), 0u);

    m_pty.closeMaster();
    auto dropped = port.modemStatus();
    ASSERT_TRUE(dropped);
    EXPECT_EQ(dropped->lines, 0u);
    char buf[8];
    auto read = port.read(buf, sizeof buf);
    ASSERT_FALSE(read);
    EXPECT_EQ(read.error().code, SerialErrorCode::LineDropped);
    auto write = port.write("AT\r");
    ASSERT_FALSE(write);
    EXPECT_EQ(write.error().code, SerialErrorCode::LineDropped);
}

TEST_F(SerialPortTest, QueueSizesAreWhatTheProgramAskedFor)
{
    SerialPort port = openOk();
    port.setQueueSizes(1000, 400);
    EXPECT_EQ(port.inputQueueSize(), 1000u);
    EXPECT_EQ(port.outputQueueSize(), 400u);
    SerialPort moved = std::move(port);
    EXPECT_FALSE(port.isOpen());
    EXPECT_TRUE(moved.isOpen());
    EXPECT_EQ(moved.outputQueueSize(), 400u);
}

} // namespace
