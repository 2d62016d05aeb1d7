#include "platform/registry/RegFileFormat.h"

#include <gtest/gtest.h>

#include <string>

using namespace torvane::registry;

namespace {

constexpr const char* Root = "HKEY_CURRENT_USER";

std::string bytes(std::initializer_list<unsigned char> list)
{
    return std::string(list.begin(), list.end());
}

const RegValue* valueAt(const RegTree& tree, const char* key, const char* name)
{
    const RegKey* k = tree.find(key);
    return k ? k->find(name) : nullptr;
}

} // namespace

TEST(RegFileFormat, ReadsWhatOtherToolsWriteToo)
{
    const std::string text = "REGEDIT4\r\n"
                             "\r\n"
                             "; written by hand\r\n"
                             "[HKEY_CURRENT_USER\\Software\\Torvane\\Tessaro\\Settings]\r\n"
                             "\"ComSettings\"=\"19200,N,8,1\"\r\n"
                             "\"ComTimeout\"=dword:00001D4C\r\n"
                             "  \"Spaced\" = \"x\"\r\n"
                             "\"Blob\"=hex:01,02,\\\r\n"
                             "  03,ff\r\n"
                             "\"Multi\"=hex(7):41,00,00,00\r\n"
                             "\"Empty\"=hex:\r\n"
                             "[hkey_current_user\\SOFTWARE\\torvane\\tessaro\\settings]\r\n"
                             "\"comtimeout\"=dword:00000001\r\n";
    const ParseResult parsed = parseRegFile(text, Root);
    ASSERT_TRUE(parsed.ok) << parsed.line << ": " << parsed.message;
    const RegTree& tree = parsed.tree;

    // Parents of a key exist without a line of their own; a repeated key adds to the first.
    ASSERT_TRUE(tree.find("Software\\Torvane"));
    EXPECT_EQ(tree.find("software\\torvane")->path, "Software\\Torvane");
    const RegKey* settings = tree.find("Software\\Torvane\\Tessaro\\Settings");
    ASSERT_TRUE(settings);
    ASSERT_EQ(settings->values.size(), 6u);
    EXPECT_EQ(settings->values[1].name, "ComTimeout");
    EXPECT_EQ(settings->values[1].data, bytes({1, 0, 0, 0}));

    struct Expect {
        const char* name;
        DWORD type;
        std::string data;
    };
    const Expect expected[] = {
        {"ComSettings", REG_SZ, std::string("19200,N,8,1") + '\0'},
        {"Spaced", REG_SZ, std::string("x") + '\0'},
        {"Blob", REG_BINARY, bytes({1, 2, 3, 0xff})},
        {"Multi", REG_MULTI_SZ, bytes({0x41, 0, 0, 0})},
        {"Empty", REG_BINARY, ""},
    };
    for (const auto& e : expected) {
        const RegValue* v = valueAt(tree, "Software\\Torvane\\Tessaro\\Settings", e.name);
        ASSERT_TRUE(v) << e.name;
        EXPECT_EQ(v->type, e.type) << e.name;
        EXPECT_EQ(v->data, e.data) << e.name;
    }
}

TEST(RegFileFormat, WritesEachKindOfValueSoItComesBackExactly)
{
    RegTree tree;
    RegKey& key = tree.create("Software\\Torvane");
    key.set("", REG_SZ, std::string("default") + '\0');
    key.set("Quoted", REG_SZ, std::string("a \"b\" c:\\d\\") + '\0');
    key.set("Latin1", REG_SZ, std::string("M\xfcnchen") + '\0');
    key.set("EmptyText", REG_SZ, std::string(1, '\0'));
    key.set("NoBytes", REG_SZ, "");
    key.set("NoTerminator", REG_SZ, "abc");
    key.set("TwoLines", REG_SZ, std::string("a\r\nb") + '\0');
    key.set("Zero", REG_DWORD, bytes({0, 0, 0, 0}));
    key.set("Max", REG_DWORD, bytes({0xff, 0xff, 0xff, 0xff}));
    key.set("ShortDword", REG_DWORD, bytes({1, 2}));
    key.set("Raw", REG_BINARY, bytes({0, 0x7f, 0x80}));
    key.set("Qword", 11, bytes({1, 0, 0, 0, 0, 0, 0, 0}));

    const std::string text = formatRegFile(tree, Root);
    EXPECT_EQ(text, "REGEDIT4\n"
                    "\n"
                    "[HKEY_CURRENT_USER\\Software]\n"
                    "\n"
                    "[HKEY_CURRENT_USER\\Software\\Torvane]\n"
                    "@=\"default\"\n"
                    "\"Quoted\"=\"a \\\"b\\\" c:\\\\d\\\\\"\n"
                    "\"Latin1\"=\"M\xfcnchen\"\n"
                    "\"EmptyText\"=\"\"\n"
                    "\"NoBytes\"=hex(1):\n"
                    "\"NoTerminator\"=hex(1):61,62,63\n"
                    "\"TwoLines\"=hex(1):61,0d,0a,62,00\n"
                    "\"Zero\"=dword:00000000\n"
                    "\"Max\"=dword:ffffffff\n"
                    "\"ShortDword\"=hex(4):01,02\n"
                    "\"Raw\"=hex:00,7f,80\n"
                    "\"Qword\"=hex(b):01,00,00,00,00,00,00,00\n");

    const ParseResult back = parseRegFile(text, Root);
    ASSERT_TRUE(back.ok) << back.line << ": " << back.message;
    EXPECT_EQ(back.tree, tree);
}

struct BadFile {
    const char* what;
    std::string text;
    int line;
    const char* reason;
};

void PrintTo(const BadFile& file, std::ostream* out)
{
    *out << file.what;
}

class RegFileFormatBad : public testing::TestWithParam<BadFile> {};

TEST_P(RegFileFormatBad, IsRefusedWithLineAndReason)
{
    const BadFile& bad = GetParam();
    const ParseResult parsed = parseRegFile(bad.text, Root);
    EXPECT_FALSE(parsed.ok);
    EXPECT_EQ(parsed.line, bad.line);
    EXPECT_NE(parsed.message.find(bad.reason), std::string::npos) << parsed.message;
    EXPECT_EQ(parsed.tree, RegTree()) << "nothing of a refused file is kept";
}

const std::string Head = "REGEDIT4\n[HKEY_CURRENT_USER\\Software]\n";

INSTANTIATE_TEST_SUITE_P(
    Cases, RegFileFormatBad,
    testing::Values(
        BadFile {"empty", "", 1, "empty"},
        BadFile {"garbage", "\x7f" "ELF\x02\x01\x01\n", 1, "REGEDIT4"},
        BadFile {"other header", "REGEDIT5\n[HKEY_CURRENT_USER]\n", 1, "REGEDIT4"},
        BadFile {"zero byte", Head + std::string("\"a\"=\"x\0y\"\n", 10), 3, "zero byte"},
        BadFile {"cut in a text", Head + "\"Name\"=\"Mün", 3, "truncated"},
        BadFile {"cut in a text at a line end", Head + "\"Name\"=\"Mün\n", 3, "closing quote"},
        BadFile {"cut in a dword", Head + "\"n\"=dword:0000\n", 3, "8 hex digits"},
        BadFile {"cut after a comma", Head + "\"n\"=hex:01,\n", 3, "comma"},
        BadFile {"cut in a continuation", Head + "\"n\"=hex:01,\\\n", 3, "past the end"},
        BadFile {"one-digit byte", Head + "\"n\"=hex:1\n", 3, "two hex digits"},
        BadFile {"unknown escape", Head + "\"n\"=\"c:\\temp\"\n", 3, "escape"},
        BadFile {"value before a key", "REGEDIT4\n\"n\"=\"x\"\n", 2, "before the first"},
        BadFile {"other root", "REGEDIT4\n[HKEY_LOCAL_MACHINE\\Software]\n", 2, "not below"},
        BadFile {"empty key name", "REGEDIT4\n[HKEY_CURRENT_USER\\a\\\\b]\n", 2, "empty key name"},
        BadFile {"key without ]", "REGEDIT4\n[HKEY_CURRENT_USER\\a\n", 2, "closing"},
        BadFile {"key deletion", "REGEDIT4\n[-HKEY_CURRENT_USER\\a]\n", 2, "deletion"},
        BadFile {"value deletion", Head + "\"n\"=-\n", 3, "deletion"},
        BadFile {"unknown kind", Head + "\"n\"=qword:1\n", 3, "kind"},
        BadFile {"no =", Head + "\"n\" \"x\"\n", 3, "without \"=\""},
        BadFile {"text after value", Head + "\"n\"=\"x\" y\n", 3, "after the end"},
        BadFile {"stray line", Head + "hello\n", 3, "neither"}),
    [](const testing::TestParamInfo<BadFile>& info) {
        std::string name = info.param.what;
        for (char& c : name)
            if (!isalnum(static_cast<unsigned char>(c)))
                c = '_';
        return name;
    });
