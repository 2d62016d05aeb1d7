#include "engine/codec/PduHex.h"

namespace zel {

namespace {
constexpr char kUpperHex[] = "0123456789ABCDEF";
}

int hexDigitValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

int hexOctet(const char* hex)
{
    const int high = hexDigitValue(hex[0]);
    if (high < 0)
        return -1;
    const int low = hexDigitValue(hex[1]);
    if (low < 0)
        return -1;
    return high * 16 + low;
}

void PduByteToHex(char* out, std::uint8_t byte)
{
    out[0] = kUpperHex[byte >> 4];
    out[1] = kUpperHex[byte & 0x0F];
}

void PduBytesToHex(char* out, const void* bytes, int count)
{
    const auto* in = static_cast<const std::uint8_t*>(bytes);
    for (int i = 0; i < count; ++i)
        PduByteToHex(out + 2 * i, in[i]);
}

bool PduHexToBytes(std::uint8_t* out, int outSize, const char* hex, int hexLength)
{
    if (hexLength < 0 || hexLength % 2 != 0 || hexLength / 2 > outSize)
        return false;
    for (int i = 0; i < hexLength / 2; ++i) {
        const int octet = hexOctet(hex + 2 * i);
        if (octet < 0)
            return false;
        out[i] = static_cast<std::uint8_t>(octet);
    }
    return true;
}

int SemiOctetPair(const char* pair)
{
    if (pair[0] < '0' || pair[0] > '9' || pair[1] < '0' || pair[1] > '9')
        return -1;
    return (pair[1] - '0') * 10 + (pair[0] - '0');
}

} // namespace zel
