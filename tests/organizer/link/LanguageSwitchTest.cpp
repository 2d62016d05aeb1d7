// Relabelling after a language switch: the main window's steps in their order, with and without
// a mail client.
#include "organizer/link/LanguageSwitch.h"
#include "organizer/link/MobileStatus.h"
#include "organizer/link/PhoneEntry.h"
#include "organizer/link/PublicVar.h"

#include "MainWindowFakes.h"
#include "QtPrinters.h"

#include <gtest/gtest.h>

namespace tessaro {
namespace {

class LanguageSwitchTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        LanguageBase = 10000;
        OrganizerAvailable = false;
        OrganizerName = QStringLiteral("Outlook");
        OrganizerEntryCount = 12;
        MobileConnected = false;
    }
    void TearDown() override { LanguageBase = 10000; }

    test::FakeMainWindow window;
};

TEST_F(LanguageSwitchTest, SwitchesOnlyToTheOtherLanguage)
{
    EXPECT_FALSE(SwitchLanguageBase(10000));
    EXPECT_EQ(LanguageBase, 10000);
    EXPECT_FALSE(SwitchLanguageBase(15000));
    EXPECT_EQ(LanguageBase, 10000);
    EXPECT_TRUE(SwitchLanguageBase(20000));
    EXPECT_EQ(LanguageBase, 20000);
    EXPECT_FALSE(SwitchLanguageBase(20000));
    EXPECT_TRUE(SwitchLanguageBase(10000));
    EXPECT_EQ(LanguageBase, 10000);
    EXPECT_TRUE(window.calls.isEmpty());
}

TEST_F(LanguageSwitchTest, RelabelsInItsOrder)
{
    struct Case {
        std::int16_t base;
        bool organizer;
        QStringList calls;
    };
    const Case cases[] = {
        {20000, true,
         {"InitActiveBar", "GridHeadlines", "RefreshDateRange", "SetMenus_Click", "SetProgressStatus Outlook 12 0",
          "SetCalCommandCancelCaption abbrechen", "SetCaption Torvane Termine", "SetHelpFile TessaroHelpd.hlp"}},
        {10000, true,
         {"InitActiveBar", "GridHeadlines", "RefreshDateRange", "SetMenus_Click", "SetProgressStatus Outlook 12 0",
          "SetCalCommandCancelCaption cancel", "SetCaption Torvane Appointments", "SetHelpFile TessaroHelpe.hlp"}},
        // Without a mail client the progress panel and the date frame's cancel button stay.
        {20000, false,
         {"InitActiveBar", "GridHeadlines", "RefreshDateRange", "SetMenus_Click", "SetCaption Torvane Termine",
          "SetHelpFile TessaroHelpd.hlp"}},
    };
    for (const Case& c : cases) {
        LanguageBase = c.base;
        OrganizerAvailable = c.organizer;
        window.calls.clear();
        EXPECT_FALSE(SetLanguage());
        EXPECT_EQ(window.calls, c.calls) << c.base << " " << c.organizer;
    }
    // The phone's panels were rewritten in the new language too.
    EXPECT_EQ(window.panels[PanelMobileStatus], QStringLiteral("nicht verbunden"));
}

} // namespace
} // namespace tessaro
