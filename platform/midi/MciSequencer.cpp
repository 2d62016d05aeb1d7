#include "platform/midi/MciSequencer.h"

#include <fstream>
#include <iterator>
#include <vector>

namespace torvane::midi {
namespace {

constexpr std::uint8_t NOTE_OFF = 0x80;
constexpr std::uint8_t NOTE_ON = 0x90;

struct ErrorText {
    DWORD code;
    const char* text;
};

constexpr ErrorText ERROR_TEXTS[] = {
    {MCIERR_INVALID_DEVICE_ID, "The sequencer device is not open."},
    {MCIERR_NO_ELEMENT, "No MIDI file was named for the sequencer."},
    {MCIERR_FILE_NOT_FOUND, "The MIDI file cannot be found."},
    {MCIERR_FILE_READ, "The MIDI file cannot be read."},
    {MCIERR_INVALID_FILE, "The file is not a Standard MIDI File the sequencer can play."},
    {MCIERR_SEQ_NOMIDIPRESENT, "There is no MIDI output device on this computer."},
    {MCIERR_SEQ_PORT_NONEXISTENT, "The chosen MIDI output device does not exist."},
    {MCIERR_SEQ_PORT_INUSE, "The MIDI output device is busy playing another sequence."},
    {MCIERR_SEQ_PORT_UNAVAILABLE, "The MIDI output device cannot be opened."},
};

} // namespace

MciSequencer::MciSequencer(MidiOutputs& outputs, Scheduler& scheduler) : outputs_(outputs), scheduler_(scheduler) {}

MciSequencer::~MciSequencer()
{
    for (auto& [id, device] : devices_)
        halt(device);
    for (Scheduler::TimerId id : posted_)
        scheduler_.cancel(id);
}

DWORD MciSequencer::open(const std::string& element, UINT* deviceId)
{
    if (element.empty())
        return MCIERR_NO_ELEMENT;
    std::ifstream in(element, std::ios::binary);
    if (!in)
        return MCIERR_FILE_NOT_FOUND;
    std::vector<std::uint8_t> bytes;
    char buffer[4096];
    while (in.read(buffer, sizeof buffer) || in.gcount() > 0) {
        bytes.insert(bytes.end(), buffer, buffer + in.gcount());
        if (bytes.size() > MAX_FILE_SIZE)
            return MCIERR_INVALID_FILE;
    }
    if (in.bad())
        return MCIERR_FILE_READ;
    std::optional<SmfSequence> sequence = readSmf(bytes);
    if (!sequence)
        return MCIERR_INVALID_FILE;

    const UINT id = ++lastId_;
    devices_[id].sequence = std::move(*sequence);
    if (deviceId)
        *deviceId = id;
    return MCI_OK;
}

DWORD MciSequencer::setPort(UINT deviceId, int port)
{
    auto it = devices_.find(deviceId);
    if (it == devices_.end())
        return MCIERR_INVALID_DEVICE_ID;
    it->second.port = port;
    return MCI_OK;
}

DWORD MciSequencer::statusPort(UINT deviceId, int* port)
{
    auto it = devices_.find(deviceId);
    if (it == devices_.end())
        return MCIERR_INVALID_DEVICE_ID;
    if (port)
        *port = it->second.port;
    return MCI_OK;
}

bool MciSequencer::isPlaying(UINT deviceId) const
{
    auto it = devices_.find(deviceId);
    return it != devices_.end() && it->second.playing;
}

DWORD MciSequencer::play(UINT deviceId, Notify notify)
{
    auto it = devices_.find(deviceId);
    if (it == devices_.end())
        return MCIERR_INVALID_DEVICE_ID;
    // One synthesizer plays one sequence at a time.
    for (const auto& [id, other] : devices_)
        if (other.playing)
            return MCIERR_SEQ_PORT_INUSE;
    Device& device = it->second;
    const int count = outputs_.deviceCount();
    if (count <= 0)
        return MCIERR_SEQ_NOMIDIPRESENT;
    const int port = device.port == MIDI_MAPPER ? 0 : device.port;
    if (port < 0 || port >= count)
        return MCIERR_SEQ_PORT_NONEXISTENT;
    device.output = outputs_.open(port);
    if (!device.output)
        return MCIERR_SEQ_PORT_UNAVAILABLE;

    device.playing = true;
    device.next = 0;
    device.sounding.clear();
    device.notify = std::move(notify);
    device.startMs = scheduler_.nowMs();
    scheduleNext(deviceId, device);
    return MCI_OK;
}

void MciSequencer::scheduleNext(UINT deviceId, Device& device)
{
    const std::int64_t atMicros = device.next < device.sequence.events.size()
                                    ? device.sequence.events[device.next].atMicros
                                    : device.sequence.lengthMicros;
    const std::int64_t due = device.startMs + atMicros / 1000;
    const std::int64_t delay = due - scheduler_.nowMs();
    device.timer = scheduler_.callAfter(delay < 0 ? 0 : delay, [this, deviceId] { step(deviceId); });
}

void MciSequencer::step(UINT deviceId)
{
    auto it = devices_.find(deviceId);
    if (it == devices_.end() || !it->second.playing)
        return;
    Device& device = it->second;
    device.timer = 0;
    const std::int64_t elapsedMicros = (scheduler_.nowMs() - device.startMs) * 1000;
    const auto& events = device.sequence.events;
    while (device.next < events.size() && events[device.next].atMicros / 1000 * 1000 <= elapsedMicros) {
        const std::uint32_t message = events[device.next++].message;
        const std::uint8_t status = message & 0xFF;
        const std::uint16_t key = std::uint16_t((status & 0x0F) << 8 | ((message >> 8) & 0x7F));
        const std::uint8_t velocity = (message >> 16) & 0x7F;
        if ((status & 0xF0) == NOTE_ON && velocity > 0)
            device.sounding.insert(key);
        else if ((status & 0xF0) == NOTE_OFF || (status & 0xF0) == NOTE_ON)
            device.sounding.erase(key);
        device.output->shortMessage(message);
    }
    if (device.next >= events.size() && device.sequence.lengthMicros / 1000 * 1000 <= elapsedMicros) {
        finish(deviceId);
        return;
    }
    scheduleNext(deviceId, device);
}

void MciSequencer::finish(UINT deviceId)
{
    Device& device = devices_.at(deviceId);
    Notify notify = std::move(device.notify);
    halt(device);
    post(std::move(notify), MCI_NOTIFY_SUCCESSFUL, deviceId);
}

// Ends the playing: no more events, every note still on switched off, the output closed.
void MciSequencer::halt(Device& device)
{
    if (device.timer)
        scheduler_.cancel(device.timer);
    device.timer = 0;
    if (device.output)
        for (std::uint16_t key : device.sounding)
            device.output->shortMessage(packShortMessage(std::uint8_t(NOTE_OFF | (key >> 8)), key & 0x7F, 0));
    device.sounding.clear();
    device.output.reset();
    device.playing = false;
    device.notify = nullptr;
}

DWORD MciSequencer::stop(UINT deviceId, Notify notify)
{
    auto it = devices_.find(deviceId);
    if (it == devices_.end())
        return MCIERR_INVALID_DEVICE_ID;
    Device& device = it->second;
    if (device.playing) {
        Notify cut = std::move(device.notify);
        halt(device);
        post(std::move(cut), MCI_NOTIFY_ABORTED, deviceId);
    }
    post(std::move(notify), MCI_NOTIFY_SUCCESSFUL, deviceId);
    return MCI_OK;
}

DWORD MciSequencer::close(UINT deviceId)
{
    auto it = devices_.find(deviceId);
    if (it == devices_.end())
        return MCIERR_INVALID_DEVICE_ID;
    halt(it->second);
    devices_.erase(it);
    return MCI_OK;
}

void MciSequencer::post(Notify notify, UINT flags, UINT deviceId)
{
    if (!notify)
        return;
    auto id = std::make_shared<Scheduler::TimerId>(0);
    *id = scheduler_.callAfter(0, [this, id, notify = std::move(notify), flags, deviceId] {
        posted_.erase(*id);
        notify(flags, deviceId);
    });
    posted_.insert(*id);
}

bool MciSequencer::errorText(DWORD code, std::string* text) const
{
    for (const ErrorText& entry : ERROR_TEXTS)
        if (entry.code == code) {
            if (text)
                *text = entry.text;
            return true;
        }
    return false;
}

} // namespace torvane::midi
