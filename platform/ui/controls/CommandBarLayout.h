// The stored layout of a menu-and-toolbar control, declared in code as a table: the pool of
// tools with their stored fields, and the bands in their order, each listing its tool instances.
// A window builds its layout once and hands it to CommandBar::load.
//
//   CommandBarLayout layout{
//       .tools = {{.name = "TessaroOpenEntry", .id = 20001, .caption = "&Open entry", .picture = 17},
//                 {.name = "mnuEntry", .id = 5, .caption = "&Entry", .subBand = "TessaroEntryMenu"}},
//       .bands = {{.name = "MainMenu", .kind = BandKind::MenuBar, .tools = {{.tool = "mnuEntry"}}},
//                 {.name = "TessaroEntryMenu", .kind = BandKind::PopupMenu,
//                  .tools = {{.tool = "TessaroOpenEntry", .shortcut = 15}}}}};
#pragma once

#include <QString>

#include <optional>
#include <vector>

namespace torvane::controls {

enum class BandKind { MenuBar, ToolBar, PopupMenu };
enum class ToolKind { Button, Toggle, Edit, Combo };

// Shortcut codes: 0 none, 1 .. 26 Ctrl+A .. Ctrl+Z.
constexpr int NoShortcut = 0;
constexpr int LastShortcut = 26;

// One tool of the pool. Its instances start from these fields.
struct ToolSpec {
    QString name{};
    int id = 0;
    ToolKind kind = ToolKind::Button;
    QString caption{}; // "&" before the access letter
    QString tooltip{};
    QString description{};
    QString category{};
    int shortcut = NoShortcut;
    int picture = -1;   // index into the bar's pictures, -1 none
    QString subBand{};    // the pop-up band this tool opens, empty for none
    int width = 0;      // pixels for edit and combo tools, 0 their natural width
    bool listOnly = false; // a combo tool whose text is only picked from its list
};

// A tool's place in a band. Unset fields take the pool tool's values.
struct ToolInstanceSpec {
    QString tool{};
    std::optional<QString> caption{};
    std::optional<QString> tooltip{};
    std::optional<QString> description{};
    std::optional<int> shortcut{};
    bool beginsGroup = false; // a separator stands before the tool
};

struct BandSpec {
    QString name{};
    BandKind kind = BandKind::PopupMenu;
    QString caption{};
    std::vector<ToolInstanceSpec> tools{};
};

struct CommandBarLayout {
    std::vector<ToolSpec> tools{};
    std::vector<BandSpec> bands{};
};

} // namespace torvane::controls
