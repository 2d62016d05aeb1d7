// Hex text of PDUs and melody payloads: upper-case on the way out, either case on the way in.
#pragma once

#include <cstdint>

namespace zel {

// The value of one hex digit in either case, or -1 for any other character.
int hexDigitValue(char c);

// The octet written as the two hex characters at hex, or -1 when either is not a hex digit.
int hexOctet(const char* hex);

// Two upper-case hex characters for byte at out; no terminator.
void PduByteToHex(char* out, std::uint8_t byte);

// 2 * count upper-case hex characters at out; no terminator. Nothing for count <= 0.
void PduBytesToHex(char* out, const void* bytes, int count);

// hexLength / 2 bytes from hex into out. False on an odd or negative length, when out has fewer
// than hexLength / 2 bytes of room (outSize), or on a character that is not a hex digit; out may
// then hold the bytes converted before the bad character.
bool PduHexToBytes(std::uint8_t* out, int outSize, const char* hex, int hexLength);

// Two characters "xy" of a swapped semi-octet pair give 10 * y + x; -1 when either is not a
// decimal digit (a time stamp's time-zone pair may carry a sign nibble).
int SemiOctetPair(const char* pair);

} // namespace zel
