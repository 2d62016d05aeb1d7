#include "outlookbutton/PlinketResources.h"

namespace torvane::plinket {

namespace {

// A calendar sheet with two rings, a red head and one day marked.
constexpr BitmapResource kButtonBitmap{
    IDB_BUTTON,
    {
        0x00000000, // 0 transparent
        0xFF000000, // 1 black
        0xFF800000, // 2 dark red
        0xFFFF0000, // 3 red
        0xFFFFFFFF, // 4 white
        0xFFC0C0C0, // 5 light grey
        0xFF808080, // 6 grey
        0xFF000080, // 7 dark blue
        0xFF0000FF, // 8 blue
        0xFF008000, // 9 dark green
        0xFF00FF00, // a green
        0xFFFFFF00, // b yellow
        0xFF008080, // c dark cyan
        0xFF00FFFF, // d cyan
        0xFF808000, // e olive
        0xFFFF00FF, // f magenta
    },
    {
        "0000100000010000",
        "0111511111151110",
        "0133533333353310",
        "0133333333333310",
        "0122222222222210",
        "0144444444444410",
        "0145545545545510",
        "0145545545545510",
        "0144444444444410",
        "0145545548845510",
        "0145545548845510",
        "0144444444444410",
        "0145545545544410",
        "0145545545544410",
        "0144444444444410",
        "0111111111111110",
    },
};

constexpr int hexValue(char c)
{
    return c >= '0' && c <= '9' ? c - '0' : c >= 'a' && c <= 'f' ? c - 'a' + 10 : 0;
}

// Kept even though nothing in the library reads it: it is the file's version data.
[[gnu::used, gnu::section("torvane_version")]] const VersionResource kVersion{
    "TVVERS1",
    {1, 0, 0, 0},
    {1, 0, 0, 0},
    "1.00",
    "1.00",
    "Outlook extension",
};

} // namespace

const BitmapResource* findBitmapResource(int id)
{
    return id == kButtonBitmap.id ? &kButtonBitmap : nullptr;
}

std::array<std::uint32_t, BitmapResource::kWidth * BitmapResource::kHeight> bitmapPixels(const BitmapResource& bitmap)
{
    std::array<std::uint32_t, BitmapResource::kWidth * BitmapResource::kHeight> pixels{};
    for (int y = 0; y < BitmapResource::kHeight; ++y)
        for (int x = 0; x < BitmapResource::kWidth; ++x)
            pixels[std::size_t(y * BitmapResource::kWidth + x)] = bitmap.palette[std::size_t(hexValue(bitmap.rows[std::size_t(y)][x]))];
    return pixels;
}

const VersionResource& versionResource()
{
    return kVersion;
}

} // namespace torvane::plinket
