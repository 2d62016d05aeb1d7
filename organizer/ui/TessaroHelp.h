// The organizer's help: the contents of a help file, shown from a local page named after it.
#pragma once

#include <QString>

namespace tessaro {

// The page of `helpFile`'s contents (a name without a folder, "TessaroHelpe.hlp"), found as
// every program of the suite finds its help; empty when there is none.
QString FindHelpPage(const QString& helpFile);

// Opens the contents of `helpFile`; when there is no page, a message box says so.
void ShowHelpContents(const QString& helpFile);

} // namespace tessaro
