// Melvio, the ring tone melody editor.
#include "melody/CMelvioApp.h"
#include "platform/ui/guardedapp/GuardedApplication.h"

int main(int argc, char** argv)
{
    torvane::ui::GuardedApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Ring tone editor"));
    CMelvioApp melvio;
    if (!melvio.InitInstance(QApplication::arguments()))
        return melvio.ExitCode();
    return QApplication::exec();
}
