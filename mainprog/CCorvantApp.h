// The application ("Quorvane PRO"): one instance at a time, the suite's settings, the main
// frame with the hidden engine host, the SMS manager, the busy flag with its input filter, and
// the launch and close of the other programs at exit.
#pragma once

#include "mainprog/core/EngineApi.h"
#include "mainprog/core/Launcher.h"
#include "mainprog/core/SmsManagerHooks.h"
#include "mainprog/ui/CDebugDlg.h"
#include "platform/registry/AppProfile.h"

#include <functional>
#include <memory>

namespace torvane {
class NamedMutex;
}
namespace torvane::ui {
class BusyInputFilter;
}

namespace corvant {

class CMainFrame;

// The single-instance mutex, named after the program file.
constexpr char INSTANCE_MUTEX[] = "corvant";

class CCorvantApp {
public:
    using SmsManagerFactory = std::function<std::unique_ptr<SmsManagerHooks>(CCorvantApp& app)>;
    // How the frame gets its port (the product opens serial devices).
    using PortFactory = std::function<std::unique_ptr<HostPort>()>;

    // Needs a QApplication. timers and start are for tests; the product uses the defaults.
    explicit CCorvantApp(EngineApi& engine, HostTimers timers = {}, Launcher::Start start = {});
    ~CCorvantApp();
    CCorvantApp(const CCorvantApp&) = delete;
    CCorvantApp& operator=(const CCorvantApp&) = delete;

    // The running application, null when none.
    static CCorvantApp* instance();

    // False when this copy ends at once: another one runs (it ends without a word), or it cannot
    // know whether one does, which it has told the user (exitCode says which).
    bool InitInstance();
    // The program's exit status when InitInstance has failed.
    int exitCode() const { return exitCode_; }
    // Deletes the SMS manager, runs TerminPrgTrm and closes the editors, then goes on pumping
    // the engine until their windows are gone (a minute at most).
    int ExitInstance();

    // Set while the forwarding or barring dialog waits for the engine; input is dropped then.
    bool busy() const { return busy_; }
    void setBusy(bool busy) { busy_ = busy; }

    // The SMS manager is made at the end of the start-up by this factory; without one (until
    // the SMS spool exists) the application has no manager.
    void setSmsManagerFactory(SmsManagerFactory factory) { smsFactory_ = std::move(factory); }
    SmsManagerHooks* smsManager() const { return smsManager_.get(); }
    void setPortFactory(PortFactory factory) { portFactory_ = std::move(factory); }

    CMainFrame* mainFrame() const { return frame_.get(); }
    EngineApi& engine() { return engine_; }
    torvane::registry::AppProfile& profile() { return profile_; }

private:
    EngineApi& engine_;
    HostTimers timers_;
    Launcher::Start start_;
    torvane::registry::AppProfile profile_;
    std::unique_ptr<torvane::NamedMutex> instanceMutex_;
    std::unique_ptr<torvane::ui::BusyInputFilter> inputFilter_;
    std::unique_ptr<CMainFrame> frame_;
    std::unique_ptr<SmsManagerHooks> smsManager_;
    SmsManagerFactory smsFactory_;
    PortFactory portFactory_;
    bool busy_ = false;
    int exitCode_ = 0;
};

} // namespace corvant
