#include "platform/midi/RtMidiOutputs.h"

#include <rtmidi/RtMidi.h>

#include <exception>

#include <unistd.h>

namespace torvane::midi {
namespace {

constexpr char CLIENT_NAME[] = "Torvane";
// The ALSA sequencer's device: without it there is no MIDI output, and asking the library
// would only fill the console with its complaints.
constexpr char SEQUENCER_DEVICE[] = "/dev/snd/seq";

// RtMidi reports through exceptions or, once a callback is set, through it; either way a
// failure only means "no device" or "not sent" here, never a message on the console.
void quietErrors(RtMidiError::Type, const std::string&, void*) {}

std::unique_ptr<RtMidiOut> makeClient()
{
    if (::access(SEQUENCER_DEVICE, R_OK | W_OK) != 0)
        return nullptr;
    try {
        auto client = std::make_unique<RtMidiOut>(RtMidi::LINUX_ALSA, CLIENT_NAME);
        client->setErrorCallback(&quietErrors, nullptr);
        return client;
    } catch (const std::exception&) {
        return nullptr;
    }
}

class RtOutput : public MidiOutput {
public:
    explicit RtOutput(std::unique_ptr<RtMidiOut> client) : client_(std::move(client)) {}
    ~RtOutput() override
    {
        try {
            client_->closePort();
        } catch (const std::exception&) {
        }
    }

    bool shortMessage(std::uint32_t packed) override
    {
        const unsigned char bytes[3] = {static_cast<unsigned char>(packed), static_cast<unsigned char>(packed >> 8),
                                        static_cast<unsigned char>(packed >> 16)};
        const int length = shortMessageLength(bytes[0]);
        if (length == 0 || !client_->isPortOpen())
            return false;
        try {
            client_->sendMessage(bytes, std::size_t(length));
            return true;
        } catch (const std::exception&) {
            return false;
        }
    }

private:
    std::unique_ptr<RtMidiOut> client_;
};

class RtOutputs : public MidiOutputs {
public:
    int deviceCount() override
    {
        refresh();
        if (!probe_)
            return 0;
        try {
            return int(probe_->getPortCount());
        } catch (const std::exception&) {
            return 0;
        }
    }

    std::string deviceName(int index) override
    {
        if (index < 0 || index >= deviceCount())
            return {};
        try {
            return probe_->getPortName(unsigned(index));
        } catch (const std::exception&) {
            return {};
        }
    }

    std::unique_ptr<MidiOutput> open(int index) override
    {
        if (index < 0 || index >= deviceCount())
            return nullptr;
        std::unique_ptr<RtMidiOut> client = makeClient();
        if (!client)
            return nullptr;
        try {
            client->openPort(unsigned(index));
        } catch (const std::exception&) {
            return nullptr;
        }
        if (!client->isPortOpen())
            return nullptr;
        return std::make_unique<RtOutput>(std::move(client));
    }

private:
    // One client answers the questions about devices; it is made again after a failure, so a
    // sequencer that appears later is found.
    void refresh()
    {
        if (!probe_)
            probe_ = makeClient();
    }

    std::unique_ptr<RtMidiOut> probe_;
};

} // namespace

std::unique_ptr<MidiOutputs> makeSystemMidiOutputs() { return std::make_unique<RtOutputs>(); }

} // namespace torvane::midi
