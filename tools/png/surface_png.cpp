// Surfaces as PNG files through the project's encoder, enlarged on request so that tiny test
// pictures can be looked at.
#include "tools/png/surface_png.h"

#include <cstdint>
#include <fstream>
#include <vector>

#include "tools/png/png_encoder.h"

namespace png {

bool WritePng(const std::string& path, const platform::Surface& surface, int scale) {
    if (scale < 1 || surface.width == 0 || surface.height == 0) return false;
    std::vector<uint8_t> rgb;
    rgb.reserve(static_cast<size_t>(surface.width) * surface.height * scale * scale * 3);
    for (int y = 0; y < surface.height * scale; ++y) {
        for (int x = 0; x < surface.width * scale; ++x) {
            uint32_t pixel = surface.IsMono() ? (surface.Bit(x / scale, y / scale) ? 0xFFFFFFu : 0u)
                                              : surface.Pixel(x / scale, y / scale);
            rgb.push_back(static_cast<uint8_t>(pixel >> 16));
            rgb.push_back(static_cast<uint8_t>(pixel >> 8));
            rgb.push_back(static_cast<uint8_t>(pixel));
        }
    }
    std::vector<uint8_t> encoded =
        Encode(surface.width * scale, surface.height * scale, Channels::kRgb, rgb);
    std::ofstream file(path, std::ios::binary);
    file.write(reinterpret_cast<const char*>(encoded.data()),
               static_cast<std::streamsize>(encoded.size()));
    return static_cast<bool>(file);
}

}  // namespace png
