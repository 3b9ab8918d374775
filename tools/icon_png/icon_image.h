// Reads the picture out of a Windows icon file: the colour image through the program's own bitmap
// decoder, and the transparency mask beside it as alpha. Icons stored as PNG are not read.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace icon_png {

// Non-premultiplied 8-bit RGBA, top row first, four bytes a pixel.
struct RgbaImage {
    int width = 0;
    int height = 0;
    std::vector<uint8_t> bytes;

    const uint8_t* At(int x, int y) const {
        return bytes.data() + (static_cast<size_t>(y) * width + x) * 4;
    }
};

// Decodes the largest image of the icon file. A masked pixel becomes transparent black, every
// other pixel opaque. On failure returns false and says why in *error.
bool DecodeIcon(std::span<const uint8_t> file, RgbaImage* out, std::string* error);

// Each pixel becomes a factor x factor block, which keeps small pixel art crisp.
RgbaImage ScaleUp(const RgbaImage& image, int factor);

}  // namespace icon_png
