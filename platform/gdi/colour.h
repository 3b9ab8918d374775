// Colour conversions between the game's COLORREF (0x00BBGGRR) and the surfaces' pixel words
// (0x00RRGGBB for colour, one bit for monochrome).
#pragma once

#include <cstdint>

#include "platform/core/surface.h"

namespace platform::gdi {

constexpr uint32_t kRgbMask = 0x00FFFFFFu;

// The top byte of a COLORREF (palette flags) means nothing on our true-colour surfaces.
constexpr uint32_t RgbFromColorRef(uint32_t colour_ref) {
    return ((colour_ref & 0xFFu) << 16) | (colour_ref & 0xFF00u) | ((colour_ref >> 16) & 0xFFu);
}

constexpr uint32_t ColorRefFromRgb(uint32_t rgb) {
    return ((rgb & 0xFFu) << 16) | (rgb & 0xFF00u) | ((rgb >> 16) & 0xFFu);
}

// A colour drawn on a monochrome surface becomes the nearer of black and white.
constexpr bool MonoBitFromRgb(uint32_t rgb) {
    return ((rgb >> 16) & 0xFFu) + ((rgb >> 8) & 0xFFu) + (rgb & 0xFFu) > 382u;
}

// The word a drawing colour writes into `surface`: the pixel itself, or 0/1 for a bit.
inline uint32_t InkFor(const Surface& surface, uint32_t rgb) {
    return surface.IsMono() ? (MonoBitFromRgb(rgb) ? 1u : 0u) : (rgb & kRgbMask);
}

}  // namespace platform::gdi
