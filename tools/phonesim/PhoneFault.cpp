#include "tools/phonesim/PhoneFault.h"

#include <cctype>
#include <vector>

namespace torvane::phonesim {

bool faultMatches(const Fault& fault, const AtCommand& command)
{
    std::string pattern;
    for (char c : fault.command)
        pattern += char(std::toupper(static_cast<unsigned char>(c)));
    if (pattern.size() >= 2 && pattern.compare(0, 2, "AT") == 0)
        pattern.erase(0, 2);
    if (pattern.empty())
        return true;
    if (command.text.compare(0, pattern.size(), pattern) != 0)
        return false;
    if (command.text.size() == pattern.size())
        return true;
    // "+CPIN" must not hit "+CPINX"; basic commands are one letter, so "E" hits "E0".
    const char next = command.text[pattern.size()];
    return command.name.size() == 1 || !std::isalnum(static_cast<unsigned char>(next));
}

void garble(std::string& bytes, int every, unsigned& counter)
{
    if (every < 1)
        every = 1;
    for (char& b : bytes) {
        if (++counter % unsigned(every) == 0)
            b = char(b ^ 0x55);
    }
}

std::optional<Fault> parseFaultText(std::string_view text, std::string* error)
{
    const auto fail = [&](const std::string& why) -> std::optional<Fault> {
        if (error)
            *error = "bad fault \"" + std::string(text) + "\": " + why;
        return std::nullopt;
    };
    Fault fault;
    std::string_view body = text;
    if (const auto star = body.rfind('*'); star != std::string_view::npos) {
        const auto times = atNumber(body.substr(star + 1));
        if (!times || *times == 0)
            return fail("the count after * must be a number above 0");
        fault.times = *times;
        body = body.substr(0, star);
    }
    if (const auto at = body.rfind('@'); at != std::string_view::npos) {
        const auto from = atNumber(body.substr(at + 1));
        if (!from || *from == 0)
            return fail("the command after @ must be a number above 0");
        fault.from = *from;
        body = body.substr(0, at);
    }
    std::vector<std::string_view> parts;
    for (;;) {
        const auto colon = body.find(':');
        parts.push_back(body.substr(0, colon));
        if (colon == std::string_view::npos)
            break;
        body.remove_prefix(colon + 1);
    }
    const std::string_view kind = parts[0];
    const auto number = [&](std::size_t i, int& out) {
        const auto n = i < parts.size() ? atNumber(parts[i]) : std::nullopt;
        if (n)
            out = *n;
        return bool(n);
    };
    std::size_t commandAt = 1;
    if (kind == "silent") {
        fault.kind = FaultKind::Silent;
    } else if (kind == "garble") {
        fault.kind = FaultKind::Garble;
    } else if (kind == "error") {
        fault.kind = FaultKind::Error;
    } else if (kind == "delay") {
        fault.kind = FaultKind::Delay;
        if (!number(1, fault.delayMs))
            return fail("delay needs milliseconds");
        commandAt = 2;
    } else if (kind == "cme" || kind == "cms") {
        fault.kind = kind == "cme" ? FaultKind::CmeError : FaultKind::CmsError;
        if (!number(1, fault.cmeError))
            return fail(std::string(kind) + " needs an error number");
        commandAt = 2;
    } else if (kind == "drop") {
        fault.kind = FaultKind::DropLine;
        if (parts.size() > 1) {
            if (!number(1, fault.delayMs))
                return fail("drop takes the milliseconds until the line comes back");
            commandAt = 2;
        }
    } else {
        return fail("unknown kind (silent, delay, error, cme, cms, drop, garble)");
    }
    if (parts.size() > commandAt + 1)
        return fail("too many fields");
    if (parts.size() == commandAt + 1)
        fault.command = std::string(parts[commandAt]);
    return fault;
}

} // namespace torvane::phonesim
