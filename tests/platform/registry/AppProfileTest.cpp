#include "platform/registry/AppProfile.h"
#include "platform/registry/Registry.h"
#include "RegistryFixture.h"

using namespace torvane::registry;

namespace {

class AppProfileTest : public torvane::test::RegistryFixture {};

} // namespace

TEST_F(AppProfileTest, MissingValuesGiveTheDefaults)
{
    const AppProfile profile("Torvane", "Quorvane PRO");
    EXPECT_EQ(profile.GetProfileString("Settings", "KONF_COMPORT", "COM1"), "COM1");
    EXPECT_EQ(profile.GetProfileString("Settings", "TerminPrg"), "");
    EXPECT_EQ(profile.GetProfileInt("CfgPropPage2", "Phonebooks", 127), 127u);
    EXPECT_EQ(int(profile.GetProfileInt("Settings", "Nothing", -1)), -1);
    EXPECT_EQ(fileText(), "") << "reading creates no keys";
}

TEST_F(AppProfileTest, WritesWhereTheOtherProgramsLook)
{
    AppProfile suite("Torvane", "Quorvane PRO");
    ASSERT_TRUE(suite.WriteProfileString("Settings", "KONF_COMPORT", "COM3"));
    ASSERT_TRUE(suite.WriteProfileInt("MAPIServer", "SM_REF_NUM", 255));
    ASSERT_TRUE(suite.WriteProfileInt("FwdDlg", "Negative", -2));
    ASSERT_TRUE(suite.WriteProfileString("MAPIServer", "KONF_SMS_DIR", "c:\\"));
    EXPECT_EQ(suite.keyPath(), "Software\\Torvane\\Quorvane PRO");

    // The organizer reads the suite's port with the plain registry calls.
    HKEY key = nullptr;
    ASSERT_EQ(RegOpenKeyEx(HKEY_CURRENT_USER, "Software\\Torvane\\Quorvane PRO\\Settings", &key),
              ERROR_SUCCESS);
    char data[16] = {};
    DWORD size = sizeof data;
    DWORD type = 0;
    ASSERT_EQ(RegQueryValueEx(key, "KONF_COMPORT", &type, reinterpret_cast<BYTE*>(data), &size),
              ERROR_SUCCESS);
    EXPECT_EQ(type, REG_SZ);
    EXPECT_EQ(size, 5u) << "the text with its terminator";
    EXPECT_STREQ(data, "COM3");
    RegCloseKey(key);

    const AppProfile again("Torvane", "Quorvane PRO");
    EXPECT_EQ(again.GetProfileString("Settings", "KONF_COMPORT", "COM1"), "COM3");
    EXPECT_EQ(again.GetProfileString("MAPIServer", "KONF_SMS_DIR"), "c:\\");
    EXPECT_EQ(again.GetProfileInt("MAPIServer", "SM_REF_NUM", 0), 255u);
    EXPECT_EQ(int(again.GetProfileInt("FwdDlg", "Negative", 0)), -2);

    // The editors' own profiles lie below the suite's key.
    AppProfile melody("Torvane\\Quorvane PRO", "Ring tone editor");
    ASSERT_TRUE(melody.WriteProfileInt("Settings", "LastMidiDev", 2));
    EXPECT_EQ(readDword(HKEY_CURRENT_USER,
                        "Software\\Torvane\\Quorvane PRO\\Ring tone editor\\Settings", "LastMidiDev"),
              2u);
}

TEST_F(AppProfileTest, ValuesOfTheOtherKindGiveTheDefault)
{
    AppProfile profile("Torvane", "Quorvane PRO");
    ASSERT_TRUE(profile.WriteProfileString("FwdDlg", "NoRespVoiceTimeVal", "15"));
    ASSERT_TRUE(profile.WriteProfileInt("CLockDlg", "Lock_AllOutgoing", 3));
    EXPECT_EQ(profile.GetProfileInt("FwdDlg", "NoRespVoiceTimeVal", 20), 20u) << "no parsing";
    EXPECT_EQ(profile.GetProfileString("CLockDlg", "Lock_AllOutgoing", "none"), "none");

    // Rewriting a value with the other kind replaces it.
    ASSERT_TRUE(profile.WriteProfileInt("FwdDlg", "NoRespVoiceTimeVal", 25));
    EXPECT_EQ(profile.GetProfileInt("FwdDlg", "NoRespVoiceTimeVal", 20), 25u);
    EXPECT_EQ(profile.GetProfileString("FwdDlg", "NoRespVoiceTimeVal", "x"), "x");
}
