// The phone's text alphabet: the GSM default alphabet, reached from Latin-1 through a small
// table of the characters our users type (German umlauts, at sign, dollar sign).
#pragma once

namespace zel {

// Maps length bytes in place, Latin-1 to GSM: CR and LF stay, the at sign, dollar sign, umlauts
// and sharp s take their GSM codes, other printable ASCII stays, anything else becomes a blank.
void SmsLatinToGsm(char* buffer, int length);

// Maps length bytes in place, GSM to Latin-1: the reverse of the table above; every other byte
// stays as it is.
void SmsGsmToLatin(char* buffer, int length);

} // namespace zel
