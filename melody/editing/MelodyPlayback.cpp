#include "melody/editing/MelodyPlayback.h"

#include "melody/document/CMelvioDoc.h"
#include "melody/document/ErrorReporter.h"
#include "melody/editing/MelvioIds.h"
#include "melody/editing/MidiOutPort.h"
#include "melody/editing/TempMidiFile.h"

#include <cstdio>
#include <memory>

MelodyPlayback::MelodyPlayback(CMelvioDoc& doc, MidiOutPort& port, ErrorReporter* errors)
    : doc_(doc), port_(port), errors_(errors)
{
}

MelodyPlayback::~MelodyPlayback() { OnViewDestroy(); }

std::string MelodyPlayback::WriteTempMidiFile()
{
    const auto bytes = doc_.BuildMidiFile();
    return WriteTempFile(bytes, errors_).value_or(std::string());
}

bool MelodyPlayback::RemoveTempFile()
{
    if (!doc_.tempPath.empty()) {
        std::remove(doc_.tempPath.c_str());
        doc_.tempPath.clear();
    }
    return true;
}

void MelodyPlayback::BackToIdle()
{
    doc_.canPlay = 1;
    doc_.canStop = 0;
}

void MelodyPlayback::OnPlay(Notify notify)
{
    doc_.canPlay = 0;
    doc_.canStop = 1;
    if (port_.IsOpen())
        port_.Close(); // the sequencer plays on the same device
    RemoveTempFile();
    doc_.tempPath = WriteTempMidiFile();
    if (doc_.settingsDevice != doc_.lastDevice) {
        port_.SetCurrentDevice(doc_.settingsDevice);
        doc_.lastDevice = doc_.settingsDevice;
    }
    // Without a file there is nothing to play; the reports are made.
    if (doc_.tempPath.empty()) {
        BackToIdle();
        doc_.EnsureMidiOut();
        return;
    }
    // A notification already handed over when this playback goes must not reach it.
    notify_ = [alive = std::weak_ptr<bool>(alive_), notify = std::move(notify)](UINT flags, UINT id) {
        if (alive.lock() && notify)
            notify(flags, id);
    };
    UINT device = 0;
    if (port_.PlaySequence(notify_, doc_.tempPath, doc_.settingsDevice, &device) != 0) {
        if (errors_)
            errors_->Fehler_Melden(ERROR_CLASS_PC, IDS_ERR_PLAY);
        // No notification will come for a start that failed: back to idle here.
        RemoveTempFile();
        BackToIdle();
        doc_.EnsureMidiOut();
        return;
    }
    device_ = device;
    sequenceOpen_ = true;
}

void MelodyPlayback::OnStop()
{
    if (!sequenceOpen_)
        return;
    if (port_.StopSequence(device_, notify_) != 0) {
        // The device is closed: no notification follows.
        sequenceOpen_ = false;
        if (errors_)
            errors_->Fehler_Melden(ERROR_CLASS_PC, IDS_ERR_STOP);
        RemoveTempFile();
        BackToIdle();
        doc_.EnsureMidiOut();
    }
}

void MelodyPlayback::OnMciNotify(UINT, UINT deviceId)
{
    RemoveTempFile();
    port_.Sequencer().close(deviceId);
    if (deviceId == device_)
        sequenceOpen_ = false;
    BackToIdle();
    doc_.EnsureMidiOut();
}

void MelodyPlayback::OnViewDestroy()
{
    if (sequenceOpen_) {
        // Closing stops the sequence without a notification: nobody is left to receive it.
        port_.Sequencer().close(device_);
        sequenceOpen_ = false;
        BackToIdle();
    }
    RemoveTempFile();
}
