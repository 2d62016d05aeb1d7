// The library's resources: the button picture (bitmap 103) and the version data, which is
// kept in a section of its own ("torvane_version") so it can be read from the file unloaded.
#pragma once

#include <array>
#include <cstdint>

namespace torvane::plinket {

constexpr int IDB_BUTTON = 103;

// A 16-colour picture: a palette of 0xAARRGGBB colours and one palette index per pixel.
struct BitmapResource {
    static constexpr int kWidth = 16;
    static constexpr int kHeight = 16;
    int id;
    std::array<std::uint32_t, 16> palette;
    std::array<const char*, kHeight> rows; // kWidth hex digits each, one per pixel
};

// Null when the library has no bitmap of that id.
const BitmapResource* findBitmapResource(int id);

// The picture as 0xAARRGGBB pixels, rows top to bottom.
std::array<std::uint32_t, BitmapResource::kWidth * BitmapResource::kHeight> bitmapPixels(const BitmapResource& bitmap);

// Layout of the version section; readers of the file rely on it.
struct VersionResource {
    char signature[8];           // "TVVERS1\0"
    std::uint16_t fileVersion[4];    // major, minor, build, revision
    std::uint16_t productVersion[4];
    char fileVersionText[16];
    char productVersionText[16];
    char fileDescription[64];
};

const VersionResource& versionResource();

} // namespace torvane::plinket
