// Reads the program's pictures: uncompressed device-independent bitmaps with a 40-byte
// information header at 4, 8 or 24 bits per pixel, either as a whole .bmp file or as the packed
// form (header, palette, pixels) without the file header. Nothing else is accepted.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace platform::image {

// 0x00RRGGBB pixels, top row first, width * height of them.
struct Picture {
    int width = 0;
    int height = 0;
    std::vector<uint32_t> pixels;

    uint32_t At(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
};

enum class BmpError {
    kNone,
    kTruncated,      // shorter than its headers, palette or pixel rows
    kBadHeaderSize,  // an information header other than the 40-byte one
    kBadPlanes,
    kUnsupportedDepth,  // not 4, 8 or 24 bits per pixel
    kCompressed,
    kBadSize,          // zero, negative width, or beyond kMaxSide
    kBadPalette,       // more colours than the depth can index
    kBadOffset,        // pixels said to start inside the headers or palette
    kBadPaletteIndex,  // a pixel names a colour past the palette
};

// Larger pictures than this are refused as absurd; the largest the game has is 800 wide.
inline constexpr int kMaxSide = 16384;

const char* BmpErrorName(BmpError error);

// Fills *out only on success.
BmpError DecodeBmp(std::span<const uint8_t> bytes, Picture* out);

}  // namespace platform::image
