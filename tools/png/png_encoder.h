// PNG as the format asks and no more: signature, header, one data chunk of unfiltered rows in a
// zlib stream of stored blocks, end chunk. Every viewer reads it and no compression library is
// needed; the pictures it serves (icons, test failures, screenshots) are small enough.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace png {

enum class Channels { kRgb = 3, kRgba = 4 };

// `pixels` holds width x height pixels of 8-bit channels, top row first, no padding.
std::vector<uint8_t> Encode(int width, int height, Channels channels,
                            std::span<const uint8_t> pixels);

}  // namespace png
