#include "platform/ui/msgservice/FirstInstance.h"

#include "platform/ui/msgservice/MessageService.h"

#include <QCoreApplication>
#include <QFileInfo>

#include <cstdio>
#include <cstdlib>

namespace torvane::ui {

std::unique_ptr<NamedMutex> claimFirstInstanceOrTell(std::string_view name, int& exitCode)
{
    InstanceClaim claim = claimFirstInstance(name);
    exitCode = 0;
    if (claim.mutex || claim.failure.empty())
        return std::move(claim.mutex);
    // The program has no window yet; a user who started it from a terminal or a script looks at
    // standard error.
    const QString text = QString::fromStdString(claim.failure);
    std::fprintf(stderr, "%s: %s\n", qPrintable(QFileInfo(QCoreApplication::applicationFilePath()).fileName()),
                 qPrintable(text));
    messageBox(nullptr, text, QCoreApplication::applicationName(), MB_OK | MB_ICONSTOP);
    exitCode = EXIT_FAILURE;
    return nullptr;
}

} // namespace torvane::ui
