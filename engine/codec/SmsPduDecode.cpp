#include "engine/codec/GsmAlphabet.h"
#include "engine/codec/PduAddress.h"
#include "engine/codec/PduHex.h"
#include "engine/codec/Septets.h"
#include "engine/codec/SmsPdu.h"

#include <cstdint>
#include <cstring>

namespace zel {

namespace {

// The shortest SMS-DELIVER (empty address and text) and the longest (20-digit address, 140
// user-data octets), in hex characters.
constexpr int kMinDeliverHex = 2 * 13;
constexpr int kMaxDeliverHex = 2 * 163;
constexpr int kTimeStampHex = 14;

constexpr int kMessageTypeMask = 0x03;
constexpr int kMessageTypeSubmit = 0x01;
constexpr int kMessageTypeStatusReport = 0x02;
constexpr int kHeaderPresent = 0x40;

constexpr int kElementConcat8 = 0x00;
constexpr int kElementConcat16 = 0x08;

enum class Coding { Septets, Octets, Ucs2, Unreadable };

// The alphabet a data coding scheme announces (GSM 03.38, section 4).
Coding codingOf(int dcs)
{
    const int group = dcs >> 4;
    if (group <= 0x7) {
        // General data coding and the automatic-deletion group share their lower bits.
        if (dcs & 0x20)
            return Coding::Unreadable; // compressed text
        switch ((dcs >> 2) & 0x3) {
        case 1: return Coding::Octets;
        case 2: return Coding::Ucs2;
        default: return Coding::Septets;
        }
    }
    if (group == 0xE)
        return Coding::Ucs2; // message waiting indication, UCS2 text
    if (group == 0xF)
        return (dcs & 0x04) ? Coding::Octets : Coding::Septets;
    return Coding::Septets; // reserved groups and message waiting indication in the default alphabet
}

struct Concat {
    int reference = 0;
    int total = 1;
    int sequence = 1;
};

// Walks the header's information elements; false when one overruns the header. The first
// concatenation element whose numbers make sense gives reference, total and sequence.
bool readHeader(const std::uint8_t* header, int length, Concat& concat)
{
    bool found = false;
    int at = 0;
    while (at < length) {
        if (at + 2 > length)
            return false;
        const int id = header[at];
        const int size = header[at + 1];
        const std::uint8_t* value = header + at + 2;
        if (at + 2 + size > length)
            return false;
        if (!found && ((id == kElementConcat8 && size == 3) || (id == kElementConcat16 && size == 4))) {
            const int reference = id == kElementConcat8 ? value[0] : value[0] * 256 + value[1];
            const int total = value[size - 2];
            const int sequence = value[size - 1];
            // GSM 03.40 has a receiver ignore an element with no parts or a part beyond the last.
            if (total != 0 && sequence != 0 && sequence <= total) {
                concat = {reference, total, sequence};
                found = true;
            }
        }
        at += 2 + size;
    }
    return true;
}

// UCS2 to Latin-1; a character beyond Latin-1 (a surrogate pair being one character) gives "?".
int ucs2ToLatin(const std::uint8_t* octets, int count, char* out)
{
    int written = 0;
    for (int i = 0; i + 1 < count; i += 2) {
        const unsigned unit = octets[i] * 256u + octets[i + 1];
        if (unit <= 0xFF) {
            out[written++] = static_cast<char>(unit);
            continue;
        }
        out[written++] = '?';
        const bool highSurrogate = unit >= 0xD800 && unit <= 0xDBFF;
        if (highSurrogate && i + 3 < count) {
            const unsigned next = octets[i + 2] * 256u + octets[i + 3];
            if (next >= 0xDC00 && next <= 0xDFFF)
                i += 2;
        }
    }
    return written;
}

bool decode(const char* hex, int hexLength, SmsTextArea& text, int& textLength, SmsSenderArea& sender,
            const char*& timeStamp, Concat& concat)
{
    if (!hex || hexLength < kMinDeliverHex || hexLength > kMaxDeliverHex || hexLength % 2 != 0)
        return false;
    const int first = hexOctet(hex);
    if (first < 0)
        return false;
    const int type = first & kMessageTypeMask;
    if (type == kMessageTypeSubmit || type == kMessageTypeStatusReport)
        return false; // the other type code is read as a deliver, as GSM 03.40 asks of a phone

    const int addressHex = DecodeAddress(hex + 2, sender, SMS_SENDER_AREA_SIZE, hexLength - 2);
    if (addressHex < 0)
        return false;
    int at = 2 + addressHex;
    // Protocol identifier, data coding, time stamp and user-data length.
    if (at + 4 + kTimeStampHex + 2 > hexLength)
        return false;
    const int dcs = hexOctet(hex + at + 2);
    const int udl = hexOctet(hex + at + 4 + kTimeStampHex);
    if (hexOctet(hex + at) < 0 || dcs < 0 || udl < 0)
        return false;
    const char* stamp = hex + at + 4;
    for (int i = 0; i < kTimeStampHex; ++i)
        if (hexDigitValue(stamp[i]) < 0)
            return false;
    at += 4 + kTimeStampHex + 2;

    const Coding coding = codingOf(dcs);
    if (coding == Coding::Unreadable)
        return false;
    const bool septets = coding == Coding::Septets;
    if (udl > (septets ? SMS_MAX_SEPTETS : SMS_USER_DATA_SIZE))
        return false;
    const int userOctets = septets ? septetOctets(udl) : udl;
    if (hexLength - at != 2 * userOctets)
        return false;
    std::uint8_t userData[SMS_USER_DATA_SIZE];
    if (!PduHexToBytes(userData, SMS_USER_DATA_SIZE, hex + at, 2 * userOctets))
        return false;

    int headerOctets = 0;
    if (first & kHeaderPresent) {
        if (userOctets < 1)
            return false;
        headerOctets = 1 + userData[0];
        if (headerOctets > userOctets || !readHeader(userData + 1, headerOctets - 1, concat))
            return false;
    }

    int length = 0;
    if (septets) {
        // The text starts at the first septet boundary after the header (fill bits between).
        const int headerSeptets = (headerOctets * 8 + 6) / 7;
        if (headerSeptets > udl)
            return false;
        const int septetCount = udl - headerSeptets;
        if (!unpackSeptetsAt(text, 7 * headerSeptets, septetCount, userData, userOctets))
            return false;
        length = SmsGsmToLatin(text, septetCount);
    } else if (coding == Coding::Octets) {
        length = userOctets - headerOctets;
        std::memcpy(text, userData + headerOctets, static_cast<std::size_t>(length));
    } else {
        if ((userOctets - headerOctets) % 2 != 0)
            return false;
        length = ucs2ToLatin(userData + headerOctets, userOctets - headerOctets, text);
    }
    text[length] = '\0';
    textLength = length;
    timeStamp = stamp;
    return true;
}

} // namespace

bool SmsPduDecode(const char* hex, int hexLength, SmsTextArea& text, int& textLength, SmsSenderArea& sender,
                  const char*& timeStamp, int& reference, int& total, int& sequence)
{
    Concat concat;
    textLength = 0;
    timeStamp = nullptr;
    const bool decoded = decode(hex, hexLength, text, textLength, sender, timeStamp, concat);
    if (!decoded) {
        concat = {};
        text[0] = '\0';
        sender[0] = '\0';
        textLength = 0;
        timeStamp = nullptr;
    }
    reference = concat.reference;
    total = concat.total;
    sequence = concat.sequence;
    return decoded;
}

} // namespace zel
