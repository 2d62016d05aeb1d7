#include "melody/document/Archive.h"

#include <algorithm>
#include <istream>

Archive::Archive() : storing_(true) {}

Archive::Archive(std::span<const std::uint8_t> bytes) : storing_(false), in_(bytes) {}

Archive::Archive(std::istream& in) : storing_(false), stream_(&in) {}

void Archive::WriteByte(std::uint8_t value)
{
    out_.push_back(value);
}

void Archive::WriteInt32(std::int32_t value)
{
    const auto bits = static_cast<std::uint32_t>(value);
    for (int shift = 0; shift < 32; shift += 8)
        out_.push_back(static_cast<std::uint8_t>(bits >> shift));
}

void Archive::WriteBytes(std::span<const std::uint8_t> bytes)
{
    out_.insert(out_.end(), bytes.begin(), bytes.end());
}

bool Archive::ReadBytes(std::span<std::uint8_t> bytes)
{
    if (storing_)
        return false;
    if (stream_) {
        if (bytes.empty())
            return true;
        stream_->read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
        return stream_->gcount() == static_cast<std::streamsize>(bytes.size());
    }
    if (in_.size() - pos_ < bytes.size())
        return false;
    std::copy_n(in_.begin() + static_cast<std::ptrdiff_t>(pos_), bytes.size(), bytes.begin());
    pos_ += bytes.size();
    return true;
}

bool Archive::ReadByte(std::uint8_t& value)
{
    return ReadBytes(std::span(&value, 1));
}

bool Archive::ReadInt32(std::int32_t& value)
{
    std::uint8_t raw[4];
    if (!ReadBytes(raw))
        return false;
    const std::uint32_t bits = std::uint32_t(raw[0]) | std::uint32_t(raw[1]) << 8
        | std::uint32_t(raw[2]) << 16 | std::uint32_t(raw[3]) << 24;
    value = static_cast<std::int32_t>(bits);
    return true;
}
