// The simulated phone without a line: bytes in, the answer out, with echo off and numeric error
// codes on, as the engine's jobs talk to it.
#pragma once

#include "tools/phonesim/PhoneEngine.h"

#include <stdexcept>
#include <string>

namespace simtest {

class PhoneTalk {
public:
    PhoneTalk() { talk("ATE0+CMEE=1\r"); }

    std::string talk(const std::string& bytes)
    {
        engine.receive(bytes, now);
        std::string out = engine.output().due(now, 1 << 20);
        engine.output().consumed(out.size());
        return out;
    }

    template <class M>
    M& module()
    {
        for (const auto& m : engine.modules())
            if (auto* found = dynamic_cast<M*>(m.get()))
                return *found;
        throw std::logic_error("module not installed");
    }

    torvane::phonesim::PhoneEngine engine;
    torvane::phonesim::SimClock::time_point now{};
};

} // namespace simtest
