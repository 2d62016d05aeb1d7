#include "platform/sharedmem/RuntimeDir.h"

#include <cerrno>
#include <cstdlib>
#include <sys/stat.h>
#include <unistd.h>

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
    const char* xdg = std::getenv("XDG_RUNTIME_DIR");
    const std::string dir = (xdg && *xdg) ? std::string(xdg) + "/torvane"
                                          : "/tmp/torvane-" + std::to_string(getuid());
    if (mkdir(dir.c_str(), 0700) != 0 && errno != EEXIST) {
        *err = errno;
        return {};
    }
    // The fallback lives in a folder everybody may write to: only a real folder of our own will do.
    struct stat st {};
    if (lstat(dir.c_str(), &st) != 0) {
        *err = errno;
        return {};
    }
    if (!S_ISDIR(st.st_mode) || st.st_uid != getuid()) {
        *err = EACCES;
        return {};
    }
    if ((st.st_mode & 077) != 0 && chmod(dir.c_str(), 0700) != 0) {
        *err = errno;
        return {};
    }
    *err = 0;
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
