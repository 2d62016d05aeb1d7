#include "platform/midi/SmfReader.h"

#include "platform/midi/MidiOutputs.h"

#include <algorithm>
#include <cstring>

namespace torvane::midi {
namespace {

constexpr std::uint32_t DEFAULT_TEMPO = 500000; // microseconds per quarter: 120 beats per minute
constexpr std::uint8_t META = 0xFF;
constexpr std::uint8_t META_TEMPO = 0x51;
constexpr std::uint8_t META_END_OF_TRACK = 0x2F;

class Cursor {
public:
    explicit Cursor(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}
    bool atEnd() const { return pos_ >= bytes_.size(); }
    std::size_t left() const { return bytes_.size() - pos_; }

    bool byte(std::uint8_t& value)
    {
        if (atEnd())
            return false;
        value = bytes_[pos_++];
        return true;
    }
    bool peek(std::uint8_t& value) const
    {
        if (atEnd())
            return false;
        value = bytes_[pos_];
        return true;
    }
    bool be32(std::uint32_t& value)
    {
        if (left() < 4)
            return false;
        value = std::uint32_t(bytes_[pos_]) << 24 | std::uint32_t(bytes_[pos_ + 1]) << 16
              | std::uint32_t(bytes_[pos_ + 2]) << 8 | bytes_[pos_ + 3];
        pos_ += 4;
        return true;
    }
    bool be16(std::uint16_t& value)
    {
        if (left() < 2)
            return false;
        value = std::uint16_t(bytes_[pos_] << 8 | bytes_[pos_ + 1]);
        pos_ += 2;
        return true;
    }
    // A variable-length quantity: at most four bytes of seven bits.
    bool varLength(std::uint32_t& value)
    {
        value = 0;
        for (int i = 0; i < 4; ++i) {
            std::uint8_t b = 0;
            if (!byte(b))
                return false;
            value = value << 7 | (b & 0x7F);
            if (!(b & 0x80))
                return true;
        }
        return false;
    }
    bool tag(const char (&name)[5])
    {
        if (left() < 4 || std::memcmp(bytes_.data() + pos_, name, 4) != 0)
            return false;
        pos_ += 4;
        return true;
    }
    bool skip(std::size_t count)
    {
        if (left() < count)
            return false;
        pos_ += count;
        return true;
    }
    std::span<const std::uint8_t> take(std::size_t count)
    {
        auto part = bytes_.subspan(pos_, count);
        pos_ += count;
        return part;
    }

private:
    std::span<const std::uint8_t> bytes_;
    std::size_t pos_ = 0;
};

struct TickEvent {
    std::uint64_t tick;
    std::uint32_t order; // the file's order, for events at one tick
    bool isTempo;
    std::uint32_t value; // the message, or microseconds per quarter
};

// Reads one track's events with their absolute ticks; the end of the track's data or its
// end-of-track event ends it.
bool readTrack(std::span<const std::uint8_t> data, std::vector<TickEvent>& out, std::uint64_t& endTick,
               std::size_t& channelEvents)
{
    Cursor in(data);
    std::uint64_t tick = 0;
    std::uint8_t running = 0;
    while (!in.atEnd()) {
        std::uint32_t delta = 0;
        if (!in.varLength(delta))
            return false;
        tick += delta;
        std::uint8_t status = 0;
        if (!in.peek(status))
            return false;
        if (status & 0x80) {
            in.byte(status);
        } else if (running) {
            status = running; // running status: the data byte is still to read
        } else {
            return false;
        }

        if (status == META) {
            std::uint8_t type = 0;
            std::uint32_t length = 0;
            if (!in.byte(type) || !in.varLength(length) || in.left() < length)
                return false;
            const auto payload = in.take(length);
            if (type == META_TEMPO) {
                if (length != 3)
                    return false;
                const std::uint32_t micros = std::uint32_t(payload[0]) << 16 | std::uint32_t(payload[1]) << 8 | payload[2];
                out.push_back({tick, std::uint32_t(out.size()), true, micros == 0 ? 1u : micros});
            } else if (type == META_END_OF_TRACK) {
                endTick = std::max(endTick, tick);
                return true;
            }
            continue;
        }
        if (status == 0xF0 || status == 0xF7) {
            std::uint32_t length = 0;
            if (!in.varLength(length) || !in.skip(length))
                return false;
            running = 0;
            continue;
        }
        const int length = shortMessageLength(status);
        if (length == 0)
            return false; // system common and real-time bytes have no place in a file
        running = status;
        std::uint8_t d1 = 0;
        std::uint8_t d2 = 0;
        if (!in.byte(d1) || (d1 & 0x80))
            return false;
        if (length == 3 && (!in.byte(d2) || (d2 & 0x80)))
            return false;
        if (++channelEvents > SMF_MAX_EVENTS)
            return false;
        out.push_back({tick, std::uint32_t(out.size()), false, packShortMessage(status, d1, d2)});
        endTick = std::max(endTick, tick);
    }
    endTick = std::max(endTick, tick);
    return true;
}

} // namespace

std::optional<SmfSequence> readSmf(std::span<const std::uint8_t> bytes)
{
    Cursor in(bytes);
    std::uint32_t headerLength = 0;
    std::uint16_t format = 0;
    std::uint16_t tracks = 0;
    std::uint16_t division = 0;
    if (!in.tag("MThd") || !in.be32(headerLength) || headerLength < 6 || !in.be16(format) || !in.be16(tracks)
        || !in.be16(division) || !in.skip(headerLength - 6))
        return std::nullopt;
    // Frame-based time and the format of independent sequences are not ours to play.
    if (format > 1 || tracks == 0 || division == 0 || (division & 0x8000))
        return std::nullopt;

    std::vector<TickEvent> events;
    std::uint64_t endTick = 0;
    std::size_t channelEvents = 0;
    for (int t = 0; t < tracks; ++t) {
        // Chunks of other kinds are skipped, as the format asks of readers.
        for (;;) {
            std::uint32_t length = 0;
            if (in.tag("MTrk")) {
                if (!in.be32(length) || in.left() < length)
                    return std::nullopt;
                std::vector<TickEvent> track;
                if (!readTrack(in.take(length), track, endTick, channelEvents))
                    return std::nullopt;
                for (TickEvent& e : track) {
                    e.order = std::uint32_t(events.size());
                    events.push_back(e);
                }
                break;
            }
            if (!in.skip(4) || !in.be32(length) || !in.skip(length))
                return std::nullopt;
        }
    }

    std::stable_sort(events.begin(), events.end(),
                     [](const TickEvent& a, const TickEvent& b) { return a.tick < b.tick; });

    SmfSequence sequence;
    sequence.events.reserve(channelEvents);
    // Microseconds are summed per tempo segment, so the rounding of one does not creep on.
    std::uint64_t segmentTick = 0;
    std::int64_t segmentMicros = 0;
    std::uint32_t tempo = DEFAULT_TEMPO;
    auto timeAt = [&](std::uint64_t tick) {
        const unsigned __int128 span = (unsigned __int128)(tick - segmentTick) * tempo / division;
        const unsigned __int128 total = (unsigned __int128)segmentMicros + span;
        return total > (unsigned __int128)INT64_MAX ? INT64_MAX : std::int64_t(total);
    };
    for (const TickEvent& e : events) {
        const std::int64_t at = timeAt(e.tick);
        if (e.isTempo) {
            segmentMicros = at;
            segmentTick = e.tick;
            tempo = e.value;
        } else {
            sequence.events.push_back({at, e.value});
        }
    }
    sequence.lengthMicros = timeAt(std::max(endTick, segmentTick));
    return sequence;
}

} // namespace torvane::midi
