#include "tools/phonesim/SmsPdus.h"

#include "tools/phonesim/HexText.h"

#include <QString>

#include <cstdint>

namespace torvane::phonesim {

namespace {

using Bytes = std::string;

constexpr int kMaxAddressDigits = 20;
constexpr int kMaxNameSeptets = 11; // 77 bits in the ten octets of an address
constexpr int kMaxSeptets = 160;
constexpr int kMaxUserOctets = 140;
constexpr int kConcatHeaderOctets = 6; // 05 00 03 reference total sequence

constexpr std::uint8_t kTypeInternational = 0x91;
constexpr std::uint8_t kTypeUnknown = 0x81;
constexpr std::uint8_t kTypeAlphanumeric = 0xD0;
constexpr std::uint8_t kFirstDeliver = 0x04; // SMS-DELIVER, no further message waiting
constexpr std::uint8_t kHeaderPresent = 0x40;

// Latin-1 characters that have a code in the default alphabet other than their own.
struct GsmCode {
    unsigned char latin;
    std::uint8_t gsm;
};
constexpr GsmCode kGsmCodes[] = {
    {'@', 0x00},  {0xA3, 0x01}, {'$', 0x02},  {0xA5, 0x03}, {0xE8, 0x04}, {0xE9, 0x05}, {0xF9, 0x06},
    {0xEC, 0x07}, {0xF2, 0x08}, {0xC7, 0x09}, {'\n', 0x0A}, {0xD8, 0x0B}, {0xF8, 0x0C}, {'\r', 0x0D},
    {0xC5, 0x0E}, {0xE5, 0x0F}, {'_', 0x11},  {0xC6, 0x1C}, {0xE6, 0x1D}, {0xDF, 0x1E}, {0xC9, 0x1F},
    {0xA4, 0x24}, {0xA1, 0x40}, {0xC4, 0x5B}, {0xD6, 0x5C}, {0xD1, 0x5D}, {0xDC, 0x5E}, {0xA7, 0x5F},
    {0xBF, 0x60}, {0xE4, 0x7B}, {0xF6, 0x7C}, {0xF1, 0x7D}, {0xFC, 0x7E}, {0xE0, 0x7F},
};

// Latin-1 characters of the extension table, sent as the escape 1B and their code there.
constexpr GsmCode kGsmExtension[] = {
    {0x0C, 0x0A}, {'^', 0x14}, {'{', 0x28}, {'}', 0x29}, {'\\', 0x2F},
    {'[', 0x3C},  {'~', 0x3D}, {']', 0x3E}, {'|', 0x40},
};
constexpr char kEscape = 0x1B;

// The septets of one character: its code, the escape and its code, or "?" where it has none.
std::string septetsOf(unsigned char c)
{
    for (const GsmCode& code : kGsmCodes)
        if (code.latin == c)
            return std::string(1, char(code.gsm));
    for (const GsmCode& code : kGsmExtension)
        if (code.latin == c)
            return std::string{kEscape, char(code.gsm)};
    // Printable ASCII keeps its code where the alphabet has the same character there.
    if (c >= 0x20 && c < 0x7F && c != '`')
        return std::string(1, char(c));
    return "?";
}

// Septets packed from bit `firstBit` of out on (out grows as needed).
void packSeptets(Bytes& out, std::size_t firstBit, const std::string& septets)
{
    std::size_t bit = firstBit;
    for (unsigned char s : septets) {
        for (int i = 0; i < 7; ++i, ++bit) {
            if (out.size() <= bit / 8)
                out.push_back('\0');
            if (s & (1 << i))
                out[bit / 8] = char(static_cast<unsigned char>(out[bit / 8]) | (1 << (bit % 8)));
        }
    }
}

std::uint8_t swappedBcd(int value)
{
    return std::uint8_t(((value % 10) << 4) | ((value / 10) % 10));
}

bool isNumber(const std::string& text)
{
    const std::size_t from = !text.empty() && text[0] == '+' ? 1 : 0;
    if (text.size() == from)
        return false;
    for (std::size_t i = from; i < text.size(); ++i)
        if (text[i] < '0' || text[i] > '9')
            return false;
    return true;
}

// The digits in swapped pairs, F filling an odd last pair.
Bytes semiOctets(const std::string& digits)
{
    Bytes out;
    for (std::size_t i = 0; i < digits.size(); i += 2) {
        const int low = digits[i] - '0';
        const int high = i + 1 < digits.size() ? digits[i + 1] - '0' : 0xF;
        out.push_back(char(low | (high << 4)));
    }
    return out;
}

// A sender's address: digit count and type, or for a name the semi-octets its septets take.
std::optional<Bytes> senderAddress(const std::string& sender)
{
    Bytes out;
    if (isNumber(sender)) {
        const bool international = sender[0] == '+';
        const std::string digits = sender.substr(international ? 1 : 0);
        if (digits.size() > std::size_t(kMaxAddressDigits))
            return std::nullopt;
        out.push_back(char(digits.size()));
        out.push_back(char(international ? kTypeInternational : kTypeUnknown));
        return out + semiOctets(digits);
    }
    const std::string septets = latinToSeptets(sender);
    if (sender.empty() || septets.size() > std::size_t(kMaxNameSeptets))
        return std::nullopt;
    Bytes name;
    packSeptets(name, 0, septets);
    out.push_back(char((septets.size() * 7 + 3) / 4));
    out.push_back(char(kTypeAlphanumeric));
    return out + name;
}

std::optional<Bytes> serviceCentrePart(const std::string& centre)
{
    if (centre.empty())
        return Bytes(1, '\0');
    if (!isNumber(centre) || centre[0] != '+')
        return std::nullopt;
    const std::string digits = centre.substr(1);
    if (digits.size() > std::size_t(kMaxAddressDigits))
        return std::nullopt;
    Bytes out;
    out.push_back(char(1 + (digits.size() + 1) / 2));
    out.push_back(char(kTypeInternational));
    return out + semiOctets(digits);
}

Bytes timeStampOctets(const std::array<int, 7>& t)
{
    Bytes out;
    for (int i = 0; i < 6; ++i)
        out.push_back(char(swappedBcd(t[std::size_t(i)])));
    const int zone = t[6];
    out.push_back(char(swappedBcd(zone < 0 ? -zone : zone) | (zone < 0 ? 0x08 : 0)));
    return out;
}

std::string ucs2Of(const std::string& utf8)
{
    std::string out;
    for (const QChar unit : QString::fromUtf8(utf8)) {
        out.push_back(char(unit.unicode() >> 8));
        out.push_back(char(unit.unicode() & 0xFF));
    }
    return out;
}

enum class Alphabet { Septets, Octets, Ucs2 };

Alphabet alphabetOf(int dcs)
{
    if ((dcs & 0xC0) == 0) {
        switch ((dcs >> 2) & 3) {
        case 1: return Alphabet::Octets;
        case 2: return Alphabet::Ucs2;
        default: return Alphabet::Septets;
        }
    }
    if ((dcs & 0xF0) == 0xF0)
        return (dcs & 0x04) ? Alphabet::Octets : Alphabet::Septets;
    if ((dcs & 0xF0) == 0xE0)
        return Alphabet::Ucs2;
    return Alphabet::Septets;
}

// Where the fields of an SMS-SUBMIT lie.
struct SubmitFields {
    std::size_t destination = 2; // the address field: digit count, type, digits
    std::size_t pid = 0;
    std::size_t userData = 0; // the user-data length octet
};

std::optional<SubmitFields> submitFields(const Bytes& tpdu)
{
    const auto at = [&](std::size_t i) { return static_cast<unsigned char>(tpdu[i]); };
    if (tpdu.size() < 4 || (at(0) & 0x03) != 0x01)
        return std::nullopt;
    SubmitFields f;
    const std::size_t addressOctets = 2 + (std::size_t(at(2)) + 1) / 2;
    f.pid = f.destination + addressOctets;
    const int validityFormat = (at(0) >> 3) & 0x03;
    const std::size_t validityOctets = validityFormat == 2 ? 1 : validityFormat == 0 ? 0 : 7;
    f.userData = f.pid + 2 + validityOctets;
    if (tpdu.size() < f.userData + 1)
        return std::nullopt;
    const int udl = at(f.userData);
    const bool septets = alphabetOf(at(f.pid + 1)) == Alphabet::Septets;
    // A network takes no more than one message holds.
    if (udl > (septets ? kMaxSeptets : kMaxUserOctets))
        return std::nullopt;
    const std::size_t octets = septets ? std::size_t(udl * 7 + 7) / 8 : std::size_t(udl);
    if (tpdu.size() != f.userData + 1 + octets)
        return std::nullopt;
    return f;
}

} // namespace

std::string latinToSeptets(const std::string& latin1)
{
    std::string out;
    for (unsigned char c : latin1)
        out += septetsOf(c);
    return out;
}

std::string buildDeliver(const IncomingSms& sms)
{
    const auto centre = serviceCentrePart(sms.serviceCentre);
    const auto sender = senderAddress(sms.sender);
    if (!centre || !sender)
        return {};
    const bool concatenated = sms.total >= 2;
    Bytes header;
    if (concatenated) {
        header = {char(0x05), char(0x00), char(0x03), char(sms.reference & 0xFF), char(sms.total & 0xFF),
                  char(sms.sequence & 0xFF)};
    }

    std::uint8_t dcs = 0x00;
    Bytes userData = header;
    int udl = 0;
    switch (sms.coding) {
    case IncomingSms::Coding::Septets: {
        const std::string septets = latinToSeptets(sms.text);
        // The text starts at the septet boundary after the header; the bits between are fill.
        const int headerSeptets = (int(header.size()) * 8 + 6) / 7;
        udl = headerSeptets + int(septets.size());
        if (udl > kMaxSeptets)
            return {};
        packSeptets(userData, std::size_t(headerSeptets) * 7, septets);
        break;
    }
    case IncomingSms::Coding::Octets:
        dcs = 0x04;
        userData += sms.text;
        udl = int(userData.size());
        break;
    case IncomingSms::Coding::Ucs2:
        dcs = 0x08;
        userData += ucs2Of(sms.text);
        udl = int(userData.size());
        break;
    }
    if (int(userData.size()) > kMaxUserOctets)
        return {};

    Bytes tpdu;
    tpdu.push_back(char(kFirstDeliver | (concatenated ? kHeaderPresent : 0)));
    tpdu += *sender;
    tpdu.push_back('\0'); // protocol identifier
    tpdu.push_back(char(dcs));
    tpdu += timeStampOctets(sms.timeStamp);
    tpdu.push_back(char(udl));
    tpdu += userData;
    return toHex(*centre + tpdu);
}

std::optional<HandedPdu> readHandedPdu(const std::string& hex)
{
    const auto bytes = fromHex(hex);
    if (!bytes || bytes->empty())
        return std::nullopt;
    const std::size_t centre = 1 + static_cast<unsigned char>((*bytes)[0]);
    if (centre >= bytes->size())
        return std::nullopt;
    HandedPdu pdu;
    pdu.serviceCentreOctets = int(centre);
    pdu.tpdu = bytes->substr(centre);
    pdu.tpduOctets = int(pdu.tpdu.size());
    pdu.messageType = static_cast<unsigned char>(pdu.tpdu[0]) & 0x03;
    return pdu;
}

std::optional<std::string> deliverForSubmit(const std::string& submitTpdu, const std::string& serviceCentre,
                                            const std::string& sender, const std::array<int, 7>& timeStamp)
{
    const auto fields = submitFields(submitTpdu);
    const auto centre = serviceCentrePart(serviceCentre);
    const auto from = senderAddress(sender);
    if (!fields || !centre || !from)
        return std::nullopt;
    const bool header = static_cast<unsigned char>(submitTpdu[0]) & kHeaderPresent;
    Bytes tpdu;
    tpdu.push_back(char(kFirstDeliver | (header ? kHeaderPresent : 0)));
    tpdu += *from;
    tpdu += submitTpdu.substr(fields->pid, 2); // protocol identifier and coding
    tpdu += timeStampOctets(timeStamp);
    tpdu += submitTpdu.substr(fields->userData);
    return toHex(*centre + tpdu);
}

std::optional<std::string> submitDestination(const std::string& submitTpdu)
{
    const auto fields = submitFields(submitTpdu);
    if (!fields)
        return std::nullopt;
    const int count = static_cast<unsigned char>(submitTpdu[2]);
    const bool international = ((static_cast<unsigned char>(submitTpdu[3]) >> 4) & 0x07) == 1;
    std::string digits = international ? "+" : "";
    for (int i = 0; i < count; ++i) {
        const unsigned char octet = static_cast<unsigned char>(submitTpdu[4 + std::size_t(i / 2)]);
        const int digit = i % 2 == 0 ? octet & 0x0F : octet >> 4;
        if (digit > 9)
            return std::nullopt;
        digits.push_back(char('0' + digit));
    }
    return digits;
}

} // namespace torvane::phonesim
