#include "phonebook/CBrevikApp.h"

#include "phonebook/model/BrevikStrings.h"
#include "phonebook/ui/CMainFrame.h"
#include "platform/ui/busyfilter/BusyInputFilter.h"
#include "platform/ui/guardedapp/GuardedApplication.h"
#include "platform/ui/msgservice/FirstInstance.h"
#include "platform/ui/msgservice/MessageService.h"

#include <QApplication>

namespace brevik {

CBrevikApp::CBrevikApp(PhoneEngine& engine, torvane::mapi::Mapi& mapi, std::function<StartSettings()> settings)
    : engine_(engine)
    , mapi_(mapi)
    , settings_(std::move(settings))
{
}

CBrevikApp::~CBrevikApp()
{
    frame_.reset();
}

bool CBrevikApp::InitInstance()
{
    instanceMutex_ = torvane::ui::claimFirstInstanceOrTell(INSTANCE_MUTEX, exitCode_);
    if (!instanceMutex_)
        return false;
    busy_ = false;
    // The program's reports carry only an id for the main program to show, so a failure inside a
    // window event, which has a text of its own, gets a box like the program's other notices.
    torvane::ui::setEventFailureHandler([](const torvane::ui::EventFailure& failure) {
        torvane::ui::messageBox(QApplication::activeWindow(), failure.text,
                                QString::fromUtf8(brevikString(IDS_APP_TITLE)),
                                torvane::ui::MB_OK | torvane::ui::MB_ICONEXCLAMATION);
    });

    CMainFrame::Hooks hooks;
    hooks.setBusy = [this](bool busy) { busy_ = busy; };
    hooks.busy = [this] { return busy_; };
    hooks.endProgram = [this] {
        exitCode_ = -1;
        QCoreApplication::exit(-1);
    };
    frame_ = std::make_unique<CMainFrame>(engine_, mapi_, std::move(hooks));
    frame_->setWindowTitle(QString::fromUtf8(brevikString(IDS_APP_TITLE)));
    inputFilter_ = torvane::ui::installBusyWindowFilter([this] { return busy_; }, *frame_);
    if (!frame_->form().OnInitialUpdate(settings_ ? settings_() : StartSettings{}))
        return false;
    frame_->show();
    return true;
}

} // namespace brevik
