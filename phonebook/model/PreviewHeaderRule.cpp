#include "phonebook/model/PreviewHeaderRule.h"

#include <algorithm>

namespace brevik {

namespace {

constexpr int kColumns = 4;

// Keeps the dragged separator where the rules put it (as far as it fits) and moves the others
// away from it until each column has its narrowest width; the last column takes the rest.
PreviewWidths settle(const PreviewWidths& w, int total, int dragged)
{
    std::array<int, 3> edge = {w[0], w[0] + w[1], w[0] + w[1] + w[2]};
    const auto lowest = [](int k) { return kMinColumnWidth * (k + 1); };
    const auto highest = [total](int k) { return total - kMinColumnWidth * (kColumns - 1 - k); };
    edge[std::size_t(dragged)] = std::clamp(edge[std::size_t(dragged)], lowest(dragged), highest(dragged));
    for (int k = dragged - 1; k >= 0; --k)
        edge[std::size_t(k)] = std::clamp(edge[std::size_t(k)], lowest(k), edge[std::size_t(k + 1)] - kMinColumnWidth);
    for (int k = dragged + 1; k < kColumns - 1; ++k)
        edge[std::size_t(k)] = std::clamp(edge[std::size_t(k)], edge[std::size_t(k - 1)] + kMinColumnWidth, highest(k));
    return {edge[0], edge[1] - edge[0], edge[2] - edge[1], total - edge[2]};
}

} // namespace

int SeparatorAt(const PreviewWidths& w, int x)
{
    const int edges[] = {w[0], w[0] + w[1], w[0] + w[1] + w[2]};
    for (int k = 0; k < 3; ++k)
        if (x > edges[k] - kSeparatorReach && x < edges[k] + kSeparatorReach)
            return k;
    return -1;
}

PreviewWidths DragSeparator(const PreviewWidths& widths, int total, int separator, int x)
{
    if (total < kColumns * kMinColumnWidth || separator < 0 || separator > 2)
        return widths;
    auto [w0, w1, w2, w3] = widths;
    const int s1 = w0;
    const int s2 = w0 + w1;
    const int s3 = s2 + w2;
    const auto rest = [&] { w3 = total - w0 - w1 - w2; };
    switch (separator) {
    case 0:
        if (x > 2 && x < s2 - 2) {
            w0 = x;
            w1 += s1 - x;
        } else if (x >= s2 - 2) {
            w0 = x;
            w1 = 2;
            w2 = x + 4 >= s3 ? 2 : total - x - 2 - w3;
            if (w0 > total - 6) {
                w0 = total - 6;
                w1 = 2;
                w2 = 2;
            }
            rest();
        } else {
            w0 = 2;
            w1 += s1 - 2;
        }
        break;
    case 1: {
        const int d = x - s1;
        if (d > 2 && d < w1 + w2 - 2) {
            w1 = d;
            w2 += s2 - x;
        } else if (d >= w1 + w2 - 2) {
            w1 = d;
            w2 = 2;
            if (w1 > total - 4 - s1)
                w1 = total - 4 - s1;
            rest();
        } else {
            w1 = 2;
            w0 = x - 4;
            w2 = s3 - (x - 4) - 2;
            if (w0 < 2) {
                w0 = 2;
                w2 = s3 - 4;
            }
            rest();
        }
        break;
    }
    default: {
        const int d = x - s2;
        if (d > 2) {
            w2 = d;
            w3 += s3 - x;
            if (w2 > total - 2 - s2) {
                w2 = total - 2 - s2;
                w3 = 2;
            }
        } else {
            w2 = 2;
            if (w1 > 2) {
                w1 = x - s1 - 2;
            } else {
                w1 = 2;
                w0 = x - 4;
            }
            if (w0 < 2)
                w0 = w1 = w2 = 2;
            rest();
        }
        break;
    }
    }
    // The rules above leave a column narrower than 2 pixels, or the sum off the row, when a
    // separator is dragged past the one beyond its neighbour, or when the widths came in not
    // adding up to the row; settling mends both without moving what the rules got right.
    return settle({w0, w1, w2, w3}, total, separator);
}

} // namespace brevik
