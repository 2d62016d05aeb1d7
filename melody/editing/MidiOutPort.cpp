#include "melody/editing/MidiOutPort.h"

#include "melody/document/ErrorReporter.h"
#include "melody/editing/MelvioIds.h"
#include "melody/editing/UserMessages.h"

namespace midi = torvane::midi;

namespace {

constexpr std::uint8_t NOTE_ON = 0x90;
constexpr std::uint8_t NOTE_OFF = 0x80;

} // namespace

MidiOutPort::MidiOutPort(midi::MidiOutputs& outputs, midi::Sequencer& sequencer, ErrorReporter* errors,
                         UserMessages* messages)
    : outputs_(outputs), sequencer_(sequencer), errors_(errors), messages_(messages)
{
}

void MidiOutPort::Open(int device)
{
    // A failed open leaves the port closed and the notes silent, without a word.
    handle_ = outputs_.open(device);
}

void MidiOutPort::Close() { handle_.reset(); }

void MidiOutPort::SendShortMsg(std::uint8_t status, std::uint8_t data1, std::uint8_t data2)
{
    if (handle_)
        handle_->shortMessage(midi::packShortMessage(status, data1, data2));
}

void MidiOutPort::NoteOn(int pitch) { SendShortMsg(NOTE_ON, std::uint8_t(pitch & 0x7F), PREVIEW_VELOCITY); }

void MidiOutPort::NoteOffLast()
{
    if (sounding_ >= 0)
        SendShortMsg(NOTE_OFF, std::uint8_t(sounding_ & 0x7F), 0);
    sounding_ = -1;
}

DWORD MidiOutPort::PlaySequence(midi::Sequencer::Notify notify, const std::string& file, int port, UINT* deviceId)
{
    UINT id = 0;
    if (const DWORD code = sequencer_.open(file, &id)) {
        ReportMciError(code);
        return code;
    }
    mciDevice = id;
    if (deviceId)
        *deviceId = id;
    sequencer_.setPort(id, port);
    int shownPort = 0;
    if (const DWORD code = sequencer_.statusPort(id, &shownPort)) {
        sequencer_.close(id);
        return code;
    }
    if (const DWORD code = sequencer_.play(id, std::move(notify))) {
        sequencer_.close(id);
        return code;
    }
    return 0;
}

DWORD MidiOutPort::StopSequence(UINT deviceId, midi::Sequencer::Notify notify)
{
    const DWORD code = sequencer_.stop(deviceId, std::move(notify));
    if (code)
        sequencer_.close(deviceId);
    return code;
}

void MidiOutPort::ReportMciError(DWORD code)
{
    std::string text;
    if (sequencer_.errorText(code, &text)) {
        if (messages_)
            messages_->ShowExclamation(text);
    } else if (errors_) {
        errors_->Fehler_Melden(ERROR_CLASS_PC, IDS_ERR_MIDI_OPEN);
    }
}
