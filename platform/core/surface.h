// Pixels of a bitmap or of a window's client area.
// Colour surfaces hold one 32-bit word per pixel, 0x00RRGGBB; monochrome surfaces hold one bit
// per pixel, most significant bit first, each row padded to whole 32-bit words.
#pragma once

#include <cassert>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "platform/core/dirty_boxes.h"

namespace platform {

struct Surface {
    int width = 0;
    int height = 0;
    int bits_per_pixel = 32;  // 32 or 1
    int stride_words = 0;     // 32-bit words per row
    std::vector<uint32_t> words;

    // What changed since the host last showed the pixels; drawing code adds to it, the window
    // system clears it when it presents a window.
    DirtyBoxes dirty;

    bool HasDirty() const { return dirty.Any(); }
    void ClearDirty() { dirty.Clear(); }
    // Adds [left, right) x [top, bottom), already clipped by the caller.
    void MarkDirty(int left, int top, int right, int bottom) {
        dirty.Add({left, top, right, bottom});
    }

    static Surface Color(int width, int height) { return Make(width, height, 32); }
    static Surface Mono(int width, int height) { return Make(width, height, 1); }

    bool IsMono() const { return bits_per_pixel == 1; }

    // Keeps the surface object (and so every pointer to it) but changes its size; the
    // overlapping pixels are kept and new ones are black.
    void Resize(int new_width, int new_height) {
        Surface resized = Make(new_width, new_height, bits_per_pixel);
        int rows = new_height < height ? new_height : height;
        int row_words = resized.stride_words < stride_words ? resized.stride_words : stride_words;
        for (int y = 0; y < rows; ++y)
            for (int i = 0; i < row_words; ++i)
                resized.words[y * resized.stride_words + i] = words[y * stride_words + i];
        *this = std::move(resized);
        MarkDirty(0, 0, width, height);
    }

    uint32_t* Row(int y) { return words.data() + static_cast<size_t>(y) * stride_words; }
    const uint32_t* Row(int y) const {
        return words.data() + static_cast<size_t>(y) * stride_words;
    }

    // Colour pixel access; callers keep x and y inside the surface.
    uint32_t Pixel(int x, int y) const { return Row(y)[x]; }
    void SetPixel(int x, int y, uint32_t rgb) { Row(y)[x] = rgb; }

    // Monochrome bit access; callers keep x and y inside the surface.
    bool Bit(int x, int y) const { return (Row(y)[x >> 5] >> (31 - (x & 31))) & 1u; }
    void SetBit(int x, int y, bool on) {
        uint32_t mask = 1u << (31 - (x & 31));
        uint32_t& word = Row(y)[x >> 5];
        word = on ? (word | mask) : (word & ~mask);
    }

  private:
    static Surface Make(int width, int height, int bits) {
        assert(width >= 0 && height >= 0 && "surface size must not be negative");
        Surface s;
        s.width = width;
        s.height = height;
        s.bits_per_pixel = bits;
        s.stride_words = bits == 32 ? width : (width + 31) / 32;
        s.words.assign(static_cast<size_t>(s.stride_words) * height, 0u);
        return s;
    }
};

}  // namespace platform
