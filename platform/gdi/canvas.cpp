// Clipped box fills on colour and monochrome surfaces: the one place shapes write pixels.
#include "platform/gdi/canvas.h"

#include <algorithm>
#include <cwchar>

#include "platform/gdi/colour.h"

namespace platform::gdi {

namespace {

// A plain loop of 32-bit stores runs at a fraction of memset's speed. The C library's wmemset
// stores 32-bit words through the same fast paths as memset; it is an opaque call that only
// writes the words it is given, so handing it our pixel words is safe where wchar_t is 32 bits.
void FillWords(uint32_t* words, int count, uint32_t value) {
    if constexpr (sizeof(wchar_t) == sizeof(uint32_t)) {
        if (count >= 16) {
            std::wmemset(reinterpret_cast<wchar_t*>(words), static_cast<wchar_t>(value), count);
            return;
        }
    }
    std::fill_n(words, count, value);
}

int ClampToInt(int64_t value) {
    return static_cast<int>(std::clamp<int64_t>(value, INT32_MIN, INT32_MAX));
}

// Sets or clears bits [x0, x1) of a monochrome row, a word at a time.
void FillBits(uint32_t* row, int x0, int x1, bool on) {
    while (x0 < x1) {
        int bit = x0 & 31;
        int count = std::min(32 - bit, x1 - x0);
        uint32_t mask = (count == 32 ? ~0u : ((1u << count) - 1u) << (32 - bit - count));
        uint32_t& word = row[x0 >> 5];
        word = on ? (word | mask) : (word & ~mask);
        x0 += count;
    }
}
}  // namespace

Canvas::Canvas(const DeviceContext& dc)
    : surface_(dc.surface), origin_x_(dc.origin.x), origin_y_(dc.origin.y) {
    Box bounds{0, 0, surface_->width, surface_->height};
    clip_ = Box{dc.clip.left, dc.clip.top, dc.clip.right, dc.clip.bottom}.Intersect(bounds);
}

Box Canvas::ToSurface(int64_t left, int64_t top, int64_t right, int64_t bottom) const {
    Box box{ClampToInt(std::clamp<int64_t>(left + origin_x_, clip_.left, clip_.right)),
            ClampToInt(std::clamp<int64_t>(top + origin_y_, clip_.top, clip_.bottom)),
            ClampToInt(std::clamp<int64_t>(right + origin_x_, clip_.left, clip_.right)),
            ClampToInt(std::clamp<int64_t>(bottom + origin_y_, clip_.top, clip_.bottom))};
    return box;
}

uint32_t Canvas::Ink(COLORREF colour) const {
    return InkFor(*surface_, RgbFromColorRef(colour));
}

void Canvas::FillDeviceBox(int64_t left, int64_t top, int64_t right, int64_t bottom, uint32_t ink) {
    Box box = ToSurface(left, top, right, bottom);
    if (box.Empty()) return;
    FillBox(box, ink);
}

void Canvas::FillBox(const Box& box, uint32_t ink) {
    surface_->MarkDirty(box.left, box.top, box.right, box.bottom);
    for (int y = box.top; y < box.bottom; ++y) {
        if (surface_->IsMono()) {
            FillBits(surface_->Row(y), box.left, box.right, ink != 0);
        } else {
            FillWords(surface_->Row(y) + box.left, box.Width(), ink);
        }
    }
}

void Canvas::Invert(int64_t x, int64_t y) {
    Box box = ToSurface(x, y, x + 1, y + 1);
    if (box.Empty()) return;
    surface_->MarkDirty(box.left, box.top, box.right, box.bottom);
    if (surface_->IsMono()) {
        surface_->SetBit(box.left, box.top, !surface_->Bit(box.left, box.top));
    } else {
        surface_->SetPixel(box.left, box.top, surface_->Pixel(box.left, box.top) ^ kRgbMask);
    }
}

}  // namespace platform::gdi
