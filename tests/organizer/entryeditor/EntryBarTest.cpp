// The entry editor's menu and toolbar in both languages: captions, shortcut keys and tooltips,
// and the switching of its input controls off and on around a command.
#include "organizer/entryeditor/EntryActiveBar.h"
#include "organizer/entryeditor/MobileEntryForm.h"

#include "organizer/link/PhoneEntry.h"
#include "organizer/link/PublicVar.h"
#include "organizer/link/TessaroStrings.h"

#include "organizer/entryeditor/RecordingSteps.h"
#include "organizer/link/QtPrinters.h"

#include <gtest/gtest.h>

#include <vector>

namespace tessaro {
namespace {

using controls::Band;
using controls::CommandBar;
using controls::Tool;

QStringList captions(const Band& band)
{
    QStringList out;
    for (int i = 0; i < band.toolCount(); ++i)
        out << band.tool(i).caption();
    return out;
}

struct ShortcutCase {
    Qt::Key key;
    const char* tool; // nullptr: the key runs nothing
};

struct BarLanguage {
    std::int16_t base;
    QStringList menuBar;
    QStringList entryMenu; // serie, delete, save
    QStringList helpMenu;
    std::vector<ShortcutCase> keys;
    QStringList tooltips; // EntrySave, EntryCalendar, EntryStart, EntryTime, EntryDelete, EntrySerie, EntryPeriode
};

class EntryBarInLanguage : public ::testing::TestWithParam<BarLanguage> {
protected:
    void SetUp() override
    {
        LanguageBase = GetParam().base;
        bar.setName(QStringLiteral("ActiveBar1"));
        bar.load(EntryBarLayout());
        InitEntryActiveBar(bar);
    }
    void TearDown() override { LanguageBase = LanguageEnglish; }

    CommandBar bar;
};

TEST_P(EntryBarInLanguage, MenusReadInTheLanguage)
{
    const BarLanguage& c = GetParam();
    EXPECT_EQ(captions(bar.band(QStringLiteral("MainMenu"))), c.menuBar);
    EXPECT_EQ(captions(bar.band(QStringLiteral("Entry"))), c.entryMenu);
    EXPECT_EQ(captions(bar.band(QStringLiteral("Help"))), c.helpMenu);
    const Band tools = bar.band(QStringLiteral("EntryTools"));
    QStringList tips;
    for (int i = 0; i < tools.toolCount(); ++i)
        tips << tools.tool(i).tooltip();
    EXPECT_EQ(tips, c.tooltips);
}

TEST_P(EntryBarInLanguage, ShortcutKeysRunTheirToolsAndTheOtherLanguagesKeysNothing)
{
    QString clicked;
    QObject::connect(&bar, &CommandBar::toolClick, [&](Tool tool) { clicked = tool.name(); });
    for (const ShortcutCase& k : GetParam().keys) {
        clicked.clear();
        const bool used = bar.keyDown(k.key, Qt::ControlModifier);
        EXPECT_EQ(used, k.tool != nullptr) << "Ctrl+" << char('A' + (k.key - Qt::Key_A));
        EXPECT_EQ(clicked, k.tool ? QString::fromLatin1(k.tool) : QString()) << char('A' + (k.key - Qt::Key_A));
        bar.keyUp(k.key, Qt::ControlModifier);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Languages, EntryBarInLanguage,
    ::testing::Values(
        BarLanguage {LanguageEnglish,
                     {"&Entry", "Hel&p"},
                     {"Se&rie", "&Delete entry", "&Save and close"},
                     {"Hel&p", "Abo&ut"},
                     {{Qt::Key_D, "EntryDelete"}, {Qt::Key_S, "EntrySave"}, {Qt::Key_R, "EntrySerie"},
                      {Qt::Key_P, "EntryHelp"}, {Qt::Key_U, "EntryAbout"}, {Qt::Key_L, nullptr},
                      {Qt::Key_E, nullptr}, {Qt::Key_K, nullptr}},
                     {"Save entry and close window.", "Set entry date.", "Enter start date.", "Select time.",
                      "Delete entry.", "Activate serie.", "Select periode."}},
        BarLanguage {LanguageGerman,
                     {"&Eintrag", "&Hilfe"},
                     {"S&erie", "Eintrag &löschen", "Eintrag &speichern und schließen"},
                     {"H&ilfe", "&Über"},
                     {{Qt::Key_L, "EntryDelete"}, {Qt::Key_S, "EntrySave"}, {Qt::Key_E, "EntrySerie"},
                      {Qt::Key_I, "EntryHelp"}, {Qt::Key_K, "EntryAbout"}, {Qt::Key_D, nullptr},
                      {Qt::Key_R, nullptr}, {Qt::Key_U, nullptr}},
                     {"Eintrag speichern und Eingabe schließen.", "Eintragdatum einstellen.", "Startdatum eingeben.",
                      "Uhrzeit auswählen.", "Eintrag löschen.", "Serie aktivieren.", "Periode auswählen."}}));

// The enabled state of every input control and tool, and which kind is selected.
struct EditorState {
    std::vector<bool> enabled;
    std::vector<bool> kinds;
    bool operator==(const EditorState&) const = default;
};

EditorState stateOf(const MobileEntryForm& form)
{
    EditorState s;
    for (const char* band : {"MainMenu", "EntryTools", "Entry", "Help"}) {
        const Band b = form.ActiveBar1.band(QLatin1String(band));
        for (int i = 0; i < b.toolCount(); ++i)
            s.enabled.push_back(b.tool(i).isEnabled());
    }
    s.enabled.push_back(form.EntryDescriptionText.isEnabled());
    s.enabled.push_back(form.EntrySummaryText.isEnabled());
    s.enabled.push_back(form.EntryAlarm.isEnabled());
    for (const auto& option : form.EntryOptions) {
        s.enabled.push_back(option.isEnabled());
        s.kinds.push_back(option.value());
    }
    return s;
}

TEST(OnOffActiveBarEntry, TurnsTheInputControlsOverKeepingTheKindAndTwoCallsRestore)
{
    LanguageBase = LanguageEnglish;
    test::RecordingSteps steps;
    MobileEntryForm form;
    form.Form_Load(QRectF(0, 0, 12000, 9000));
    form.EntryOptions[3].userClick();
    // One control off already: the calls turn it over, they do not force a state.
    form.ActiveBar1.band(QStringLiteral("EntryTools")).tool(QStringLiteral("EntryTime")).setEnabled(false);
    const EditorState before = stateOf(form);
    const char* const ownTools[] = {"EntrySave", "EntryCalendar", "EntryDelete", "EntrySerie", "EntryPeriode"};
    std::vector<bool> ownBefore;
    for (const char* name : ownTools)
        ownBefore.push_back(form.ActiveBar1.band(QStringLiteral("EntryTools")).tool(QLatin1String(name)).isEnabled());

    OnOffActiveBarEntry(form);
    const Band menu = form.ActiveBar1.band(QStringLiteral("MainMenu"));
    const Band tools = form.ActiveBar1.band(QStringLiteral("EntryTools"));
    EXPECT_FALSE(menu.tool(QStringLiteral("mnuEntry")).isEnabled());
    EXPECT_FALSE(menu.tool(QStringLiteral("mnuHelp")).isEnabled());
    EXPECT_FALSE(tools.tool(QStringLiteral("EntryStart")).isEnabled());
    EXPECT_TRUE(tools.tool(QStringLiteral("EntryTime")).isEnabled());
    EXPECT_FALSE(form.EntryDescriptionText.isEnabled());
    EXPECT_FALSE(form.EntrySummaryText.isEnabled());
    EXPECT_FALSE(form.EntryAlarm.isEnabled());
    for (const auto& option : form.EntryOptions)
        EXPECT_FALSE(option.isEnabled()) << option.index();
    // The command's own tools stay as they were.
    for (std::size_t i = 0; i < ownBefore.size(); ++i)
        EXPECT_EQ(tools.tool(QLatin1String(ownTools[i])).isEnabled(), ownBefore[i]) << ownTools[i];
    EXPECT_EQ(stateOf(form).kinds, before.kinds);

    OnOffActiveBarEntry(form);
    EXPECT_EQ(stateOf(form), before);
    EXPECT_EQ(form.SelectedEntryType, EntryTypePhoneCall);
}

} // namespace
} // namespace tessaro
