#include "engine/codec/GsmAlphabet.h"
#include "engine/codec/PduAddress.h"
#include "engine/codec/PduHex.h"
#include "engine/codec/Septets.h"
#include "engine/codec/SmsPdu.h"

#include <cstdint>
#include <cstring>

namespace zel {

namespace {

constexpr int kSingleSeptets = 160;
constexpr int kSingleOctets = 140;
constexpr int kPartSeptets = 152;
constexpr int kPartOctets = 134;
constexpr int kHeaderOctets = 6;  // 05 00 03 reference total sequence
constexpr int kHeaderSeptets = 7; // the header's 48 bits and one fill bit
constexpr int kSmscMaxOctets = 12;
constexpr int kDeliverMaxOctets = 1 + 12 + 1 + 1 + 7 + 1 + SMS_USER_DATA_SIZE;
static_assert(2 * (kSmscMaxOctets + kDeliverMaxOctets) + 2 <= SMS_PDU_BUFFER_SIZE,
              "the build buffer holds the longest PDU, its Ctrl-Z and a zero byte");

constexpr std::uint8_t kFirstDeliver = 0x04;       // SMS-DELIVER, no more messages waiting
constexpr std::uint8_t kFirstSubmit = 0x01;        // SMS-SUBMIT
constexpr std::uint8_t kValidityRelative = 0x10;   // relative validity period present
constexpr std::uint8_t kHeaderPresent = 0x40;      // user data starts with a header
constexpr std::uint8_t kCodingDefault = 0x00;      // default alphabet
constexpr std::uint8_t kCoding8BitClass2 = 0xF6;   // 8-bit data, class 2 (SIM)
constexpr std::uint8_t kPidPlain = 0x00;
constexpr std::uint8_t kPidOther = 0x7F;
constexpr int kModeSendPlain = -1;

// A number as the caller wrote it: an optional "+" (international), then its digits.
struct Digits {
    const char* start = nullptr;
    int count = 0;
    bool international = false;
};

// SMS_PDU_BAD_NUMBER_LENGTH, SMS_PDU_BAD_NUMBER_CHAR or 0 with the digits found.
int scanNumber(const char* text, Digits& digits)
{
    if (!text)
        return SMS_PDU_BAD_NUMBER_LENGTH;
    digits.international = text[0] == '+';
    digits.start = text + (digits.international ? 1 : 0);
    const std::size_t count = std::strlen(digits.start);
    if (count == 0 || count > PDU_ADDRESS_MAX_DIGITS)
        return SMS_PDU_BAD_NUMBER_LENGTH;
    for (std::size_t i = 0; i < count; ++i)
        if (digits.start[i] < '0' || digits.start[i] > '9')
            return SMS_PDU_BAD_NUMBER_CHAR;
    digits.count = static_cast<int>(count);
    return 0;
}

// The septets of text up to limit that end on a whole character: an escape whose code would
// fall beyond the limit stays out with it, or the phone would show the code's main-table
// character in place of the one meant.
int escapeSafeCut(const char* text, int limit)
{
    int cut = 0;
    while (cut < limit) {
        const int size = (text[cut] & 0x7F) == GSM_ESCAPE ? 2 : 1;
        if (cut + size > limit)
            break;
        cut += size;
    }
    return cut;
}

class HexWriter {
public:
    explicit HexWriter(char* out) : m_out(out) {}
    void octet(int value)
    {
        PduByteToHex(m_out + m_length, static_cast<std::uint8_t>(value));
        m_length += 2;
    }
    void octets(const std::uint8_t* bytes, int count)
    {
        PduBytesToHex(m_out + m_length, bytes, count);
        m_length += 2 * count;
    }
    void address(const Digits& digits)
    {
        m_length += EncodeAddress(m_out + m_length, digits.start, digits.count, !digits.international);
    }
    // The service-centre part counts octets, not digits: the type octet and the digit pairs.
    void serviceCentre(const Digits& digits)
    {
        char field[PDU_ADDRESS_MAX_DIGITS + 5];
        const int written = EncodeAddress(field, digits.start, digits.count, !digits.international);
        octet(1 + (digits.count + 1) / 2);
        std::memcpy(m_out + m_length, field + 2, static_cast<std::size_t>(written - 2));
        m_length += written - 2;
    }
    int length() const { return m_length; }

private:
    char* m_out;
    int m_length = 0;
};

} // namespace

int SmsPduEncode(const char* number, char* data, int length, SmsPduBuffer& pduBuffer, int reference,
                 int sequence, int total, int mode, const char* smsc, int& smscOctets, int validity)
{
    pduBuffer[0] = '\0';
    smscOctets = 0;
    Digits destination;
    if (const int refused = scanNumber(number, destination))
        return refused;

    const bool eightBit = length < 0 || reference < 0;
    long long count = length < 0 ? -static_cast<long long>(length) : length;
    const int concatReference = static_cast<int>((reference < 0 ? -static_cast<long long>(reference) : reference) & 0xFF);
    const bool concatenated = total >= 2;
    const int limit = concatenated ? (eightBit ? kPartOctets : kPartSeptets) : (eightBit ? kSingleOctets : kSingleSeptets);
    if (!data)
        count = 0;
    if (count > limit) {
        const int cut = eightBit ? limit : escapeSafeCut(data, limit);
        data[cut] = '\0';
        count = cut;
    }
    const int dataLength = static_cast<int>(count);

    HexWriter out(pduBuffer);
    Digits centre;
    if (scanNumber(smsc, centre) == 0) {
        out.serviceCentre(centre);
        smscOctets = out.length() / 2;
    } else {
        out.octet(0);
        smscOctets = 1;
    }

    const bool deliver = mode == 0 || mode == 1;
    const std::uint8_t header = concatenated ? kHeaderPresent : 0;
    if (deliver) {
        // A stored part carries its header flag too, or reading it back shows the header as text.
        out.octet(kFirstDeliver | header);
    } else {
        out.octet(kFirstSubmit | (validity >= 0 ? kValidityRelative : 0) | header);
        out.octet(0); // message reference: the phone picks it
    }
    out.address(destination);
    out.octet(mode == kModeSendPlain ? kPidPlain : kPidOther);
    out.octet(eightBit ? kCoding8BitClass2 : kCodingDefault);
    if (deliver) {
        for (int i = 0; i < 7; ++i)
            out.octet(0); // time stamp
    } else if (validity >= 0) {
        out.octet(validity > 255 ? 255 : validity);
    }

    std::uint8_t userData[SMS_USER_DATA_SIZE] = {};
    int userOctets = 0;
    int udl = dataLength;
    if (concatenated) {
        const std::uint8_t concatHeader[kHeaderOctets] = {
            0x05, 0x00, 0x03, static_cast<std::uint8_t>(concatReference),
            static_cast<std::uint8_t>(total & 0xFF), static_cast<std::uint8_t>(sequence & 0xFF)};
        std::memcpy(userData, concatHeader, sizeof concatHeader);
        if (eightBit) {
            if (dataLength > 0)
                std::memcpy(userData + kHeaderOctets, data, static_cast<std::size_t>(dataLength));
            userOctets = kHeaderOctets + dataLength;
            udl = dataLength + kHeaderOctets;
        } else {
            userOctets = packSeptetsAt(userData, 7 * kHeaderSeptets, data, dataLength);
            udl = dataLength + kHeaderSeptets;
        }
    } else if (eightBit) {
        if (dataLength > 0)
            std::memcpy(userData, data, static_cast<std::size_t>(dataLength));
        userOctets = dataLength;
    } else {
        userOctets = PackSeptets(userData, data, dataLength);
    }
    out.octet(udl);
    out.octets(userData, userOctets);

    const int hexLength = out.length();
    pduBuffer[hexLength] = SMS_CTRL_Z;
    pduBuffer[hexLength + 1] = '\0';
    return hexLength / 2;
}

} // namespace zel
