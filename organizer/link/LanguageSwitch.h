// Relabelling the running program after the user chose the other language.
#pragma once

#include <cstdint>

namespace tessaro {

// Makes `base` (LanguageEnglish or LanguageGerman) the current language. False, with nothing
// changed, when it is the current one already.
bool SwitchLanguageBase(std::int16_t base);

// Rewrites the main window in the current language: toolbar, grid headers, date fields, the
// phone's status panels, with a mail client also its progress panel and the date frame's
// cancel button, then the caption and the help file. Always false; nobody reads it.
bool SetLanguage();

} // namespace tessaro
