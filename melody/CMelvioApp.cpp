#include "melody/CMelvioApp.h"

#include "melody/editing/MidiOutPort.h"
#include "melody/engine/EngineBinding.h"
#include "melody/engine/WindowBinder.h"
#include "melody/ui/CMainFrame.h"
#include "melody/ui/MelodyDocument.h"
#include "melody/ui/QtScheduler.h"
#include "melody/ui/QtTextClipboard.h"
#include "platform/midi/MciSequencer.h"
#include "platform/midi/RtMidiOutputs.h"
#include "platform/registry/AppProfile.h"
#include "platform/ui/guardedapp/GuardedApplication.h"
#include "platform/ui/msgservice/FirstInstance.h"

#include <QFileDialog>

CMelvioApp::CMelvioApp() = default;

CMelvioApp::~CMelvioApp()
{
    if (frame_)
        torvane::ui::setEventFailureHandler({});
    frame_.reset();
    port_.reset();
}

bool CMelvioApp::InitInstance(const QStringList& arguments)
{
    instance_ = torvane::ui::claimFirstInstanceOrTell(INSTANCE_MUTEX, exitCode_);
    if (!instance_)
        return false;

    profile_ = std::make_unique<torvane::registry::AppProfile>(REGISTRY_KEY, APPLICATION_TITLE);
    outputs_ = torvane::midi::makeSystemMidiOutputs();
    scheduler_ = std::make_unique<QtScheduler>();
    sequencer_ = std::make_unique<torvane::midi::MciSequencer>(*outputs_, *scheduler_);
    engine_ = MakeEngine();
    binder_ = MakeWindowBinder();
    clipboard_ = std::make_unique<QtTextClipboard>();
    port_ = std::make_unique<MidiOutPort>(*outputs_, *sequencer_, engine_.get(), nullptr);

    context_.errors = engine_.get();
    context_.engine = engine_.get();
    context_.port = port_.get();
    context_.scheduler = scheduler_.get();
    context_.binder = binder_.get();
    context_.clipboard = clipboard_.get();
    const QString filter = QString::fromLatin1(FILE_FILTER);
    context_.askOpenFile = [filter](QWidget* parent) {
        return QFileDialog::getOpenFileName(parent, QObject::tr("Open"), QString(), filter);
    };
    context_.askSaveFile = [filter](QWidget* parent, const QString& suggested) {
        return QFileDialog::getSaveFileName(parent, QObject::tr("Save As"), suggested, filter);
    };

    const int device = int(profile_->GetProfileInt(PROFILE_SECTION, PROFILE_LAST_DEVICE, 0));
    port_->SetCurrentDevice(device);
    port_->Open(device);

    frame_ = std::make_unique<CMainFrame>(context_, *outputs_, profile_.get());
    port_->SetMessages(frame_.get());
    // A failure inside a window event is shown in the box the program shows its own errors in.
    torvane::ui::setEventFailureHandler([this](const torvane::ui::EventFailure& failure) {
        frame_->ShowExclamation(failure.text.toLatin1().toStdString());
    });

    const QStringList files = arguments.mid(1);
    if (files.isEmpty())
        frame_->NewDocument();
    else if (!frame_->OpenDocument(files.front()))
        return false;
    frame_->show();
    return true;
}
