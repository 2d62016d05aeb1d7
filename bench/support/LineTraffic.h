// The bytes that crossed the simulated phone's line each way since a moment, counted from the
// phone's transcript, and the time each direction needs on a line of the given baud rate (10 bits
// a byte), reported as counters beside a benchmark's time.
#pragma once

#include "tools/phonesim/Transcript.h"

#include <benchmark/benchmark.h>

#include <cstddef>

namespace benchsupport {

class LineTraffic {
public:
    LineTraffic(const torvane::phonesim::Transcript& transcript, int baud) : m_transcript(transcript), m_baud(baud)
    {
        restart();
    }

    void restart()
    {
        m_toPhoneStart = m_transcript.received().size();
        m_fromPhoneStart = m_transcript.sent().size();
    }

    double toPhoneBytes() const { return double(m_transcript.received().size() - m_toPhoneStart); }
    double fromPhoneBytes() const { return double(m_transcript.sent().size() - m_fromPhoneStart); }
    double seconds(double bytes) const { return bytes * 10.0 / m_baud; }

    // to_phone_bytes, from_phone_bytes, to_phone_line_s and from_phone_line_s, each divided by `per`.
    void report(benchmark::State& state, double per = 1) const
    {
        state.counters["to_phone_bytes"] = toPhoneBytes() / per;
        state.counters["from_phone_bytes"] = fromPhoneBytes() / per;
        state.counters["to_phone_line_s"] = seconds(toPhoneBytes()) / per;
        state.counters["from_phone_line_s"] = seconds(fromPhoneBytes()) / per;
    }

private:
    const torvane::phonesim::Transcript& m_transcript;
    int m_baud;
    std::size_t m_toPhoneStart = 0;
    std::size_t m_fromPhoneStart = 0;
};

} // namespace benchsupport
