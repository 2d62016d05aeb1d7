#include "platform/registry/AppProfile.h"
#include "platform/registry/Registry.h"
#include "platform/registry/WriteFailures.h"
#include "RegistryFixture.h"
#include "support/PeerProcess.h"

#include <chrono>
#include <set>
#include <string>
#include <vector>

using namespace torvane::registry;
using torvane::test::PeerProcess;

namespace {

class RegistryProcesses : public torvane::test::RegistryFixture {};

} // namespace

TEST_F(RegistryProcesses, TwoWritersAtOnceLoseNoValue)
{
    constexpr int PerWriter = 200;
    PeerProcess a(REG_PEER);
    PeerProcess b(REG_PEER);
    ASSERT_TRUE(a.started() && b.started());
    const std::string key = "Software\\Torvane\\Race";
    ASSERT_TRUE(a.send("setmany|" + key + "|A|" + std::to_string(PerWriter)));
    ASSERT_TRUE(b.send("setmany|" + key + "|B|" + std::to_string(PerWriter)));
    EXPECT_EQ(a.readLine(std::chrono::seconds(100)), "ok");
    EXPECT_EQ(b.readLine(std::chrono::seconds(100)), "ok");

    HKEY handle = nullptr;
    ASSERT_EQ(RegOpenKeyEx(HKEY_CURRENT_USER, key.c_str(), &handle), ERROR_SUCCESS);
    std::set<std::string> seen;
    for (DWORD index = 0;; ++index) {
        char name[32];
        DWORD nameSize = sizeof name;
        DWORD value = 0;
        DWORD size = sizeof value;
        DWORD type = 0;
        const LONG rc = RegEnumValue(handle, index, name, &nameSize, &type,
                                     reinterpret_cast<BYTE*>(&value), &size);
        if (rc != ERROR_SUCCESS) {
            EXPECT_EQ(rc, ERROR_NO_MORE_ITEMS);
            break;
        }
        EXPECT_EQ(type, REG_DWORD);
        EXPECT_EQ(std::to_string(value), std::string(name).substr(1)) << name;
        seen.insert(name);
    }
    RegCloseKey(handle);
    EXPECT_EQ(seen.size(), 2u * PerWriter);
}

TEST_F(RegistryProcesses, ChangesOfAnotherProcessAreSeenAtOnce)
{
    const std::string suite = "Software\\Torvane\\Quorvane PRO\\Settings";
    const std::string organizer = "Software\\Torvane\\Tessaro\\Settings";
    AppProfile profile("Torvane", "Quorvane PRO");
    ASSERT_TRUE(profile.WriteProfileString("Settings", "KONF_COMPORT", "COM1"));
    ASSERT_EQ(readString(HKEY_CURRENT_USER, suite, "KONF_COMPORT"), "COM1");

    PeerProcess peer(REG_PEER);
    EXPECT_EQ(peer.ask("get|" + suite + "|KONF_COMPORT"), "value COM1");
    // Same length: only the file's identity tells the change.
    EXPECT_EQ(peer.ask("set|" + suite + "|KONF_COMPORT|COM2"), "ok");
    EXPECT_EQ(profile.GetProfileString("Settings", "KONF_COMPORT", "COM1"), "COM2");
    EXPECT_EQ(peer.ask("set|" + organizer + "|ComSettings|19200,N,8,1"), "ok");
    EXPECT_EQ(readString(HKEY_CURRENT_USER, organizer, "ComSettings"), "19200,N,8,1");

    ASSERT_TRUE(profile.WriteProfileString("Settings", "KONF_COMPORT", "COM12"));
    EXPECT_EQ(peer.ask("get|" + suite + "|KONF_COMPORT"), "value COM12");
    EXPECT_EQ(peer.ask("del|" + organizer + "|ComSettings"), "ok");
    EXPECT_EQ(readString(HKEY_CURRENT_USER, organizer, "ComSettings"), std::nullopt);
    // Every writer wrote on top of the others' values, not over them.
    EXPECT_EQ(readString(HKEY_CURRENT_USER, suite, "KONF_COMPORT"), "COM12");
    EXPECT_TRUE(profile.WriteProfileInt("Settings", "DebugDlg", 0));
    EXPECT_EQ(peer.ask("get|" + suite + "|KONF_COMPORT"), "value COM12");
}

struct BadContent {
    const char* what;
    std::string bytes;
    int line;
};

void PrintTo(const BadContent& content, std::ostream* out)
{
    *out << content.what;
}

class RegistryBadFile : public torvane::test::RegistryFixture,
                        public testing::WithParamInterface<BadContent> {};

TEST_P(RegistryBadFile, IsReportedAndNeverOverwritten)
{
    const BadContent& bad = GetParam();
    putFile(bad.bytes);
    std::vector<std::string> told;
    setWriteFailureHandler(
        [&](const std::string& file, const std::string& reason) { told.push_back(file + ": " + reason); });

    HKEY key = nullptr;
    DWORD disposition = 0;
    EXPECT_EQ(RegOpenKeyEx(HKEY_CURRENT_USER, "Software", &key), ERROR_BADDB);
    EXPECT_EQ(RegCreateKeyEx(HKEY_CURRENT_USER, "Software\\New", &key, &disposition), ERROR_BADDB);
    const BYTE one[4] = {1, 0, 0, 0};
    EXPECT_EQ(RegSetValueEx(HKEY_CURRENT_USER, "x", REG_DWORD, one, 4), ERROR_BADDB);
    EXPECT_EQ(RegDeleteKey(HKEY_CURRENT_USER, "Software"), ERROR_BADDB);
    EXPECT_EQ(writeString(HKEY_CURRENT_USER, "Software\\Torvane", "a", "b"), ERROR_BADDB);
    EXPECT_EQ(readString(HKEY_CURRENT_USER, "Software\\Torvane", "a"), std::nullopt);
    AppProfile profile("Torvane", "Ring tone editor");
    EXPECT_FALSE(profile.WriteProfileInt("Settings", "LastMidiDev", 1));
    EXPECT_EQ(profile.GetProfileInt("Settings", "LastMidiDev", 7), 7u);

    PeerProcess peer(REG_PEER);
    EXPECT_EQ(peer.ask("set|Software\\Torvane|a|b"), "error " + std::to_string(ERROR_BADDB));

    EXPECT_EQ(fileText(), bad.bytes) << "the file must stay as it was";
    setWriteFailureHandler({});
    ASSERT_EQ(told.size(), 1u) << "the program's own writes are told once a run";
    EXPECT_EQ(told[0].rfind(regFile() + ": line " + std::to_string(bad.line) + ": ", 0), 0u) << told[0];
    const std::string error = fileError(HKEY_CURRENT_USER);
    EXPECT_NE(error.find(regFile() + ":" + std::to_string(bad.line) + ": "), std::string::npos)
        << error;
    EXPECT_EQ(fileError(HKEY_LOCAL_MACHINE), "") << "the other root is not affected";
    EXPECT_EQ(writeString(HKEY_LOCAL_MACHINE, "Software\\Torvane", "a", "b"), ERROR_SUCCESS);

    // Once repaired, the file is used again.
    putFile("REGEDIT4\n\n[HKEY_CURRENT_USER\\Software\\Torvane]\n\"a\"=\"fixed\"\n");
    EXPECT_EQ(fileError(HKEY_CURRENT_USER), "");
    EXPECT_EQ(readString(HKEY_CURRENT_USER, "Software\\Torvane", "a"), "fixed");
    EXPECT_TRUE(profile.WriteProfileInt("Settings", "LastMidiDev", 1));
    EXPECT_EQ(readString(HKEY_CURRENT_USER, "Software\\Torvane", "a"), "fixed");
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RegistryBadFile,
    testing::Values(
        BadContent {"garbage", std::string("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16), 1},
        BadContent {"truncated in a text",
                    "REGEDIT4\n\n[HKEY_CURRENT_USER\\Software\\Torvane]\n\"a\"=\"Mu", 4},
        BadContent {"truncated in a key line", "REGEDIT4\n\n[HKEY_CURRENT_USER\\Softw", 3},
        BadContent {"empty", "", 1}),
    [](const testing::TestParamInfo<BadContent>& info) {
        std::string name = info.param.what;
        for (char& c : name)
            if (c == ' ')
                c = '_';
        return name;
    });
