// The application's MIDI preview output as a document drives it when a note is set: the one
// port of the process, the application's current device and the pitch still sounding.
// The program implements it on its MIDI output; tests record the calls.
#pragma once

class PreviewPort {
public:
    virtual ~PreviewPort() = default;

    // The application's current MIDI output device index.
    virtual int CurrentDevice() const = 0;
    virtual void SetCurrentDevice(int device) = 0;

    virtual bool IsOpen() const = 0;
    // Opens the port on device; a failed open leaves it closed and the notes silent, unreported.
    virtual void Open(int device) = 0;
    // Closes the port when it is open.
    virtual void Close() = 0;

    // The pitch of the last note-on not yet switched off; -1 when none.
    virtual int SoundingPitch() const = 0;
    virtual void SetSoundingPitch(int pitch) = 0;
    // Note-on on channel 0.
    virtual void NoteOn(int pitch) = 0;
    // Note-off of the sounding pitch when there is one (0 or more); then none sounds.
    virtual void NoteOffLast() = 0;
};
