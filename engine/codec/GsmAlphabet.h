// The phone's text alphabet: the GSM 03.38 default alphabet and its extension table, reached
// from Latin-1. A character of the extension table travels as the escape code followed by its
// code there, so it takes two septets.
#pragma once

namespace zel {

constexpr char GSM_ESCAPE = 0x1B;

// Maps length bytes of Latin-1 text in place to GSM codes, one septet a byte, and returns the
// septets written. Every character the GSM alphabet holds goes to its code (CR and LF stay),
// [ \ ] ^ { | } ~ and form feed to the escape and their extension code; anything else becomes a
// blank. The text grows by one byte per escape: characters that would not fit into capacity
// bytes are left out, whole (an escape never ends the text without its code).
int SmsLatinToGsm(char* buffer, int length, int capacity);

// Maps length GSM codes in place to Latin-1 and returns the characters written (fewer than
// length when escapes were read). A code whose character Latin-1 lacks (the Greek capitals,
// the euro sign) becomes "?"; an escape before a code the extension table does not hold reads
// as that code of the default table, a lone escape and a doubled one as a blank.
int SmsGsmToLatin(char* buffer, int length);

// Septets a Latin-1 character takes on the phone: 1, or 2 for one of the extension table; 0
// for a character the GSM alphabet lacks (it goes as a blank).
int SmsLatinSeptets(char c);

} // namespace zel
