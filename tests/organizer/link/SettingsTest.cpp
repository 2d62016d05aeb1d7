// The organizer's settings on the suite's registry, in a fresh profile per test.
#include "organizer/link/Allgemein.h"
#include "organizer/link/ComDrv.h"
#include "organizer/link/OrganizerSeams.h"
#include "organizer/link/PublicVar.h"
#include "organizer/link/Registry.h"
#include "organizer/link/Settings.h"

#include "platform/registry/Registry.h"
#include "platform/registry/RegistryFixture.h"
#include "platform/ui/locale/LocaleService.h"

#include "BoxRecorder.h"
#include "QtPrinters.h"

#include <gtest/gtest.h>

#include <functional>
#include <map>

namespace tessaro {
namespace {

namespace reg = torvane::registry;

const std::string kSettings = "Software\\Torvane\\Tessaro\\Settings";
const std::string kSuite = "Software\\Torvane\\Quorvane PRO\\Settings";

class SettingsTest : public torvane::test::RegistryFixture {
protected:
    void SetUp() override
    {
        RegistryFixture::SetUp();
        ComDrvUnload();
        OrganizerServices s;
        s.screenSize = [] { return ScreenSize{1920 * 15, 1080 * 15}; };
        s.mainWindowGeometry = [this] { return window; };
        setOrganizerServices(s);
        // Values a previous run of the program could have left in memory.
        ComPort = 9;
        ComTimeout = 123;
        InfraredPort = 4;
        Infrared = 1;
        InfraredDelay = 55;
        LanguageBase = 20000;
        WindowWidth = WindowTop = WindowLeft = 1;
    }
    void TearDown() override
    {
        setOrganizerServices({});
        ComDrvUnload();
    }

    CommControl& comm() { return ComDrvForm().MSComm1; }

public:
    void storeDword(const char* name, DWORD value) { ASSERT_EQ(reg::writeDword(HKEY_CURRENT_USER, kSettings, name, value), ERROR_SUCCESS); }
    void storeString(const char* name, const char* text) { ASSERT_EQ(reg::writeString(HKEY_CURRENT_USER, kSettings, name, text), ERROR_SUCCESS); }

protected:
    MainWindowGeometry window{1, 0, 0, 0};
    test::BoxRecorder boxes;
};

TEST_F(SettingsTest, FreshProfileGetsTheMachineKeysAndTheDefaults)
{
    EXPECT_TRUE(RegValCreate());
    for (const char* key : {"Software\\Torvane", "Software\\Torvane\\Tessaro", "Software\\Torvane\\Tessaro\\Tessaro"})
        EXPECT_TRUE(RegKeyExists(RegRoot::LocalMachine, QLatin1String(key))) << key;
    EXPECT_EQ(reg::readString(HKEY_LOCAL_MACHINE, "Software\\Torvane\\Tessaro\\Tessaro", "Tessaro"),
              RightsNotice.toStdString());
    EXPECT_TRUE(RegKeyExists(RegRoot::CurrentUser, SettingsKey));
    EXPECT_FALSE(reg::readDword(HKEY_CURRENT_USER, kSettings, "ComPort"));
    EXPECT_TRUE(boxes.boxes.empty());

    RegSettingsLoad();
    EXPECT_EQ(ComPort, 1);
    EXPECT_EQ(comm().Settings(), QStringLiteral("19200,n,8,1"));
    EXPECT_EQ(ComTimeout, 7500);
    EXPECT_EQ(comm().Handshaking(), 0);
    EXPECT_EQ(InfraredPort, -1);
    EXPECT_EQ(Infrared, 0);
    EXPECT_EQ(InfraredDelay, 700);
    EXPECT_EQ(IrdaEffectiveDelay, 1);
    EXPECT_EQ(LanguageBase, 10000);
    EXPECT_EQ(WindowWidth, 14400);
    EXPECT_EQ(WindowTop, 4050);
    EXPECT_EQ(WindowLeft, 7200);

    EXPECT_TRUE(RegValSet());
    const std::map<std::string, DWORD> numbers = {{"ComPort", 1},       {"ComTimeout", 7500}, {"Handshaking", 0},
                                                  {"InfraredPort", DWORD(-1)}, {"Infrared", 0}, {"InfraredDelay", 700},
                                                  {"Language", 10000},  {"Width", 14400},     {"Top", 4050},
                                                  {"Left", 7200}};
    for (const auto& [name, value] : numbers)
        EXPECT_EQ(reg::readDword(HKEY_CURRENT_USER, kSettings, name), value) << name;
    EXPECT_EQ(reg::readString(HKEY_CURRENT_USER, kSettings, "ComSettings"), "19200,n,8,1");
    EXPECT_TRUE(boxes.boxes.empty());
}

TEST_F(SettingsTest, StoredValuesAreCheckedAsTheyAreLoaded)
{
    struct Case {
        const char* name;
        std::function<void(SettingsTest&)> store;
        std::function<bool()> holds;
    };
    const Case cases[] = {
        {"Language 20000", [](auto& t) { t.storeDword("Language", 20000); }, [] { return LanguageBase == 20000; }},
        {"Language 15000", [](auto& t) { t.storeDword("Language", 15000); }, [] { return LanguageBase == 10000; }},
        {"Language as text", [](auto& t) { t.storeString("Language", "20000"); }, [] { return LanguageBase == 20000; }},
        {"ComPort 0", [](auto& t) { t.storeDword("ComPort", 0); }, [] { return ComPort == 1; }},
        {"ComPort 17", [](auto& t) { t.storeDword("ComPort", 17); }, [] { return ComPort == 1; }},
        {"ComPort 16", [](auto& t) { t.storeDword("ComPort", 16); }, [] { return ComPort == 16; }},
        {"ComPort as text", [](auto& t) { t.storeString("ComPort", "7"); }, [] { return ComPort == 7; }},
        {"InfraredPort 17", [](auto& t) { t.storeDword("InfraredPort", 17); }, [] { return InfraredPort == -1; }},
        {"InfraredPort 3", [](auto& t) { t.storeDword("InfraredPort", 3); }, [] { return InfraredPort == 3; }},
        {"InfraredDelay 0", [](auto& t) { t.storeDword("InfraredDelay", 0); }, [] { return InfraredDelay == 700; }},
        {"InfraredDelay 250", [](auto& t) { t.storeDword("InfraredDelay", 250); }, [] { return InfraredDelay == 250; }},
        {"Infrared on with its delay",
         [](auto& t) {
             t.storeDword("Infrared", 1);
             t.storeDword("InfraredDelay", 500);
         },
         [] { return Infrared == 1 && IrdaEffectiveDelay == 500; }},
        {"ComTimeout too large keeps the value in memory", [](auto& t) { t.storeDword("ComTimeout", 40000); },
         [] { return ComTimeout == 123; }},
        {"ComTimeout as text", [](auto& t) { t.storeString("ComTimeout", "3000"); }, [] { return ComTimeout == 3000; }},
        {"ComTimeout not a number", [](auto& t) { t.storeString("ComTimeout", "soon"); }, [] { return ComTimeout == 123; }},
        {"ComSettings", [](auto& t) { t.storeString("ComSettings", "9600,E,7,2"); },
         [] { return ComDrvForm().MSComm1.Settings() == QStringLiteral("9600,e,7,2"); }},
        {"ComSettings refused by the control", [](auto& t) { t.storeString("ComSettings", "fast"); },
         [] { return ComDrvForm().MSComm1.Settings() == QStringLiteral("19200,n,8,1"); }},
        {"Handshaking 2", [](auto& t) { t.storeDword("Handshaking", 2); },
         [] { return ComDrvForm().MSComm1.Handshaking() == 2; }},
        {"Handshaking 9 refused", [](auto& t) { t.storeDword("Handshaking", 9); },
         [] { return ComDrvForm().MSComm1.Handshaking() == 0; }},
        {"Width past 32767 twips", [](auto& t) { t.storeDword("Width", 40000); }, [] { return WindowWidth == 40000; }},
    };
    for (const Case& c : cases) {
        ComDrvUnload();
        ComTimeout = 123;
        ASSERT_TRUE(RegValCreate());
        c.store(*this);
        RegSettingsLoad();
        EXPECT_TRUE(c.holds()) << c.name;
        ASSERT_EQ(RegDeleteKey(HKEY_CURRENT_USER, kSettings.c_str()), ERROR_SUCCESS);
    }
    EXPECT_TRUE(boxes.boxes.empty());
}

TEST_F(SettingsTest, SavedGeometryFollowsTheWindowState)
{
    ASSERT_TRUE(RegValCreate());
    window = MainWindowGeometry{2, 28000, 0, 0};
    ASSERT_TRUE(RegValSet());
    EXPECT_EQ(reg::readDword(HKEY_CURRENT_USER, kSettings, "Width"), 14400u);
    EXPECT_EQ(reg::readDword(HKEY_CURRENT_USER, kSettings, "Top"), 4050u);
    EXPECT_EQ(reg::readDword(HKEY_CURRENT_USER, kSettings, "Left"), 7200u);

    // A window on the right of a wide desktop lies past 32767 twips: it is saved all the same.
    window = MainWindowGeometry{0, 9000.4, 1200.5, 40000.6};
    ASSERT_TRUE(RegValSet());
    EXPECT_EQ(reg::readDword(HKEY_CURRENT_USER, kSettings, "Width"), 9000u);
    EXPECT_EQ(reg::readDword(HKEY_CURRENT_USER, kSettings, "Top"), 1200u);
    EXPECT_EQ(reg::readDword(HKEY_CURRENT_USER, kSettings, "Left"), 40001u);
    RegSettingsLoad();
    EXPECT_EQ(WindowLeft, 40001);
    EXPECT_TRUE(boxes.boxes.empty());
}

TEST_F(SettingsTest, SaveWithoutTheSettingsKeyCreatesItAndLosesNothing)
{
    ComPort = 4;
    ASSERT_TRUE(RegValSet());
    EXPECT_EQ(reg::readDword(HKEY_CURRENT_USER, kSettings, "ComPort"), 4u);
    EXPECT_EQ(reg::readDword(HKEY_CURRENT_USER, kSettings, "Language"), 20000u);
    EXPECT_TRUE(boxes.boxes.empty());
}

TEST_F(SettingsTest, PutReportsTheRealResultOfTheWrite)
{
    EXPECT_FALSE(RegValuePut(RegRoot::CurrentUser, SettingsKey, QStringLiteral("ComPort"), std::int32_t(2)));
    ASSERT_TRUE(RegValCreate());
    EXPECT_TRUE(RegValuePut(RegRoot::CurrentUser, SettingsKey, QStringLiteral("ComPort"), std::int32_t(2)));
    // The store refuses this name: the put must say so.
    EXPECT_FALSE(RegValuePut(RegRoot::CurrentUser, SettingsKey, QStringLiteral("bad\nname"), std::int32_t(2)));
    RegData v = std::int32_t(-5);
    EXPECT_TRUE(RegValueGet(RegRoot::CurrentUser, SettingsKey, QStringLiteral("ComPort"), v));
    EXPECT_EQ(std::get<std::int32_t>(v), 2);
    EXPECT_TRUE(RegValuePut(RegRoot::CurrentUser, SettingsKey, QStringLiteral("Empty"), QString()));
    EXPECT_TRUE(RegValueGet(RegRoot::CurrentUser, SettingsKey, QStringLiteral("Empty"), v));
    EXPECT_EQ(std::get<QString>(v), QString());
}

TEST_F(SettingsTest, ValueOfAnotherTypeReadsAsUnchanged)
{
    ASSERT_TRUE(RegValCreate());
    HKEY key = nullptr;
    ASSERT_EQ(RegOpenKeyEx(HKEY_CURRENT_USER, kSettings.c_str(), &key), ERROR_SUCCESS);
    const BYTE raw[] = {1, 2, 3};
    ASSERT_EQ(RegSetValueEx(key, "Blob", 3, raw, sizeof raw), ERROR_SUCCESS);
    RegCloseKey(key);
    RegData v = QStringLiteral("before");
    EXPECT_TRUE(RegValueRead(RegRoot::CurrentUser, SettingsKey, QStringLiteral("Blob"), v));
    EXPECT_EQ(std::get<QString>(v), QStringLiteral("before"));
    EXPECT_FALSE(RegValueRead(RegRoot::CurrentUser, SettingsKey, QStringLiteral("Missing"), v));
}

TEST_F(SettingsTest, UnusableRegistryIsReportedAndNothingCountsAsSaved)
{
    putFile("this is not a registry file\n");
    EXPECT_FALSE(RegValSet());
    ASSERT_EQ(boxes.boxes.size(), 2u);
    EXPECT_TRUE(boxes.boxes[0].text.startsWith(QStringLiteral("Registry Error 1009:   "))) << boxes.boxes[0].text.toStdString();
    EXPECT_EQ(boxes.boxes[0].style, vbOKOnly);
    EXPECT_EQ(boxes.boxes[1].caption, QStringLiteral("An Error Occurred In: Tessaro:RegValSet"));
    EXPECT_TRUE(boxes.boxes[1].text.endsWith(QStringLiteral("\r\nLocation: Tessaro:RegValSet\r\nComPort")))
        << boxes.boxes[1].text.toStdString();
    EXPECT_EQ(fileText(), "this is not a registry file\n");
}

TEST_F(SettingsTest, MachineKeyThatCannotBeCreatedIsReported)
{
    putFile("not a registry file\n", "HKEY_LOCAL_MACHINE");
    EXPECT_FALSE(RegValCreate());
    ASSERT_EQ(boxes.boxes.size(), 2u);
    EXPECT_TRUE(boxes.boxes[0].text.startsWith(QStringLiteral("Registry Error 1009:   ")));
    EXPECT_TRUE(boxes.boxes[1].text.endsWith(QStringLiteral("\r\nLocation: Tessaro:RegValCreate\r\nTorvane")))
        << boxes.boxes[1].text.toStdString();
    // The user's key then comes with the first save.
    EXPECT_FALSE(RegKeyExists(RegRoot::CurrentUser, SettingsKey));
    EXPECT_TRUE(RegValSet());
    EXPECT_EQ(reg::readDword(HKEY_CURRENT_USER, kSettings, "ComPort"), DWORD(ComPort));
}

TEST(FindCourierFont, CourierNewOrTheSecondFont)
{
    EXPECT_EQ(FindCourierFont({"Arial", "Courier", "Courier New"}), QStringLiteral("Courier New"));
    EXPECT_EQ(FindCourierFont({"Arial", "Courier", "courier new"}), QStringLiteral("Courier"));
    EXPECT_EQ(FindCourierFont({"Arial"}), QStringLiteral("Arial"));
    EXPECT_EQ(FindCourierFont({}), QString());
}

TEST_F(SettingsTest, PortAndLanguageFromTheSuite)
{
    struct Case {
        const char* comPort; // nullptr: missing
        std::int16_t port;
    };
    const Case ports[] = {{"COM3", 3}, {"COM12", 12}, {"COM20", 1}, {"com3", 1}, {"3", 3}, {"COM", 1}, {nullptr, 1}};
    for (const Case& c : ports) {
        RegDeleteKey(HKEY_CURRENT_USER, kSuite.c_str());
        if (c.comPort) {
            ASSERT_EQ(reg::writeString(HKEY_CURRENT_USER, kSuite, "KONF_COMPORT", c.comPort), ERROR_SUCCESS);
        }
        ComPort = 9;
        EXPECT_TRUE(QbrRegValGet());
        EXPECT_EQ(ComPort, c.port) << (c.comPort ? c.comPort : "missing");
        EXPECT_EQ(LanguageBase, 10000);
    }
    struct Lang {
        std::function<void()> store;
        std::int16_t base;
    };
    const Lang languages[] = {
        {[] { reg::writeDword(HKEY_CURRENT_USER, kSuite, "TessaroSprache", 7); }, 20000},
        {[] { reg::writeDword(HKEY_CURRENT_USER, kSuite, "TessaroSprache", 9); }, 10000},
        {[] { reg::writeString(HKEY_CURRENT_USER, kSuite, "TessaroSprache", "7"); }, 20000},
        {[] { RegDeleteKey(HKEY_CURRENT_USER, kSuite.c_str()); }, 10000},
    };
    for (const Lang& l : languages) {
        l.store();
        LanguageBase = 12345;
        EXPECT_TRUE(QbrRegValGet());
        EXPECT_EQ(LanguageBase, l.base);
    }
    EXPECT_TRUE(boxes.boxes.empty());
}

TEST_F(SettingsTest, StandInRegistryIsNotNTSoNothingIsCut)
{
    EXPECT_FALSE(IsWindowsNT());
    ASSERT_EQ(reg::writeString(HKEY_CURRENT_USER, kSuite, "KONF_COMPORT", "COM12"), ERROR_SUCCESS);
    QbrRegValGet();
    EXPECT_EQ(ComPort, 12);
    // A system that reports its product type hands strings back with two extra characters.
    ASSERT_EQ(reg::writeString(HKEY_LOCAL_MACHINE, "SYSTEM\\CurrentControlSet\\Control\\ProductOptions", "ProductType",
                               "WinNT"),
              ERROR_SUCCESS);
    EXPECT_TRUE(IsWindowsNT());
    QbrRegValGet();
    EXPECT_EQ(ComPort, 1);
}

class FixedLocale : public torvane::LocaleService {
public:
    std::optional<QString> localeInfo(unsigned item, int& error) override
    {
        if (item == failItem) {
            error = failError;
            return std::nullopt;
        }
        return texts.at(item);
    }
    std::map<unsigned, QString> texts;
    unsigned failItem = 0;
    int failError = 0;
};

class DateFormatTest : public ::testing::Test {
protected:
    void SetUp() override { torvane::setLocaleService(&locale); }
    void TearDown() override { torvane::setLocaleService(nullptr); }

    void use(const char* shortDate, const char* time, const char* dateSep, const char* timeSep)
    {
        locale.texts = {{torvane::LOCALE_SSHORTDATE, QLatin1String(shortDate)},
                        {torvane::LOCALE_STIMEFORMAT, QLatin1String(time)},
                        {torvane::LOCALE_SDATE, QLatin1String(dateSep)},
                        {torvane::LOCALE_STIME, QLatin1String(timeSep)}};
    }

    FixedLocale locale;
    test::BoxRecorder boxes;
};

TEST_F(DateFormatTest, PicturesComeFromTheLocale)
{
    struct Case {
        const char *date, *time, *dateSep, *timeSep;
        const char *timeFormat, *shortTime, *shortDateTime;
    };
    const Case cases[] = {
        {"dd.MM.yyyy", "HH:mm:ss", ".", ":", "HH:mm:ss", "HH:mm", "dd.MM.yyyy HH:mm"},
        {"M/d/yyyy", "h:mm:ss tt", "/", ":", "h:mm:ss tt", "h:mm", "M/d/yyyy h:mm"},
        {"yyyy-MM-dd", "HH:mm", "-", ":", "HH:mm:ss", "HH:mm", "yyyy-MM-dd HH:mm"},
        {"dd.MM.yy", "HH.mm", ".", ".", "HH.mm.ss", "HH.mm", "dd.MM.yy HH.mm"},
        {"dd/MM/yy", "HH 'h' mm", "/", "h", "HH 'h' mmhss", "HH 'h' mm", "dd/MM/yy HH 'h' mm"},
    };
    for (const Case& c : cases) {
        use(c.date, c.time, c.dateSep, c.timeSep);
        RegDateTimeFormatGet();
        EXPECT_EQ(ShortDateFormat, QLatin1String(c.date));
        EXPECT_EQ(TimeFormat, QLatin1String(c.timeFormat)) << c.time;
        EXPECT_EQ(ShortTimeFormat, QLatin1String(c.shortTime)) << c.time;
        EXPECT_EQ(ShortDateTimeFormat, QLatin1String(c.shortDateTime)) << c.time;
        EXPECT_EQ(DateSeparator, QLatin1String(c.dateSep));
        EXPECT_EQ(TimeSeparator, QLatin1String(c.timeSep));
    }
    EXPECT_TRUE(boxes.boxes.empty());
}

TEST_F(DateFormatTest, FailedQueryStopsWithTheErrorBox)
{
    use("dd.MM.yyyy", "HH:mm", ".", ":");
    locale.failItem = torvane::LOCALE_STIME;
    locale.failError = 1004;
    RegDateTimeFormatGet();
    EXPECT_EQ(ShortDateFormat, QStringLiteral("dd.MM.yyyy"));
    EXPECT_EQ(TimeFormat, QStringLiteral("HH:mm"));
    EXPECT_EQ(TimeSeparator, QStringLiteral(":"));
    // The derived pictures keep their start values.
    EXPECT_EQ(ShortTimeFormat, QStringLiteral("hh:mm"));
    EXPECT_EQ(ShortDateTimeFormat, QStringLiteral("dd.mm.yy hh:mm"));
    ASSERT_EQ(boxes.boxes.size(), 1u);
    EXPECT_EQ(boxes.boxes[0].caption, QStringLiteral("An Error Occurred In: RegDateTimeFormatGet:RegDateTimeFormatGet"));
    EXPECT_EQ(boxes.boxes[0].text,
              QStringLiteral("Number: 1004\r\nDescription: TimeChar\r\nLocation: Tessaro:RegDateTimeFormatGet"));

    boxes.boxes.clear();
    locale.failItem = torvane::LOCALE_SSHORTDATE;
    locale.failError = 0;
    RegDateTimeFormatGet();
    EXPECT_TRUE(boxes.boxes.empty());
    EXPECT_EQ(ShortDateFormat, QStringLiteral("dd.mm.yy"));
}

} // namespace
} // namespace tessaro
