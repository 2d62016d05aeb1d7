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

// After blanks, the character `c`: the position after it, or null when something else comes.
const char* expectChar(const char* text, char c);

// A double-quoted field at `text` (after blanks): its characters up to the closing quote, of
// which at most outSize - 1 are copied to out and ended by a zero byte (a longer field is cut).
// `length` gets the field's whole length. Returns the position after the closing quote, or null
// (out empty) when there is no opening or no closing quote.
const char* readQuoted(const char* text, char* out, int outSize, int& length);

// Skips `count` comma-separated fields: the position after the count-th comma, or null when the
// line ends before it. Commas inside double quotes do not count.
const char* skipFields(const char* text, int count);

} // namespace zel
