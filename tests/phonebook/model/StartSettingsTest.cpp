// The start-up choices from the suite's settings: which byte counts, and what a missing value means.
#include "BrevikFakes.h"

#include "phonebook/model/StartSettings.h"
#include "platform/registry/Registry.h"

#include <gtest/gtest.h>

#include <optional>

using namespace brevik;
using namespace brevik::test;

namespace {

constexpr const char* kSection = "Software\\Torvane\\Quorvane PRO\\CfgPropPage2";

TEST(StartSettings, ValuesAndTheirLowestBytes)
{
    struct Case {
        std::optional<DWORD> showCorrection;
        std::optional<DWORD> autoload;
        std::optional<DWORD> phonebooks;
        bool preview;
        int mask;
    };
    const Case cases[] = {
        {std::nullopt, std::nullopt, std::nullopt, true, 0},
        {1, 1, 5, true, 0x05 | AUTOLOAD_FIRST},
        {0, 0, 5, false, 0},
        {256, 1, 0, false, 0},            // 256's lowest byte is 0
        {2, 257, 3, true, 0x03 | AUTOLOAD_FIRST}, // 257's lowest byte is 1
        {1, 2, 3, true, 0},
        {1, 1, std::nullopt, true, 0x01 | AUTOLOAD_FIRST}, // the buffer still holds Autoload's 1
        {1, 1, 0x85, true, 0x05 | AUTOLOAD_FIRST},          // bit 7 names no directory
        {1, 1, 0x80, true, 0},
    };
    for (const Case& c : cases) {
        RegDeleteKey(HKEY_CURRENT_USER, kSection);
        torvane::registry::writeString(HKEY_CURRENT_USER, kSection, "Other", "x");
        if (c.showCorrection)
            torvane::registry::writeDword(HKEY_CURRENT_USER, kSection, "ShowCorrection", *c.showCorrection);
        if (c.autoload)
            torvane::registry::writeDword(HKEY_CURRENT_USER, kSection, "Autoload", *c.autoload);
        if (c.phonebooks)
            torvane::registry::writeDword(HKEY_CURRENT_USER, kSection, "Phonebooks", *c.phonebooks);
        const StartSettings s = ReadStartSettings();
        EXPECT_EQ(s.showPreviewRow, c.preview);
        EXPECT_EQ(s.autoloadMask, c.mask);
    }
    RegDeleteKey(HKEY_CURRENT_USER, kSection);
    const StartSettings none = ReadStartSettings();
    EXPECT_TRUE(none.showPreviewRow);
    EXPECT_EQ(none.autoloadMask, 0);
}

TEST(StartSettings, TheFormStartsWithThem)
{
    ModelHarness h;
    StartSettings settings;
    settings.showPreviewRow = false;
    settings.autoloadMask = AutoloadMask(1, 5);
    ASSERT_TRUE(h.model.Start(settings));
    EXPECT_FALSE(h.model.hasFlag(FLAG_PREVIEW_ROW));
    EXPECT_EQ(h.view.preview, std::vector<bool>{false});
    ASSERT_EQ(h.engine.reads.size(), 1u);
    EXPECT_EQ(h.engine.reads[0].storage, "SM");
    h.engine.setResult(16, 20, 10, {{1, "a", "1"}});
    h.model.OnPhonebookRead(JOB_PHONEBOOK_READ, RESULT_OK);
    EXPECT_EQ(h.engine.reads.back().storage, "LD");
    EXPECT_EQ(h.view.preview.back(), false) << "the settings keep the row hidden";
}

} // namespace
