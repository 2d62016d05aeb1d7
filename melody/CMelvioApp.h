// The melody editor's application: one copy per user, the profile key with the last MIDI
// device, the preview port opened at start, the main frame and the melody named on the command
// line.
#pragma once

#include "melody/ui/MelvioContext.h"

#include <QStringList>

#include <memory>

class CMainFrame;
class MelvioEngine;
class MidiOutPort;
class QtScheduler;
class QtTextClipboard;
class WindowBinder;
namespace torvane {
class NamedMutex;
}
namespace torvane::midi {
class MciSequencer;
class MidiOutputs;
}
namespace torvane::registry {
class AppProfile;
}

inline constexpr char REGISTRY_KEY[] = "Torvane\\Quorvane PRO";
inline constexpr char INSTANCE_MUTEX[] = "melvio";

class CMelvioApp {
public:
    CMelvioApp();
    ~CMelvioApp();

    // False: the program ends (a second copy, a runtime folder it cannot use, or the melody on
    // the command line failed).
    bool InitInstance(const QStringList& arguments);
    // The program's exit status when InitInstance has failed: EXIT_FAILURE for the runtime folder,
    // which it has told the user; 0 otherwise.
    int ExitCode() const { return exitCode_; }
    CMainFrame* Frame() const { return frame_.get(); }

private:
    std::unique_ptr<torvane::NamedMutex> instance_;
    std::unique_ptr<torvane::registry::AppProfile> profile_;
    std::unique_ptr<torvane::midi::MidiOutputs> outputs_;
    std::unique_ptr<QtScheduler> scheduler_;
    std::unique_ptr<torvane::midi::MciSequencer> sequencer_;
    std::unique_ptr<MelvioEngine> engine_;
    std::unique_ptr<WindowBinder> binder_;
    std::unique_ptr<QtTextClipboard> clipboard_;
    std::unique_ptr<MidiOutPort> port_;
    MelvioContext context_;
    std::unique_ptr<CMainFrame> frame_;
    int exitCode_ = 0;
};
