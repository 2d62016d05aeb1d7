// The port window's rules without a window: the settings text read into the fields and
// composed back, the number boxes, the machine's ports, and what OK refuses or raises.
// The window's tests (tests/organizer/ui) drive the rest through its controls.
#include "organizer/link/OrgError.h"
#include "organizer/link/Settings.h"

#include "platform/serial/PseudoTerminal.h"
#include "platform/serial/SerialPort.h"
#include "platform/serial/SerialPortName.h"

#include "PortFixture.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace tessaro {
namespace {

int raisedBy(const std::function<void()>& f)
{
    try {
        f();
    } catch (const OrgError& err) {
        return err.number();
    }
    return 0;
}

TEST(PortSettingsText, FieldsAreReadByPositionAndComposedWithTheParitysCapital)
{
    struct Case {
        const char* text;
        const char* speed;
        int parity;
        const char* dataBits;
        const char* stopBits;
        const char* composed; // what OK writes back unchanged
    };
    const Case cases[] = {
        {"19200,n,8,1.5", "19200", 2, "8", "1.5", "19200,N,8,1.5"},
        {"115200,e,7,2", "115200", 0, "7", "2", "115200,E,7,2"},
        {"19200,m,8,1", "19200", 3, "8", "1", "19200,M,8,1"},
        {"9600,o,8,1", "9600", 1, "8", "1", "9600,O,8,1"},
        {"2400,s,5,1.5", "2400", 4, "5", "1.5", "2400,S,5,1.5"},
        // The control reports its parity in lower case; a capital is no parity at all.
        {"19200,M,8,1", "19200", -1, "8", "1", "19200,,8,1"},
    };
    for (const Case& c : cases) {
        const SettingsFields f = SplitSettingsText(QLatin1String(c.text));
        EXPECT_EQ(f.speed, QLatin1String(c.speed)) << c.text;
        EXPECT_EQ(f.parity, c.parity) << c.text;
        EXPECT_EQ(f.dataBits, QLatin1String(c.dataBits)) << c.text;
        EXPECT_EQ(f.stopBits, QLatin1String(c.stopBits)) << c.text;
        EXPECT_EQ(ComposeSettingsText(QLatin1Char(' ') + f.speed, PortParities.value(f.parity), f.dataBits + QLatin1Char(' '),
                                      f.stopBits),
                  QLatin1String(c.composed));
    }
    EXPECT_EQ(raisedBy([] { SplitSettingsText(QStringLiteral("9,n,8")); }), 5);
}

TEST(PortNumberBoxes, TextBecomesItsLeadingNumberAndOkTakesAtLeastTheMinimum)
{
    const std::pair<const char*, const char*> shown[] = {
        {"", "0"}, {"abc", "0"}, {"12ab", "12"}, {" 42", "42"}, {"007", "7"}, {"-5", "-5"}, {"40000", "40000"},
        {"99999999999", "fallback"},
    };
    for (const auto& [text, want] : shown)
        EXPECT_EQ(NumericBoxText(QLatin1String(text), QStringLiteral("fallback")), QLatin1String(want)) << text;

    const std::pair<const char*, int> taken[] = {{"0", 100}, {"", 100}, {"-5", 100}, {"99", 100}, {"700", 700},
                                                 {"32767", 32767}};
    for (const auto& [text, want] : taken) {
        EXPECT_EQ(LinkWaitFromText(QLatin1String(text)), want) << text;
        EXPECT_EQ(LinkWaitBoxText(QLatin1String(text)), QString::number(want)) << text;
    }
    EXPECT_EQ(raisedBy([] { LinkWaitFromText(QStringLiteral("32768")); }), ErrOverflow);
    EXPECT_EQ(LinkWaitBoxText(QStringLiteral("32768")), QStringLiteral("32768"));
}

using PortPropertiesTest = test::PortFixture;

// What OK gets from a loaded window whose fields the user left alone.
PortChoice loadedChoice(CommControl& comm)
{
    PortWindowFields f;
    EXPECT_TRUE(LoadPortProperties(comm, f));
    return {f.ports.value(f.port), f.settings.speed,   PortParities.value(f.settings.parity),
            f.settings.dataBits,   f.settings.stopBits, f.handshaking,
            f.timeout,             f.infrared,          f.infraredDelay};
}

TEST_F(PortPropertiesTest, OnTheMachineAPortIsListedWhenItOpensOrAnotherProgramHoldsIt)
{
    setPortProbe(nullptr);
    PseudoTerminal free, held;
    ASSERT_TRUE(free.ok() && held.ok());
    // Every number is linked, so the machine's own devices do not count.
    std::filesystem::create_directories(torvane::serial::portLinkFolder());
    for (int n = 1; n <= 16; ++n) {
        const std::string device = n == 2 ? free.device() : n == 4 ? held.device() : "/dev/torvane-no-such-port";
        const std::string link = torvane::serial::portLinkFolder() + "/COM" + std::to_string(n);
        ASSERT_EQ(::symlink(device.c_str(), link.c_str()), 0) << link;
    }
    auto holder = torvane::serial::SerialPort::open(4);
    ASSERT_TRUE(holder) << holder.error().text;

    PortWindowFields f;
    EXPECT_TRUE(LoadPortProperties(comm(), f));
    EXPECT_EQ(f.ports, QStringList({"COM2", "COM4"}));
    EXPECT_EQ(f.port, 0) << "port 5 is gone: the first one found is offered";
    EXPECT_TRUE(torvane::serial::SerialPort::open(2)) << "the probe let go of the free port";
}

TEST_F(PortPropertiesTest, RefusedSettingShowsItsOwnTextAndSavesNothing)
{
    const std::pair<std::function<void(PortChoice&)>, const char*> cases[] = {
        {[](PortChoice& c) { c.speed = QStringLiteral("fast"); }, "Invalid property value"},
        {[](PortChoice& c) { c.parity.clear(); }, "Invalid property value"},
        {[](PortChoice& c) { c.dataBits = QStringLiteral("9"); }, "Invalid property value"},
        {[](PortChoice& c) { c.handshaking = 4; }, "Invalid property value"},
        {[](PortChoice& c) { c.parity = QStringLiteral("Space"); },
         "Could not set the line settings: the device keeps its framing"},
    };
    port->refuse = [](const LineSettings& s) { return s.parity == 's'; };
    comm().setPortOpen(true);
    for (const auto& [change, text] : cases) {
        SCOPED_TRACE(text);
        boxes.boxes.clear();
        PortChoice choice = loadedChoice(comm());
        choice.timeout = QStringLiteral("1234");
        change(choice);
        EXPECT_EQ(ApplyPortProperties(comm(), choice), PortApplyResult::Refused);
        ASSERT_EQ(boxes.boxes.size(), 1u);
        EXPECT_EQ(boxes.boxes[0].text, QLatin1String(text));
        EXPECT_EQ(boxes.boxes[0].style, vbExclamation);
        EXPECT_EQ(boxes.boxes[0].caption, QStringLiteral("Tessaro"));
        EXPECT_EQ(comm().Settings(), QStringLiteral("19200,n,8,1"));
        EXPECT_TRUE(comm().PortOpen());
        EXPECT_EQ(ComTimeout, 3000);
        EXPECT_FALSE(stored("ComPort"));
    }
    // A port change made before the refusal stays with the control, the new port closed.
    PortChoice moved = loadedChoice(comm());
    moved.port = QStringLiteral("COM2");
    moved.speed = QStringLiteral("fast");
    EXPECT_EQ(ApplyPortProperties(comm(), moved), PortApplyResult::Refused);
    EXPECT_EQ(comm().CommPort(), 2);
    EXPECT_FALSE(comm().PortOpen());
    EXPECT_EQ(ComPort, 5);
}

TEST_F(PortPropertiesTest, WaitsAreRaisedToTheMinimumSoTheLinkStillTimesOutAndTooLongOnesRefused)
{
    PortChoice c = loadedChoice(comm());
    c.timeout = QStringLiteral("0");
    c.infrared = true;
    c.infraredDelay = QString();
    ASSERT_EQ(ApplyPortProperties(comm(), c), PortApplyResult::Saved);
    EXPECT_EQ(c.timeout, QStringLiteral("100"));
    EXPECT_EQ(c.infraredDelay, QStringLiteral("100"));
    ASSERT_EQ(ComTimeout, MinLinkWaitMs);
    ASSERT_EQ(IrdaEffectiveDelay, MinLinkWaitMs);
    EXPECT_EQ(stored("ComTimeout"), MinLinkWaitMs);
    EXPECT_EQ(stored("InfraredDelay"), MinLinkWaitMs);

    // A silent phone: the opening waits the delay taken, both handshake passes run out, and a
    // command then ends after the time-out taken instead of never.
    EXPECT_FALSE(InitComm());
    ASSERT_FALSE(port->writeTimes.empty());
    EXPECT_EQ(port->writeTimes.front(), MinLinkWaitMs);
    comm().setPortOpen(true);
    const std::int64_t start = clock.nowMs();
    QByteArray answer;
    EXPECT_EQ(raisedBy([&] { ComDrvEmpfangeVonMs(answer, QByteArrayLiteral("OK")); }), ErrTimeout);
    EXPECT_EQ(clock.nowMs() - start, MinLinkWaitMs);

    for (const auto& [timeout, delay] : {std::pair{"40000", "700"}, std::pair{"7500", "32768"}}) {
        boxes.boxes.clear();
        PortChoice tooLong = loadedChoice(comm());
        tooLong.timeout = QLatin1String(timeout);
        tooLong.infraredDelay = QLatin1String(delay);
        EXPECT_EQ(ApplyPortProperties(comm(), tooLong), PortApplyResult::Failed);
        ASSERT_EQ(boxes.boxes.size(), 1u);
        EXPECT_EQ(boxes.boxes[0].caption, QStringLiteral("An Error Occurred In: Tessaro:cmdOK_Click"));
        EXPECT_EQ(boxes.boxes[0].text,
                  QStringLiteral("Number: 6\r\nDescription: Overflow\r\nLocation: Tessaro:cmdOK_Click"));
        EXPECT_EQ(stored("ComTimeout"), MinLinkWaitMs);
    }
}

} // namespace
} // namespace tessaro
