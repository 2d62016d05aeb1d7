// The organizer's help: the contents of a help file, shown from a local page named after it.
#pragma once

#include <QString>

namespace tessaro {

// Opens the contents of `helpFile`; when there is no page, a message box says so.
void ShowHelpContents(const QString& helpFile);

} // namespace tessaro
