// Feeds any bytes to the reader's line cutter in chunks whose sizes come from the input, and
// checks what every line handed up must be: zero-ended inside the buffer, free of
// line ends, and no longer than the buffer allows (a zero byte from the phone may shorten it).
#include "mainprog/core/LineCutter.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0)
        return 0;
    corvant::LineCutter cutter;
    // The first byte chooses how many bytes each read brings.
    const std::size_t chunk = 1 + data[0] % 64;
    const char* bytes = reinterpret_cast<const char*>(data + 1);
    std::size_t left = size - 1;
    const auto check = [&](char* line) {
        const std::size_t length = std::strlen(line);
        if (length > corvant::LineCutter::kCapacity)
            std::abort();
        if (line < cutter.buffer() || line + length >= cutter.buffer() + corvant::LineCutter::kBufferSize)
            std::abort();
        if (std::memchr(line, '\r', length) != nullptr || std::memchr(line, '\n', length) != nullptr)
            std::abort();
    };
    while (left > 0) {
        const std::size_t step = left < chunk ? left : chunk;
        cutter.feed(bytes, step, check);
        if (cutter.fill() > corvant::LineCutter::kCapacity)
            std::abort();
        bytes += step;
        left -= step;
    }
    return 0;
}
