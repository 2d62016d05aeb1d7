#include "engine/codec/GsmAlphabet.h"

#include <array>
#include <cstdint>

namespace zel {

namespace {

constexpr short kNone = -1;

// The default alphabet: the Latin-1 character of each GSM code, kNone where Latin-1 has none
// (the Greek capitals and the escape).
constexpr short kDefault[128] = {
    '@',   0xA3,  '$',   0xA5,  0xE8,  0xE9,  0xF9,  0xEC,  0xF2,  0xC7,  '\n',  0xD8,  0xF8,  '\r', 0xC5, 0xE5,
    kNone, '_',   kNone, kNone, kNone, kNone, kNone, kNone, kNone, kNone, kNone, kNone, 0xC6,  0xE6, 0xDF, 0xC9,
    ' ',   '!',   '"',   '#',   0xA4,  '%',   '&',   '\'',  '(',   ')',   '*',   '+',   ',',   '-',  '.',  '/',
    '0',   '1',   '2',   '3',   '4',   '5',   '6',   '7',   '8',   '9',   ':',   ';',   '<',   '=',  '>',  '?',
    0xA1,  'A',   'B',   'C',   'D',   'E',   'F',   'G',   'H',   'I',   'J',   'K',   'L',   'M',  'N',  'O',
    'P',   'Q',   'R',   'S',   'T',   'U',   'V',   'W',   'X',   'Y',   'Z',   0xC4,  0xD6,  0xD1, 0xDC, 0xA7,
    0xBF,  'a',   'b',   'c',   'd',   'e',   'f',   'g',   'h',   'i',   'j',   'k',   'l',   'm',  'n',  'o',
    'p',   'q',   'r',   's',   't',   'u',   'v',   'w',   'x',   'y',   'z',   0xE4,  0xF6,  0xF1, 0xFC, 0xE0,
};

// The extension table's characters that Latin-1 has; its euro sign (0x65) is not among them.
struct ExtensionPair {
    std::uint8_t gsm;
    std::uint8_t latin;
};
constexpr ExtensionPair kExtension[] = {
    {0x0A, 0x0C}, {0x14, '^'}, {0x28, '{'}, {0x29, '}'}, {0x2F, '\\'},
    {0x3C, '['},  {0x3D, '~'}, {0x3E, ']'}, {0x40, '|'},
};
constexpr std::uint8_t kEuro = 0x65;

struct LatinEntry {
    std::uint8_t code;
    std::uint8_t septets;
};
// What a Latin-1 character without a GSM code goes as.
constexpr LatinEntry kBlank{' ', 0};

// Every byte is set to the blank by hand before the codes are written: left to a default
// member initialiser, the blank was lost when GCC 12 folded the table at -O1 and above, and
// such a character went as 0x00 ("@").
constexpr std::array<LatinEntry, 256> kFromLatin = [] {
    std::array<LatinEntry, 256> table{};
    table.fill(kBlank);
    for (int gsm = 0; gsm < 128; ++gsm)
        if (kDefault[gsm] != kNone)
            table[static_cast<std::size_t>(kDefault[gsm])] = {static_cast<std::uint8_t>(gsm), 1};
    for (const ExtensionPair& pair : kExtension)
        table[pair.latin] = {pair.gsm, 2};
    return table;
}();

constexpr std::array<char, 128> kToLatin = [] {
    std::array<char, 128> table{};
    for (int gsm = 0; gsm < 128; ++gsm)
        table[static_cast<std::size_t>(gsm)] = static_cast<char>(kDefault[gsm] == kNone ? '?' : kDefault[gsm]);
    // A phone that meets an escape it cannot follow shows a blank.
    table[GSM_ESCAPE] = ' ';
    return table;
}();

// After an escape: the extension table, and for every code it does not hold the default table's
// character, as GSM 03.38 has a receiver show it. A doubled escape announces a table beyond this
// one: a blank, as for a lone escape.
constexpr std::array<char, 128> kEscapedToLatin = [] {
    std::array<char, 128> table = kToLatin;
    for (const ExtensionPair& pair : kExtension)
        table[pair.gsm] = static_cast<char>(pair.latin);
    table[kEuro] = '?';
    return table;
}();

} // namespace

int SmsLatinToGsm(char* buffer, int length, int capacity)
{
    int taken = 0;
    int septets = 0;
    for (; taken < length; ++taken) {
        const int size = SmsLatinSeptets(buffer[taken]);
        const int needed = size == 0 ? 1 : size;
        if (septets + needed > capacity)
            break;
        septets += needed;
    }
    // Written from the back: every character takes at least the byte it came in, so nothing
    // is overwritten before it was read.
    int out = septets;
    for (int i = taken - 1; i >= 0; --i) {
        const LatinEntry entry = kFromLatin[static_cast<std::uint8_t>(buffer[i])];
        buffer[--out] = static_cast<char>(entry.code);
        if (entry.septets == 2)
            buffer[--out] = GSM_ESCAPE;
    }
    return septets;
}

int SmsGsmToLatin(char* buffer, int length)
{
    int out = 0;
    for (int i = 0; i < length; ++i) {
        const std::uint8_t code = static_cast<std::uint8_t>(buffer[i]) & 0x7F;
        if (code != GSM_ESCAPE || i + 1 == length) {
            buffer[out++] = kToLatin[code];
            continue;
        }
        buffer[out++] = kEscapedToLatin[static_cast<std::uint8_t>(buffer[++i]) & 0x7F];
    }
    return out;
}

int SmsLatinSeptets(char c)
{
    return kFromLatin[static_cast<std::uint8_t>(c)].septets;
}

} // namespace zel
