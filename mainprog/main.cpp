// Corvant, the suite's main program.
#include "mainprog/CCorvantApp.h"
#include "mainprog/CallServiceDialogs.h"
#include "mainprog/core/CSmsManager.h"
#include "mainprog/core/SpoolFileSystem.h"
#include "mainprog/core/SuiteSettings.h"
#include "mainprog/engine/ZelCallService.h"
#include "mainprog/engine/ZelEngine.h"
#include "mainprog/engine/ZelSmsEngine.h"
#include "mainprog/ui/CMainFrame.h"
#include "mainprog/ui/SmsDialogsQt.h"
#include "platform/ui/guardedapp/GuardedApplication.h"

#include <cstdio>
#include <cstdlib>
#include <memory>

namespace {

// Tests shorten the pump and poll periods with CORVANT_TIMER_PERIODS="pumpMs,pollMs"; the
// product never sets it.
corvant::HostTimers timersFromEnvironment()
{
    corvant::HostTimers timers;
    const QString periods = qEnvironmentVariable("CORVANT_TIMER_PERIODS");
    if (periods.isEmpty())
        return timers;
    const QStringList parts = periods.split(QLatin1Char(','));
    bool pumpOk = false;
    bool pollOk = false;
    const uint pump = parts.value(0).toUInt(&pumpOk);
    const uint poll = parts.value(1).toUInt(&pollOk);
    if (parts.size() != 2 || !pumpOk || !pollOk || pump == 0 || poll == 0) {
        std::fprintf(stderr, "corvant: CORVANT_TIMER_PERIODS must be \"pumpMs,pollMs\"; using the defaults\n");
        return timers;
    }
    timers.pumpMs = pump;
    timers.pollMs = poll;
    return timers;
}

// The SMS manager with what it works through; they outlive it as members declared before it.
struct SmsSeamsOfTheProduct {
    corvant::ZelSmsEngine engine;
    corvant::PosixSpoolFileSystem files;
    corvant::SmsDialogsQt dialogs;
    corvant::SystemSmsClock clock;
    explicit SmsSeamsOfTheProduct(corvant::CCorvantApp& app)
        : dialogs([&app]() -> QWidget* { return app.mainFrame(); })
    {
    }
};

class ProductSmsManager : private SmsSeamsOfTheProduct, public corvant::CSmsManager {
public:
    explicit ProductSmsManager(corvant::CCorvantApp& app)
        : SmsSeamsOfTheProduct(app)
        , CSmsManager(engine, files, dialogs, clock, corvant::corvantProfile(), app.mainFrame()->debugDlg().hwnd())
    {
    }
};

} // namespace

int main(int argc, char** argv)
{
    torvane::ui::GuardedApplication qapp(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quorvane PRO"));

    corvant::ZelEngine engine;
    corvant::ZelCallService callService;
    corvant::CCorvantApp app(engine, timersFromEnvironment());
    app.setSmsManagerFactory([](corvant::CCorvantApp& owner) -> std::unique_ptr<corvant::SmsManagerHooks> {
        return std::make_unique<ProductSmsManager>(owner);
    });
    if (!app.InitInstance())
        return app.exitCode();
    corvant::installCallServiceDialogs(app, callService);
    const int result = qapp.exec();
    app.ExitInstance();
    return result;
}
