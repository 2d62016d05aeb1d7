// Small readers for the fields of the phone's answers. They never read past the terminating
// zero of the line and never overflow, whatever the phone sends.
#pragma once

namespace zel {

// Skips blanks and tabs.
const char* skipBlanks(const char* text);

// Reads an unsigned decimal number at `text` (after blanks). Returns the position after it, or
// null when there is no digit; values beyond 999999999 are held at that value.
const char* readNumber(const char* text, int& value);

// True when `text`, without leading and trailing blanks, is exactly `word`.
bool trimmedEquals(const char* text, const char* word);

} // namespace zel
