// Pixels of a bitmap or of a window's client area.
// Colour surfaces hold one 32-bit word per pixel, 0x00RRGGBB; monochrome surfaces hold one bit
// per pixel, most significant bit first, each row padded to whole 32-bit words.
// A colour surface may instead draw in memory it does not own (a window's pixels drawn straight
// into the screen's image). Whoever lends that memory keeps track of the loan and calls
// DrawInOwnMemory() before the memory goes; the surface itself only knows where its pixels are.
// Copying or moving a surface that draws in lent memory copies the pixels, so only the surface
// that was lent the memory ever points into it.
#pragma once

#include <algorithm>
#include <cassert>
#include <cstddef>
#include <cstdint>
#include <utility>
#include <vector>

#include "platform/core/dirty_boxes.h"

namespace platform {

struct Surface {
    int width = 0;
    int height = 0;
    int bits_per_pixel = 32;  // 32 or 1
    int stride_words = 0;     // 32-bit words per row

    // What changed since the host last showed the pixels; drawing code adds to it, the window
    // system clears it when it presents a window.
    DirtyBoxes dirty;

    bool HasDirty() const { return dirty.Any(); }
    void ClearDirty() { dirty.Clear(); }
    // Adds [left, right) x [top, bottom), already clipped by the caller.
    void MarkDirty(int left, int top, int right, int bottom) {
        dirty.Add({left, top, right, bottom});
    }

    Surface() = default;
    Surface(const Surface& other) { *this = other; }
    Surface(Surface&& other) noexcept { *this = std::move(other); }
    Surface& operator=(Surface&& other) noexcept {
        if (other.lent_) return *this = other;  // lent memory stays with the one it was lent to
        width = other.width;
        height = other.height;
        bits_per_pixel = other.bits_per_pixel;
        stride_words = other.stride_words;
        dirty = other.dirty;
        words_ = std::move(other.words_);
        lent_ = nullptr;
        return *this;
    }
    Surface& operator=(const Surface& other) {
        if (this == &other) return *this;
        width = other.width;
        height = other.height;
        bits_per_pixel = other.bits_per_pixel;
        stride_words = other.stride_words;
        dirty = other.dirty;
        words_.assign(other.Row(0), other.Row(0) + other.WordCount());
        lent_ = nullptr;
        return *this;
    }

    static Surface Color(int width, int height) { return Make(width, height, 32); }
    static Surface Mono(int width, int height) { return Make(width, height, 1); }

    bool IsMono() const { return bits_per_pixel == 1; }

    // Keeps the surface object (and so every pointer to it) but changes its size; the
    // overlapping pixels are kept and new ones are black.
    void Resize(int new_width, int new_height) {
        Surface resized = Make(new_width, new_height, bits_per_pixel);
        int rows = new_height < height ? new_height : height;
        // Colour rows copy the narrower width (a viewed row may be padded); mono rows copy whole
        // words.
        int row_words =
            IsMono() ? std::min(resized.stride_words, stride_words) : std::min(new_width, width);
        for (int y = 0; y < rows; ++y) std::copy_n(Row(y), row_words, resized.Row(y));
        *this = std::move(resized);
        MarkDirty(0, 0, width, height);
    }

    uint32_t* Row(int y) { return Base() + static_cast<size_t>(y) * stride_words; }
    const uint32_t* Row(int y) const { return Base() + static_cast<size_t>(y) * stride_words; }

    // Moves the pixels into `memory` (height rows of `stride` words, lent by the caller) and
    // draws there from now on. A colour surface only; stride at least the width.
    void DrawIn(uint32_t* memory, int stride) {
        assert(!IsMono() && stride >= width && "only colour pixels can be lent memory");
        for (int y = 0; y < height; ++y)
            std::copy_n(Row(y), width, memory + static_cast<size_t>(y) * stride);
        words_ = {};
        lent_ = memory;
        stride_words = stride;
    }
    // Copies the pixels back into storage of its own; the lent memory may go after this.
    void DrawInOwnMemory() {
        if (!lent_) return;
        std::vector<uint32_t> own(static_cast<size_t>(width) * height);
        for (int y = 0; y < height; ++y)
            std::copy_n(Row(y), width, own.data() + static_cast<size_t>(y) * width);
        words_ = std::move(own);
        lent_ = nullptr;
        stride_words = width;
    }
    bool DrawsIn(const void* memory) const { return lent_ && lent_ == memory; }

    // Sets every word of every row, padding included (a colour, or a mono pattern).
    void Fill(uint32_t word) {
        for (int y = 0; y < height; ++y) std::fill_n(Row(y), stride_words, word);
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
    uint32_t* Base() { return lent_ ? lent_ : words_.data(); }
    const uint32_t* Base() const { return lent_ ? lent_ : words_.data(); }
    size_t WordCount() const { return static_cast<size_t>(stride_words) * height; }

    std::vector<uint32_t> words_;  // the pixels, when the surface owns them (empty while lent)
    uint32_t* lent_ = nullptr;     // lent memory, or nullptr when `words_` holds the pixels

    static Surface Make(int width, int height, int bits) {
        assert(width >= 0 && height >= 0 && "surface size must not be negative");
        Surface s;
        s.width = width;
        s.height = height;
        s.bits_per_pixel = bits;
        s.stride_words = bits == 32 ? width : (width + 31) / 32;
        s.words_.assign(static_cast<size_t>(s.stride_words) * height, 0u);
        return s;
    }
};

}  // namespace platform
