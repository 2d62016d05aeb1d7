#include "platform/serial/SerialPortName.h"
#include "platform/serial/SerialSettingsText.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <unistd.h>

using namespace torvane::serial;

namespace {

struct NameCase {
    const char* name;
    const char* path; // nullptr: BadName
};

class PortNameTest : public testing::TestWithParam<NameCase> {};

TEST_P(PortNameTest, MapsWithoutLink)
{
    const auto resolved = resolvePortName(GetParam().name);
    if (!GetParam().path) {
        ASSERT_FALSE(resolved);
        EXPECT_EQ(resolved.error().code, SerialErrorCode::BadName);
        EXPECT_NE(resolved.error().text.find(GetParam().name), std::string::npos);
    } else {
        ASSERT_TRUE(resolved) << resolved.error().text;
        EXPECT_EQ(*resolved, GetParam().path);
    }
}

INSTANTIATE_TEST_SUITE_P(Names, PortNameTest,
                         testing::Values(NameCase {"COM1", "/dev/ttyS0"}, NameCase {"com12", "/dev/ttyS11"},
                                         NameCase {"COM3:", "/dev/ttyS2"}, NameCase {"COM16", "/dev/ttyS15"},
                                         NameCase {"/dev/ttyUSB0", "/dev/ttyUSB0"},
                                         NameCase {"ports/phone", "ports/phone"}, NameCase {"COM0", nullptr},
                                         NameCase {"COM", nullptr}, NameCase {"COM01", nullptr},
                                         NameCase {"COMx", nullptr}, NameCase {"LPT1", nullptr},
                                         NameCase {"", nullptr}, NameCase {"COM1a", nullptr}));

TEST(PortName, LinkInConfigFolderWinsOverStandardDevice)
{
    namespace fs = std::filesystem;
    const char* config = std::getenv("XDG_CONFIG_HOME");
    ASSERT_NE(config, nullptr);
    EXPECT_EQ(portLinkFolder(), std::string(config) + "/torvane/ports");
    fs::create_directories(portLinkFolder());
    const std::string link = portLinkFolder() + "/COM4";
    // A dangling link still names the port: opening it then reports the missing device.
    ASSERT_EQ(::symlink("/nonexistent/pts", link.c_str()), 0);
    EXPECT_EQ(*resolvePortName("COM4"), link);
    EXPECT_EQ(*resolvePortName("COM5"), "/dev/ttyS4");
    EXPECT_EQ(portNameForNumber(4), "COM4");
    ::unlink(link.c_str());
}

struct TextCase {
    const char* text;
    int baud;
    Parity parity;
    int dataBits;
    StopBits stop;
    const char* formatted;
};

class SettingsTextTest : public testing::TestWithParam<TextCase> {};

TEST_P(SettingsTextTest, ParsesAndWritesLowerCaseParity)
{
    const auto& c = GetParam();
    const auto parsed = parseSettingsText(c.text);
    ASSERT_TRUE(parsed) << parsed.error().text;
    EXPECT_EQ(parsed->baudRate, c.baud);
    EXPECT_EQ(parsed->parity, c.parity);
    EXPECT_EQ(parsed->dataBits, c.dataBits);
    EXPECT_EQ(parsed->stopBits, c.stop);
    EXPECT_EQ(formatSettingsText(*parsed), c.formatted);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, SettingsTextTest,
    testing::Values(TextCase {"19200,n,8,1", 19200, Parity::None, 8, StopBits::One, "19200,n,8,1"},
                    TextCase {"19200,N,8,1.5", 19200, Parity::None, 8, StopBits::OnePointFive, "19200,n,8,1.5"},
                    TextCase {"115200,E,7,2", 115200, Parity::Even, 7, StopBits::Two, "115200,e,7,2"},
                    TextCase {"9600,m,8,1", 9600, Parity::Mark, 8, StopBits::One, "9600,m,8,1"},
                    TextCase {"2400,O,5,1.5", 2400, Parity::Odd, 5, StopBits::OnePointFive, "2400,o,5,1.5"},
                    TextCase {" 4800 , s , 4 , 1 ", 4800, Parity::Space, 4, StopBits::One, "4800,s,4,1"}));

TEST(SettingsText, MalformedTextsAreRefusedWithTheText)
{
    for (const char* bad : {"", "19200", "19200,n,8", "19200,n,8,1,1", "fast,n,8,1", "19200,x,8,1", "19200,no,8,1",
                            "19200,n,eight,1", "19200,n,8,3", "-5,n,8,1", "19200,n,8,1.0"}) {
        const auto parsed = parseSettingsText(bad);
        ASSERT_FALSE(parsed) << bad;
        EXPECT_EQ(parsed.error().code, SerialErrorCode::UnsupportedSetting);
        EXPECT_NE(parsed.error().text.find(std::string("\"") + bad + "\""), std::string::npos);
    }
}

TEST(SettingsText, KeepsLineControlsOfTheBase)
{
    LineSettings base;
    base.ctsOutputFlow = true;
    base.dtrControl = LineControl::Disable;
    const auto parsed = parseSettingsText("9600,e,7,1", base);
    ASSERT_TRUE(parsed);
    EXPECT_TRUE(parsed->ctsOutputFlow);
    EXPECT_EQ(parsed->dtrControl, LineControl::Disable);
}

} // namespace
