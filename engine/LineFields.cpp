#include "engine/LineFields.h"

#include <cstring>

namespace zel {

namespace {

constexpr int kNumberCap = 999999999;

bool isBlank(char c)
{
    return c == ' ' || c == '\t';
}

} // namespace

const char* skipBlanks(const char* text)
{
    while (isBlank(*text))
        ++text;
    return text;
}

const char* readNumber(const char* text, int& value)
{
    text = skipBlanks(text);
    if (*text < '0' || *text > '9')
        return nullptr;
    int v = 0;
    while (*text >= '0' && *text <= '9') {
        const int digit = *text - '0';
        v = v > (kNumberCap - digit) / 10 ? kNumberCap : v * 10 + digit;
        ++text;
    }
    value = v;
    return text;
}

bool trimmedEquals(const char* text, const char* word)
{
    text = skipBlanks(text);
    const std::size_t n = std::strlen(word);
    if (std::strncmp(text, word, n) != 0)
        return false;
    return *skipBlanks(text + n) == '\0';
}

} // namespace zel
