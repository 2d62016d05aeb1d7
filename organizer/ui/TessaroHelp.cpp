#include "organizer/ui/TessaroHelp.h"

#include "organizer/link/MessageBox.h"

#include "platform/ui/help/HelpPage.h"

namespace tessaro {

void ShowHelpContents(const QString& helpFile)
{
    if (torvane::ui::openHelpPage(helpFile))
        return;
    MsgBox(QStringLiteral("Cannot find the help file %1.").arg(helpFile), vbExclamation, AppTitle);
}

} // namespace tessaro
