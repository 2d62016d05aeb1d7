// The organizer's help: the contents of a help file, shown from a local page named after it.
#pragma once

#include <QString>

namespace tessaro {

// The page of `helpFile`'s contents (a name without a folder, "TessaroHelpe.hlp"): the file of
// the same name ending in ".html", beside the program or in the suite's data folder under
// "help"; empty when there is none.
QString FindHelpPage(const QString& helpFile);

// Opens the contents of `helpFile` (a name without a folder, "TessaroHelpe.hlp"): the page of
// the same name ending in ".html", beside the program or in the suite's data folder under
// "help". When there is none, a message box says so.
void ShowHelpContents(const QString& helpFile);

} // namespace tessaro
