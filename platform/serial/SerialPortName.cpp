#include "platform/serial/SerialPortName.h"

#include <cstdlib>
#include <sys/stat.h>

namespace torvane::serial {

namespace {

// The number of a "COMn" name, or 0 when the name is not one.
int comNumber(std::string_view name)
{
    if (name.size() < 4)
        return 0;
    if ((name[0] | 0x20) != 'c' || (name[1] | 0x20) != 'o' || (name[2] | 0x20) != 'm')
        return 0;
    name.remove_prefix(3);
    if (!name.empty() && name.back() == ':')
        name.remove_suffix(1);
    if (name.empty() || name.size() > 4 || name[0] == '0')
        return 0;
    int n = 0;
    for (char c : name) {
        if (c < '0' || c > '9')
            return 0;
        n = n * 10 + (c - '0');
    }
    return n;
}

} // namespace

std::string portLinkFolder()
{
    const char* config = std::getenv("XDG_CONFIG_HOME");
    std::string base;
    if (config && *config) {
        base = config;
    } else {
        const char* home = std::getenv("HOME");
        base = std::string(home ? home : "") + "/.config";
    }
    return base + "/torvane/ports";
}

std::string portNameForNumber(int number)
{
    return "COM" + std::to_string(number);
}

SerialResult<std::string> resolvePortName(std::string_view name)
{
    if (name.find('/') != std::string_view::npos)
        return std::string(name);
    const int n = comNumber(name);
    if (n <= 0)
        return makeError(SerialErrorCode::BadName, "\"" + std::string(name) + "\" is not a port name");
    const std::string link = portLinkFolder() + "/COM" + std::to_string(n);
    struct stat st {};
    if (::lstat(link.c_str(), &st) == 0)
        return link;
    return "/dev/ttyS" + std::to_string(n - 1);
}

} // namespace torvane::serial
