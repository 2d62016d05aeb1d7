// The phonebook editor's start-up choices, which the main program's settings sheet writes into
// the suite's section CfgPropPage2: whether the preview row is shown, and which directories
// are read one after the other at start.
#pragma once

namespace brevik {

struct StartSettings {
    bool showPreviewRow = true;
    int autoloadMask = 0; // directories 0-6 as bits, with AUTOLOAD_FIRST; 0: no autoload
};

// Reads HKEY_CURRENT_USER "Software\Torvane\Quorvane PRO\CfgPropPage2". Only the lowest byte of
// each value counts. A missing section shows the preview row and loads nothing automatically.
StartSettings ReadStartSettings();

// The autoload mask for the values Autoload and Phonebooks (their lowest bytes).
int AutoloadMask(int autoload, int phonebooks);

} // namespace brevik
