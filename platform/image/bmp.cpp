// Decoding of the program's uncompressed pictures. Every offset and size is checked against the
// bytes before it is used, so a damaged picture is refused and never read past its end.
#include "platform/image/bmp.h"

#include <cstddef>

#include "platform/core/little_endian.h"

namespace platform::image {

namespace {

constexpr size_t kFileHeaderSize = 14;
constexpr size_t kInfoHeaderSize = 40;

// Where everything lies, once every part has been found inside the bytes.
struct Layout {
    int width = 0;
    int height = 0;
    bool top_down = false;
    int bits = 0;
    size_t palette_at = 0;
    uint32_t palette_count = 0;  // colours a pixel may name (0 at 24 bits)
    size_t pixels_at = 0;
    size_t stride = 0;  // bytes per row, padded to 4
};

BmpError ReadHeader(std::span<const uint8_t> b, size_t info_at, Layout* layout) {
    if (b.size() < info_at + 4) return BmpError::kTruncated;
    if (ReadLe32(b, info_at) != kInfoHeaderSize) return BmpError::kBadHeaderSize;
    if (b.size() < info_at + kInfoHeaderSize) return BmpError::kTruncated;
    int64_t width = static_cast<int32_t>(ReadLe32(b, info_at + 4));
    int64_t height = static_cast<int32_t>(ReadLe32(b, info_at + 8));
    if (ReadLe16(b, info_at + 12) != 1) return BmpError::kBadPlanes;
    int bits = ReadLe16(b, info_at + 14);
    if (bits != 4 && bits != 8 && bits != 24) return BmpError::kUnsupportedDepth;
    if (ReadLe32(b, info_at + 16) != 0) return BmpError::kCompressed;
    layout->top_down = height < 0;
    if (height < 0) height = -height;
    if (width <= 0 || height == 0 || width > kMaxSide || height > kMaxSide)
        return BmpError::kBadSize;
    layout->width = static_cast<int>(width);
    layout->height = static_cast<int>(height);
    layout->bits = bits;
    layout->stride = (static_cast<size_t>(width) * bits + 31) / 32 * 4;
    return BmpError::kNone;
}

BmpError ReadPalette(std::span<const uint8_t> b, size_t info_at, Layout* layout) {
    uint32_t used = ReadLe32(b, info_at + 32);
    layout->palette_at = info_at + kInfoHeaderSize;
    uint64_t entries = used;
    if (layout->bits <= 8) {
        uint32_t most = 1u << layout->bits;
        if (used > most) return BmpError::kBadPalette;
        entries = used ? used : most;
        layout->palette_count = static_cast<uint32_t>(entries);
    }
    // At 24 bits a palette may be present as a hint; it is skipped.
    if (layout->palette_at + entries * 4 > b.size()) return BmpError::kTruncated;
    layout->pixels_at = layout->palette_at + static_cast<size_t>(entries) * 4;
    return BmpError::kNone;
}

BmpError ReadLayout(std::span<const uint8_t> b, Layout* layout) {
    bool is_file = b.size() >= 2 && b[0] == 'B' && b[1] == 'M';
    size_t info_at = is_file ? kFileHeaderSize : 0;
    if (BmpError e = ReadHeader(b, info_at, layout); e != BmpError::kNone) return e;
    if (BmpError e = ReadPalette(b, info_at, layout); e != BmpError::kNone) return e;
    if (is_file) {
        uint32_t offset = ReadLe32(b, 10);
        if (offset < layout->pixels_at || offset > b.size()) return BmpError::kBadOffset;
        layout->pixels_at = offset;
    }
    if (layout->pixels_at + layout->stride * layout->height > b.size()) return BmpError::kTruncated;
    return BmpError::kNone;
}

uint32_t Rgb(uint8_t r, uint8_t g, uint8_t b) {
    return static_cast<uint32_t>(r) << 16 | static_cast<uint32_t>(g) << 8 | b;
}

// Rows are read from within the checked layout; only palette indices remain to be checked.
bool DecodeRow(const uint8_t* src, const Layout& layout, const uint32_t* palette, uint32_t* dst) {
    int w = layout.width;
    switch (layout.bits) {
        case 24:
            for (int x = 0; x < w; ++x, src += 3) dst[x] = Rgb(src[2], src[1], src[0]);
            return true;
        case 8:
            for (int x = 0; x < w; ++x) {
                if (src[x] >= layout.palette_count) return false;
                dst[x] = palette[src[x]];
            }
            return true;
        default:  // 4 bits, high nibble first
            for (int x = 0; x < w; ++x) {
                uint8_t index = (x & 1) ? (src[x / 2] & 0x0F) : (src[x / 2] >> 4);
                if (index >= layout.palette_count) return false;
                dst[x] = palette[index];
            }
            return true;
    }
}

}  // namespace

const char* BmpErrorName(BmpError error) {
    switch (error) {
        case BmpError::kNone:
            return "none";
        case BmpError::kTruncated:
            return "truncated";
        case BmpError::kBadHeaderSize:
            return "bad header size";
        case BmpError::kBadPlanes:
            return "bad plane count";
        case BmpError::kUnsupportedDepth:
            return "unsupported depth";
        case BmpError::kCompressed:
            return "compressed";
        case BmpError::kBadSize:
            return "bad size";
        case BmpError::kBadPalette:
            return "bad palette";
        case BmpError::kBadOffset:
            return "bad pixel offset";
        case BmpError::kBadPaletteIndex:
            return "palette index past the palette";
    }
    return "unknown";
}

BmpError DecodeBmp(std::span<const uint8_t> bytes, Picture* out) {
    Layout layout;
    if (BmpError e = ReadLayout(bytes, &layout); e != BmpError::kNone) return e;

    uint32_t palette[256] = {};
    for (uint32_t i = 0; i < layout.palette_count; ++i) {
        const uint8_t* quad = bytes.data() + layout.palette_at + i * 4;
        palette[i] = Rgb(quad[2], quad[1], quad[0]);
    }

    Picture picture;
    picture.width = layout.width;
    picture.height = layout.height;
    picture.pixels.resize(static_cast<size_t>(layout.width) * layout.height);
    for (int row = 0; row < layout.height; ++row) {
        const uint8_t* src = bytes.data() + layout.pixels_at + row * layout.stride;
        int y = layout.top_down ? row : layout.height - 1 - row;
        uint32_t* dst = picture.pixels.data() + static_cast<size_t>(y) * layout.width;
        if (!DecodeRow(src, layout, palette, dst)) return BmpError::kBadPaletteIndex;
    }
    *out = std::move(picture);
    return BmpError::kNone;
}

}  // namespace platform::image
