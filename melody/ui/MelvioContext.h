// What every melody window reaches in the application: the error reports, the tool bar's tempo
// field, the MIDI output, the engine, the palette, the timers and the messaging binding.
#pragma once

#include "melody/editing/PhoneTransfer.h"

#include <QString>

#include <functional>

class ErrorReporter;
class MidiOutPort;
class NotePalette;
class PhoneEngine;
class QWidget;
class TempoField;
class TextClipboard;
class UserMessages;
class WindowBinder;
namespace torvane {
class Scheduler;
}

struct MelvioContext {
    ErrorReporter* errors = nullptr;
    TempoField* tempoField = nullptr;
    MidiOutPort* port = nullptr;
    PhoneEngine* engine = nullptr;
    torvane::Scheduler* scheduler = nullptr;
    UserMessages* messages = nullptr;
    WindowBinder* binder = nullptr;
    TextClipboard* clipboard = nullptr;
    NotePalette* palette = nullptr;
    PhoneRequests phoneRequests;
    // The frame brings its commands' enable states up to date.
    std::function<void()> commandsChanged;
    // File dialogs; tests answer them instead of the user. Empty text: cancelled.
    std::function<QString(QWidget* parent)> askOpenFile;
    std::function<QString(QWidget* parent, const QString& suggested)> askSaveFile;
};
