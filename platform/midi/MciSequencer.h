// The sequencer device the programs play MIDI files with: open a file, choose the output port,
// play with a notification at the end, stop, close. Notifications are handed over later through
// the scheduler, never inside the call that causes them, as a posted window message would be:
// the end of a sequence notifies "successful"; a stop notifies the play it cut short "aborted"
// and then itself "successful".
#pragma once

#include "platform/midi/MidiOutputs.h"
#include "platform/midi/Scheduler.h"
#include "platform/midi/SmfReader.h"
#include "platform/wintypes.h"

#include <functional>
#include <map>
#include <memory>
#include <set>
#include <string>

namespace torvane::midi {

// Flags of a notification.
constexpr UINT MCI_NOTIFY_SUCCESSFUL = 0x01;
constexpr UINT MCI_NOTIFY_SUPERSEDED = 0x02;
constexpr UINT MCI_NOTIFY_ABORTED = 0x04;
constexpr UINT MCI_NOTIFY_FAILURE = 0x08;

// The port value that stands for "the default device" (device 0).
constexpr int MIDI_MAPPER = -1;

// Error codes of the sequencer; 0 is success.
enum MciError : DWORD {
    MCI_OK = 0,
    MCIERR_INVALID_DEVICE_ID = 1,
    MCIERR_NO_ELEMENT = 2,
    MCIERR_FILE_NOT_FOUND = 3,
    MCIERR_FILE_READ = 4,
    MCIERR_INVALID_FILE = 5,
    MCIERR_SEQ_NOMIDIPRESENT = 6,
    MCIERR_SEQ_PORT_NONEXISTENT = 7,
    MCIERR_SEQ_PORT_INUSE = 8,
    MCIERR_SEQ_PORT_UNAVAILABLE = 9,
};

class Sequencer {
public:
    using Notify = std::function<void(UINT flags, UINT deviceId)>;

    virtual ~Sequencer() = default;
    // Opens the sequence in the file; *deviceId names it from then on.
    virtual DWORD open(const std::string& element, UINT* deviceId) = 0;
    virtual DWORD setPort(UINT deviceId, int port) = 0;
    virtual DWORD statusPort(UINT deviceId, int* port) = 0;
    // Plays from the start; notify (may be empty) hears of the end.
    virtual DWORD play(UINT deviceId, Notify notify) = 0;
    virtual DWORD stop(UINT deviceId, Notify notify) = 0;
    // Stops the sequence if it plays (no notification) and forgets the device id.
    virtual DWORD close(UINT deviceId) = 0;
    // The text of an error code; false when the code has none.
    virtual bool errorText(DWORD code, std::string* text) const = 0;
};

class MciSequencer : public Sequencer {
public:
    // Files bigger than this are not sequences anybody here writes.
    static constexpr std::size_t MAX_FILE_SIZE = 1 << 20;

    MciSequencer(MidiOutputs& outputs, Scheduler& scheduler);
    ~MciSequencer() override;
    MciSequencer(const MciSequencer&) = delete;
    MciSequencer& operator=(const MciSequencer&) = delete;

    DWORD open(const std::string& element, UINT* deviceId) override;
    DWORD setPort(UINT deviceId, int port) override;
    DWORD statusPort(UINT deviceId, int* port) override;
    DWORD play(UINT deviceId, Notify notify) override;
    DWORD stop(UINT deviceId, Notify notify) override;
    DWORD close(UINT deviceId) override;
    bool errorText(DWORD code, std::string* text) const override;

    bool isOpen(UINT deviceId) const { return devices_.count(deviceId) != 0; }
    bool isPlaying(UINT deviceId) const;

private:
    struct Device {
        SmfSequence sequence;
        int port = MIDI_MAPPER;
        bool playing = false;
        std::unique_ptr<MidiOutput> output;
        std::size_t next = 0;
        std::int64_t startMs = 0;
        Scheduler::TimerId timer = 0;
        Notify notify;
        std::set<std::uint16_t> sounding; // channel << 8 | key of notes switched on
    };

    void scheduleNext(UINT deviceId, Device& device);
    void step(UINT deviceId);
    void finish(UINT deviceId);
    void halt(Device& device);
    void post(Notify notify, UINT flags, UINT deviceId);

    MidiOutputs& outputs_;
    Scheduler& scheduler_;
    std::map<UINT, Device> devices_;
    UINT lastId_ = 0;
    // Notifications handed over but not run yet, dropped when the sequencer goes.
    std::set<Scheduler::TimerId> posted_;
};

} // namespace torvane::midi
