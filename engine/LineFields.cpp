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

const char* expectChar(const char* text, char c)
{
    text = skipBlanks(text);
    return *text == c ? text + 1 : nullptr;
}

const char* readQuoted(const char* text, char* out, int outSize, int& length)
{
    if (outSize > 0)
        out[0] = '\0';
    length = 0;
    text = expectChar(text, '"');
    if (!text)
        return nullptr;
    const char* end = std::strchr(text, '"');
    if (!end)
        return nullptr;
    length = int(end - text);
    if (outSize > 0) {
        const int kept = length < outSize - 1 ? length : outSize - 1;
        std::memcpy(out, text, std::size_t(kept));
        out[kept] = '\0';
    }
    return end + 1;
}

const char* skipFields(const char* text, int count)
{
    if (count <= 0)
        return text;
    bool quoted = false;
    for (; *text != '\0'; ++text) {
        if (*text == '"')
            quoted = !quoted;
        else if (*text == ',' && !quoted && --count == 0)
            return text + 1;
    }
    return nullptr;
}

} // namespace zel
