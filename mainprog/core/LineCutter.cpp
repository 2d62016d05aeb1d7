#include "mainprog/core/LineCutter.h"

#include <algorithm>
#include <cstring>

namespace corvant {

namespace {

constexpr unsigned char CR = 13;
constexpr unsigned char LF = 10;

bool isControl(char c)
{
    return static_cast<unsigned char>(c) < 0x20;
}

} // namespace

void LineCutter::added(std::size_t count, const LineSink& sink)
{
    fill_ += std::min(count, room());
    cut(sink);
}

void LineCutter::feed(const char* data, std::size_t size, const LineSink& sink)
{
    while (size > 0) {
        const std::size_t step = std::min(size, room());
        std::memcpy(tail(), data, step);
        added(step, sink);
        data += step;
        size -= step;
    }
}

void LineCutter::cut(const LineSink& sink)
{
    std::size_t i = 0;
    while (i < fill_) {
        const auto byte = static_cast<unsigned char>(buffer_[i]);
        const bool prompt = byte == ' ' && i + 1 == fill_ && buffer_[0] == '>';
        if (byte != CR && byte != LF && !prompt) {
            ++i;
            continue;
        }
        buffer_[i] = 0;
        if (i > 0)
            sink(buffer_);
        std::size_t next = i + 1;
        while (next < fill_ && isControl(buffer_[next]))
            ++next;
        std::memmove(buffer_, buffer_ + next, fill_ - next);
        fill_ -= next;
        i = 0;
    }
    // A full buffer without a line end would never take another byte: hand it up as a line.
    if (fill_ == kCapacity) {
        buffer_[kCapacity] = 0;
        sink(buffer_);
        fill_ = 0;
    }
}

} // namespace corvant
