#include "engine/codec/GsmAlphabet.h"

#include <cstdint>

namespace zel {

namespace {

// Latin-1 and GSM codes of the characters whose codes differ between the two alphabets.
struct AlphabetPair {
    std::uint8_t latin;
    std::uint8_t gsm;
};

constexpr AlphabetPair kPairs[] = {
    {'@', 0x00},  {'$', 0x02},  {0xDF, 0x1E}, // at sign, dollar sign, sharp s
    {0xC4, 0x5B}, {0xD6, 0x5C}, {0xDC, 0x5E}, // capital A, O, U umlaut
    {0xE4, 0x7B}, {0xF6, 0x7C}, {0xFC, 0x7E}, // small a, o, u umlaut
};

std::uint8_t latinToGsm(std::uint8_t c)
{
    for (const AlphabetPair& pair : kPairs)
        if (pair.latin == c)
            return pair.gsm;
    if (c == '\r' || c == '\n')
        return c;
    // Control codes, DEL and the rest of the upper half have no place in the table: a blank
    // keeps the message's length and position of every other character.
    if (c < 0x20 || c >= 0x7F)
        return ' ';
    return c;
}

std::uint8_t gsmToLatin(std::uint8_t c)
{
    for (const AlphabetPair& pair : kPairs)
        if (pair.gsm == c)
            return pair.latin;
    return c;
}

} // namespace

void SmsLatinToGsm(char* buffer, int length)
{
    for (int i = 0; i < length; ++i)
        buffer[i] = static_cast<char>(latinToGsm(static_cast<std::uint8_t>(buffer[i])));
}

void SmsGsmToLatin(char* buffer, int length)
{
    for (int i = 0; i < length; ++i)
        buffer[i] = static_cast<char>(gsmToLatin(static_cast<std::uint8_t>(buffer[i])));
}

} // namespace zel
