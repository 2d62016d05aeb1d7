#include "platform/messaging/WindowList.h"
#include "platform/posix/WriteAll.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <set>

namespace messaging {

namespace {

constexpr std::string_view kHeader = "torvane-windows 1\n";

bool isControl(unsigned char c)
{
    return c < 0x20 || c == 0x7f;
}

std::optional<std::uint32_t> parseNumber(std::string_view digits)
{
    if (digits.empty() || digits.size() > 10 || digits[0] == '0')
        return std::nullopt;
    std::uint64_t value = 0;
    for (char c : digits) {
        if (c < '0' || c > '9')
            return std::nullopt;
        value = value * 10 + std::uint64_t(c - '0');
    }
    if (value > 0xffffffffu)
        return std::nullopt;
    return std::uint32_t(value);
}

std::optional<WindowEntry> parseLine(std::string_view line)
{
    const std::size_t space = line.find(' ');
    if (space == std::string_view::npos)
        return std::nullopt;
    const auto number = parseNumber(line.substr(0, space));
    std::string_view rest = line.substr(space + 1);
    // The flag, one blank, then the title (possibly empty).
    if (!number || rest.size() < 2 || (rest[0] != 't' && rest[0] != '-') || rest[1] != ' ')
        return std::nullopt;
    std::string_view title = rest.substr(2);
    if (title.size() > kMaxTitleLength)
        return std::nullopt;
    for (char c : title)
        if (isControl(static_cast<unsigned char>(c)))
            return std::nullopt;
    return WindowEntry{*number, rest[0] == 't', std::string(title)};
}

} // namespace

std::string formatWindowList(const WindowList& windows)
{
    std::string out(kHeader);
    for (const WindowEntry& w : windows) {
        out += std::to_string(w.number);
        out += w.topLevel ? " t " : " - ";
        const std::string_view title = std::string_view(w.title).substr(0, kMaxTitleLength);
        for (char c : title)
            out += isControl(static_cast<unsigned char>(c)) ? ' ' : c;
        out += '\n';
    }
    return out;
}

std::optional<WindowList> parseWindowList(std::string_view text)
{
    if (text.size() > kMaxWindowListBytes || text.substr(0, kHeader.size()) != kHeader)
        return std::nullopt;
    text.remove_prefix(kHeader.size());
    WindowList windows;
    std::set<std::uint32_t> seen;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        if (end == std::string_view::npos)
            return std::nullopt; // a list always ends with a complete line
        auto entry = parseLine(text.substr(0, end));
        if (!entry || !seen.insert(entry->number).second)
            return std::nullopt;
        windows.push_back(std::move(*entry));
        text.remove_prefix(end + 1);
    }
    return windows;
}

bool writeWindowListFile(const std::string& path, const WindowList& windows)
{
    const std::string temp = path + ".tmp";
    const int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (fd < 0)
        return false;
    const std::string text = formatWindowList(windows);
    const bool written = torvane::writeAll(fd, text.data(), text.size());
    if (::close(fd) != 0 || !written || ::rename(temp.c_str(), path.c_str()) != 0) {
        ::unlink(temp.c_str());
        return false;
    }
    return true;
}

std::optional<WindowList> readWindowListFile(const std::string& path)
{
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW);
    if (fd < 0)
        return std::nullopt;
    std::string text;
    char buffer[4096];
    bool ok = true;
    for (;;) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0 || text.size() + std::size_t(n) > kMaxWindowListBytes) {
            ok = false;
            break;
        }
        if (n == 0)
            break;
        text.append(buffer, std::size_t(n));
    }
    ::close(fd);
    if (!ok)
        return std::nullopt;
    return parseWindowList(text);
}

bool titleBeginsWith(std::string_view title, std::string_view prefix, int bufferSize)
{
    const std::size_t kept = bufferSize > 1 ? std::size_t(bufferSize - 1) : 0;
    return title.substr(0, kept).starts_with(prefix);
}

} // namespace messaging
