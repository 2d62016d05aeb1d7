// Text rules of vCard files: escaping of text values, the UTF-8 of the files against the
// Latin-1 bytes of the suite, and folding of long lines.
#pragma once

#include <string>
#include <string_view>

namespace torvane::mapi::vcard {

// Undoes the backslash escapes of a text value (\\ \, \; \: \n \N); other backslashes stay.
std::string unescapeText(std::string_view value);
// Escapes backslash, comma, semicolon and line breaks (a CR is dropped).
std::string escapeText(std::string_view text);

// File bytes to the suite's Latin-1: valid UTF-8 is decoded (characters beyond Latin-1 become
// '?'); anything else is taken as Latin-1 already, as older programs wrote it.
std::string toLatin1(std::string_view fileText);
// Latin-1 bytes to UTF-8.
std::string fromLatin1(std::string_view latin1);

// One content line ready for the file: folded after 75 octets (never inside a UTF-8
// sequence), continuation lines beginning with a blank, every line ended by eol.
std::string foldLine(std::string_view line, std::string_view eol);

// ASCII case-insensitive comparisons for names and parameter values.
bool equalsNoCase(std::string_view a, std::string_view b);
bool startsWithNoCase(std::string_view text, std::string_view prefix);

} // namespace torvane::mapi::vcard
