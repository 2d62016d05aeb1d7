#include "phonebook/model/ListSort.h"

#include <algorithm>
#include <cstdio>
#include <numeric>
#include <string_view>

namespace brevik {

namespace {

// The C library's case-blind comparison: only ASCII letters are folded, bytes compare unsigned.
int compareFolded(std::string_view a, std::string_view b)
{
    const auto fold = [](char c) {
        const auto byte = static_cast<unsigned char>(c);
        return byte >= 'A' && byte <= 'Z' ? byte + ('a' - 'A') : int(byte);
    };
    const std::size_t n = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < n; ++i)
        if (const int d = fold(a[i]) - fold(b[i]); d != 0)
            return d;
    return a.size() < b.size() ? -1 : (a.size() > b.size() ? 1 : 0);
}

std::string indexText(int index)
{
    char text[16];
    std::snprintf(text, sizeof text, "%03d", index);
    return text;
}

} // namespace

int CompareEntries(const PhoneBookEntry& a, const PhoneBookEntry& b, int column)
{
    switch (column) {
    case COLUMN_NUMBER:
        return compareFolded(a.number, b.number);
    case COLUMN_INDEX:
        return compareFolded(indexText(a.index), indexText(b.index));
    case COLUMN_STATUS:
        return compareFolded(b.status, a.status);
    default:
        return compareFolded(a.name, b.name);
    }
}

std::vector<int> SortedSlots(const PhoneDirectory& block, int column)
{
    std::vector<int> slots(std::size_t(std::clamp(int(block.count), 0, kBlockSlots)));
    std::iota(slots.begin(), slots.end(), 0);
    std::stable_sort(slots.begin(), slots.end(), [&](int a, int b) {
        return CompareEntries(block.entries[std::size_t(a)], block.entries[std::size_t(b)], column) < 0;
    });
    return slots;
}

} // namespace brevik
