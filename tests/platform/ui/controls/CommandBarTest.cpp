// The menu-and-toolbar model: look-ups and their misses, per-instance and per-tool state, the
// pool, events and the key forwarding.
#include "platform/ui/controls/CommandBar.h"

#include "ControlsTestSupport.h"

#include <gtest/gtest.h>

namespace torvane::controls {
namespace {

using test::raised;

// A small layout in the shape of the organizer's: a menu bar with two titles, their pop-ups,
// a sub-menu, and a toolbar that repeats some menu tools and carries a toggle, an edit and a combo.
CommandBarLayout layout()
{
    return {
        .tools = {{.name = "mnuFile", .caption = "&File", .subBand = "FileMenu"},
                  {.name = "mnuEntry", .caption = "&Entry", .subBand = "EntryMenu"},
                  {.name = "Open", .id = 20001, .caption = "&Open", .tooltip = "Open entry.", .picture = 2},
                  {.name = "Clear", .caption = "C&lear", .subBand = "ClearMenu"},
                  {.name = "ClearBoth", .caption = "Clear &both"},
                  {.name = "End", .caption = "E&nd"},
                  {.name = "Serie", .kind = ToolKind::Toggle, .caption = "Se&rie"},
                  {.name = "Start", .kind = ToolKind::Edit, .caption = "St&art", .width = 65},
                  {.name = "Time", .kind = ToolKind::Combo, .caption = "&Time"}},
        .bands = {{.name = "EntryMenu", .kind = BandKind::PopupMenu,
                   .tools = {{.tool = "Open", .caption = "&Open entry", .shortcut = 15},
                             {.tool = "Serie", .shortcut = 18, .beginsGroup = true}}},
                  {.name = "FileMenu", .kind = BandKind::PopupMenu,
                   .tools = {{.tool = "Clear"}, {.tool = "End", .shortcut = 14, .beginsGroup = true}}},
                  {.name = "ClearMenu", .kind = BandKind::PopupMenu,
                   .tools = {{.tool = "ClearBoth", .shortcut = 2}}},
                  {.name = "MainMenu", .kind = BandKind::MenuBar, .tools = {{.tool = "mnuFile"}, {.tool = "mnuEntry"}}},
                  {.name = "Tools", .kind = BandKind::ToolBar,
                   .tools = {{.tool = "Open", .shortcut = 14},
                             {.tool = "Serie", .tooltip = "Activate serie."},
                             {.tool = "Start"},
                             {.tool = "Time"},
                             {.tool = "End", .shortcut = 5}}}},
    };
}

class CommandBarTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        bar.setName(QStringLiteral("ActiveBar1"));
        bar.load(layout());
        auto record = [this](const char* kind, const QString& what) {
            events << QLatin1String(kind) + QLatin1Char(':') + what;
        };
        auto where = [](const Tool& tool) {
            return (tool.band().isValid() ? tool.band().name() : QStringLiteral("pool")) + QLatin1Char('/') + tool.name();
        };
        QObject::connect(&bar, &CommandBar::toolClick, &context, [=](Tool t) { record("click", where(t)); });
        QObject::connect(&bar, &CommandBar::toolNotify, &context, [=](Tool t) { record("notify", where(t)); });
        QObject::connect(&bar, &CommandBar::bandOpen, &context, [=](Band b) { record("open", b.name()); });
        QObject::connect(&bar, &CommandBar::comboDrop, &context, [=](Tool t) { record("drop", where(t)); });
        QObject::connect(&bar, &CommandBar::toolGotFocus, &context, [=](Tool t) { record("got", where(t)); });
        QObject::connect(&bar, &CommandBar::toolLostFocus, &context, [=](Tool t) { record("lost", where(t)); });
    }
    Tool menuTool(const char* band, const char* tool) { return bar.band(QLatin1String(band)).tool(QLatin1String(tool)); }
    bool ctrl(char letter) { return bar.keyDown(Qt::Key_A + (letter - 'A'), Qt::ControlModifier); }

    CommandBar bar;
    QObject context;
    QStringList events;
};

TEST_F(CommandBarTest, LooksUpBandsAndToolsByNameAndReportsMisses)
{
    EXPECT_EQ(bar.bandCount(), 5);
    EXPECT_EQ(bar.band(QStringLiteral("Tools")).kind(), BandKind::ToolBar);
    const Band entry = bar.band(QStringLiteral("EntryMenu"));
    ASSERT_EQ(entry.toolCount(), 2);
    EXPECT_EQ(entry.tool(1).name(), "Serie");
    EXPECT_TRUE(entry.tool(1).beginsGroup());
    EXPECT_EQ(menuTool("MainMenu", "mnuEntry").subBand(), entry);
    EXPECT_EQ(bar.tool(QStringLiteral("Open")).id(), 20001);
    EXPECT_TRUE(bar.tool(QStringLiteral("Open")).isPoolTool());
    EXPECT_EQ(bar.instances(QStringLiteral("Open")).size(), 2u);

    struct Miss {
        std::function<void()> call;
        const char* names;
    };
    for (const Miss& miss : {Miss{[&] { bar.band(QStringLiteral("mainmenu")); }, "\"mainmenu\""},
                             Miss{[&] { menuTool("MainMenu", "Open"); }, "\"Open\" in band \"MainMenu\""},
                             Miss{[&] { bar.tool(QStringLiteral("Help")); }, "\"Help\""},
                             Miss{[&] { entry.tool(2); }, "tool 2 of band \"EntryMenu\""}}) {
        const ControlError e = raised(miss.call);
        EXPECT_EQ(e.number(), ErrSubscriptOutOfRange);
        EXPECT_EQ(e.source(), "ActiveBar1");
        EXPECT_TRUE(e.description().contains(QLatin1String(miss.names))) << e.description().toStdString();
    }
}

TEST_F(CommandBarTest, ABrokenLayoutIsRefusedAndTheOldOneStays)
{
    CommandBarLayout unknownTool = layout();
    unknownTool.bands[0].tools.push_back({.tool = "Missing"});
    CommandBarLayout toolbarAsSubBand = layout();
    toolbarAsSubBand.tools[0].subBand = QStringLiteral("Tools");
    CommandBarLayout badShortcut = layout();
    badShortcut.bands[0].tools[0].shortcut = 27;
    CommandBarLayout twice = layout();
    twice.tools.push_back({.name = "End"});
    for (const CommandBarLayout& broken : {unknownTool, toolbarAsSubBand, badShortcut, twice})
        EXPECT_EQ(raised([&] { bar.load(broken); }).number(), ErrInvalidPropertyValue);
    EXPECT_EQ(menuTool("EntryMenu", "Open").shortcut(), 15);
}

TEST_F(CommandBarTest, InstancesCarryTheirOwnTextsAndFlagsButShareTheToolsValue)
{
    Tool menuOpen = menuTool("EntryMenu", "Open");
    Tool barOpen = menuTool("Tools", "Open");
    EXPECT_EQ(menuOpen.caption(), "&Open entry");
    EXPECT_EQ(barOpen.caption(), "&Open");
    EXPECT_EQ(barOpen.tooltip(), "Open entry.");
    EXPECT_EQ(barOpen.shortcut(), 14);

    menuOpen.setCaption(QStringLiteral("Eintrag &bearbeiten"));
    menuOpen.setShortcut(2);
    menuOpen.setEnabled(false);
    barOpen.setTooltip(QStringLiteral("Eintrag bearbeiten."));
    EXPECT_EQ(barOpen.caption(), "&Open");
    EXPECT_EQ(barOpen.shortcut(), 14);
    EXPECT_TRUE(barOpen.isEnabled());
    EXPECT_EQ(menuOpen.tooltip(), "Open entry.");
    EXPECT_EQ(menuOpen.caption(), "Eintrag &bearbeiten");
    EXPECT_EQ(menuOpen.shortcut(), 2);
    EXPECT_EQ(raised([&] { menuOpen.setShortcut(27); }).number(), ErrInvalidPropertyValue);

    // A toggle's pressed state, an edit's text and a combo's list are one per tool.
    menuTool("EntryMenu", "Serie").setPressed(true);
    EXPECT_TRUE(menuTool("Tools", "Serie").isPressed());
    Tool time = menuTool("Tools", "Time");
    time.addListItem(QStringLiteral("00:30"));
    time.addListItem(QStringLiteral("01:00"));
    time.setListIndex(1);
    EXPECT_EQ(bar.tool(QStringLiteral("Time")).listItem(1), "01:00");
    EXPECT_EQ(bar.tool(QStringLiteral("Time")).listIndex(), 1);
    EXPECT_EQ(raised([&] { time.setListIndex(2); }).number(), ErrInvalidPropertyValue);
    EXPECT_EQ(raised([&] { time.listItem(-1); }).number(), ErrSubscriptOutOfRange);
    time.clearList();
    EXPECT_EQ(time.listCount(), 0);
    EXPECT_EQ(time.listIndex(), -1);
    EXPECT_EQ(bar.tool(QStringLiteral("Start")).width(), 65);
}

TEST_F(CommandBarTest, APoolToolSetsEveryInstanceOfItsName)
{
    Tool serie = bar.tool(QStringLiteral("Serie"));
    serie.setVisible(false);
    serie.setCaption(QStringLiteral("S&erie"));
    for (const Tool& instance : bar.instances(QStringLiteral("Serie"))) {
        EXPECT_FALSE(instance.isVisible());
        EXPECT_EQ(instance.caption(), "S&erie");
    }
    EXPECT_EQ(menuTool("Tools", "Serie").tooltip(), "Activate serie.");
    EXPECT_TRUE(menuTool("EntryMenu", "Open").isVisible());
    // An instance switched apart again stays apart until the pool sets it anew.
    menuTool("Tools", "Serie").setVisible(true);
    EXPECT_FALSE(menuTool("EntryMenu", "Serie").isVisible());
    EXPECT_FALSE(serie.isVisible());
}

TEST_F(CommandBarTest, ChoosingAToolRaisesItsEventsAndDisabledToolsRaiseNone)
{
    bar.activate(menuTool("Tools", "Open"));
    bar.activate(menuTool("MainMenu", "mnuFile"));
    bar.bandOpening(menuTool("FileMenu", "Clear"));
    bar.comboDropping(menuTool("Tools", "Time"));
    bar.toolFocusChanged(menuTool("Tools", "Start"), true);
    bar.toolFocusChanged(menuTool("Tools", "Start"), false);
    bar.activate(menuTool("EntryMenu", "Serie"));
    EXPECT_EQ(events, (QStringList{"click:Tools/Open", "notify:MainMenu/mnuFile", "open:FileMenu",
                                   "notify:FileMenu/Clear", "open:ClearMenu", "drop:Tools/Time",
                                   "got:Tools/Start", "lost:Tools/Start", "click:EntryMenu/Serie"}));
    // The control leaves a toggle's state to the handler.
    EXPECT_FALSE(menuTool("EntryMenu", "Serie").isPressed());

    events.clear();
    menuTool("Tools", "Open").setEnabled(false);
    menuTool("MainMenu", "mnuFile").setVisible(false);
    bar.activate(menuTool("Tools", "Open"));
    bar.activate(menuTool("MainMenu", "mnuFile"));
    bar.activate(bar.tool(QStringLiteral("End")));
    EXPECT_TRUE(events.isEmpty()) << events.join(' ').toStdString();
}

TEST_F(CommandBarTest, ShortcutKeysRunTheirToolAndReportTheKeyHandled)
{
    EXPECT_TRUE(ctrl('O'));
    EXPECT_TRUE(bar.keyUp(Qt::Key_O, Qt::ControlModifier));
    EXPECT_FALSE(bar.keyUp(Qt::Key_O, Qt::ControlModifier));
    // Ctrl+N is the menu's End and the toolbar's Open: the menu wins. Ctrl+E is only the
    // toolbar's; Ctrl+B belongs to a sub-menu item.
    EXPECT_TRUE(ctrl('N'));
    EXPECT_TRUE(ctrl('E'));
    EXPECT_TRUE(ctrl('B'));
    EXPECT_EQ(events, (QStringList{"click:EntryMenu/Open", "click:FileMenu/End", "click:Tools/End",
                                   "click:ClearMenu/ClearBoth"}));

    events.clear();
    EXPECT_FALSE(ctrl('Z'));
    EXPECT_FALSE(bar.keyDown(Qt::Key_O, Qt::ControlModifier | Qt::ShiftModifier));
    EXPECT_FALSE(bar.keyDown(Qt::Key_O, Qt::NoModifier));
    EXPECT_FALSE(bar.keyUp(Qt::Key_O, Qt::ControlModifier));
    EXPECT_TRUE(events.isEmpty());
}

TEST_F(CommandBarTest, ShortcutsOfGreyedOrHiddenMenusAreNotTaken)
{
    // A greyed menu title (a command is running) closes its menu's shortcuts ...
    menuTool("MainMenu", "mnuEntry").setEnabled(false);
    EXPECT_FALSE(ctrl('O'));
    EXPECT_FALSE(ctrl('R'));
    menuTool("MainMenu", "mnuEntry").setEnabled(true);
    // ... a hidden sub-menu opener closes the sub-menu's ...
    menuTool("FileMenu", "Clear").setVisible(false);
    EXPECT_FALSE(ctrl('B'));
    // ... and a menu item that is off leaves its key to a toolbar tool that has it.
    menuTool("FileMenu", "End").setEnabled(false);
    EXPECT_TRUE(ctrl('N'));
    EXPECT_EQ(events, (QStringList{"click:Tools/Open"}));
    EXPECT_EQ(bar.shortcutTool(14), menuTool("Tools", "Open"));
    EXPECT_FALSE(bar.shortcutTool(0).isValid());
}

TEST_F(CommandBarTest, UserEditsAndPicksReachTheToolsValue)
{
    Tool time = menuTool("Tools", "Time");
    time.addListItem(QStringLiteral("00:30"));
    time.addListItem(QStringLiteral("01:00"));
    bar.userPicked(time, 1);
    EXPECT_EQ(time.text(), "01:00");
    EXPECT_EQ(time.listIndex(), 1);
    bar.userEdited(menuTool("Tools", "Start"), QStringLiteral("Mon 01.01.24"));
    EXPECT_EQ(bar.tool(QStringLiteral("Start")).text(), "Mon 01.01.24");
}

} // namespace
} // namespace torvane::controls
