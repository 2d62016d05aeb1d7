#include "engine/codec/PduAddress.h"

#include "engine/codec/GsmAlphabet.h"
#include "engine/codec/PduHex.h"
#include "engine/codec/Septets.h"

#include <cstdint>

namespace zel {

namespace {

constexpr int kTypeOfNumberInternational = 1;
constexpr int kTypeOfNumberAlphanumeric = 5;
// An address type octet and up to ten value octets follow the service-centre length octet.
constexpr int kServiceCentreMaxOctets = 11;

// Semi-octet values 10 to 14 in a dialled number stand for these keys and pause characters.
constexpr char kExtendedDigits[] = "*#abc";

bool decodeDigits(const char* value, int count, bool international, char* out, int outSize)
{
    int written = 0;
    if (international) {
        if (outSize < 2)
            return false;
        out[written++] = '+';
    }
    if (written + count >= outSize)
        return false;
    for (int i = 0; i < count; ++i) {
        // Pairs come low nibble first: the text "21" holds the digits 1 then 2.
        const int nibble = hexDigitValue(value[(i % 2 == 0) ? i + 1 : i - 1]);
        if (nibble < 0 || nibble == 0xF)
            return false;
        out[written++] = nibble < 10 ? static_cast<char>('0' + nibble) : kExtendedDigits[nibble - 10];
    }
    if (count % 2 != 0) {
        const char filler = value[count - 1];
        if (filler != 'F' && filler != 'f')
            return false;
    }
    out[written] = '\0';
    return true;
}

bool decodeName(const char* value, int count, char* out, int outSize)
{
    std::uint8_t octets[PDU_ADDRESS_MAX_DIGITS / 2];
    const int octetCount = (count + 1) / 2;
    if (!PduHexToBytes(octets, sizeof octets, value, 2 * octetCount))
        return false;
    // The count is in semi-octets; the name has as many septets as fit in them.
    const int septets = count * 4 / 7;
    if (septets >= outSize)
        return false;
    if (!unpackSeptetsAt(out, 0, septets, octets, octetCount))
        return false;
    out[SmsGsmToLatin(out, septets)] = '\0';
    return true;
}

} // namespace

int EncodeAddress(char* out, const char* digits, int count, bool national)
{
    PduByteToHex(out, static_cast<std::uint8_t>(count));
    out[2] = national ? '8' : '9';
    out[3] = '1';
    int written = 4;
    for (int i = 0; i < count; i += 2) {
        out[written++] = (i + 1 < count) ? digits[i + 1] : 'F';
        out[written++] = digits[i];
    }
    return written;
}

int DecodeAddress(const char* hex, char* out, int outSize, int hexLength)
{
    if (outSize <= 0)
        return -1;
    out[0] = '\0';
    if (hexLength < 4)
        return -1;
    const int count = hexOctet(hex);
    const int type = hexOctet(hex + 2);
    if (count < 0 || count > PDU_ADDRESS_MAX_DIGITS || type < 0)
        return -1;
    const int consumed = 4 + 2 * ((count + 1) / 2);
    if (consumed > hexLength)
        return -1;
    const int typeOfNumber = (type >> 4) & 0x7;
    const bool decoded = typeOfNumber == kTypeOfNumberAlphanumeric
        ? decodeName(hex + 4, count, out, outSize)
        : decodeDigits(hex + 4, count, typeOfNumber == kTypeOfNumberInternational, out, outSize);
    if (!decoded) {
        out[0] = '\0';
        return -1;
    }
    return consumed;
}

int serviceCentrePartLength(const char* hex, int hexLength)
{
    if (hexLength < 2)
        return -1;
    const int octets = hexOctet(hex);
    if (octets < 0 || octets > kServiceCentreMaxOctets || 2 + 2 * octets > hexLength)
        return -1;
    return 2 + 2 * octets;
}

} // namespace zel
