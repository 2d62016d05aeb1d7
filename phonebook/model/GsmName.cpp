#include "phonebook/model/GsmName.h"

namespace brevik {

const std::array<GsmNamePair, 26> GsmNameTable = {{
    {0x5F, 0x11}, {0xC4, 0x5B}, {0xD6, 0x5C}, {0xDC, 0x5E}, {0xE4, 0x7B}, {0xF6, 0x7C}, {0xFC, 0x7E},
    {0xDF, 0x1E}, {0xC6, 0x1C}, {0xC1, 0x0E}, {0xC7, 0x09}, {0xC9, 0x1F}, {0xD1, 0x5D}, {0xD8, 0x0B},
    {0xBF, 0x60}, {0xCC, 0x40}, {0xE6, 0x1D}, {0xE5, 0x0F}, {0xE0, 0x7F}, {0xE9, 0x05}, {0xE8, 0x04},
    {0xEC, 0x07}, {0xF1, 0x7D}, {0xF8, 0x0C}, {0xF2, 0x08}, {0xF9, 0x06},
}};

const std::string_view RefusedNameCharacters = "{}[]\xB2\xB3\xB5";

namespace {

constexpr unsigned char kUpperOUmlaut = 0xD6;
constexpr unsigned char kLowerOUmlaut = 0xF6;

} // namespace

std::string PhonebookNameToGsm(std::string_view source)
{
    if (source.empty())
        return " ";
    std::string target(source);
    for (char& c : target) {
        auto byte = static_cast<unsigned char>(c);
        if (byte == kUpperOUmlaut)
            byte = kLowerOUmlaut;
        for (const GsmNamePair& pair : GsmNameTable) {
            if (pair.pc == byte) {
                byte = pair.gsm;
                break;
            }
        }
        c = static_cast<char>(byte);
    }
    return target;
}

std::string PhonebookNameFromGsm(std::string_view source)
{
    std::string target(source);
    for (char& c : target) {
        const auto byte = static_cast<unsigned char>(c);
        for (const GsmNamePair& pair : GsmNameTable) {
            if (pair.gsm == byte) {
                c = static_cast<char>(pair.pc);
                break;
            }
        }
    }
    return target;
}

int StripRefusedCharacters(std::string_view source, std::string& target)
{
    target.clear();
    for (const char c : source)
        if (RefusedNameCharacters.find(c) == std::string_view::npos)
            target += c;
    return target.size() == source.size() ? 1 : 0;
}

std::string FilterPhoneNumber(std::string_view number, bool blanksAllowed)
{
    std::string out;
    for (const char c : number) {
        if ((c >= '0' && c <= '9') || c == '#' || c == '*' || c == '+' || c == '?' || (blanksAllowed && c == ' '))
            out += c;
    }
    return out;
}

} // namespace brevik
