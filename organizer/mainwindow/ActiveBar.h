// The main window's menu and toolbar: its stored layout (the menu bar, the toolbar and five
// pop-up menus over a pool of 23 tools), the captions, shortcuts and tooltips of either
// language, and the greying of the menu titles while a command runs.
#pragma once

#include "platform/ui/controls/CommandBar.h"

namespace tessaro {

// The stored layout, with the English captions the menus carry until InitActiveBar runs.
const torvane::controls::CommandBarLayout& TessaroBarLayout();

// Gives the menu items their captions and shortcuts and the toolbar buttons their tooltips in
// the current language (German exactly when LanguageBase is 20000). Enabled and visible states,
// descriptions and the toolbar's own captions and shortcuts stay. A tool the bar lacks raises
// the bar's error.
void InitActiveBar(torvane::controls::CommandBar& bar);

// Inverts the enabled state of the four menu titles; called in pairs around a command.
void OnOffActiveBar(torvane::controls::CommandBar& bar);

// The tools' names as the commands compare them.
namespace tool {
inline const QString TessaroOrganizer = QStringLiteral("TessaroOrganizer");
inline const QString mnuEntry = QStringLiteral("mnuEntry");
inline const QString TessaroExtra = QStringLiteral("TessaroExtra");
inline const QString mnuHelp = QStringLiteral("mnuHelp");
inline const QString TessaroReadOrganizer = QStringLiteral("TessaroReadOrganizer");
inline const QString TessaroReadMobile = QStringLiteral("TessaroReadMobile");
inline const QString TessaroClearGrid = QStringLiteral("TessaroClearGrid");
inline const QString TessaroClearGrids = QStringLiteral("TessaroClearGrids");
inline const QString TessaroClearBothCol = QStringLiteral("TessaroClearBothCol");
inline const QString TessaroClearMobileCol = QStringLiteral("TessaroClearMobileCol");
inline const QString TessaroClearOrgCol = QStringLiteral("TessaroClearOrgCol");
inline const QString TessaroClearMobile = QStringLiteral("TessaroClearMobile");
inline const QString TessaroEnd = QStringLiteral("TessaroEnd");
inline const QString TessaroClear = QStringLiteral("TessaroClear");
inline const QString TessaroCalendar = QStringLiteral("TessaroCalendar");
inline const QString TessaroOpenEntry = QStringLiteral("TessaroOpenEntry");
inline const QString TessaroNewEntry = QStringLiteral("TessaroNewEntry");
inline const QString TessaroDeleteEntry = QStringLiteral("TessaroDeleteEntry");
inline const QString TessaroComSettings = QStringLiteral("TessaroComSettings");
inline const QString TessaroLanguage = QStringLiteral("TessaroLanguage");
inline const QString TessaroTestMobile = QStringLiteral("TessaroTestMobile");
inline const QString TessaroHelp = QStringLiteral("TessaroHelp");
inline const QString TessaroAbout = QStringLiteral("TessaroAbout");
} // namespace tool

namespace band {
inline const QString MainMenu = QStringLiteral("MainMenu");
inline const QString TessaroTools = QStringLiteral("TessaroTools");
inline const QString TessaroOrganizerMenu = QStringLiteral("TessaroOrganizerMenu");
inline const QString TessaroClearGridMenu = QStringLiteral("TessaroClearGridMenu");
inline const QString TessaroExtraMenu = QStringLiteral("TessaroExtraMenu");
inline const QString TessaroEntryMenu = QStringLiteral("TessaroEntryMenu");
inline const QString TessaroHelpMenu = QStringLiteral("TessaroHelpMenu");
} // namespace band

} // namespace tessaro
