#include "organizer/ui/TessaroHelp.h"

#include "organizer/link/MessageBox.h"

#include "platform/process/ProgramStart.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QStandardPaths>
#include <QUrl>

namespace tessaro {

QString FindHelpPage(const QString& helpFile)
{
    const QString page = QFileInfo(helpFile).completeBaseName() + QStringLiteral(".html");
    const QStringList folders {
        QString::fromStdString(torvane::process::ownProgramFolder()),
        QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + QStringLiteral("/torvane/help"),
    };
    for (const QString& folder : folders) {
        const QFileInfo candidate(folder + QLatin1Char('/') + page);
        if (!folder.isEmpty() && candidate.isFile())
            return candidate.absoluteFilePath();
    }
    return {};
}

void ShowHelpContents(const QString& helpFile)
{
    const QString page = FindHelpPage(helpFile);
    if (!page.isEmpty() && QDesktopServices::openUrl(QUrl::fromLocalFile(page)))
        return;
    MsgBox(QStringLiteral("Cannot find the help file %1.").arg(helpFile), vbExclamation, AppTitle);
}

} // namespace tessaro
