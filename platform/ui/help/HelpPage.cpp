#include "platform/ui/help/HelpPage.h"

#include "platform/process/ProgramStart.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QStandardPaths>
#include <QStringList>
#include <QUrl>

namespace torvane::ui {

QString findHelpPage(const QString& helpFile)
{
    const QString page = QFileInfo(helpFile).completeBaseName() + QStringLiteral(".html");
    const QString data = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    const QStringList folders {
        QString::fromStdString(torvane::process::ownProgramFolder()),
        data.isEmpty() ? QString() : data + QStringLiteral("/torvane/help"),
    };
    for (const QString& folder : folders) {
        const QFileInfo candidate(folder + QLatin1Char('/') + page);
        if (!folder.isEmpty() && candidate.isFile())
            return candidate.absoluteFilePath();
    }
    return {};
}

bool openHelpPage(const QString& helpFile)
{
    const QString page = findHelpPage(helpFile);
    return !page.isEmpty() && QDesktopServices::openUrl(QUrl::fromLocalFile(page));
}

} // namespace torvane::ui
