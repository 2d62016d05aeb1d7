#include "organizer/mainwindow/ActiveBar.h"

#include "organizer/link/PublicVar.h"
#include "organizer/link/TessaroStrings.h"

namespace tessaro {

namespace controls = torvane::controls;
using controls::BandKind;

namespace {

// One menu item's text in a language: its caption and its shortcut (0: the stored one stays).
struct MenuText {
    const QString& tool;
    const char* caption;
    int shortcut;
};

struct BandTexts {
    const QString& band;
    std::vector<MenuText> items;
};

// The picture strip's cells the tools show (the strip holds 22; these are the ones in use).
constexpr int PicAbout = 0;
constexpr int PicHelp = 1;
constexpr int PicCalendar = 4;
constexpr int PicDelete = 8;
constexpr int PicClearMobile = 11;
constexpr int PicReadMobile = 12;
constexpr int PicClearGrids = 13;
constexpr int PicClearGrid = 14;
constexpr int PicReadOrganizer = 15;
constexpr int PicTestMobile = 16;
constexpr int PicOpen = 17;
constexpr int PicNew = 18;
constexpr int PicLanguage = 19;
constexpr int PicComSettings = 20;
constexpr int PicClear = 21;

const QString kBuiltInMenus = QStringLiteral("Built-In Menus");
const QString kOrganizer = QStringLiteral("Organizer");
const QString kEntry = QStringLiteral("Entry");
const QString kExtra = QStringLiteral("Extra");
const QString kHelp = QStringLiteral("Help");

controls::CommandBarLayout makeLayout()
{
    using controls::ToolInstanceSpec;
    controls::CommandBarLayout layout;
    layout.tools = {
        {.name = tool::TessaroOrganizer, .id = 14, .caption = QStringLiteral("Organi&zer"),
         .description = QStringLiteral("enthält die Organizer-Funktionen"), .category = kBuiltInMenus,
         .subBand = band::TessaroOrganizerMenu},
        {.name = tool::mnuEntry, .id = 5, .caption = QStringLiteral("&Entry"), .category = kBuiltInMenus,
         .subBand = band::TessaroEntryMenu},
        {.name = tool::TessaroExtra, .id = 15, .caption = QStringLiteral("E&xtra"), .category = kBuiltInMenus,
         .subBand = band::TessaroExtraMenu},
        {.name = tool::mnuHelp, .id = 6, .caption = QStringLiteral("&Help"), .category = kBuiltInMenus,
         .subBand = band::TessaroHelpMenu},
        {.name = tool::TessaroReadOrganizer, .id = 20002, .caption = QStringLiteral("Read or&ganizer"),
         .category = kOrganizer, .picture = PicReadOrganizer},
        {.name = tool::TessaroReadMobile, .id = 20003, .caption = QStringLiteral("Read &mobile"),
         .category = kOrganizer, .picture = PicReadMobile},
        {.name = tool::TessaroClearGrid, .id = 20004, .caption = QStringLiteral("Cle&ar grid"),
         .tooltip = QStringLiteral("Clear all grids"), .category = kOrganizer, .picture = PicClearGrid},
        {.name = tool::TessaroClearGrids, .id = 20005, .caption = QStringLiteral("C&lear grids"),
         .category = kOrganizer, .picture = PicClearGrids, .subBand = band::TessaroClearGridMenu},
        {.name = tool::TessaroClearBothCol, .id = 20006, .caption = QStringLiteral("Clear &both"),
         .category = kOrganizer},
        {.name = tool::TessaroClearMobileCol, .id = 20007, .caption = QStringLiteral("Clear mob&ile"),
         .category = kOrganizer},
        {.name = tool::TessaroClearOrgCol, .id = 20008, .caption = QStringLiteral("Clear o&rganizer"),
         .category = kOrganizer},
        {.name = tool::TessaroClearMobile, .id = 20009, .caption = QStringLiteral("&Clear mobile"),
         .tooltip = QStringLiteral("Delete all entreis from mobile."), .category = kOrganizer,
         .picture = PicClearMobile},
        {.name = tool::TessaroEnd, .id = 20010, .caption = QStringLiteral("E&nd"),
         .tooltip = QStringLiteral("Quit Tessaro."), .category = kOrganizer},
        {.name = tool::TessaroClear, .id = 20011, .caption = QStringLiteral("TessaroClear"), .category = kOrganizer,
         .picture = PicClear},
        {.name = tool::TessaroCalendar, .id = 10, .caption = QStringLiteral("Calendar"),
         .description = QStringLiteral("Einstellen des Zeitbereichs"), .category = QStringLiteral("Allgemein"),
         .picture = PicCalendar},
        {.name = tool::TessaroOpenEntry, .id = 20001, .caption = QStringLiteral("&Open entry"),
         .description = QStringLiteral("Opens an entry"), .category = kEntry, .picture = PicOpen},
        {.name = tool::TessaroNewEntry, .id = 20000, .caption = QStringLiteral("Ne&w entry"),
         .description = QStringLiteral("Creates a new, blank entry"), .category = kEntry, .picture = PicNew},
        {.name = tool::TessaroDeleteEntry, .id = 3, .caption = QStringLiteral("&Delete entry"),
         .description = QStringLiteral("Delete entry from mobile and grid."), .category = kEntry,
         .picture = PicDelete},
        {.name = tool::TessaroComSettings, .id = 16, .caption = QStringLiteral("Com &settings"),
         .tooltip = QStringLiteral("Set comport parameter."),
         .description = QStringLiteral("zum Setzen der ComPort-Parameter"), .category = kExtra,
         .picture = PicComSettings},
        {.name = tool::TessaroLanguage, .id = 20012, .caption = QStringLiteral("Set &language"), .category = kExtra,
         .picture = PicLanguage},
        {.name = tool::TessaroTestMobile, .id = 17, .caption = QStringLiteral("&Test mobile"),
         .description = QStringLiteral("Testet das Mobile"), .category = kExtra, .picture = PicTestMobile},
        {.name = tool::TessaroHelp, .id = 12, .caption = QStringLiteral("Hel&p"), .tooltip = QStringLiteral("Help"),
         .category = kHelp, .picture = PicHelp},
        {.name = tool::TessaroAbout, .id = 13, .caption = QStringLiteral("Abo&ut"),
         .tooltip = QStringLiteral("About Tessaro"), .category = kHelp, .picture = PicAbout},
    };
    // The menu items keep the stored tooltips; the toolbar buttons get theirs from
    // InitActiveBar and carry captions and shortcut codes of their own.
    auto menuItem = [](const QString& name, const char* tooltip = nullptr, bool group = false) {
        ToolInstanceSpec spec{.tool = name, .beginsGroup = group};
        if (tooltip)
            spec.tooltip = QString::fromUtf8(tooltip);
        return spec;
    };
    auto button = [](const QString& name, const char* caption, int shortcut, bool group = false) {
        return ToolInstanceSpec{.tool = name, .caption = QString::fromUtf8(caption), .tooltip = QString(),
                                .shortcut = shortcut, .beginsGroup = group};
    };
    layout.bands = {
        {.name = band::TessaroEntryMenu, .kind = BandKind::PopupMenu,
         .tools = {menuItem(tool::TessaroOpenEntry, "Open entry."), menuItem(tool::TessaroNewEntry, "New entry."),
                   menuItem(tool::TessaroDeleteEntry, "Delete entry from mobile and grid.", true)}},
        {.name = band::TessaroHelpMenu, .kind = BandKind::PopupMenu,
         .tools = {menuItem(tool::TessaroHelp), menuItem(tool::TessaroAbout)}},
        {.name = band::MainMenu, .kind = BandKind::MenuBar,
         .tools = {menuItem(tool::TessaroOrganizer), menuItem(tool::mnuEntry), menuItem(tool::TessaroExtra),
                   menuItem(tool::mnuHelp)}},
        {.name = band::TessaroTools, .kind = BandKind::ToolBar,
         .tools = {button(tool::TessaroReadMobile, "Read &mobile", 13),
                   button(tool::TessaroReadOrganizer, "Read &organizer", 15),
                   button(tool::TessaroCalendar, "Calendar", 0, true),
                   button(tool::TessaroOpenEntry, "&Open", 15, true), button(tool::TessaroNewEntry, "&New", 14),
                   button(tool::TessaroDeleteEntry, "&Delete", 4, true),
                   button(tool::TessaroClear, "TessaroClear", 0, true),
                   button(tool::TessaroTestMobile, "&Test mobile", 0, true)}},
        {.name = band::TessaroOrganizerMenu, .kind = BandKind::PopupMenu,
         .tools = {menuItem(tool::TessaroReadOrganizer, "Read organizer entries."),
                   menuItem(tool::TessaroReadMobile, "Read mobile entries."),
                   menuItem(tool::TessaroClearGrid, nullptr, true), menuItem(tool::TessaroClearGrids, nullptr, true),
                   menuItem(tool::TessaroClearMobile, nullptr, true), menuItem(tool::TessaroEnd, nullptr, true)}},
        {.name = band::TessaroExtraMenu, .kind = BandKind::PopupMenu,
         .tools = {menuItem(tool::TessaroComSettings), menuItem(tool::TessaroLanguage),
                   menuItem(tool::TessaroTestMobile, "Test mobile.")}},
        {.name = band::TessaroClearGridMenu, .kind = BandKind::PopupMenu,
         .tools = {menuItem(tool::TessaroClearBothCol), menuItem(tool::TessaroClearMobileCol),
                   menuItem(tool::TessaroClearOrgCol)}},
    };
    return layout;
}

const BandTexts& mainMenuTexts(bool german)
{
    static const BandTexts english{band::MainMenu,
                                   {{tool::TessaroOrganizer, "Organi&zer", 0},
                                    {tool::mnuEntry, "&Entry", 0},
                                    {tool::TessaroExtra, "E&xtra", 0},
                                    {tool::mnuHelp, "&Help", 0}}};
    static const BandTexts deutsch{band::MainMenu,
                                   {{tool::TessaroOrganizer, "Organi&zer", 0},
                                    {tool::mnuEntry, "Eint&rag", 0},
                                    {tool::TessaroExtra, "E&xtra", 0},
                                    {tool::mnuHelp, "&Hilfe", 0}}};
    return german ? deutsch : english;
}

const std::vector<BandTexts>& menuTexts(bool german)
{
    static const std::vector<BandTexts> english{
        {band::TessaroOrganizerMenu,
         {{tool::TessaroReadOrganizer, "Read or&ganizer", 7},
          {tool::TessaroReadMobile, "Read &mobile", 13},
          {tool::TessaroClearGrid, "Cle&ar grid", 1},
          {tool::TessaroClearGrids, "C&lear grids", 0},
          {tool::TessaroClearMobile, "&Clear mobile", 3},
          {tool::TessaroEnd, "E&nd", 14}}},
        {band::TessaroClearGridMenu,
         {{tool::TessaroClearBothCol, "Clear &both", 2},
          {tool::TessaroClearMobileCol, "Clear mob&ile", 9},
          {tool::TessaroClearOrgCol, "Clear o&rganizer", 18}}},
        {band::TessaroEntryMenu,
         {{tool::TessaroOpenEntry, "&Open entry", 15},
          {tool::TessaroNewEntry, "Ne&w entry", 23},
          {tool::TessaroDeleteEntry, "&Delete entry", 4}}},
        {band::TessaroExtraMenu,
         {{tool::TessaroComSettings, "Com &settings", 19},
          {tool::TessaroLanguage, "Set &language", 6},
          {tool::TessaroTestMobile, "&Test mobile", 20}}},
        {band::TessaroHelpMenu, {{tool::TessaroHelp, "Hel&p", 16}, {tool::TessaroAbout, "Abo&ut", 21}}},
    };
    static const std::vector<BandTexts> deutsch{
        {band::TessaroOrganizerMenu,
         {{tool::TessaroReadOrganizer, "&Organizer einlesen", 15},
          {tool::TessaroReadMobile, "&Telefon einlesen", 20},
          {tool::TessaroClearGrid, "Gri&d löschen", 4},
          {tool::TessaroClearGrids, "&Grids löschen", 0},
          {tool::TessaroClearMobile, "Telefoneinträge &löschen", 12},
          {tool::TessaroEnd, "&Ende", 5}}},
        {band::TessaroClearGridMenu,
         {{tool::TessaroClearBothCol, "&Alle löschen", 1},
          {tool::TessaroClearMobileCol, "Tele&fongrid löschen", 6},
          {tool::TessaroClearOrgCol, "Organizergrid lö&schen", 19}}},
        {band::TessaroEntryMenu,
         {{tool::TessaroOpenEntry, "Eintrag &bearbeiten", 2},
          {tool::TessaroNewEntry, "Eintrag ne&u", 21},
          {tool::TessaroDeleteEntry, "Eintrag l&öschen", 3}}},
        {band::TessaroExtraMenu,
         {{tool::TessaroComSettings, "Com&port-Einstellungen", 16},
          {tool::TessaroLanguage, "&Sprache einstellen", 10},
          {tool::TessaroTestMobile, "Telefo&n testen", 14}}},
        {band::TessaroHelpMenu, {{tool::TessaroHelp, "H&ilfe", 9}, {tool::TessaroAbout, "&Über", 11}}},
    };
    return german ? deutsch : english;
}

// The toolbar's tooltips: texts of the language table.
struct ButtonTooltip {
    const QString& tool;
    int text;
};

const ButtonTooltip kTooltips[] = {
    {tool::TessaroReadMobile, 135}, {tool::TessaroReadOrganizer, 136}, {tool::TessaroCalendar, 137},
    {tool::TessaroOpenEntry, 138},  {tool::TessaroNewEntry, 139},      {tool::TessaroDeleteEntry, 140},
    {tool::TessaroClear, 141},      {tool::TessaroTestMobile, 142},
};

void setCaptions(controls::CommandBar& bar, const BandTexts& texts)
{
    for (const MenuText& item : texts.items)
        bar.band(texts.band).tool(item.tool).setCaption(QString::fromUtf8(item.caption));
}

void setShortcuts(controls::CommandBar& bar, const BandTexts& texts)
{
    for (const MenuText& item : texts.items)
        if (item.shortcut != 0)
            bar.band(texts.band).tool(item.tool).setShortcut(item.shortcut);
}

} // namespace

const controls::CommandBarLayout& TessaroBarLayout()
{
    static const controls::CommandBarLayout layout = makeLayout();
    return layout;
}

void InitActiveBar(controls::CommandBar& bar)
{
    const bool german = LanguageBase == LanguageGerman;
    setCaptions(bar, mainMenuTexts(german));
    const std::vector<BandTexts>& menus = menuTexts(german);
    const BandTexts& organizer = menus[0];
    const BandTexts& clearGrid = menus[1];
    if (german) {
        setCaptions(bar, organizer);
        setShortcuts(bar, organizer);
        setCaptions(bar, clearGrid);
        setShortcuts(bar, clearGrid);
    } else {
        setCaptions(bar, organizer);
        setCaptions(bar, clearGrid);
        setShortcuts(bar, clearGrid);
        setShortcuts(bar, organizer);
    }
    for (std::size_t i = 2; i < menus.size(); ++i) {
        setCaptions(bar, menus[i]);
        setShortcuts(bar, menus[i]);
    }
    for (const ButtonTooltip& tip : kTooltips)
        bar.band(band::TessaroTools).tool(tip.tool).setTooltip(LangText(tip.text));
}

void OnOffActiveBar(controls::CommandBar& bar)
{
    const controls::Band menu = bar.band(band::MainMenu);
    for (const QString* name : {&tool::TessaroOrganizer, &tool::mnuEntry, &tool::TessaroExtra, &tool::mnuHelp}) {
        controls::Tool title = menu.tool(*name);
        title.setEnabled(!title.isEnabled());
    }
}

} // namespace tessaro
