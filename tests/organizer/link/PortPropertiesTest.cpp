// The port window's rules without a window: the settings text read into the fields and
// composed back, the number boxes, the load with and without ports, and OK applying to the
// serial control, the settings and the registry, with its refusals and its lower bounds.
#include "organizer/link/ComDrv.h"
#include "organizer/link/OrgError.h"
#include "organizer/link/PortProperties.h"
#include "organizer/link/PublicVar.h"
#include "organizer/link/Settings.h"

#include "platform/registry/Registry.h"
#include "platform/registry/RegistryFixture.h"
#include "platform/serial/PseudoTerminal.h"
#include "platform/serial/SerialPort.h"
#include "platform/serial/SerialPortName.h"

#include "BoxRecorder.h"
#include "FakeLinkClock.h"
#include "QtPrinters.h"
#include "ScriptedPort.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <set>

namespace tessaro {
namespace {

namespace reg = torvane::registry;

const std::string kSettings = "Software\\Torvane\\Tessaro\\Settings";

// A device that refuses the settings a test names once it is open.
class RefusingPort : public test::ScriptedPort {
public:
    using ScriptedPort::ScriptedPort;
    bool configure(const LineSettings& s, QString& detail) override
    {
        if (refuse && refuse(s)) {
            detail = QStringLiteral("the device keeps its framing");
            return false;
        }
        return ScriptedPort::configure(s, detail);
    }
    std::function<bool(const LineSettings&)> refuse;
};

TEST(PortSettingsText, FieldsAreReadByPositionAndComposedWithTheParitysCapital)
{
    struct Case {
        const char* text;
        const char* speed;
        int parity;
        const char* dataBits;
        const char* stopBits;
        const char* composed; // what OK writes back unchanged; nullptr without a parity
    };
    const Case cases[] = {
        {"19200,n,8,1.5", "19200", 2, "8", "1.5", "19200,N,8,1.5"},
        {"115200,e,7,2", "115200", 0, "7", "2", "115200,E,7,2"},
        {"19200,m,8,1", "19200", 3, "8", "1", "19200,M,8,1"},
        {"9600,o,8,1", "9600", 1, "8", "1", "9600,O,8,1"},
        {"2400,s,5,1.5", "2400", 4, "5", "1.5", "2400,S,5,1.5"},
        // The control reports its parity in lower case; an upper-case letter is no parity.
        {"19200,M,8,1", "19200", -1, "8", "1", nullptr},
    };
    for (const Case& c : cases) {
        const SettingsFields f = SplitSettingsText(QLatin1String(c.text));
        EXPECT_EQ(f.speed, QLatin1String(c.speed)) << c.text;
        EXPECT_EQ(f.parity, c.parity) << c.text;
        EXPECT_EQ(f.dataBits, QLatin1String(c.dataBits)) << c.text;
        EXPECT_EQ(f.stopBits, QLatin1String(c.stopBits)) << c.text;
        if (c.composed) {
            EXPECT_EQ(ComposeSettingsText(f.speed, PortParities[c.parity], f.dataBits, f.stopBits),
                      QLatin1String(c.composed));
        }
    }
    EXPECT_EQ(ComposeSettingsText(QStringLiteral(" 4800 "), QString(), QStringLiteral("8 "), QStringLiteral(" 2")),
              QStringLiteral("4800,,8,2"));
    try {
        SplitSettingsText(QStringLiteral("9,n,8"));
        ADD_FAILURE() << "a text too short for its fields was split";
    } catch (const OrgError& err) {
        EXPECT_EQ(err.number(), 5);
    }
}

TEST(PortNumberBoxes, TextBecomesItsLeadingNumberAndOkTakesAtLeastTheMinimum)
{
    const std::pair<const char*, const char*> shown[] = {
        {"", "0"},       {"abc", "0"},   {"12ab", "12"}, {" 42", "42"},
        {"007", "7"},    {"-5", "-5"},   {"7500", "7500"}, {"40000", "40000"},
        {"99999999999", "fallback"},
    };
    for (const auto& [text, want] : shown)
        EXPECT_EQ(NumericBoxText(QLatin1String(text), QStringLiteral("fallback")), QLatin1String(want)) << text;

    const std::pair<const char*, int> taken[] = {{"0", 100}, {"", 100}, {"-5", 100}, {"99", 100},
                                                 {"100", 100}, {"700", 700}, {"32767", 32767}};
    for (const auto& [text, want] : taken) {
        EXPECT_EQ(LinkWaitFromText(QLatin1String(text)), want) << text;
        EXPECT_EQ(LinkWaitBoxText(QLatin1String(text)), QString::number(want)) << text;
    }
    try {
        LinkWaitFromText(QStringLiteral("32768"));
        ADD_FAILURE() << "a time-out beyond 16 bits was taken";
    } catch (const OrgError& err) {
        EXPECT_EQ(err.number(), ErrOverflow);
    }
    EXPECT_EQ(LinkWaitBoxText(QStringLiteral("32768")), QStringLiteral("32768"));
}

class PortPropertiesTest : public torvane::test::RegistryFixture {
protected:
    void SetUp() override
    {
        RegistryFixture::SetUp();
        auto owned = std::make_unique<RefusingPort>(clock);
        port = owned.get();
        ComDrvLoad(std::move(owned), clock);
        previousProbe = setPortProbe([this](int n) {
            ++probes;
            return present.contains(n);
        });
        ComPort = 5;
        ComTimeout = 3000;
        Infrared = 1;
        InfraredDelay = 900;
        IrdaEffectiveDelay = 900;
        InfraredPort = 5;
        LanguageBase = 10000;
        comm().setCommPort(5);
        comm().setSettings(QStringLiteral("19200,m,8,1"));
        comm().setHandshaking(2);
    }
    void TearDown() override
    {
        setPortProbe(std::move(previousProbe));
        ComDrvUnload();
    }

    CommControl& comm() { return ComDrvForm().MSComm1; }

    // What OK gets when the user changed nothing in a loaded window.
    PortChoice unchanged()
    {
        PortWindowFields f;
        EXPECT_TRUE(LoadPortProperties(comm(), f));
        PortChoice c;
        c.port = f.port >= 0 ? f.ports[f.port] : QString();
        c.speed = f.settings.speed;
        c.parity = f.settings.parity >= 0 ? PortParities[f.settings.parity] : QString();
        c.dataBits = f.settings.dataBits;
        c.stopBits = f.settings.stopBits;
        c.handshaking = f.handshaking;
        c.timeout = f.timeout;
        c.infrared = f.infrared;
        c.infraredDelay = f.infraredDelay;
        return c;
    }

    std::optional<std::int32_t> stored(const char* name)
    {
        const auto v = reg::readDword(HKEY_CURRENT_USER, kSettings, name);
        return v ? std::optional<std::int32_t>(std::int32_t(*v)) : std::nullopt;
    }
    std::optional<std::string> storedText(const char* name)
    {
        const auto v = reg::readString(HKEY_CURRENT_USER, kSettings, name);
        return v ? std::optional<std::string>(*v) : std::nullopt;
    }

    test::FakeLinkClock clock;
    RefusingPort* port = nullptr;
    test::BoxRecorder boxes;
    std::set<int> present = {2, 5, 7};
    int probes = 0;
    PortProbe previousProbe;
};

TEST_F(PortPropertiesTest, LoadListsThePortsFoundAndShowsTheCurrentSettings)
{
    PortWindowFields f;
    ASSERT_TRUE(LoadPortProperties(comm(), f));
    EXPECT_EQ(probes, 16);
    EXPECT_EQ(f.ports, QStringList({"COM2", "COM5", "COM7"}));
    EXPECT_EQ(f.port, 1);
    EXPECT_TRUE(f.listsFilled);
    EXPECT_EQ(f.settings.speed, QStringLiteral("19200"));
    EXPECT_EQ(PortParities.value(f.settings.parity), QStringLiteral("Mark"));
    EXPECT_EQ(f.settings.dataBits, QStringLiteral("8"));
    EXPECT_EQ(f.settings.stopBits, QStringLiteral("1"));
    EXPECT_EQ(f.handshaking, 2);
    EXPECT_EQ(f.timeout, QStringLiteral("3000"));
    EXPECT_TRUE(f.infrared);
    EXPECT_EQ(f.infraredDelay, QStringLiteral("900"));
    EXPECT_TRUE(f.infraredDelayEnabled);
    EXPECT_TRUE(boxes.boxes.empty());

    // Without infrared the delay box shows the 1 ms the link then uses, greyed.
    Infrared = 0;
    IrdaEffectiveDelay = 1;
    // A port no longer on the machine: the first one found is offered.
    present = {3, 9};
    ASSERT_TRUE(LoadPortProperties(comm(), f));
    EXPECT_EQ(f.ports, QStringList({"COM3", "COM9"}));
    EXPECT_EQ(f.port, 0);
    EXPECT_FALSE(f.infrared);
    EXPECT_EQ(f.infraredDelay, QStringLiteral("1"));
    EXPECT_FALSE(f.infraredDelayEnabled);
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
    // The free port was only looked at: it opens as before.
    EXPECT_TRUE(torvane::serial::SerialPort::open(2));
}

TEST_F(PortPropertiesTest, NoPortsFoundEndsTheLoadWithTheErrorBoxAndOkRefusesThePort)
{
    present.clear();
    PortWindowFields f;
    EXPECT_FALSE(LoadPortProperties(comm(), f));
    EXPECT_TRUE(f.ports.isEmpty());
    EXPECT_EQ(f.port, -1);
    // What came before the port list is shown; what comes after keeps its design state.
    EXPECT_EQ(f.settings.speed, QStringLiteral("19200"));
    EXPECT_EQ(f.handshaking, -1);
    EXPECT_EQ(f.timeout, QStringLiteral("7500"));
    EXPECT_FALSE(f.infrared);
    EXPECT_EQ(f.infraredDelay, QStringLiteral("700"));
    ASSERT_EQ(boxes.boxes.size(), 1u);
    EXPECT_EQ(boxes.boxes[0].caption, QStringLiteral("An Error Occurred In: Tessaro:LoadPropertySettings"));
    EXPECT_EQ(boxes.boxes[0].text, QStringLiteral("Number: 380\r\nDescription: Invalid property value\r\n"
                                                  "Location: Tessaro:LoadPropertySettings"));
    EXPECT_EQ(boxes.boxes[0].style, vbExclamation);

    PortChoice c;
    c.speed = QStringLiteral("9600");
    c.parity = QStringLiteral("None");
    c.dataBits = QStringLiteral("8");
    c.stopBits = QStringLiteral("1");
    c.timeout = QStringLiteral("7500");
    EXPECT_EQ(ApplyPortProperties(comm(), c), PortApplyResult::Refused);
    ASSERT_EQ(boxes.boxes.size(), 2u);
    EXPECT_EQ(boxes.boxes[1].text, QStringLiteral("Invalid port number"));
    EXPECT_EQ(boxes.boxes[1].style, vbExclamation);
    EXPECT_EQ(comm().CommPort(), 5);
    EXPECT_EQ(comm().Settings(), QStringLiteral("19200,m,8,1"));
    EXPECT_FALSE(stored("ComPort"));
}

TEST_F(PortPropertiesTest, OkWithoutChangesSavesWhatWasLoaded)
{
    // Stored with a capital parity letter by an earlier version: the control reports it in
    // lower case, so the window shows Mark and OK writes it back.
    ASSERT_EQ(reg::writeString(HKEY_CURRENT_USER, kSettings, "ComSettings", "19200,M,8,1"), ERROR_SUCCESS);
    RegSettingsLoad();
    ComTimeout = 3000;
    ComPort = 5;
    IrdaEffectiveDelay = InfraredDelay = 900;
    Infrared = 1;
    comm().setHandshaking(2);
    PortChoice c = unchanged();
    EXPECT_EQ(c.parity, QStringLiteral("Mark"));

    EXPECT_EQ(ApplyPortProperties(comm(), c), PortApplyResult::Saved);
    EXPECT_TRUE(boxes.boxes.empty());
    EXPECT_EQ(comm().Settings(), QStringLiteral("19200,m,8,1"));
    EXPECT_EQ(storedText("ComSettings"), "19200,m,8,1");
    EXPECT_EQ(stored("ComPort"), 5);
    EXPECT_EQ(stored("ComTimeout"), 3000);
    EXPECT_EQ(stored("Handshaking"), 2);
    EXPECT_EQ(stored("Infrared"), 1);
    EXPECT_EQ(stored("InfraredDelay"), 900);
    EXPECT_EQ(stored("InfraredPort"), 5);
}

TEST_F(PortPropertiesTest, OkMovesAnOpenLinkToTheNewPortClosedAndAppliesEverything)
{
    comm().setPortOpen(true);
    PortChoice c = unchanged();
    c.port = QStringLiteral("COM7");
    c.speed = QStringLiteral("115200");
    c.parity = QStringLiteral("Even");
    c.dataBits = QStringLiteral("7");
    c.stopBits = QStringLiteral("2");
    c.handshaking = 1;
    c.timeout = QStringLiteral("5000");
    c.infraredDelay = QStringLiteral("450");

    EXPECT_EQ(ApplyPortProperties(comm(), c), PortApplyResult::Saved);
    EXPECT_FALSE(comm().PortOpen()) << "the link opens the new port at its next use";
    EXPECT_FALSE(port->isOpen);
    EXPECT_EQ(comm().CommPort(), 7);
    EXPECT_EQ(comm().Settings(), QStringLiteral("115200,e,7,2"));
    EXPECT_EQ(comm().Handshaking(), 1);
    EXPECT_EQ(ComPort, 7);
    EXPECT_EQ(ComTimeout, 5000);
    EXPECT_EQ(Infrared, 1);
    EXPECT_EQ(InfraredDelay, 450);
    EXPECT_EQ(IrdaEffectiveDelay, 450);
    EXPECT_EQ(InfraredPort, 7);
    EXPECT_EQ(stored("ComPort"), 7);
    EXPECT_EQ(storedText("ComSettings"), "115200,e,7,2");
    EXPECT_EQ(stored("InfraredPort"), 7);
}

TEST_F(PortPropertiesTest, UntickingInfraredStoresNoInfraredPortAndKeepsTheDelay)
{
    ASSERT_EQ(reg::writeDword(HKEY_CURRENT_USER, kSettings, "InfraredDelay", 900), ERROR_SUCCESS);
    PortChoice c = unchanged();
    c.infrared = false;
    c.infraredDelay = QStringLiteral("1");

    EXPECT_EQ(ApplyPortProperties(comm(), c), PortApplyResult::Saved);
    EXPECT_EQ(Infrared, 0);
    EXPECT_EQ(InfraredPort, -1);
    EXPECT_EQ(IrdaEffectiveDelay, 1);
    EXPECT_EQ(InfraredDelay, 900);
    EXPECT_EQ(stored("Infrared"), 0);
    EXPECT_EQ(stored("InfraredPort"), -1);
    EXPECT_EQ(stored("InfraredDelay"), 900);
}

TEST_F(PortPropertiesTest, RefusedSettingShowsItsOwnTextAndSavesNothing)
{
    struct Case {
        const char* name;
        std::function<void(PortChoice&)> change;
        bool open;
        const char* text;
    };
    const Case cases[] = {
        {"speed that is no number", [](PortChoice& c) { c.speed = QStringLiteral("fast"); }, false,
         "Invalid property value"},
        {"no parity chosen", [](PortChoice& c) { c.parity.clear(); }, false, "Invalid property value"},
        {"nine data bits", [](PortChoice& c) { c.dataBits = QStringLiteral("9"); }, false, "Invalid property value"},
        {"framing the open device refuses", [](PortChoice& c) { c.parity = QStringLiteral("Space"); }, true,
         "Could not set the line settings: the device keeps its framing"},
    };
    port->refuse = [](const LineSettings& s) { return s.parity == 's'; };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        boxes.boxes.clear();
        if (c.open != comm().PortOpen())
            comm().setPortOpen(c.open);
        PortChoice choice = unchanged();
        choice.timeout = QStringLiteral("1234");
        c.change(choice);
        EXPECT_EQ(ApplyPortProperties(comm(), choice), PortApplyResult::Refused);
        ASSERT_EQ(boxes.boxes.size(), 1u);
        EXPECT_EQ(boxes.boxes[0].text, QLatin1String(c.text));
        EXPECT_EQ(boxes.boxes[0].style, vbExclamation);
        EXPECT_EQ(boxes.boxes[0].caption, QStringLiteral("Tessaro"));
        EXPECT_EQ(comm().Settings(), QStringLiteral("19200,m,8,1"));
        EXPECT_EQ(comm().PortOpen(), c.open);
        EXPECT_EQ(ComTimeout, 3000);
        EXPECT_FALSE(stored("ComSettings"));
    }

    // A port change made before the refusal stays, as the control has it.
    comm().setPortOpen(false);
    PortChoice moved = unchanged();
    moved.port = QStringLiteral("COM2");
    moved.speed = QStringLiteral("fast");
    EXPECT_EQ(ApplyPortProperties(comm(), moved), PortApplyResult::Refused);
    EXPECT_EQ(comm().CommPort(), 2);
    EXPECT_EQ(ComPort, 5);
}

TEST_F(PortPropertiesTest, TooShortWaitsAreRaisedSoTheLinkStillTimesOut)
{
    PortChoice c = unchanged();
    c.timeout = QStringLiteral("0");
    c.infraredDelay = QStringLiteral("");
    EXPECT_EQ(ApplyPortProperties(comm(), c), PortApplyResult::Saved);
    EXPECT_EQ(c.timeout, QString::number(MinLinkWaitMs));
    EXPECT_EQ(c.infraredDelay, QString::number(MinLinkWaitMs));
    ASSERT_EQ(ComTimeout, MinLinkWaitMs);
    ASSERT_EQ(IrdaEffectiveDelay, MinLinkWaitMs);
    EXPECT_EQ(stored("ComTimeout"), MinLinkWaitMs);
    EXPECT_EQ(stored("InfraredDelay"), MinLinkWaitMs);

    // A silent phone: the opening waits the infrared delay, then both handshake passes run
    // into their time-out, and a command then fails after the time-out taken, not never.
    port->respond = nullptr;
    EXPECT_FALSE(InitComm());
    ASSERT_FALSE(boxes.boxes.empty());
    EXPECT_NE(boxes.boxes.back().text.indexOf(QStringLiteral("Number: -2000")), -1) << boxes.boxes.back().text.toStdString();
    ASSERT_FALSE(port->writes.empty());
    EXPECT_EQ(port->writeTimes.front(), MinLinkWaitMs) << "the first escape follows the infrared delay";

    comm().setPortOpen(true);
    const std::int64_t start = clock.nowMs();
    QByteArray answer;
    try {
        ComDrvEmpfangeVonMs(answer, QByteArrayLiteral("OK"));
        ADD_FAILURE() << "a silent phone answered";
    } catch (const OrgError& err) {
        EXPECT_EQ(err.number(), ErrTimeout);
    }
    EXPECT_EQ(clock.nowMs() - start, MinLinkWaitMs);
}

TEST_F(PortPropertiesTest, WaitTooLongForItsSettingShowsTheErrorBoxAndSavesNothing)
{
    for (const auto& [timeout, delay] : {std::pair{"40000", "700"}, std::pair{"7500", "32768"}}) {
        SCOPED_TRACE(std::string(timeout) + " " + delay);
        boxes.boxes.clear();
        PortChoice c = unchanged();
        c.timeout = QLatin1String(timeout);
        c.infraredDelay = QLatin1String(delay);
        EXPECT_EQ(ApplyPortProperties(comm(), c), PortApplyResult::Failed);
        ASSERT_EQ(boxes.boxes.size(), 1u);
        EXPECT_EQ(boxes.boxes[0].caption, QStringLiteral("An Error Occurred In: Tessaro:cmdOK_Click"));
        EXPECT_EQ(boxes.boxes[0].text,
                  QStringLiteral("Number: 6\r\nDescription: Overflow\r\nLocation: Tessaro:cmdOK_Click"));
        EXPECT_FALSE(stored("ComPort"));
        EXPECT_EQ(InfraredDelay, 900);
    }
}

} // namespace
} // namespace tessaro
