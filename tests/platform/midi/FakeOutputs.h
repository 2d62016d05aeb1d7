// MIDI outputs that record what is sent to them: "open 1", "90 3C 60", "close 1".
#pragma once

#include "platform/midi/MidiOutputs.h"
#include "platform/midi/Scheduler.h"

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

namespace torvane::midi::fakes {

struct FakeOutputs : MidiOutputs {
    int count = 2;
    bool refuseOpen = false;
    int openNow = 0;
    std::vector<std::string> log;
    std::vector<std::int64_t> times; // when each message was sent, by clock
    const torvane::Scheduler* clock = nullptr;

    struct Output : MidiOutput {
        FakeOutputs& owner;
        int index;
        Output(FakeOutputs& o, int i) : owner(o), index(i) {}
        ~Output() override
        {
            owner.log.push_back("close " + std::to_string(index));
            --owner.openNow;
        }
        bool shortMessage(std::uint32_t packed) override
        {
            char text[16];
            std::snprintf(text, sizeof text, "%02X %02X %02X", unsigned(packed & 0xFF), unsigned((packed >> 8) & 0xFF),
                          unsigned((packed >> 16) & 0xFF));
            owner.log.push_back(text);
            owner.times.push_back(owner.clock ? owner.clock->nowMs() : 0);
            return true;
        }
    };

    int deviceCount() override { return count; }
    std::string deviceName(int index) override
    {
        return index >= 0 && index < count ? "Synth " + std::to_string(index) : std::string();
    }
    std::unique_ptr<MidiOutput> open(int index) override
    {
        if (refuseOpen || index < 0 || index >= count)
            return nullptr;
        log.push_back("open " + std::to_string(index));
        ++openNow;
        return std::make_unique<Output>(*this, index);
    }
};

} // namespace torvane::midi::fakes
