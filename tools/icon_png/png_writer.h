// Writes an RGBA picture as PNG bytes: stored (uncompressed) deflate blocks, so no compression
// library is needed and every viewer still reads it.
#pragma once

#include <cstdint>
#include <vector>

#include "tools/icon_png/icon_image.h"

namespace icon_png {

std::vector<uint8_t> EncodePng(const RgbaImage& image);

}  // namespace icon_png
