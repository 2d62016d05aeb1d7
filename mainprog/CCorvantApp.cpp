#include "mainprog/CCorvantApp.h"

#include "mainprog/core/CorvantStrings.h"
#include "mainprog/core/SerialHostPort.h"
#include "mainprog/core/SuiteSettings.h"
#include "mainprog/ui/CCorvantView.h"
#include "mainprog/ui/CMainFrame.h"
#include "platform/sharedmem/NamedMutex.h"
#include "platform/ui/busyfilter/BusyInputFilter.h"

#include <QApplication>

namespace corvant {

namespace {

CCorvantApp* g_app = nullptr;

} // namespace

CCorvantApp::CCorvantApp(EngineApi& engine, HostTimers timers, Launcher::Start start)
    : engine_(engine)
    , timers_(timers)
    , start_(std::move(start))
    , profile_(corvantProfile())
{
    portFactory_ = [] { return std::make_unique<SerialHostPort>(); };
    g_app = this;
}

CCorvantApp::~CCorvantApp()
{
    smsManager_.reset();
    frame_.reset();
    if (g_app == this)
        g_app = nullptr;
}

CCorvantApp* CCorvantApp::instance()
{
    return g_app;
}

bool CCorvantApp::InitInstance()
{
    instanceMutex_ = torvane::claimFirstInstance(INSTANCE_MUTEX);
    if (!instanceMutex_)
        return false;
    busy_ = false;
    inputFilter_ = torvane::ui::installBusyInputFilter([this] { return busy_; });

    frame_ = std::make_unique<CMainFrame>(engine_, profile_, portFactory_(), timers_, start_);
    frame_->setSmsManager([this] { return smsManager_.get(); });
    frame_->show();
    frame_->view().OnInitialUpdate();
    frame_->setWindowTitle(QString::fromLatin1(corvantString(IDS_APP_TITLE)));

    if (smsFactory_)
        smsManager_ = smsFactory_(*this);
    if (smsManager_)
        smsManager_->Configure();
    return true;
}

int CCorvantApp::ExitInstance()
{
    smsManager_.reset();
    if (frame_)
        frame_->launcher().runExitSequence();
    return 0;
}

} // namespace corvant
