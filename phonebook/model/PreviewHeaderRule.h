// The column widths of the preview row and what dragging one of the header's three separators
// does to them: a separator pushed into its neighbour shrinks the neighbour to its narrowest
// and then drags the next separator along.
#pragma once

#include <array>

namespace brevik {

// w0 .. w3: name, number, index and status, in pixels.
using PreviewWidths = std::array<int, 4>;

// The narrowest a column gets, and how near the pointer must come to a separator to grab it.
constexpr int kMinColumnWidth = 2;
constexpr int kSeparatorReach = 10;

// The separator (0 after the name, 1 after the number, 2 after the index) that x lies strictly
// within kSeparatorReach pixels of, tested in that order; -1 when none.
int SeparatorAt(const PreviewWidths& widths, int x);

// The widths after separator was dragged to x in a row total pixels wide. Whatever the order
// and distance of the drags, every column keeps at least kMinColumnWidth and the four widths
// add up to total (a row narrower than four such columns is not laid out).
PreviewWidths DragSeparator(const PreviewWidths& widths, int total, int separator, int x);

} // namespace brevik
