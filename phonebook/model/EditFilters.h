// What the editor lets through while a name, number or status is typed, in the preview row and
// in the entry dialog. Texts are Latin-1; a selection is [start, end) in characters.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace brevik {

struct EditText {
    std::string text;
    int selStart = 0;
    int selEnd = 0;
    bool operator==(const EditText&) const = default;
};

// A number as typed: digits and '#', '*', '+', '-', '/', '?', and blanks where allowed.
bool IsValidNumberText(std::string_view text, bool blanksAllowed);

// A number just changed: nothing to do while it is valid; otherwise the text keeps only what
// a number keeps (FilterPhoneNumber, so '-' and '/' go too) and the selection moves one back,
// never before the start.
std::optional<EditText> CorrectNumberChange(const EditText& typed, bool blanksAllowed);

// A name bound for the phone, as it is typed: cut to nameLength, then without the refused
// characters; the selection stays where it was as far as the text reaches, and goes back by
// the characters removed before it. Nothing when the name was acceptable.
std::optional<EditText> LimitPhoneName(const EditText& typed, int nameLength);

// A number bound for the phone, as it is typed: cut to numberLength, one more when it begins
// with '+'. Nothing when it fits.
std::optional<EditText> LimitPhoneNumber(const EditText& typed, int numberLength);

// The name without its trailing blanks; its first character always stays.
std::string TrimTrailingBlanks(std::string name);

// The status of a new entry typed into the entry dialog: its first character when that is
// " " or "!", else " ".
std::string NewEntryStatus(std::string_view typed);
// The status of a changed entry: as for a new one, but "!" whenever the second character is "!".
std::string ChangedEntryStatus(std::string_view typed);

// The status typed into the preview row is taken when it is "!", " " or empty.
bool IsAcceptedPreviewStatus(std::string_view typed);

// The decimal value of an index text as the C library reads it (leading blanks and a sign,
// then digits; 0 when there are none).
int IndexFromText(std::string_view text);

} // namespace brevik
