// The main window's menu and toolbar: the stored layout, both languages' captions, shortcuts and
// tooltips, a switch there and back, and the greying of the menu titles around a command.
#include "organizer/mainwindow/ActiveBar.h"

#include "organizer/link/PublicVar.h"
#include "platform/ui/controls/ControlError.h"

#include <gtest/gtest.h>

#include <map>

namespace tessaro {
namespace {

namespace controls = torvane::controls;

struct ItemText {
    const char* band;
    const char* tool;
    const char* english;
    int englishKey;
    const char* german;
    int germanKey;
};

// Every menu item that changes with the language; 0: the stored shortcut (none) stays.
const ItemText kItems[] = {
    {"MainMenu", "TessaroOrganizer", "Organi&zer", 0, "Organi&zer", 0},
    {"MainMenu", "mnuEntry", "&Entry", 0, "Eint&rag", 0},
    {"MainMenu", "TessaroExtra", "E&xtra", 0, "E&xtra", 0},
    {"MainMenu", "mnuHelp", "&Help", 0, "&Hilfe", 0},
    {"TessaroOrganizerMenu", "TessaroReadOrganizer", "Read or&ganizer", 7, "&Organizer einlesen", 15},
    {"TessaroOrganizerMenu", "TessaroReadMobile", "Read &mobile", 13, "&Telefon einlesen", 20},
    {"TessaroOrganizerMenu", "TessaroClearGrid", "Cle&ar grid", 1, "Gri&d löschen", 4},
    {"TessaroOrganizerMenu", "TessaroClearGrids", "C&lear grids", 0, "&Grids löschen", 0},
    {"TessaroOrganizerMenu", "TessaroClearMobile", "&Clear mobile", 3, "Telefoneinträge &löschen", 12},
    {"TessaroOrganizerMenu", "TessaroEnd", "E&nd", 14, "&Ende", 5},
    {"TessaroClearGridMenu", "TessaroClearBothCol", "Clear &both", 2, "&Alle löschen", 1},
    {"TessaroClearGridMenu", "TessaroClearMobileCol", "Clear mob&ile", 9, "Tele&fongrid löschen", 6},
    {"TessaroClearGridMenu", "TessaroClearOrgCol", "Clear o&rganizer", 18, "Organizergrid lö&schen", 19},
    {"TessaroEntryMenu", "TessaroOpenEntry", "&Open entry", 15, "Eintrag &bearbeiten", 2},
    {"TessaroEntryMenu", "TessaroNewEntry", "Ne&w entry", 23, "Eintrag ne&u", 21},
    {"TessaroEntryMenu", "TessaroDeleteEntry", "&Delete entry", 4, "Eintrag l&öschen", 3},
    {"TessaroExtraMenu", "TessaroComSettings", "Com &settings", 19, "Com&port-Einstellungen", 16},
    {"TessaroExtraMenu", "TessaroLanguage", "Set &language", 6, "&Sprache einstellen", 10},
    {"TessaroExtraMenu", "TessaroTestMobile", "&Test mobile", 20, "Telefo&n testen", 14},
    {"TessaroHelpMenu", "TessaroHelp", "Hel&p", 16, "H&ilfe", 9},
    {"TessaroHelpMenu", "TessaroAbout", "Abo&ut", 21, "&Über", 11},
};

const std::pair<const char*, const char*> kEnglishTips[] = {
    {"TessaroReadMobile", "Read mobile entries."}, {"TessaroReadOrganizer", "Read organizer entries."},
    {"TessaroCalendar", "Select start date and date range."}, {"TessaroOpenEntry", "Open entry."},
    {"TessaroNewEntry", "Create new entry."}, {"TessaroDeleteEntry", "Delete entry."},
    {"TessaroClear", "Clear Tessaro grids."}, {"TessaroTestMobile", "Test mobile."}};
const std::pair<const char*, const char*> kGermanTips[] = {
    {"TessaroReadMobile", "Telefoneinträge einlesen."}, {"TessaroReadOrganizer", "Outlookeinträge einlesen."},
    {"TessaroCalendar", "Startdatum und Zeitbereich festlegen."}, {"TessaroOpenEntry", "Eintrag bearbeiten."},
    {"TessaroNewEntry", "Neuen Eintrag erstellen."}, {"TessaroDeleteEntry", "Eintrag löschen."},
    {"TessaroClear", "Einträge aus den Tabellen löschen."}, {"TessaroTestMobile", "Telefon testen."}};

QString q(const char* s)
{
    return QString::fromUtf8(s);
}

class ActiveBarTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        bar.setName(QStringLiteral("ActiveBar1"));
        bar.load(TessaroBarLayout());
    }
    void TearDown() override { LanguageBase = 10000; }

    void inLanguage(int base)
    {
        LanguageBase = std::int16_t(base);
        InitActiveBar(bar);
    }

    // Every instance's caption, tooltip, description, shortcut, enabled and visible state.
    std::vector<QString> snapshot() const
    {
        std::vector<QString> all;
        for (int b = 0; b < bar.bandCount(); ++b)
            for (int t = 0; t < bar.band(b).toolCount(); ++t) {
                const controls::Tool tool = bar.band(b).tool(t);
                all.push_back(bar.band(b).name() + QLatin1Char('/') + tool.name() + QLatin1Char('|') + tool.caption() +
                              QLatin1Char('|') + tool.tooltip() + QLatin1Char('|') + tool.description() +
                              QLatin1Char('|') + QString::number(tool.shortcut()) +
                              (tool.isEnabled() ? QStringLiteral("|on") : QStringLiteral("|off")) +
                              (tool.isVisible() ? QStringLiteral("|shown") : QStringLiteral("|hidden")));
            }
        return all;
    }

    controls::CommandBar bar;
};

TEST_F(ActiveBarTest, StoredLayoutHoldsWhatTheCommandsLookUp)
{
    EXPECT_EQ(bar.toolCount(), 23);
    EXPECT_EQ(bar.bandCount(), 7);
    // The menu titles open their menus, the clear-grids item its sub-menu.
    const controls::Band menu = bar.band(QStringLiteral("MainMenu"));
    EXPECT_EQ(menu.tool(QStringLiteral("mnuEntry")).subBand().name(), QStringLiteral("TessaroEntryMenu"));
    EXPECT_EQ(menu.tool(QStringLiteral("TessaroOrganizer")).subBand().name(), QStringLiteral("TessaroOrganizerMenu"));
    EXPECT_EQ(bar.tool(QStringLiteral("TessaroClearGrids")).subBand().name(), QStringLiteral("TessaroClearGridMenu"));
    // A tool looked up in a band it does not stand in is an error, as the commands rely on.
    EXPECT_THROW(menu.tool(QStringLiteral("TessaroEnd")), controls::ControlError);
    const controls::Band tools = bar.band(QStringLiteral("TessaroTools"));
    EXPECT_EQ(tools.toolCount(), 8);
    EXPECT_EQ(tools.tool(QStringLiteral("TessaroClear")).caption(), QStringLiteral("TessaroClear"));
    EXPECT_EQ(tools.tool(QStringLiteral("TessaroOpenEntry")).description(), QStringLiteral("Opens an entry"));
}

TEST_F(ActiveBarTest, CaptionsShortcutsAndTooltipsOfBothLanguages)
{
    for (int base : {20000, 10000}) {
        inLanguage(base);
        const bool german = base == 20000;
        for (const ItemText& item : kItems) {
            const controls::Tool tool = bar.band(q(item.band)).tool(q(item.tool));
            EXPECT_EQ(tool.caption(), q(german ? item.german : item.english)) << item.tool << " " << base;
            EXPECT_EQ(tool.shortcut(), german ? item.germanKey : item.englishKey) << item.tool << " " << base;
        }
        for (const auto& [name, tip] : german ? kGermanTips : kEnglishTips)
            EXPECT_EQ(bar.band(QStringLiteral("TessaroTools")).tool(q(name)).tooltip(), q(tip)) << name;
        // The stored texts stay in both languages.
        EXPECT_EQ(bar.band(QStringLiteral("TessaroOrganizerMenu")).tool(QStringLiteral("TessaroClearMobile")).tooltip(),
                  QStringLiteral("Delete all entreis from mobile."));
        EXPECT_EQ(bar.band(QStringLiteral("TessaroTools")).tool(QStringLiteral("TessaroReadMobile")).caption(),
                  QStringLiteral("Read &mobile"));
        EXPECT_EQ(bar.band(QStringLiteral("TessaroTools")).tool(QStringLiteral("TessaroOpenEntry")).shortcut(), 15);
    }
    // Any base but the German one captions in English.
    inLanguage(15000);
    EXPECT_EQ(bar.band(QStringLiteral("MainMenu")).tool(QStringLiteral("mnuEntry")).caption(), QStringLiteral("&Entry"));
}

TEST_F(ActiveBarTest, NoTwoMenuItemsShareAShortcutInOneLanguage)
{
    for (int base : {10000, 20000}) {
        inLanguage(base);
        std::map<int, QString> owner;
        for (int b = 0; b < bar.bandCount(); ++b) {
            if (bar.band(b).kind() == controls::BandKind::ToolBar)
                continue;
            for (int t = 0; t < bar.band(b).toolCount(); ++t) {
                const controls::Tool tool = bar.band(b).tool(t);
                if (tool.shortcut() == 0)
                    continue;
                const auto [it, fresh] = owner.emplace(tool.shortcut(), tool.name());
                EXPECT_TRUE(fresh) << base << ": " << tool.name().toStdString() << " and "
                                   << it->second.toStdString();
            }
        }
        EXPECT_EQ(owner.size(), 16u);
    }
}

TEST_F(ActiveBarTest, SwitchingThereAndBackRestoresEveryStateAndKeepsHiddenToolsHidden)
{
    bar.band(QStringLiteral("TessaroExtraMenu")).tool(QStringLiteral("TessaroLanguage")).setVisible(false);
    bar.band(QStringLiteral("TessaroTools")).tool(QStringLiteral("TessaroNewEntry")).setEnabled(false);
    inLanguage(10000);
    const std::vector<QString> english = snapshot();
    inLanguage(10000);
    EXPECT_EQ(snapshot(), english) << "a second call changes nothing";
    inLanguage(20000);
    EXPECT_NE(snapshot(), english);
    EXPECT_FALSE(bar.band(QStringLiteral("TessaroExtraMenu")).tool(QStringLiteral("TessaroLanguage")).isVisible());
    EXPECT_FALSE(bar.band(QStringLiteral("TessaroTools")).tool(QStringLiteral("TessaroNewEntry")).isEnabled());
    inLanguage(10000);
    EXPECT_EQ(snapshot(), english);
}

TEST_F(ActiveBarTest, ShortcutsFollowTheLanguage)
{
    QStringList clicked;
    QObject::connect(&bar, &controls::CommandBar::toolClick, &bar, [&](controls::Tool t) { clicked << t.name(); });
    auto run = [&](Qt::Key key) {
        clicked.clear();
        bar.keyDown(key, Qt::ControlModifier);
        bar.keyUp(key, Qt::ControlModifier);
        return clicked.join(QLatin1Char(','));
    };
    inLanguage(20000);
    EXPECT_EQ(run(Qt::Key_B), QStringLiteral("TessaroOpenEntry"));
    EXPECT_EQ(run(Qt::Key_C), QStringLiteral("TessaroDeleteEntry"));
    inLanguage(10000);
    EXPECT_EQ(run(Qt::Key_O), QStringLiteral("TessaroOpenEntry"));
    EXPECT_EQ(run(Qt::Key_D), QStringLiteral("TessaroDeleteEntry"));
    EXPECT_EQ(run(Qt::Key_B), QStringLiteral("TessaroClearBothCol"));
}

TEST_F(ActiveBarTest, OnOffGreysTheFourMenuTitlesAndTwiceRestores)
{
    const controls::Band menu = bar.band(QStringLiteral("MainMenu"));
    menu.tool(QStringLiteral("mnuHelp")).setEnabled(false);
    const std::vector<QString> before = snapshot();
    OnOffActiveBar(bar);
    for (const char* name : {"TessaroOrganizer", "mnuEntry", "TessaroExtra"})
        EXPECT_FALSE(menu.tool(q(name)).isEnabled()) << name;
    EXPECT_TRUE(menu.tool(QStringLiteral("mnuHelp")).isEnabled());
    EXPECT_TRUE(bar.band(QStringLiteral("TessaroTools")).tool(QStringLiteral("TessaroReadMobile")).isEnabled());
    OnOffActiveBar(bar);
    EXPECT_EQ(snapshot(), before);
}

} // namespace
} // namespace tessaro
