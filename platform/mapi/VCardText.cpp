#include "platform/mapi/VCardText.h"

#include <cstdint>

namespace torvane::mapi::vcard {

namespace {

char lowerAscii(char c)
{
    return (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c;
}

// The length of the UTF-8 sequence starting at text[i] and its code point; 0 when it is not one.
std::size_t utf8Sequence(std::string_view text, std::size_t i, std::uint32_t* codePoint)
{
    const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(text[k]); };
    const unsigned char lead = byte(i);
    std::size_t length = 0;
    std::uint32_t cp = 0;
    if (lead < 0x80) {
        *codePoint = lead;
        return 1;
    }
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
        cp = lead & 0x1Fu;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        cp = lead & 0x0Fu;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        cp = lead & 0x07u;
    } else {
        return 0;
    }
    if (i + length > text.size())
        return 0;
    for (std::size_t k = 1; k < length; ++k) {
        const unsigned char c = byte(i + k);
        if ((c & 0xC0u) != 0x80u)
            return 0;
        cp = (cp << 6) | (c & 0x3Fu);
    }
    // Overlong forms, surrogates and values past the last code point are not UTF-8.
    if ((length == 3 && cp < 0x800) || (length == 4 && (cp < 0x10000 || cp > 0x10FFFF)) ||
        (cp >= 0xD800 && cp <= 0xDFFF))
        return 0;
    *codePoint = cp;
    return length;
}

} // namespace

std::string unescapeText(std::string_view value)
{
    std::string out;
    out.reserve(value.size());
    for (std::size_t i = 0; i < value.size(); ++i) {
        const char c = value[i];
        if (c != '\\' || i + 1 == value.size()) {
            out += c;
            continue;
        }
        const char next = value[i + 1];
        switch (next) {
        case 'n':
        case 'N':
            out += '\n';
            ++i;
            break;
        case '\\':
        case ',':
        case ';':
        case ':':
            out += next;
            ++i;
            break;
        default:
            out += c;
            break;
        }
    }
    return out;
}

std::string escapeText(std::string_view text)
{
    std::string out;
    out.reserve(text.size() + 8);
    for (const char c : text) {
        switch (c) {
        case '\\':
            out += "\\\\";
            break;
        case ',':
            out += "\\,";
            break;
        case ';':
            out += "\\;";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\r':
            break;
        default:
            out += c;
            break;
        }
    }
    return out;
}

std::string toLatin1(std::string_view fileText)
{
    std::string out;
    out.reserve(fileText.size());
    for (std::size_t i = 0; i < fileText.size();) {
        std::uint32_t cp = 0;
        const std::size_t length = utf8Sequence(fileText, i, &cp);
        if (length == 0)
            return std::string(fileText); // not UTF-8 at all: the bytes are Latin-1 already
        out += cp <= 0xFF ? char(cp) : '?';
        i += length;
    }
    return out;
}

std::string fromLatin1(std::string_view latin1)
{
    std::string out;
    out.reserve(latin1.size() + 8);
    for (const char c : latin1) {
        const auto b = static_cast<unsigned char>(c);
        if (b < 0x80) {
            out += c;
        } else {
            out += char(0xC0 | (b >> 6));
            out += char(0x80 | (b & 0x3F));
        }
    }
    return out;
}

std::string foldLine(std::string_view line, std::string_view eol)
{
    constexpr std::size_t kLimit = 75;
    std::string out;
    std::size_t used = 0; // octets on the current physical line
    for (std::size_t i = 0; i < line.size();) {
        std::size_t length = 1;
        const auto lead = static_cast<unsigned char>(line[i]);
        if (lead >= 0xC0) {
            std::uint32_t cp = 0;
            length = utf8Sequence(line, i, &cp);
            if (length == 0)
                length = 1;
        }
        if (used + length > kLimit) {
            out += eol;
            out += ' ';
            used = 1;
        }
        out.append(line.substr(i, length));
        used += length;
        i += length;
    }
    out += eol;
    return out;
}

bool equalsNoCase(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (lowerAscii(a[i]) != lowerAscii(b[i]))
            return false;
    return true;
}

bool startsWithNoCase(std::string_view text, std::string_view prefix)
{
    return text.size() >= prefix.size() && equalsNoCase(text.substr(0, prefix.size()), prefix);
}

} // namespace torvane::mapi::vcard
