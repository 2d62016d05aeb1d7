// The melody editor's main frame offscreen, with recorded MIDI outputs, engine, error reports,
// clipboard and windows, and a scheduler whose clock the test moves.
#pragma once

#include "platform/midi/FakeOutputs.h"
#include "tests/melody/editing/EditFakes.h"

#include "melody/editing/MidiOutPort.h"
#include "melody/engine/WindowBinder.h"
#include "melody/ui/CMainFrame.h"
#include "melody/ui/CMelvioView.h"
#include "melody/ui/MelodyDocument.h"
#include "melody/ui/MelvioContext.h"
#include "platform/midi/ManualScheduler.h"
#include "platform/midi/MciSequencer.h"
#include "platform/registry/AppProfile.h"
#include "platform/ui/msgservice/MessageService.h"

#include <QApplication>

#include <map>
#include <memory>

// Gives every view a handle and keeps its handler, so a test can answer as the engine would.
struct RecordingBinder : WindowBinder {
    std::map<HWND, Handler> windows;
    QWidget* topLevel = nullptr;
    HWND next = 0x0000BEEF00000001;
    HWND BindWindow(QObject* owner, Handler handler) override
    {
        const HWND hwnd = next++;
        windows[hwnd] = std::move(handler);
        QObject::connect(owner, &QObject::destroyed, [this, hwnd] { windows.erase(hwnd); });
        return hwnd;
    }
    void BindTopLevel(QWidget* frame) override { topLevel = frame; }
    // As a posted message would arrive: false when the window is gone.
    bool Post(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
    {
        auto it = windows.find(hwnd);
        if (it == windows.end())
            return false;
        it->second(message, wParam, lParam);
        return true;
    }
};

struct GuiBench {
    RecordingReporter reporter;
    RecordingEngine engine;
    FakeClipboard clipboard;
    RecordingBinder binder;
    torvane::ManualScheduler scheduler;
    torvane::midi::fakes::FakeOutputs outputs;
    torvane::midi::MciSequencer sequencer{outputs, scheduler};
    std::unique_ptr<MidiOutPort> port;
    torvane::registry::AppProfile profile{"Torvane\\Quorvane PRO", "Ring tone editor"};
    MelvioContext context;
    std::unique_ptr<CMainFrame> frame;
    QString openAnswer;
    QString saveAnswer;

    explicit GuiBench(int devices = 2)
    {
        outputs.count = devices;
        port = std::make_unique<MidiOutPort>(outputs, sequencer, &reporter, nullptr);
        context.errors = &reporter;
        context.engine = &engine;
        context.port = port.get();
        context.scheduler = &scheduler;
        context.binder = &binder;
        context.clipboard = &clipboard;
        context.askOpenFile = [this](QWidget*) { return openAnswer; };
        context.askSaveFile = [this](QWidget*, const QString&) { return saveAnswer; };
        frame = std::make_unique<CMainFrame>(context, outputs, &profile);
        port->SetMessages(frame.get());
    }
    ~GuiBench()
    {
        frame.reset();
        port.reset();
    }

    CMelvioView* View() const { return frame->ActiveMelodyView(); }
    CMelvioDoc& Doc() const { return frame->ActiveMelodyDocument()->doc; }
};
