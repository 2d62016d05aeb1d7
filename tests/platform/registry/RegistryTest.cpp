#include "platform/registry/Registry.h"
#include "platform/registry/WriteFailures.h"
#include "RegistryFixture.h"
#include "support/PeerProcess.h"
#include "support/UnwritableFolder.h"

#include <cstdio>
#include <cstring>
#include <string>
#include <thread>
#include <unistd.h>
#include <utility>
#include <vector>

using namespace torvane::registry;

namespace {

class Registry : public torvane::test::RegistryFixture {
protected:
    HKEY create(const char* path, HKEY parent = HKEY_CURRENT_USER)
    {
        HKEY key = nullptr;
        EXPECT_EQ(RegCreateKeyEx(parent, path, &key, nullptr), ERROR_SUCCESS) << path;
        return key;
    }
    static LONG setText(HKEY key, const char* name, const std::string& bytes)
    {
        return RegSetValueEx(key, name, REG_SZ, reinterpret_cast<const BYTE*>(bytes.data()),
                             DWORD(bytes.size()));
    }
};

std::string zt(const std::string& text)
{
    return text + '\0';
}

} // namespace

TEST_F(Registry, RoundTripsTextsAndNumbersThroughTheFile)
{
    HKEY key = create("Software\\Torvane\\Round Trip");
    ASSERT_TRUE(key);
    ASSERT_EQ(setText(key, "Quote", zt("say \"hi\"")), ERROR_SUCCESS);
    ASSERT_EQ(setText(key, "Path", zt("C:\\sms\\")), ERROR_SUCCESS);
    ASSERT_EQ(setText(key, "City", zt("M\xfcnchen")), ERROR_SUCCESS);
    ASSERT_EQ(setText(key, "Empty", zt("")), ERROR_SUCCESS);
    ASSERT_EQ(setText(key, "", zt("default text")), ERROR_SUCCESS);
    ASSERT_EQ(writeDword(key, "", "Zero", 0), ERROR_SUCCESS);
    ASSERT_EQ(writeDword(key, "", "Max", 0xffffffff), ERROR_SUCCESS);
    RegCloseKey(key);

    EXPECT_EQ(fileText(), "REGEDIT4\n"
                          "\n"
                          "[HKEY_CURRENT_USER\\Software]\n"
                          "\n"
                          "[HKEY_CURRENT_USER\\Software\\Torvane]\n"
                          "\n"
                          "[HKEY_CURRENT_USER\\Software\\Torvane\\Round Trip]\n"
                          "\"Quote\"=\"say \\\"hi\\\"\"\n"
                          "\"Path\"=\"C:\\\\sms\\\\\"\n"
                          "\"City\"=\"M\xfcnchen\"\n"
                          "\"Empty\"=\"\"\n"
                          "@=\"default text\"\n"
                          "\"Zero\"=dword:00000000\n"
                          "\"Max\"=dword:ffffffff\n");

    const char* path = "Software\\Torvane\\Round Trip";
    EXPECT_EQ(readString(HKEY_CURRENT_USER, path, "Quote"), "say \"hi\"");
    EXPECT_EQ(readString(HKEY_CURRENT_USER, path, "Path"), "C:\\sms\\");
    EXPECT_EQ(readString(HKEY_CURRENT_USER, path, "City"), "M\xfcnchen");
    EXPECT_EQ(readString(HKEY_CURRENT_USER, path, "Empty"), "");
    EXPECT_EQ(readString(HKEY_CURRENT_USER, path, ""), "default text");
    EXPECT_EQ(readDword(HKEY_CURRENT_USER, path, "Zero"), 0u);
    EXPECT_EQ(readDword(HKEY_CURRENT_USER, path, "Max"), 0xffffffffu);
    EXPECT_EQ(readDword(HKEY_CURRENT_USER, path, "City"), std::nullopt);
    EXPECT_EQ(readString(HKEY_CURRENT_USER, path, "Max"), std::nullopt);
    EXPECT_EQ(readString(HKEY_CURRENT_USER, path, "Missing"), std::nullopt);

    // A process that starts afresh reads the same from the file.
    torvane::test::PeerProcess peer(REG_PEER);
    const std::string get = std::string("get|") + path + "|";
    EXPECT_EQ(peer.ask(get + "Quote"), "value say \"hi\"");
    EXPECT_EQ(peer.ask(get + "Path"), "value C:\\sms\\");
    EXPECT_EQ(peer.ask(get + "City"), "value M\xfcnchen");
    EXPECT_EQ(peer.ask(get + "Empty"), "value ");
    EXPECT_EQ(peer.ask(get), "value default text");
}

TEST_F(Registry, ASettingsFileKeptAsALinkStaysALink)
{
    const std::string kept = configHome_ + "/dotfiles.reg";
    putFile("REGEDIT4\n");
    ASSERT_EQ(std::rename(regFile().c_str(), kept.c_str()), 0);
    ASSERT_EQ(symlink(kept.c_str(), regFile().c_str()), 0);
    ASSERT_EQ(writeDword(HKEY_CURRENT_USER, "Software\\Torvane", "Kept", 7), ERROR_SUCCESS);

    struct stat st {};
    ASSERT_EQ(lstat(regFile().c_str(), &st), 0);
    EXPECT_TRUE(S_ISLNK(st.st_mode));
    EXPECT_NE(fileText().find("\"Kept\"=dword:00000007"), std::string::npos);
    EXPECT_EQ(readDword(HKEY_CURRENT_USER, "Software\\Torvane", "Kept"), 7u);
}

TEST_F(Registry, AChangeThatCannotBeStoredIsToldOnceAndStaysInEffect)
{
    putFile("REGEDIT4\n\n[HKEY_CURRENT_USER\\Software\\Torvane]\n\"Port\"=\"COM1\"\n");
    const std::string before = fileText();
    std::vector<std::pair<std::string, std::string>> told;
    setWriteFailureHandler(
        [&](const std::string& file, const std::string& reason) { told.emplace_back(file, reason); });
    {
        torvane::test::UnwritableFolder unwritable(configHome_ + "/torvane");
        EXPECT_FALSE(unwritable.reason().empty());
        {
            ConfirmedChange ok;
            EXPECT_NE(writeString(HKEY_CURRENT_USER, "Software\\Torvane", "Port", "COM2"), ERROR_SUCCESS);
            {
                ConfirmedChange page;
                EXPECT_NE(writeDword(HKEY_CURRENT_USER, "Software\\Torvane", "Parts", 3), ERROR_SUCCESS);
                EXPECT_NE(writeDword(HKEY_LOCAL_MACHINE, "Software\\Torvane", "Kept", 1), ERROR_SUCCESS);
            }
            EXPECT_TRUE(told.empty()) << "told when the whole change is over";
        }
        const std::pair<std::string, std::string> news {regFile(), unwritable.reason()};
        EXPECT_EQ(told, std::vector {news});
        EXPECT_EQ(readString(HKEY_CURRENT_USER, "Software\\Torvane", "Port"), "COM2");
        EXPECT_EQ(readDword(HKEY_CURRENT_USER, "Software\\Torvane", "Parts"), 3u);
        EXPECT_EQ(fileText(), before);

        {
            ConfirmedChange ok;
            writeDword(HKEY_CURRENT_USER, "Software\\Torvane", "Parts", 5);
            // The program's own writes on another thread are not part of the user's change.
            std::thread([] { writeDword(HKEY_CURRENT_USER, "Software\\Torvane", "RefNum", 1); }).join();
            EXPECT_EQ(told.size(), 2u);
        }
        EXPECT_EQ(told, std::vector(3, news));
        writeDword(HKEY_CURRENT_USER, "Software\\Torvane", "RefNum", 2);
        EXPECT_EQ(told.size(), 3u) << "the program's own writes are told once a run";
        {
            ConfirmedChange ok; // the value as kept, which the file still lacks
            EXPECT_NE(writeDword(HKEY_CURRENT_USER, "Software\\Torvane", "Parts", 5), ERROR_SUCCESS);
        }
        EXPECT_EQ(told, std::vector(4, news)) << "each OK that cannot store is told";
    }
    setWriteFailureHandler({});
    EXPECT_EQ(fileText(), before);
    EXPECT_EQ(writeDword(HKEY_LOCAL_MACHINE, "Software\\Torvane", "Kept", 1), ERROR_SUCCESS);
    EXPECT_NE(fileText("HKEY_LOCAL_MACHINE").find("\"Kept\"=dword:00000001"), std::string::npos)
        << "what was kept goes to the file with the next write";
}

TEST_F(Registry, KeysAndNamesIgnoreCaseAndKeepTheirFirstSpelling)
{
    ASSERT_EQ(writeString(HKEY_CURRENT_USER, "Software\\Torvane\\M\xfcller", "ComPort", "1"),
              ERROR_SUCCESS);
    ASSERT_EQ(writeString(HKEY_CURRENT_USER, "SOFTWARE\\torvane\\M\xdcLLER\\Settings", "x", "y"),
              ERROR_SUCCESS);
    ASSERT_EQ(writeString(HKEY_CURRENT_USER, "software\\TORVANE\\m\xfcller", "COMPORT", "2"),
              ERROR_SUCCESS);

    HKEY key = nullptr;
    ASSERT_EQ(RegOpenKeyEx(HKEY_CURRENT_USER, "SOFTWARE\\TORVANE\\M\xdcLLER", &key), ERROR_SUCCESS);
    DWORD size = 0;
    EXPECT_EQ(RegQueryValueEx(key, "comport", nullptr, nullptr, &size), ERROR_SUCCESS);
    EXPECT_EQ(size, 2u);
    char name[16];
    DWORD nameSize = sizeof name;
    ASSERT_EQ(RegEnumValue(key, 0, name, &nameSize, nullptr, nullptr, nullptr), ERROR_SUCCESS);
    EXPECT_STREQ(name, "ComPort");
    EXPECT_EQ(RegEnumValue(key, 1, name, &nameSize, nullptr, nullptr, nullptr), ERROR_NO_MORE_ITEMS);
    RegCloseKey(key);

    EXPECT_EQ(readString(HKEY_CURRENT_USER, "Software\\Torvane\\M\xfcller", "ComPort"), "2");
    const std::string text = fileText();
    EXPECT_NE(text.find("[HKEY_CURRENT_USER\\Software\\Torvane\\M\xfcller\\Settings]"),
              std::string::npos);
    EXPECT_EQ(text.find("SOFTWARE"), std::string::npos);
}

TEST_F(Registry, CreateTellsNewFromExistingAndMakesParents)
{
    HKEY key = nullptr;
    DWORD disposition = 0;
    EXPECT_EQ(RegOpenKeyEx(HKEY_LOCAL_MACHINE, "Software\\Torvane\\Tessaro", &key),
              ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(key, nullptr);
    ASSERT_EQ(RegCreateKeyEx(HKEY_LOCAL_MACHINE, "Software\\Torvane\\Tessaro", &key, &disposition),
              ERROR_SUCCESS);
    EXPECT_EQ(disposition, REG_CREATED_NEW_KEY);
    RegCloseKey(key);
    ASSERT_EQ(RegCreateKeyEx(HKEY_LOCAL_MACHINE, "software\\torvane\\tessaro", &key, &disposition),
              ERROR_SUCCESS);
    EXPECT_EQ(disposition, REG_OPENED_EXISTING_KEY);

    // Relative to an open key, and the parents made on the way.
    HKEY child = nullptr;
    ASSERT_EQ(RegCreateKeyEx(key, "Tessaro", &child, &disposition), ERROR_SUCCESS);
    EXPECT_EQ(disposition, REG_CREATED_NEW_KEY);
    HKEY parent = nullptr;
    EXPECT_EQ(RegOpenKeyEx(HKEY_LOCAL_MACHINE, "Software\\Torvane", &parent), ERROR_SUCCESS);
    for (HKEY k : {key, child, parent})
        EXPECT_EQ(RegCloseKey(k), ERROR_SUCCESS);

    // Each root has its own file.
    EXPECT_NE(fileText("HKEY_LOCAL_MACHINE").find("[HKEY_LOCAL_MACHINE\\Software\\Torvane\\Tessaro\\Tessaro]"),
              std::string::npos);
    EXPECT_EQ(fileText("HKEY_CURRENT_USER"), "");
}

TEST_F(Registry, QueryFollowsTheSizeRules)
{
    HKEY key = create("Software\\Sizes");
    ASSERT_EQ(setText(key, "Text", zt("abc")), ERROR_SUCCESS);
    const std::string raw80(80, 'x');
    ASSERT_EQ(setText(key, "Raw80", raw80), ERROR_SUCCESS);

    struct Case {
        const char* what;
        const char* name;
        bool withData;
        bool withSize;
        DWORD bufferSize;
        LONG rc;
        DWORD sizeAfter;
        std::string bytesAfter; // buffer starts as 'z' * 100
    };
    const std::string untouched(100, 'z');
    const Case cases[] = {
        {"size only", "Text", false, true, 0, ERROR_SUCCESS, 4, untouched},
        {"exact buffer", "Text", true, true, 4, ERROR_SUCCESS, 4, zt("abc") + untouched.substr(4)},
        {"larger buffer", "Text", true, true, 10, ERROR_SUCCESS, 4, zt("abc") + untouched.substr(4)},
        {"one byte short", "Text", true, true, 3, ERROR_MORE_DATA, 4, untouched},
        {"empty buffer", "Text", true, true, 0, ERROR_MORE_DATA, 4, untouched},
        {"buffer without size", "Text", true, false, 0, ERROR_INVALID_PARAMETER, 0, untouched},
        {"existence only", "Text", false, false, 0, ERROR_SUCCESS, 0, untouched},
        {"missing value", "Nope", true, true, 10, ERROR_FILE_NOT_FOUND, 10, untouched},
        {"80 bytes, no terminator", "Raw80", true, true, 80, ERROR_SUCCESS, 80, raw80 + untouched.substr(80)},
        {"80 bytes in 79", "Raw80", true, true, 79, ERROR_MORE_DATA, 80, untouched},
    };
    for (const auto& c : cases) {
        std::string buffer = untouched;
        DWORD size = c.bufferSize;
        DWORD type = 99;
        const LONG rc = RegQueryValueEx(key, c.name, &type,
                                        c.withData ? reinterpret_cast<BYTE*>(buffer.data()) : nullptr,
                                        c.withSize ? &size : nullptr);
        EXPECT_EQ(rc, c.rc) << c.what;
        if (c.withSize) {
            EXPECT_EQ(size, c.sizeAfter) << c.what;
        }
        EXPECT_EQ(buffer, c.bytesAfter) << c.what;
        if (rc == ERROR_SUCCESS || rc == ERROR_MORE_DATA) {
            EXPECT_EQ(type, REG_SZ) << c.what;
        }
    }
    RegCloseKey(key);
}

TEST_F(Registry, EnumeratesValuesInOrderWithTheSizeRules)
{
    HKEY key = create("Software\\Torvane\\Tessaro");
    ASSERT_EQ(setText(key, "Tessaro", zt("rights notice")), ERROR_SUCCESS);
    ASSERT_EQ(setText(key, "Long", zt(std::string(80, 'L'))), ERROR_SUCCESS);
    ASSERT_EQ(setText(key, "Plinket", zt("exe;tessaro;")), ERROR_SUCCESS);
    ASSERT_EQ(writeDword(key, "", "Number", 42), ERROR_SUCCESS);
    ASSERT_EQ(setText(key, "Tessaro", zt("changed, keeps its place")), ERROR_SUCCESS);

    // As the mail-client extension reads: 80-character name and 80-byte data buffers.
    std::vector<std::string> names;
    std::vector<LONG> results;
    for (DWORD index = 0;; ++index) {
        char name[80];
        BYTE data[80];
        DWORD nameSize = sizeof name;
        DWORD dataSize = sizeof data;
        DWORD type = 0;
        const LONG rc = RegEnumValue(key, index, name, &nameSize, &type, data, &dataSize);
        results.push_back(rc);
        if (rc == ERROR_NO_MORE_ITEMS)
            break;
        if (rc == ERROR_SUCCESS) {
            EXPECT_EQ(nameSize, std::strlen(name));
            names.push_back(name);
        } else {
            EXPECT_EQ(rc, ERROR_MORE_DATA);
            EXPECT_EQ(dataSize, 81u) << "the size needed";
        }
    }
    EXPECT_EQ(names, (std::vector<std::string> {"Tessaro", "Plinket", "Number"}));
    EXPECT_EQ(results, (std::vector<LONG> {ERROR_SUCCESS, ERROR_MORE_DATA, ERROR_SUCCESS,
                                           ERROR_SUCCESS, ERROR_NO_MORE_ITEMS}));

    char shortName[7];
    DWORD nameSize = sizeof shortName;
    EXPECT_EQ(RegEnumValue(key, 2, shortName, &nameSize, nullptr, nullptr, nullptr), ERROR_MORE_DATA);
    char name[8];
    nameSize = sizeof name;
    DWORD type = 0;
    DWORD size = 0;
    EXPECT_EQ(RegEnumValue(key, 2, name, &nameSize, &type, nullptr, &size), ERROR_SUCCESS);
    EXPECT_STREQ(name, "Plinket");
    EXPECT_EQ(nameSize, 7u);
    EXPECT_EQ(type, REG_SZ);
    EXPECT_EQ(size, 13u);
    EXPECT_EQ(RegEnumValue(key, 0, nullptr, &nameSize, nullptr, nullptr, nullptr),
              ERROR_INVALID_PARAMETER);
    RegCloseKey(key);

    // The root key itself ("" below HKEY_LOCAL_MACHINE) opens and has no values.
    HKEY root = nullptr;
    ASSERT_EQ(RegOpenKeyEx(HKEY_LOCAL_MACHINE, "", &root), ERROR_SUCCESS);
    nameSize = sizeof name;
    EXPECT_EQ(RegEnumValue(root, 0, name, &nameSize, nullptr, nullptr, nullptr), ERROR_NO_MORE_ITEMS);
    RegCloseKey(root);
}

TEST_F(Registry, DeletesValuesAndKeys)
{
    HKEY key = create("Software\\A\\B");
    ASSERT_EQ(setText(key, "v", zt("1")), ERROR_SUCCESS);
    EXPECT_EQ(RegDeleteValue(key, "V"), ERROR_SUCCESS);
    EXPECT_EQ(RegDeleteValue(key, "v"), ERROR_FILE_NOT_FOUND);

    EXPECT_EQ(RegDeleteKey(HKEY_CURRENT_USER, "Software\\A"), ERROR_ACCESS_DENIED) << "has a subkey";
    EXPECT_EQ(RegDeleteKey(HKEY_CURRENT_USER, ""), ERROR_ACCESS_DENIED) << "the root";
    EXPECT_EQ(RegDeleteKey(HKEY_CURRENT_USER, "Software\\A\\C"), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(RegDeleteKey(HKEY_CURRENT_USER, "software\\a\\b"), ERROR_SUCCESS);
    EXPECT_EQ(RegDeleteKey(HKEY_CURRENT_USER, "Software\\A"), ERROR_SUCCESS);

    // A handle outlives its key, but no longer reaches it.
    DWORD size = 0;
    EXPECT_EQ(RegQueryValueEx(key, "v", nullptr, nullptr, &size), ERROR_KEY_DELETED);
    EXPECT_EQ(setText(key, "v", zt("2")), ERROR_KEY_DELETED);
    EXPECT_EQ(RegCloseKey(key), ERROR_SUCCESS);
    EXPECT_EQ(fileText().find("[HKEY_CURRENT_USER\\Software\\A"), std::string::npos);
}

TEST_F(Registry, RefusesBadHandlesPathsAndNames)
{
    HKEY key = create("Software\\Checks");
    HKEY out = nullptr;
    for (const char* path : {"a\\\\b", "\\a", "a\\", "a\nb"}) {
        EXPECT_EQ(RegCreateKeyEx(HKEY_CURRENT_USER, path, &out, nullptr), ERROR_BAD_PATHNAME) << path;
        EXPECT_EQ(RegOpenKeyEx(HKEY_CURRENT_USER, path, &out), ERROR_BAD_PATHNAME) << path;
    }
    EXPECT_EQ(setText(key, "two\nlines", zt("x")), ERROR_INVALID_PARAMETER);
    EXPECT_EQ(RegSetValueEx(key, "null", REG_SZ, nullptr, 4), ERROR_INVALID_PARAMETER);
    EXPECT_EQ(RegSetValueEx(key, "nothing", REG_BINARY, nullptr, 0), ERROR_SUCCESS);

    EXPECT_EQ(RegCloseKey(key), ERROR_SUCCESS);
    EXPECT_EQ(RegCloseKey(key), ERROR_INVALID_HANDLE);
    DWORD size = 0;
    EXPECT_EQ(RegQueryValueEx(key, "x", nullptr, nullptr, &size), ERROR_INVALID_HANDLE);
    EXPECT_EQ(RegFlushKey(key), ERROR_INVALID_HANDLE);
    EXPECT_EQ(RegFlushKey(HKEY_CURRENT_USER), ERROR_SUCCESS);
}
