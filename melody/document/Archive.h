// The byte archive a melody document is stored to and loaded from: little-endian integers and
// raw bytes, written into memory or read from memory or a stream. Reads never throw; they report
// running out of data, which the document turns into the archive error of a cut-off file.
#pragma once

#include <cstddef>
#include <cstdint>
#include <iosfwd>
#include <span>
#include <vector>

class Archive {
public:
    // Storing into an internal buffer; Bytes() hands out what was written.
    Archive();
    // Loading from bytes in memory; the bytes must outlive the archive.
    explicit Archive(std::span<const std::uint8_t> bytes);
    // Loading from a stream (an opened file); reading stops at the stream's end or first error.
    explicit Archive(std::istream& in);

    Archive(const Archive&) = delete;
    Archive& operator=(const Archive&) = delete;

    bool IsStoring() const { return storing_; }
    bool IsLoading() const { return !storing_; }

    // Storing.
    void WriteByte(std::uint8_t value);
    void WriteInt32(std::int32_t value);
    void WriteBytes(std::span<const std::uint8_t> bytes);
    const std::vector<std::uint8_t>& Bytes() const { return out_; }

    // Loading: false when the data ends (or the stream fails) before the whole value.
    bool ReadByte(std::uint8_t& value);
    bool ReadInt32(std::int32_t& value);
    bool ReadBytes(std::span<std::uint8_t> bytes);

private:
    bool storing_;
    std::vector<std::uint8_t> out_;
    std::span<const std::uint8_t> in_;
    std::size_t pos_ = 0;
    std::istream* stream_ = nullptr;
};
