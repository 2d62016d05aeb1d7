// Playing a whole melody on the PC: its MIDI file written to a temporary file and played by the
// sequencer, the Play and Stop commands' state, and the sequencer's notifications. One per
// document; the view that plays passes the notification road back to itself.
#pragma once

#include "platform/midi/MciSequencer.h"
#include "platform/wintypes.h"

#include <memory>

class CMelvioDoc;
class ErrorReporter;
class MidiOutPort;

class MelodyPlayback {
public:
    using Notify = torvane::midi::Sequencer::Notify;

    MelodyPlayback(CMelvioDoc& doc, MidiOutPort& port, ErrorReporter* errors);
    // A sequence still playing is stopped and closed.
    ~MelodyPlayback();
    MelodyPlayback(const MelodyPlayback&) = delete;
    MelodyPlayback& operator=(const MelodyPlayback&) = delete;

    // Play (32771): notify must hand the sequencer's notifications to OnMciNotify later.
    void OnPlay(Notify notify);
    // Stop (32776).
    void OnStop();
    // A notification of the sequencer, whatever its flags: the playing is over.
    void OnMciNotify(UINT flags, UINT deviceId);
    // A view of the document goes: a playing sequence stops and its device closes at once,
    // since no view may be left to hear the notification.
    void OnViewDestroy();

    // Deletes the temporary file when there is one (a failure is ignored) and forgets it.
    bool RemoveTempFile();
    // Builds the document's MIDI file into a new temporary file; empty name on failure.
    std::string WriteTempMidiFile();

    bool IsPlaying() const { return sequenceOpen_; }
    UINT SequenceDevice() const { return device_; }

private:
    void BackToIdle();

    CMelvioDoc& doc_;
    MidiOutPort& port_;
    ErrorReporter* errors_;
    std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
    Notify notify_;
    // This document's own sequence: a Stop acts on it, not on whatever another window opened
    // last.
    UINT device_ = 0;
    bool sequenceOpen_ = false;
};
