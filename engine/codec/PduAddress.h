// Addresses inside PDUs: a phone's number in swapped semi-octets, or a sender's name in septets,
// and the service-centre part in front of every PDU the phone lists.
#pragma once

namespace zel {

// Most semi-octets (digits, or name nibbles) an address may carry: ten octets of value.
constexpr int PDU_ADDRESS_MAX_DIGITS = 20;

// Writes an address field as hex at out: two characters of the digit count, "81" (national) or
// "91" (international), then the digits in swapped pairs with "F" filling an odd last pair.
// digits must hold count decimal digits; out needs count + 5 characters. No terminator.
// Returns the characters written: count + 4, plus 1 for an odd count.
int EncodeAddress(char* out, const char* digits, int count, bool national);

// Reads an address field from hexLength characters of hex into out (outSize bytes, always ended
// by a zero byte). Every type of number is read: an alphanumeric one (type of number 5) gives its
// name unpacked from septets in Latin-1; any other gives its digits, with a leading "+" only when
// the type of number is international, and the semi-octets A to E as "*", "#", "a", "b", "c".
// Returns the hex characters the field takes, or -1 (out then empty) when the field is cut short,
// claims more than 20 semi-octets, has a filler other than "F" after an odd count or an "F" among
// its digits, holds a character that is not a hex digit, or does not fit out.
int DecodeAddress(const char* hex, char* out, int outSize, int hexLength);

// The hex characters of the service-centre part that leads a PDU line from the phone: its length
// octet and the octets that octet counts (0 to 11). -1 when the line is too short for them or
// the length octet is not hex or out of range.
int serviceCentrePartLength(const char* hex, int hexLength);

} // namespace zel
