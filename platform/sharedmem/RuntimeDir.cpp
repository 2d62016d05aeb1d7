#include "platform/sharedmem/RuntimeDir.h"

#include "platform/messaging/EndpointFolder.h"

namespace torvane {

namespace {

// Keeps object file names (plus their suffixes) well inside the usual 255-byte limit.
constexpr std::size_t MaxEncodedName = 200;

bool isPlain(unsigned char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-'
        || c == '_';
}

} // namespace

std::string runtimeDir(int* err)
{
    const std::string dir = messaging::endpointFolderPath();
    if (!messaging::ensurePrivateFolder(dir, nullptr, err))
        return {};
    return dir;
}

std::string objectFileName(std::string_view name)
{
    static const char hex[] = "0123456789ABCDEF";
    std::string out;
    for (std::size_t i = 0; i < name.size(); ++i) {
        const auto c = static_cast<unsigned char>(name[i]);
        if (isPlain(c) || (c == '.' && i > 0)) {
            out += char(c);
        } else {
            out += '%';
            out += hex[c >> 4];
            out += hex[c & 15];
        }
    }
    if (out.empty() || out.size() > MaxEncodedName)
        return {};
    return out;
}

} // namespace torvane
