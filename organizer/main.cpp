// Tessaro, the organizer.
#include "organizer/TessaroApp.h"
#include "platform/ui/guardedapp/GuardedApplication.h"

#include <QStringList>

int main(int argc, char** argv)
{
    torvane::ui::GuardedApplication qapp(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tessaro"));
    QApplication::setApplicationVersion(QStringLiteral(TORVANE_VERSION));
    // The organizer reads its options as one line, as it was given them.
    const QString commandLine = QApplication::arguments().mid(1).join(QLatin1Char(' '));
    tessaro::TessaroApp app;
    if (!app.start(commandLine))
        return 0;
    return qapp.exec();
}
