// getTIVEntry as another program would call it: the search through the three keys below
// HKEY_LOCAL_MACHINE, its end at a key that can't be opened, and the size limits of values.
#include "tests/outlookbutton/PlinketTestSupport.h"

using namespace torvane::testing;

namespace {

using LookupFunction = const char* (*)(const char*);

struct StoredValue {
    const char* key;
    std::optional<std::string> name; // none: the key without a value
    std::string bytes;
    DWORD type = REG_SZ;
};

std::string text(const std::string& t)
{
    return t + '\0';
}

struct LookupCase {
    const char* name;
    std::vector<StoredValue> values;
    const char* lookedUp;
    std::optional<std::string> expected;
};

// The lookup reads each value into a buffer on its stack, and past that buffer lies whatever the
// stack held before. A read that runs past the value would stop at the first zero there, which
// may be right behind the buffer and make a wrong copy look right. Painted beforehand with bytes
// that are not zero, the stack below the test turns such a read into a result with extra
// characters, in any build and not only under AddressSanitizer.
[[gnu::noinline]] void paintStackBelow()
{
    volatile unsigned char area[64 * 1024];
    for (auto& byte : area)
        byte = 0xA5;
}

class PlinketLookup : public PlinketTest, public ::testing::WithParamInterface<LookupCase> {
};

TEST_P(PlinketLookup, FindsTheFirstFittingValueInSearchOrder)
{
    for (const StoredValue& value : GetParam().values) {
        if (value.name)
            setRawValue(value.key, value.name->c_str(), value.bytes, value.type);
        else
            createKey(value.key);
    }
    auto lookUp = reinterpret_cast<LookupFunction>(library().symbol("getTIVEntry"));
    ASSERT_NE(lookUp, nullptr);
    paintStackBelow();
    const char* result = lookUp(GetParam().lookedUp);
    if (!GetParam().expected) {
        EXPECT_EQ(result, nullptr) << result;
        return;
    }
    ASSERT_NE(result, nullptr);
    EXPECT_EQ(std::string(result), *GetParam().expected);
}

const std::string k79(79, 'a');
const std::string k80(80, 'b');
const char* const kTessaro = "SOFTWARE\\TORVANE\\TESSARO";

INSTANTIATE_TEST_SUITE_P(
    Cases, PlinketLookup,
    ::testing::Values(
        LookupCase{"OrganizerKey", {{kTessaro, "Plinket", text("exe;tessaro")}}, "Plinket", "exe;tessaro"},
        LookupCase{"OrganizerKeyBeforeRoot",
                   {{"", "Plinket", text("root")}, {kTessaro, "Plinket", text("organizer")}}, "Plinket", "organizer"},
        LookupCase{"RootWhenOrganizerKeyLacksIt",
                   {{kTessaro, "Other", text("x")}, {"", "Plinket", text("root")}, {"CONTINUE", "Plinket", text("c")}},
                   "Plinket", "root"},
        LookupCase{"ContinueLast", {{kTessaro, "Other", text("x")}, {"CONTINUE", "Plinket", text("c")}}, "Plinket", "c"},
        LookupCase{"MissingOrganizerKeyEndsTheSearch",
                   {{"", "Plinket", text("root")}, {"CONTINUE", "Plinket", text("c")}}, "Plinket", std::nullopt},
        LookupCase{"MissingEverywhere", {{kTessaro, "Other", text("x")}, {"CONTINUE", "Else", text("c")}}, "Plinket",
                   std::nullopt},
        LookupCase{"NameCaseCounts", {{kTessaro, "Plinket", text("organizer")}}, "plinket", std::nullopt},
        LookupCase{"AnyNameIsLookedUp", {{kTessaro, "TerminPrg", text("tessaro D")}}, "TerminPrg", "tessaro D"},
        LookupCase{"SeventyNineCharacters", {{kTessaro, "Plinket", text(k79)}}, "Plinket", k79},
        LookupCase{"EightyCharactersDontFit",
                   {{kTessaro, "Plinket", text(k80)}, {"", "Plinket", text("root")}}, "Plinket", "root"},
        // Stored without a terminator, 80 bytes fit exactly and still read as a terminated text.
        LookupCase{"EightyBytesWithoutTerminator", {{kTessaro, "Plinket", k80}}, "Plinket", k80},
        LookupCase{"TextEndsAtItsFirstZero", {{kTessaro, "Plinket", std::string("abc\0def", 7)}}, "Plinket", "abc"},
        LookupCase{"LongNameBeforeItEndsTheKey",
                   {{kTessaro, std::string(80, 'n'), text("x")},
                    {kTessaro, "Plinket", text("organizer")},
                    {"", "Plinket", text("root")}},
                   "Plinket", "root"},
        LookupCase{"LongDataBeforeItEndsTheKey",
                   {{kTessaro, "Big", text(std::string(100, 'd'))},
                    {kTessaro, "Plinket", text("organizer")},
                    {"CONTINUE", "Plinket", text("c")}},
                   "Plinket", "c"},
        LookupCase{"SeventyNineCharacterNameFits",
                   {{kTessaro, std::string(79, 'n'), text("x")}, {kTessaro, "Plinket", text("organizer")}},
                   "Plinket", "organizer"},
        // The type isn't examined: a number reads as its bytes.
        LookupCase{"TypeNotExamined", {{kTessaro, "Plinket", std::string("567\0", 4), REG_DWORD}}, "Plinket", "567"},
        LookupCase{"EmptyOrganizerKey", {{kTessaro, std::nullopt, {}}, {"CONTINUE", "Plinket", text("c")}}, "Plinket", "c"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(PlinketTest, LookupResultIsOneBufferOverwrittenByTheNextCall)
{
    setTextValue(kTessaro, "First", "one");
    setTextValue(kTessaro, "Second", "two");
    auto lookUp = reinterpret_cast<LookupFunction>(library().symbol("getTIVEntry"));
    ASSERT_NE(lookUp, nullptr);
    const char* first = lookUp("First");
    ASSERT_NE(first, nullptr);
    EXPECT_STREQ(first, "one");
    const char* second = lookUp("Second");
    EXPECT_EQ(second, first);
    EXPECT_STREQ(first, "two");
    EXPECT_EQ(lookUp("Third"), nullptr);
    EXPECT_EQ(lookUp(nullptr), nullptr);
}

} // namespace
