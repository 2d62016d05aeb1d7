// Cuts the bytes the phone sends into lines, in the reader's buffer of 500 bytes.
//
// A line ends at CR or LF, and also at a blank that is the last byte received so far when the
// line begins with ">": the phone sends its SMS prompt "> " without a line end. The end byte is
// replaced by a zero byte; it and every control byte after it are skipped, so CR LF and empty
// lines yield nothing. Control bytes inside a line stay in it. A line that fills the buffer
// without an end is handed up as it is, so the reader never stalls.
#pragma once

#include <cstddef>
#include <functional>

namespace corvant {

class LineCutter {
public:
    static constexpr std::size_t kBufferSize = 500;
    // Bytes the buffer holds at most; the last place is kept for the zero byte.
    static constexpr std::size_t kCapacity = kBufferSize - 1;

    // Called for each line with the zero-ended text in the buffer, valid during the call.
    using LineSink = std::function<void(char* line)>;

    // Where the next bytes go, and how many fit there.
    char* tail() { return buffer_ + fill_; }
    std::size_t room() const { return kCapacity - fill_; }

    // Takes count bytes just read into tail() (count <= room()) and hands up every line
    // they complete.
    void added(std::size_t count, const LineSink& sink);

    // Copies data in, as the reader's reads would bring it, taking as much per step as fits.
    void feed(const char* data, std::size_t size, const LineSink& sink);

    std::size_t fill() const { return fill_; }
    const char* buffer() const { return buffer_; }

private:
    void cut(const LineSink& sink);

    char buffer_[kBufferSize] = {};
    std::size_t fill_ = 0;
};

} // namespace corvant
