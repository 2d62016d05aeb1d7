// Writes a whole buffer to a file descriptor, going on after interrupted and short writes.
// On failure errno tells why (EIO when the descriptor took nothing without an error).
#pragma once

#include <cerrno>
#include <cstddef>
#include <unistd.h>

namespace torvane {

inline bool writeAll(int fd, const void* data, std::size_t size)
{
    const char* p = static_cast<const char*>(data);
    while (size > 0) {
        const ssize_t n = ::write(fd, p, size);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            if (n == 0)
                errno = EIO;
            return false;
        }
        p += n;
        size -= std::size_t(n);
    }
    return true;
}

} // namespace torvane
