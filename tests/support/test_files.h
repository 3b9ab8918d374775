// Small pictures, sounds and icons made byte by byte for the tests, in the layouts the files on
// disk use, with the field offsets the tests damage to make malformed ones.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace media_test {

// Offsets into a .bmp file (the information header starts after the 14-byte file header).
inline constexpr size_t kBmpPixelOffset = 10;
inline constexpr size_t kBmpInfo = 14;
inline constexpr size_t kBmpHeaderSize = kBmpInfo + 0;
inline constexpr size_t kBmpWidth = kBmpInfo + 4;
inline constexpr size_t kBmpHeight = kBmpInfo + 8;
inline constexpr size_t kBmpPlanes = kBmpInfo + 12;
inline constexpr size_t kBmpBits = kBmpInfo + 14;
inline constexpr size_t kBmpCompression = kBmpInfo + 16;
inline constexpr size_t kBmpColoursUsed = kBmpInfo + 32;
inline constexpr size_t kBmpPalette = kBmpInfo + 40;

struct BmpRecipe {
    int width = 0;
    int height = 0;  // rows given top first; stored bottom-up unless top_down
    int bits = 8;
    bool top_down = false;
    bool file_header = true;          // false: the packed form, header first
    std::vector<uint32_t> palette{};  // 0x00RRGGBB; written as blue, green, red, 0
    uint32_t colours_used = 0;        // the header's count; 0 means the depth's full count
    std::vector<uint32_t> values{};   // per pixel, top row first: an index, or 0x00RRGGBB at 24
};

std::vector<uint8_t> MakeBmp(const BmpRecipe& recipe);

struct WaveRecipe {
    uint32_t rate = 11025;
    std::vector<uint8_t> samples{};
    uint16_t format = 1;
    uint16_t channels = 1;
    uint16_t bits = 8;
    uint16_t block_align = 1;
    bool chunk_before_format = false;  // a LIST chunk of odd size ahead of "fmt "
};

// Offsets into a wave made without the extra chunk.
inline constexpr size_t kWaveRiffSize = 4;
inline constexpr size_t kWaveFormatTag = 20;
inline constexpr size_t kWaveDataSize = 40;

std::vector<uint8_t> MakeWave(const WaveRecipe& recipe);

// An .ico file holding the given images, each with its directory entry's size fields.
struct IconImage {
    uint8_t width = 32;
    uint8_t height = 32;
    uint8_t colours = 16;
    uint16_t bits = 4;
    std::vector<uint8_t> bytes{};
};

std::vector<uint8_t> MakeIco(const std::vector<IconImage>& images);

void PutLe16(std::vector<uint8_t>& out, size_t at, uint16_t v);
void PutLe32(std::vector<uint8_t>& out, size_t at, uint32_t v);

}  // namespace media_test
