// GSM 03.38 septet packing: 7-bit values laid out least significant bit first, octet after octet.
#pragma once

#include <cstdint>

namespace zel {

// Octets that count septets fill: (count * 7 + 7) / 8, 0 for no septets.
int septetOctets(int count);

// Packs count 7-bit values of text (the top bit of each byte is ignored) into out, which must
// hold septetOctets(count) octets. Returns that octet count.
int PackSeptets(std::uint8_t* out, const char* text, int count);

// Unpacks septetCount 7-bit values into out (septetCount bytes). Succeeds only when octetCount is
// exactly the octets those septets fill.
bool UnpackSeptets(char* out, int septetCount, const std::uint8_t* octets, int octetCount);

// Packs count septets starting at bit firstBit of out (bit 0 = least significant bit of out[0]).
// Bits below firstBit keep their value, the bits after the last septet up to the end of its
// octet are cleared. Returns the octets used from out[0] on: (firstBit + 7 * count + 7) / 8.
int packSeptetsAt(std::uint8_t* out, int firstBit, const char* text, int count);

// Unpacks count septets from bit firstBit of octets on into out. False, with nothing written,
// when octetCount octets do not hold them all.
bool unpackSeptetsAt(char* out, int firstBit, int count, const std::uint8_t* octets, int octetCount);

} // namespace zel
