#include "melody/editing/TempoText.h"

#include "melody/document/TempoField.h"

#include <cctype>

int TempoFromText(std::string_view text)
{
    std::size_t i = 0;
    while (i < text.size() && std::isspace(static_cast<unsigned char>(text[i])))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        negative = text[i++] == '-';
    long value = 0;
    for (; i < text.size() && std::isdigit(static_cast<unsigned char>(text[i])); ++i)
        if (value <= TEMPO_MAX) // enough to know it is too big; no overflow on long texts
            value = value * 10 + (text[i] - '0');
    if (negative)
        value = -value;
    if (value > TEMPO_MAX)
        value = TEMPO_MAX;
    if (value < TEMPO_MIN)
        value = TEMPO_MIN;
    return int(value);
}
