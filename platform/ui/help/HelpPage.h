// The programs' help files are pages on the local disk: a help file's name ("TessaroHelpe.hlp")
// stands for the page of the same name ending in ".html", found beside the program or in the
// suite's data folder under "help".
#pragma once

#include <QString>

namespace torvane::ui {

// The page of `helpFile` (a name without a folder); empty when there is none.
QString findHelpPage(const QString& helpFile);

// Shows that page in the desktop's browser; false when there is none or it could not be
// opened, which each program then reports in its own words.
bool openHelpPage(const QString& helpFile);

} // namespace torvane::ui
