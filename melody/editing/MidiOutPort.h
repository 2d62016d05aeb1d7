// The application's MIDI output: the preview port that strikes each note as it is set, and the
// sequencer device that plays a whole melody. One per process.
#pragma once

#include "melody/document/PreviewPort.h"
#include "platform/midi/MciSequencer.h"
#include "platform/midi/MidiOutputs.h"
#include "platform/wintypes.h"

#include <memory>
#include <string>

class ErrorReporter;
class UserMessages;

constexpr std::uint8_t PREVIEW_VELOCITY = 88;

class MidiOutPort : public PreviewPort {
public:
    // errors and messages may be null (then nothing is reported or shown).
    MidiOutPort(torvane::midi::MidiOutputs& outputs, torvane::midi::Sequencer& sequencer, ErrorReporter* errors,
                UserMessages* messages);

    // Where the sequencer's own error texts are shown (the main frame, once it exists).
    void SetMessages(UserMessages* messages) { messages_ = messages; }

    torvane::midi::MidiOutputs& Outputs() { return outputs_; }
    torvane::midi::Sequencer& Sequencer() { return sequencer_; }

    // PreviewPort.
    int CurrentDevice() const override { return device_; }
    void SetCurrentDevice(int device) override { device_ = device; }
    bool IsOpen() const override { return handle_ != nullptr; }
    void Open(int device) override;
    void Close() override;
    int SoundingPitch() const override { return sounding_; }
    void SetSoundingPitch(int pitch) override { sounding_ = pitch; }
    void NoteOn(int pitch) override;
    void NoteOffLast() override;

    void SendShortMsg(std::uint8_t status, std::uint8_t data1, std::uint8_t data2);

    // Opens the file on the sequencer, on port, and plays it with notify told of its end.
    // 0 and the sequence's device id in *deviceId, or the sequencer's error code.
    DWORD PlaySequence(torvane::midi::Sequencer::Notify notify, const std::string& file, int port, UINT* deviceId);
    // Stops the sequence; notify hears of the stop. A failure closes the device.
    DWORD StopSequence(UINT deviceId, torvane::midi::Sequencer::Notify notify);
    // The sequencer's text for code in a box, or (3, 40004) when it has none.
    void ReportMciError(DWORD code);

    // The device id of the sequence opened last.
    UINT mciDevice = 0;

private:
    torvane::midi::MidiOutputs& outputs_;
    torvane::midi::Sequencer& sequencer_;
    ErrorReporter* errors_;
    UserMessages* messages_;
    int device_ = 0;
    std::unique_ptr<torvane::midi::MidiOutput> handle_;
    int sounding_ = -1;
};
