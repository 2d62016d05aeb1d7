// Helpers of the codec tests: input copied into blocks of its exact size (so AddressSanitizer
// reports any read past it) and output areas fenced by guard bytes (so a write past them shows).
#pragma once

#include "engine/codec/PduAddress.h"
#include "engine/codec/SmsPdu.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <string>
#include <string_view>

namespace codec_test {

constexpr unsigned char kGuard = 0xA5;

template <int N>
struct Fenced {
    unsigned char before[16];
    char area[N];
    unsigned char after[16];

    Fenced()
    {
        std::memset(before, kGuard, sizeof before);
        std::memset(area, kGuard, sizeof area);
        std::memset(after, kGuard, sizeof after);
    }
    bool intact() const
    {
        return std::all_of(std::begin(before), std::end(before), [](unsigned char c) { return c == kGuard; })
            && std::all_of(std::begin(after), std::end(after), [](unsigned char c) { return c == kGuard; });
    }
};

// Input text on the heap in a block of exactly its length, without a terminator.
class ExactText {
public:
    explicit ExactText(std::string_view text)
        : m_size(text.size()), m_data(new char[text.empty() ? 1 : text.size()])
    {
        std::memcpy(m_data.get(), text.data(), text.size());
    }
    const char* data() const { return m_data.get(); }
    int size() const { return static_cast<int>(m_size); }

private:
    std::size_t m_size;
    std::unique_ptr<char[]> m_data;
};

struct Decoded {
    bool ok = false;
    std::string text;
    std::string sender;
    std::string stamp; // the 14 hex characters the time stamp pointer shows, empty for null
    int reference = -1;
    int total = -1;
    int sequence = -1;
    bool fencesIntact = false;
    bool stampInsideInput = false;
};

// Decodes hexLength characters of an SMS-DELIVER (no service-centre part).
inline Decoded decodeTpdu(std::string_view hex)
{
    const ExactText input(hex);
    Fenced<zel::SMS_TEXT_AREA_SIZE> text;
    Fenced<zel::SMS_SENDER_AREA_SIZE> sender;
    Decoded out;
    int textLength = -1;
    const char* stamp = reinterpret_cast<const char*>(&out); // anything but null, to see it set
    out.ok = zel::SmsPduDecode(input.data(), input.size(), text.area, textLength, sender.area, stamp,
                               out.reference, out.total, out.sequence);
    out.fencesIntact = text.intact() && sender.intact();
    if (textLength >= 0 && textLength < zel::SMS_TEXT_AREA_SIZE && text.area[textLength] == '\0')
        out.text.assign(text.area, static_cast<std::size_t>(textLength));
    else
        out.text = "<no terminated text of length " + std::to_string(textLength) + ">";
    const char* senderEnd = static_cast<const char*>(std::memchr(sender.area, '\0', sizeof sender.area));
    out.sender = senderEnd ? std::string(sender.area, static_cast<std::size_t>(senderEnd - sender.area))
                            : std::string("<unterminated>");
    if (stamp) {
        out.stampInsideInput = stamp >= input.data() && stamp + 14 <= input.data() + input.size();
        if (out.stampInsideInput)
            out.stamp.assign(stamp, 14);
    }
    return out;
}

// Decodes a PDU line as the phone lists it: service-centre part, then the SMS-DELIVER.
inline Decoded decodeLine(std::string_view line)
{
    const ExactText input(line);
    const int skip = zel::serviceCentrePartLength(input.data(), input.size());
    if (skip < 0)
        return {};
    return decodeTpdu(line.substr(static_cast<std::size_t>(skip)));
}

// Whether a refused decode left exactly the documented defaults.
inline bool isRefusal(const Decoded& d)
{
    return !d.ok && d.text.empty() && d.sender.empty() && d.stamp.empty() && !d.stampInsideInput
        && d.reference == 0 && d.total == 1 && d.sequence == 1 && d.fencesIntact;
}

} // namespace codec_test
