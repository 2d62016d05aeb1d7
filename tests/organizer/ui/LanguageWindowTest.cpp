// The language window on the offscreen platform: what it shows, a switch by option or picture,
// clicking the current language, and saving only on OK.
#include "organizer/ui/Language.h"

#include "organizer/link/MessageBox.h"
#include "organizer/link/PublicVar.h"
#include "organizer/link/Registry.h"
#include "organizer/link/Settings.h"

#include "organizer/link/BoxRecorder.h"
#include "organizer/link/MainWindowFakes.h"
#include "organizer/link/QtPrinters.h"

#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include <gtest/gtest.h>

namespace tessaro {
namespace {

const QStringList kRelabelGerman = {"InitActiveBar",  "GridHeadlines",
                                    "RefreshDateRange", "SetMenus_Click",
                                    "SetCaption Torvane Termine", "SetHelpFile TessaroHelpd.hlp"};
const QStringList kRelabelEnglish = {"InitActiveBar",  "GridHeadlines",
                                     "RefreshDateRange", "SetMenus_Click",
                                     "SetCaption Torvane Appointments", "SetHelpFile TessaroHelpe.hlp"};

class LanguageWindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        LanguageBase = 10000;
        OrganizerAvailable = false;
    }
    void TearDown() override { LanguageBase = 10000; }

    static bool languageSaved(std::int32_t& value)
    {
        RegData data;
        if (!RegValueGet(RegRoot::CurrentUser, SettingsKey, QStringLiteral("Language"), data))
            return false;
        const auto* n = std::get_if<std::int32_t>(&data);
        if (!n)
            return false;
        value = *n;
        return true;
    }

    test::FakeMainWindow window;
    test::BoxRecorder boxes;
};

TEST_F(LanguageWindowTest, ShowsTheCurrentLanguageWithoutSwitching)
{
    struct Case {
        std::int16_t base;
        const char* caption;
        const char* frame;
        bool german;
    };
    const Case cases[] = {{10000, "Torvane Appointments", "Language", false},
                          {20000, "Torvane Termine", "Sprache", true}};
    for (const Case& c : cases) {
        LanguageBase = c.base;
        Language w;
        EXPECT_EQ(w.objectName(), QStringLiteral("Language"));
        EXPECT_EQ(w.windowTitle(), QLatin1String(c.caption));
        EXPECT_EQ(w.LanguageFrame->title(), QLatin1String(c.frame));
        EXPECT_EQ(w.Option1_Language->isChecked(), !c.german);
        EXPECT_EQ(w.Option2_Language->isChecked(), c.german);
        EXPECT_EQ(w.Option1_Language->text(), QStringLiteral("english"));
        EXPECT_EQ(w.Option2_Language->text(), QStringLiteral("deutsch"));
        EXPECT_EQ(w.Command1->text(), QStringLiteral("OK"));
        for (const char* name : {"LanguageFrame", "Option1_Language", "Option2_Language", "Image1_Language",
                                 "Image2_Language", "Command1"})
            EXPECT_NE(w.findChild<QWidget*>(QLatin1String(name)), nullptr) << name;
    }
    EXPECT_TRUE(window.calls.isEmpty());
}

TEST_F(LanguageWindowTest, OptionAndPictureSwitchAndRelabel)
{
    Language w;
    w.show();
    QTest::mouseClick(w.Option2_Language, Qt::LeftButton);
    EXPECT_EQ(LanguageBase, 20000);
    EXPECT_TRUE(w.Option2_Language->isChecked());
    EXPECT_FALSE(w.Option1_Language->isChecked());
    EXPECT_EQ(w.LanguageFrame->title(), QStringLiteral("Sprache"));
    EXPECT_EQ(window.calls, kRelabelGerman);

    window.calls.clear();
    QTest::mouseClick(w.Image1_Language, Qt::LeftButton);
    EXPECT_EQ(LanguageBase, 10000);
    EXPECT_TRUE(w.Option1_Language->isChecked());
    EXPECT_EQ(w.LanguageFrame->title(), QStringLiteral("Language"));
    EXPECT_EQ(window.calls, kRelabelEnglish);

    window.calls.clear();
    QTest::mouseClick(w.Image2_Language, Qt::LeftButton);
    EXPECT_EQ(LanguageBase, 20000);
    EXPECT_EQ(window.calls, kRelabelGerman);
}

TEST_F(LanguageWindowTest, ClickingTheCurrentLanguageDoesNothing)
{
    for (std::int16_t base : {std::int16_t(10000), std::int16_t(20000)}) {
        LanguageBase = base;
        Language w;
        w.show();
        const bool german = base == 20000;
        QTest::mouseClick(german ? w.Option2_Language : w.Option1_Language, Qt::LeftButton);
        QTest::mouseClick(german ? w.Image2_Language : w.Image1_Language, Qt::LeftButton);
        EXPECT_EQ(LanguageBase, base);
        EXPECT_EQ(w.LanguageFrame->title(), german ? QStringLiteral("Sprache") : QStringLiteral("Language"));
        EXPECT_TRUE(window.calls.isEmpty()) << base;
    }
}

TEST_F(LanguageWindowTest, OnlyOkSaves)
{
    std::int32_t saved = 0;
    ASSERT_FALSE(languageSaved(saved));
    {
        // There and back, then closed by its frame: English, and nothing saved.
        Language w;
        w.show();
        QTest::mouseClick(w.Option2_Language, Qt::LeftButton);
        QTest::mouseClick(w.Option1_Language, Qt::LeftButton);
        QTest::keyClick(&w, Qt::Key_Escape);
        EXPECT_TRUE(w.isVisible()); // there is no cancel
        w.close();
        EXPECT_EQ(LanguageBase, 10000);
        EXPECT_FALSE(languageSaved(saved));
    }
    {
        // German, closed by its frame: German for the run, still nothing saved.
        Language w;
        w.show();
        QTest::mouseClick(w.Option2_Language, Qt::LeftButton);
        w.close();
        EXPECT_EQ(LanguageBase, 20000);
        EXPECT_FALSE(languageSaved(saved));
    }
    Language w;
    w.show();
    QTest::mouseClick(w.Command1, Qt::LeftButton);
    EXPECT_FALSE(w.isVisible());
    EXPECT_EQ(w.result(), QDialog::Accepted);
    ASSERT_TRUE(languageSaved(saved));
    EXPECT_EQ(saved, 20000);
    EXPECT_TRUE(boxes.boxes.empty());
}

TEST_F(LanguageWindowTest, WithAMailClientTheDateFrameFollows)
{
    OrganizerAvailable = true;
    OrganizerName = QStringLiteral("Outlook");
    OrganizerEntryCount = 3;
    Language w;
    w.show();
    QTest::mouseClick(w.Option2_Language, Qt::LeftButton);
    EXPECT_EQ(window.calls.mid(4, 2),
              (QStringList{"SetProgressStatus Outlook 3 0", "SetCalCommandCancelCaption abbrechen"}));
}

} // namespace
} // namespace tessaro
