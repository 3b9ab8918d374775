// Pixels of a bitmap or of a window's client area.
// Colour surfaces hold one 32-bit word per pixel, 0x00RRGGBB; monochrome surfaces hold one bit
// per pixel, most significant bit first, each row padded to whole 32-bit words.
// A colour surface may instead view memory it does not own (a window's pixels drawn straight
// into the screen's image). The lender finds the surface again through Loan(), which expires
// when the surface goes, and calls OwnPixels() before the memory goes. Copying a surface always
// copies the pixels, so a copy never points into lent memory.
#pragma once

#include <algorithm>
#include <cassert>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <utility>
#include <vector>

#include "platform/core/dirty_boxes.h"

namespace platform {

struct Surface {
    int width = 0;
    int height = 0;
    int bits_per_pixel = 32;      // 32 or 1
    int stride_words = 0;         // 32-bit words per row
    std::vector<uint32_t> words;  // the pixels, when the surface owns them (empty while viewing)

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
        width = other.width;
        height = other.height;
        bits_per_pixel = other.bits_per_pixel;
        stride_words = other.stride_words;
        dirty = other.dirty;
        words = std::move(other.words);
        viewed_ = std::exchange(other.viewed_, nullptr);
        loan_ = std::move(other.loan_);
        if (loan_) *loan_ = this;
        return *this;
    }
    Surface& operator=(const Surface& other) {
        if (this == &other) return *this;
        width = other.width;
        height = other.height;
        bits_per_pixel = other.bits_per_pixel;
        stride_words = other.stride_words;
        dirty = other.dirty;
        words.assign(other.Row(0), other.Row(0) + other.WordCount());
        viewed_ = nullptr;
        loan_.reset();
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
    // draws there from now on; the lender keeps the returned loan to give the pixels back.
    // A colour surface only; stride at least the width.
    std::weak_ptr<Surface*> ViewMemory(uint32_t* memory, int stride) {
        assert(!IsMono() && stride >= width && "only colour pixels can be lent memory");
        for (int y = 0; y < height; ++y)
            std::copy_n(Row(y), width, memory + static_cast<size_t>(y) * stride);
        words = {};
        viewed_ = memory;
        stride_words = stride;
        loan_ = std::make_shared<Surface*>(this);
        return loan_;
    }
    // Copies the pixels back into storage of its own; the lent memory may go after this.
    void OwnPixels() {
        if (!viewed_) return;
        std::vector<uint32_t> own(static_cast<size_t>(width) * height);
        for (int y = 0; y < height; ++y)
            std::copy_n(Row(y), width, own.data() + static_cast<size_t>(y) * width);
        words = std::move(own);
        viewed_ = nullptr;
        stride_words = width;
        loan_.reset();
    }
    bool Views(const void* memory) const { return viewed_ && viewed_ == memory; }

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
    uint32_t* Base() { return viewed_ ? viewed_ : words.data(); }
    const uint32_t* Base() const { return viewed_ ? viewed_ : words.data(); }
    size_t WordCount() const { return static_cast<size_t>(stride_words) * height; }

    uint32_t* viewed_ = nullptr;      // lent memory, or nullptr when `words` holds the pixels
    std::shared_ptr<Surface*> loan_;  // where this surface is, while it views lent memory

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
