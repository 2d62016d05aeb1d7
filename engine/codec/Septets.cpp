#include "engine/codec/Septets.h"

namespace zel {

int septetOctets(int count)
{
    return count > 0 ? (count * 7 + 7) / 8 : 0;
}

int packSeptetsAt(std::uint8_t* out, int firstBit, const char* text, int count)
{
    if (count < 0)
        count = 0;
    const int used = (firstBit + 7 * count + 7) / 8;
    const int first = firstBit / 8;
    if (first < used) {
        out[first] &= static_cast<std::uint8_t>((1u << (firstBit % 8)) - 1u);
        for (int i = first + 1; i < used; ++i)
            out[i] = 0;
    }
    for (int i = 0; i < count; ++i) {
        const unsigned value = static_cast<unsigned char>(text[i]) & 0x7Fu;
        const int bit = firstBit + 7 * i;
        const int index = bit / 8;
        const int shift = bit % 8;
        out[index] |= static_cast<std::uint8_t>(value << shift);
        if (shift > 1)
            out[index + 1] |= static_cast<std::uint8_t>(value >> (8 - shift));
    }
    return used;
}

int PackSeptets(std::uint8_t* out, const char* text, int count)
{
    packSeptetsAt(out, 0, text, count);
    return septetOctets(count);
}

bool unpackSeptetsAt(char* out, int firstBit, int count, const std::uint8_t* octets, int octetCount)
{
    if (firstBit < 0 || count < 0 || octetCount < 0)
        return false;
    if (static_cast<long long>(firstBit) + 7LL * count > 8LL * octetCount)
        return false;
    for (int i = 0; i < count; ++i) {
        const int bit = firstBit + 7 * i;
        const int index = bit / 8;
        const int shift = bit % 8;
        unsigned value = static_cast<unsigned>(octets[index]) >> shift;
        if (shift > 1)
            value |= static_cast<unsigned>(octets[index + 1]) << (8 - shift);
        out[i] = static_cast<char>(value & 0x7Fu);
    }
    return true;
}

bool UnpackSeptets(char* out, int septetCount, const std::uint8_t* octets, int octetCount)
{
    if (septetCount < 0 || octetCount != septetOctets(septetCount))
        return false;
    return unpackSeptetsAt(out, 0, septetCount, octets, octetCount);
}

} // namespace zel
