// Small string and hex routines the organizer's modules share.
#pragma once

#include <QByteArray>
#include <QString>

#include <cstdint>

namespace tessaro {

// Removes from `s` every character that occurs in `set` (case-sensitive).
void StripChars(QString& s, const QString& set);
void StripChars(QByteArray& s, const QByteArray& set);

// When `sep` occurs in `s`, returns the text before its first occurrence and leaves in `s`
// the text after it; otherwise returns "" and leaves `s` as it was.
QString SplitToken(QString& s, const QString& sep);
QByteArray SplitToken(QByteArray& s, const QByteArray& sep);

// Two upper-case hex digits per byte.
QByteArray ByteToHexText(std::uint8_t b);
QByteArray BytesToHexText(const QByteArray& data);

// Len(s) / 2 bytes, rounded half to even; byte i from the pair at 2i (a trailing single digit
// counts alone). A character that is not a hex digit raises the type-mismatch error.
QByteArray HexTextToBytes(const QByteArray& s);

// Keeps the low bytes of 16-bit little-endian characters.
QByteArray WideBytesToAnsi(const QByteArray& data);

inline std::int32_t MinLong(std::int32_t a, std::int32_t b) { return a < b ? a : b; }

// The leading number of a text as a number (blanks before it skipped, a sign allowed,
// digits up to the first other character); 0 when there is none. Saturates at the int range.
std::int64_t LeadingNumber(const QString& s);

} // namespace tessaro
