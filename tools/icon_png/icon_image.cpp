// Icon files: a directory of images, each a device-independent bitmap whose header counts the
// colour rows and the mask rows together. Every offset is checked before it is read.
#include "tools/icon_png/icon_image.h"

#include <cstring>

#include "platform/core/little_endian.h"
#include "platform/image/bmp.h"

namespace icon_png {

namespace {

using platform::ReadLe16;
using platform::ReadLe32;

constexpr size_t kDirectoryHeader = 6;
constexpr size_t kDirectoryEntry = 16;
constexpr size_t kInfoHeader = 40;

struct Entry {
    size_t offset = 0;
    size_t size = 0;
};

// The entry with the most pixels; its bytes lie inside the file.
bool LargestEntry(std::span<const uint8_t> file, Entry* out, std::string* error) {
    if (file.size() < kDirectoryHeader || ReadLe16(file, 0) != 0 || ReadLe16(file, 2) != 1) {
        *error = "not an icon file";
        return false;
    }
    size_t count = ReadLe16(file, 4);
    if (count == 0 || file.size() < kDirectoryHeader + count * kDirectoryEntry) {
        *error = "the icon directory is empty or cut short";
        return false;
    }
    uint32_t best_area = 0;
    for (size_t i = 0; i < count; ++i) {
        size_t at = kDirectoryHeader + i * kDirectoryEntry;
        uint32_t width = file[at] ? file[at] : 256;  // 0 stands for 256
        uint32_t height = file[at + 1] ? file[at + 1] : 256;
        uint64_t size = ReadLe32(file, at + 8), offset = ReadLe32(file, at + 12);
        if (offset + size > file.size()) {
            *error = "an icon image lies past the end of the file";
            return false;
        }
        if (width * height > best_area) {
            best_area = width * height;
            *out = {static_cast<size_t>(offset), static_cast<size_t>(size)};
        }
    }
    return true;
}

// Bytes of colour data before the mask: header, palette and colour rows.
size_t ColourBytes(std::span<const uint8_t> image, int width, int height) {
    uint32_t bits = ReadLe16(image, 14), used = ReadLe32(image, 32);
    size_t palette = bits <= 8 ? (used ? used : 1u << bits) : used;
    size_t stride = (static_cast<size_t>(width) * bits + 31) / 32 * 4;
    return kInfoHeader + palette * 4 + stride * height;
}

}  // namespace

bool DecodeIcon(std::span<const uint8_t> file, RgbaImage* out, std::string* error) {
    Entry entry;
    if (!LargestEntry(file, &entry, error)) return false;
    std::span<const uint8_t> image = file.subspan(entry.offset, entry.size);
    static constexpr uint8_t kPngSignature[] = {0x89, 'P', 'N', 'G'};
    if (image.size() >= 4 && std::memcmp(image.data(), kPngSignature, 4) == 0) {
        *error = "the icon image is stored as PNG, which is not read here";
        return false;
    }
    if (image.size() < kInfoHeader) {
        *error = "the icon image is shorter than its header";
        return false;
    }
    int32_t both_heights = static_cast<int32_t>(ReadLe32(image, 8));
    if (both_heights <= 0 || both_heights % 2 != 0) {
        *error = "the icon image's height does not cover a colour image and its mask";
        return false;
    }

    // The bitmap decoder reads the colour rows once the height names only them.
    std::vector<uint8_t> colour(image.begin(), image.end());
    int32_t height = both_heights / 2;
    for (int i = 0; i < 4; ++i) colour[8 + i] = static_cast<uint8_t>(height >> (8 * i));
    platform::image::Picture picture;
    platform::image::BmpError bmp_error = platform::image::DecodeBmp(colour, &picture);
    if (bmp_error != platform::image::BmpError::kNone) {
        *error =
            std::string("the icon's colour image: ") + platform::image::BmpErrorName(bmp_error);
        return false;
    }

    size_t mask_at = ColourBytes(image, picture.width, picture.height);
    size_t mask_stride = (static_cast<size_t>(picture.width) + 31) / 32 * 4;
    if (mask_at + mask_stride * picture.height > image.size()) {
        *error = "the icon's transparency mask is cut short";
        return false;
    }
    RgbaImage rgba{picture.width, picture.height, {}};
    rgba.bytes.resize(static_cast<size_t>(rgba.width) * rgba.height * 4);
    for (int y = 0; y < rgba.height; ++y) {
        const uint8_t* mask_row = image.data() + mask_at + (rgba.height - 1 - y) * mask_stride;
        for (int x = 0; x < rgba.width; ++x) {
            uint8_t* pixel = rgba.bytes.data() + (static_cast<size_t>(y) * rgba.width + x) * 4;
            if ((mask_row[x / 8] >> (7 - x % 8)) & 1) continue;  // stays transparent black
            uint32_t rgb = picture.At(x, y);
            pixel[0] = static_cast<uint8_t>(rgb >> 16);
            pixel[1] = static_cast<uint8_t>(rgb >> 8);
            pixel[2] = static_cast<uint8_t>(rgb);
            pixel[3] = 255;
        }
    }
    *out = std::move(rgba);
    return true;
}

RgbaImage ScaleUp(const RgbaImage& image, int factor) {
    RgbaImage big{image.width * factor, image.height * factor, {}};
    big.bytes.resize(static_cast<size_t>(big.width) * big.height * 4);
    for (int y = 0; y < big.height; ++y) {
        for (int x = 0; x < big.width; ++x) {
            std::memcpy(big.bytes.data() + (static_cast<size_t>(y) * big.width + x) * 4,
                        image.At(x / factor, y / factor), 4);
        }
    }
    return big;
}

}  // namespace icon_png
