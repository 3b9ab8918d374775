// A half-open integer rectangle [left, right) x [top, bottom) and the few operations the
// rasterisers need on it.
#pragma once

#include <algorithm>

namespace platform::gdi {

struct Box {
    int left = 0, top = 0, right = 0, bottom = 0;

    bool Empty() const { return left >= right || top >= bottom; }
    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    bool Contains(int x, int y) const { return x >= left && x < right && y >= top && y < bottom; }
    Box Intersect(const Box& other) const {
        return {std::max(left, other.left), std::max(top, other.top), std::min(right, other.right),
                std::min(bottom, other.bottom)};
    }
    Box Offset(int dx, int dy) const { return {left + dx, top + dy, right + dx, bottom + dy}; }
};

}  // namespace platform::gdi
