// Names and numbers on their way to and from the phone: the PC characters that the phone
// stores under other codes, the characters a name for the phone may not hold, and the
// characters a phone number may hold.
#pragma once

#include <array>
#include <string>
#include <string_view>

namespace brevik {

struct GsmNamePair {
    unsigned char pc;  // Latin-1
    unsigned char gsm; // the phone's code
};
// Searched from the first pair, in both directions.
extern const std::array<GsmNamePair, 26> GsmNameTable;

// "{}[]²³µ": a name bound for the phone may not contain them.
extern const std::string_view RefusedNameCharacters;

// A name for the phone: an empty name becomes " "; each 'Ö' is taken as 'ö' first (the phone
// gets 0x7C for it, never 0x5C); then every character of the table's PC column becomes its
// code, the others pass unchanged.
std::string PhonebookNameToGsm(std::string_view source);
// A name from the phone: every code of the table's GSM column becomes its PC character.
std::string PhonebookNameFromGsm(std::string_view source);
// Copies source without the refused characters; 1 when none was there, 0 when some were removed.
int StripRefusedCharacters(std::string_view source, std::string& target);

// A phone number as the phone takes it: digits, '#', '*', '+' and '?', and blanks where they
// are allowed (numbers bound for the address book); everything else, '-', '/' and brackets
// included, is dropped.
std::string FilterPhoneNumber(std::string_view number, bool blanksAllowed);

} // namespace brevik
