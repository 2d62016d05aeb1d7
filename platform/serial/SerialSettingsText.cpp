#include "platform/serial/SerialSettingsText.h"

#include <charconv>
#include <vector>

namespace torvane::serial {

namespace {

std::string_view trim(std::string_view s)
{
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t'))
        s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t'))
        s.remove_suffix(1);
    return s;
}

bool toInt(std::string_view s, int& out)
{
    if (s.empty())
        return false;
    const auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), out);
    return ec == std::errc() && end == s.data() + s.size();
}

} // namespace

char parityLetter(Parity parity)
{
    switch (parity) {
    case Parity::None: return 'n';
    case Parity::Odd: return 'o';
    case Parity::Even: return 'e';
    case Parity::Mark: return 'm';
    case Parity::Space: return 's';
    }
    return 'n';
}

std::string formatSettingsText(const LineSettings& settings)
{
    const char* stop = settings.stopBits == StopBits::One ? "1"
                       : settings.stopBits == StopBits::Two ? "2"
                                                            : "1.5";
    return std::to_string(settings.baudRate) + ',' + parityLetter(settings.parity) + ','
           + std::to_string(settings.dataBits) + ',' + stop;
}

SerialResult<LineSettings> parseSettingsText(std::string_view text, const LineSettings& base)
{
    const auto bad = [&] {
        return makeError(SerialErrorCode::UnsupportedSetting,
                         "invalid port settings \"" + std::string(text) + "\"");
    };
    std::vector<std::string_view> fields;
    std::string_view rest = text;
    for (;;) {
        const auto comma = rest.find(',');
        fields.push_back(trim(rest.substr(0, comma)));
        if (comma == std::string_view::npos)
            break;
        rest.remove_prefix(comma + 1);
    }
    if (fields.size() != 4)
        return bad();

    LineSettings out = base;
    if (!toInt(fields[0], out.baudRate) || out.baudRate <= 0)
        return bad();
    if (fields[1].size() != 1)
        return bad();
    switch (fields[1][0] | 0x20) {
    case 'n': out.parity = Parity::None; break;
    case 'o': out.parity = Parity::Odd; break;
    case 'e': out.parity = Parity::Even; break;
    case 'm': out.parity = Parity::Mark; break;
    case 's': out.parity = Parity::Space; break;
    default: return bad();
    }
    if (!toInt(fields[2], out.dataBits))
        return bad();
    if (fields[3] == "1")
        out.stopBits = StopBits::One;
    else if (fields[3] == "1.5")
        out.stopBits = StopBits::OnePointFive;
    else if (fields[3] == "2")
        out.stopBits = StopBits::Two;
    else
        return bad();
    return out;
}

} // namespace torvane::serial
