// Feeds arbitrary input to the PDU reader three ways: as the PDU line the phone lists, as the
// octets of such a line (written as hex the way the phone writes them), and as message data
// that is built into a stored SMS-DELIVER and read back. Whatever the input, reading must stay
// inside the input and the caller's areas and leave either a well-formed message or the
// documented empty one; a message we built must read back as it was given.
#include "engine/codec/GsmAlphabet.h"
#include "engine/codec/PduAddress.h"
#include "engine/codec/PduHex.h"
#include "engine/codec/SmsPdu.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

using namespace zel;

namespace {

constexpr unsigned char kGuard = 0x5A;

struct Areas {
    unsigned char before[8];
    SmsTextArea text;
    unsigned char between[8];
    SmsSenderArea sender;
    unsigned char after[8];

    Areas()
    {
        std::memset(this, kGuard, sizeof *this);
    }
    bool fencesIntact() const
    {
        const auto intact = [](const unsigned char* p) { return std::all_of(p, p + 8, [](unsigned char c) { return c == kGuard; }); };
        return intact(before) && intact(between) && intact(after);
    }
};

void Require(bool condition)
{
    if (!condition)
        __builtin_trap();
}

struct Read {
    bool ok = false;
    int textLength = -1;
    int reference = -1;
    int total = -1;
    int sequence = -1;
};

Read readLine(const char* line, int length, Areas& areas)
{
    Read r;
    const int skip = serviceCentrePartLength(line, length);
    Require(skip == -1 || (skip >= 2 && skip <= length && skip % 2 == 0));
    if (skip < 0)
        return r;
    const char* hex = line + skip;
    const int hexLength = length - skip;
    const char* stamp = line; // anything but null, to see it set
    r.ok = SmsPduDecode(hex, hexLength, areas.text, r.textLength, areas.sender, stamp, r.reference, r.total, r.sequence);
    Require(areas.fencesIntact());
    Require(std::memchr(areas.sender, '\0', sizeof areas.sender) != nullptr);
    if (!r.ok) {
        Require(r.textLength == 0 && areas.text[0] == '\0' && areas.sender[0] == '\0' && stamp == nullptr);
        Require(r.reference == 0 && r.total == 1 && r.sequence == 1);
        return r;
    }
    Require(r.textLength >= 0 && r.textLength <= SMS_MAX_SEPTETS && areas.text[r.textLength] == '\0');
    Require(stamp >= hex && stamp + 14 <= hex + hexLength);
    Require(r.total >= 1 && r.sequence >= 1 && r.sequence <= r.total && r.total <= 255);
    Require(r.reference >= 0 && r.reference <= 0xFFFF);
    return r;
}

// The input's first byte chooses the kind of message, the second its reference; the rest is data.
void buildAndReadBack(const std::uint8_t* input, std::size_t size)
{
    if (size < 2)
        return;
    const int flags = input[0];
    const bool eightBit = flags & 1;
    const int total = (flags & 2) ? 2 + ((flags >> 2) & 3) : 1;
    const int sequence = 1 + (flags >> 4) % total;
    const int reference = input[1];
    char data[SMS_TEXT_AREA_SIZE];
    const int length = static_cast<int>(std::min<std::size_t>(size - 2, sizeof data));
    std::memcpy(data, input + 2, static_cast<std::size_t>(length));

    // 7-bit: the data is Latin-1 text, taken the way the send job takes it. It reads back with
    // each character the alphabet lacks as a blank, cut after the last whole character that fits.
    const int limit = total >= 2 ? (eightBit ? 134 : 152) : (eightBit ? 140 : 160);
    char expected[SMS_TEXT_AREA_SIZE];
    int kept = 0;
    for (int i = 0, septets = 0; i < length; ++i) {
        const int size = eightBit ? 1 : std::max(1, SmsLatinSeptets(data[i]));
        if (septets + size > limit)
            break;
        septets += size;
        expected[kept++] = eightBit || SmsLatinSeptets(data[i]) > 0 ? data[i] : ' ';
    }
    const int septets = eightBit ? -length : SmsLatinToGsm(data, length, static_cast<int>(sizeof data));

    SmsPduBuffer pdu;
    int smscOctets = 0;
    const int octets = SmsPduEncode("+491701234567", data, septets, pdu, reference, sequence, total, 0, "+4917",
                                    smscOctets, -1);
    Require(octets > smscOctets && 2 * octets + 1 < SMS_PDU_BUFFER_SIZE);
    Require(pdu[2 * octets] == SMS_CTRL_Z && pdu[2 * octets + 1] == '\0');

    std::vector<char> line(pdu, pdu + 2 * octets);
    Areas areas;
    const Read r = readLine(line.data(), static_cast<int>(line.size()), areas);
    Require(r.ok && r.textLength == kept && std::memcmp(areas.text, expected, static_cast<std::size_t>(kept)) == 0);
    Require(std::strcmp(areas.sender, "+491701234567") == 0);
    Require(r.total == total && r.sequence == sequence && r.reference == (total >= 2 ? reference : 0));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size > 4096)
        return 0;
    {
        Areas areas;
        readLine(reinterpret_cast<const char*>(data), static_cast<int>(size), areas);
    }
    if (size <= 200) {
        std::vector<char> hex(2 * size);
        PduBytesToHex(hex.data(), data, static_cast<int>(size));
        Areas areas;
        readLine(hex.data(), static_cast<int>(hex.size()), areas);
    }
    buildAndReadBack(data, size);
    return 0;
}
