// The entry editor's menu and toolbar: its stored layout (bands and tools as designed, English),
// the texts and shortcut codes it gets in the current language, and the switching off and on of
// the editor's input controls around a toolbar command.
#pragma once

#include "platform/ui/controls/CommandBar.h"
#include "platform/ui/controls/CommandBarLayout.h"

namespace tessaro {

class MobileEntryForm;

// The bands Entry, Help, MainMenu and EntryTools in this order.
torvane::controls::CommandBarLayout EntryBarLayout();

// Captions and shortcut codes of the menus and the tooltips of the toolbar from the language
// table. A band or tool missing from the bar raises the bar's error.
void InitEntryActiveBar(torvane::controls::CommandBar& bar);

// Turns over the enabled state of the menu titles, the date and time tools, the text boxes, the
// alarm and the kind options; the selected kind stays selected. Two calls restore the state.
void OnOffActiveBarEntry(MobileEntryForm& form);

} // namespace tessaro
