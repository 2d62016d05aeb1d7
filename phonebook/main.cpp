// Brevik, the phonebook editor.
#include "phonebook/CBrevikApp.h"
#include "phonebook/engine/ZeldllPhoneEngine.h"
#include "platform/ui/guardedapp/GuardedApplication.h"

int main(int argc, char** argv)
{
    torvane::ui::GuardedApplication qapp(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Telefonbuch"));

    brevik::ZeldllPhoneEngine engine;
    torvane::mapi::Mapi addressBook;
    brevik::CBrevikApp app(engine, addressBook);
    if (!app.InitInstance())
        return app.exitCode();
    const int result = QApplication::exec();
    return app.exitCode() != 0 ? app.exitCode() : result;
}
