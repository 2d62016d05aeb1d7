#include "organizer/entryeditor/EntryActiveBar.h"

#include "organizer/entryeditor/EntryPictures.h"
#include "organizer/entryeditor/MobileEntryForm.h"

#include "organizer/link/OrgError.h"
#include "organizer/link/TessaroStrings.h"

#include <array>

namespace tessaro {

namespace controls = torvane::controls;
using controls::BandKind;
using controls::ToolKind;

controls::CommandBarLayout EntryBarLayout()
{
    const auto picture = [](EntryPicture p) { return int(p); };
    return controls::CommandBarLayout{
        .tools = {
            {.name = "mnuEntry", .caption = "&Entry", .subBand = "Entry"},
            {.name = "mnuHelp", .caption = "Hel&p", .subBand = "Help"},
            {.name = "EntrySerie", .kind = ToolKind::Toggle, .caption = "Se&rie", .tooltip = "Select a periode.",
             .description = "Make entry periodical", .picture = picture(EntryPicture::Serie)},
            {.name = "EntryDelete", .caption = "&Delete", .tooltip = "Delete entrie from mobile ans grid.",
             .description = "Delete entry from mobile and grid.", .picture = picture(EntryPicture::Delete)},
            {.name = "EntrySave", .caption = "&Save and close", .tooltip = "Save entry and close window.",
             .description = "Save entry to mobile and grid", .picture = picture(EntryPicture::Save)},
            {.name = "EntryHelp", .caption = "Hel&p", .tooltip = "Help", .picture = picture(EntryPicture::Help)},
            {.name = "EntryAbout", .caption = "Abo&ut", .tooltip = "About Tessaro"},
            {.name = "EntryCalendar", .caption = "&Calendar", .picture = picture(EntryPicture::Calendar)},
            {.name = "EntryStart", .kind = ToolKind::Edit, .caption = "St&art", .tooltip = "Enter start date.",
             .description = "Edit box for entry start date"},
            {.name = "EntryTime", .kind = ToolKind::Combo, .caption = "&Time", .tooltip = "Select time.",
             .description = "Set entry time"},
            {.name = "EntryPeriode", .kind = ToolKind::Combo, .caption = "Peri&ode", .tooltip = "Select periode.",
             .description = "Select entry periode"},
        },
        .bands = {
            {.name = "Entry", .kind = BandKind::PopupMenu, .caption = "Entry",
             .tools = {{.tool = "EntrySerie"}, {.tool = "EntryDelete"}, {.tool = "EntrySave"}}},
            {.name = "Help", .kind = BandKind::PopupMenu, .caption = "Help",
             .tools = {{.tool = "EntryHelp"}, {.tool = "EntryAbout"}}},
            {.name = "MainMenu", .kind = BandKind::MenuBar, .tools = {{.tool = "mnuEntry"}, {.tool = "mnuHelp"}}},
            {.name = "EntryTools", .kind = BandKind::ToolBar,
             .tools = {{.tool = "EntrySave"},
                       {.tool = "EntryCalendar"},
                       {.tool = "EntryStart", .beginsGroup = true},
                       {.tool = "EntryTime"},
                       {.tool = "EntryDelete", .beginsGroup = true},
                       {.tool = "EntrySerie", .beginsGroup = true},
                       {.tool = "EntryPeriode"}}},
        },
    };
}

namespace {

enum class Property { Caption, Shortcut, Tooltip };

struct TextSetting {
    const char* band;
    const char* tool;
    Property property;
    int text; // offset in the language table
};

// In the order they are made.
constexpr TextSetting kSettings[] = {
    {"MainMenu", "mnuEntry", Property::Caption, 146},
    {"MainMenu", "mnuHelp", Property::Caption, 147},
    {"Entry", "EntryDelete", Property::Caption, 148},
    {"Entry", "EntrySave", Property::Caption, 149},
    {"Entry", "EntrySerie", Property::Caption, 150},
    {"Entry", "EntryDelete", Property::Shortcut, 153},
    {"Entry", "EntrySave", Property::Shortcut, 154},
    {"Entry", "EntrySerie", Property::Shortcut, 155},
    {"Help", "EntryHelp", Property::Caption, 151},
    {"Help", "EntryAbout", Property::Caption, 152},
    {"Help", "EntryHelp", Property::Shortcut, 156},
    {"Help", "EntryAbout", Property::Shortcut, 157},
    {"EntryTools", "EntrySave", Property::Tooltip, 143},
    {"EntryTools", "EntryCalendar", Property::Tooltip, 144},
    {"EntryTools", "EntryDelete", Property::Tooltip, 140},
    {"EntryTools", "EntrySerie", Property::Tooltip, 145},
    {"EntryTools", "EntryStart", Property::Tooltip, 175},
    {"EntryTools", "EntryTime", Property::Tooltip, 176},
    {"EntryTools", "EntryPeriode", Property::Tooltip, 177},
};

// The table holds a shortcut as the number of its letter (4 is Ctrl+D).
int shortcutCode(const QString& text)
{
    bool ok = false;
    const int code = text.trimmed().toInt(&ok);
    if (!ok)
        throw typeMismatchError();
    return code;
}

} // namespace

void InitEntryActiveBar(controls::CommandBar& bar)
{
    for (const TextSetting& s : kSettings) {
        controls::Tool tool = bar.band(QLatin1String(s.band)).tool(QLatin1String(s.tool));
        const QString text = LangText(s.text);
        switch (s.property) {
        case Property::Caption: tool.setCaption(text); break;
        case Property::Shortcut: tool.setShortcut(shortcutCode(text)); break;
        case Property::Tooltip: tool.setTooltip(text); break;
        }
    }
}

void OnOffActiveBarEntry(MobileEntryForm& form)
{
    const auto turnOver = [](auto& control) { control.setEnabled(!control.isEnabled()); };
    struct BandTool {
        const char* band;
        const char* tool;
    };
    for (const BandTool& t : {BandTool {"MainMenu", "mnuEntry"}, BandTool {"MainMenu", "mnuHelp"},
                              BandTool {"EntryTools", "EntryStart"}, BandTool {"EntryTools", "EntryTime"}}) {
        controls::Tool tool = form.ActiveBar1.band(QLatin1String(t.band)).tool(QLatin1String(t.tool));
        turnOver(tool);
    }
    turnOver(form.EntryDescriptionText);
    turnOver(form.EntrySummaryText);
    turnOver(form.EntryAlarm);
    // Switching an option over may cost it its selection, so each value is noted before and put
    // back after.
    std::array<bool, MobileEntryForm::EntryOptionCount> noted {};
    for (int i = MobileEntryForm::EntryOptionCount - 1; i >= 0; --i) {
        noted[std::size_t(i)] = form.EntryOptions[std::size_t(i)].value();
        turnOver(form.EntryOptions[std::size_t(i)]);
    }
    for (int i = 0; i < MobileEntryForm::EntryOptionCount; ++i)
        form.EntryOptions[std::size_t(i)].setValue(noted[std::size_t(i)]);
}

} // namespace tessaro
