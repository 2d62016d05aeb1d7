// Melvio, the ring tone melody editor.
#include "melody/CMelvioApp.h"

#include <QApplication>

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Ring tone editor"));
    CMelvioApp melvio;
    if (!melvio.InitInstance(QApplication::arguments()))
        return melvio.ExitCode();
    return QApplication::exec();
}
