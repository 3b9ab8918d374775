// Checks of the icon file: one 32 x 32 image in the sixteen system colours with its AND mask,
// laid out as the icon directory and the image's header, palette, colour rows and mask rows.
#include <set>
#include <string>
#include <vector>

#include "tests/resources/byte_reader.h"
#include "tests/resources/resource_checks.h"

namespace resource_checks {
namespace {

constexpr int kSide = 32;
constexpr size_t kColourRow = kSide / 2;  // 4 bits a pixel
constexpr size_t kMaskRow = 4;            // 1 bit a pixel, padded to 4 bytes
constexpr size_t kImageBytes = 40 + 16 * 4 + kColourRow * kSide + kMaskRow * kSide;

}  // namespace

std::vector<std::string> CheckIcon(Bytes bytes) {
    std::vector<std::string> problems;
    ByteReader in(bytes);
    if (in.size() < 22 || in.U16(0) != 0 || in.U16(2) != 1 || in.U16(4) != 1) {
        problems.push_back("not an icon file holding one image");
        return problems;
    }
    if (in.U8(6) != kSide || in.U8(7) != kSide || in.U8(8) != 16 || in.U16(12) != 4) {
        problems.push_back("directory entry is not 32 x 32 in 16 colours");
    }
    const std::uint32_t size = in.U32(14), at = in.U32(18);
    if (size != kImageBytes || at != 22 || !in.Fits(at, size) || at + size != in.size()) {
        problems.push_back("image size or offset is wrong");
        return problems;
    }
    for (auto& problem : CheckIconImage(bytes.subspan(at, size))) problems.push_back(problem);
    return problems;
}

std::vector<std::string> CheckIconImage(Bytes image) {
    std::vector<std::string> problems;
    ByteReader in(image);
    if (in.size() != kImageBytes) {
        problems.push_back("the image is " + std::to_string(in.size()) + " bytes, not " +
                           std::to_string(kImageBytes));
        return problems;
    }
    if (in.U32(0) != 40 || in.I32(4) != kSide || in.I32(8) != 2 * kSide || in.U16(12) != 1 ||
        in.U16(14) != 4 || in.U32(16) != 0) {
        problems.push_back("image header is not 32 x 64 (colour and mask), 4-bit, uncompressed");
    }
    for (int i = 0; i < 16; ++i) {
        const size_t entry = 40 + 4 * i;
        const Rgb c{static_cast<std::uint8_t>(in.U8(entry + 2)),
                    static_cast<std::uint8_t>(in.U8(entry + 1)),
                    static_cast<std::uint8_t>(in.U8(entry))};
        if (c != SystemColours()[i]) {
            problems.push_back("palette entry " + std::to_string(i) + " is not the system colour");
        }
    }
    const size_t colour_rows = 40 + 64, mask_rows = colour_rows + kColourRow * kSide;
    int transparent = 0, coloured_under_mask = 0;
    std::set<std::uint32_t> used;
    for (int y = 0; y < kSide; ++y) {  // rows are stored bottom first; y counts from the bottom
        for (int x = 0; x < kSide; ++x) {
            const std::uint32_t byte = in.U8(colour_rows + y * kColourRow + x / 2);
            const std::uint32_t index = x % 2 ? byte & 15 : byte >> 4;
            const bool clear = (in.U8(mask_rows + y * kMaskRow + x / 8) >> (7 - x % 8)) & 1;
            if (clear) {
                ++transparent;
                // Black under a set mask bit leaves the screen as it was.
                coloured_under_mask += index != 0;
            } else {
                used.insert(index);
            }
        }
    }
    for (auto [x, y] : {std::pair{0, 0}, {kSide - 1, 0}, {0, kSide - 1}, {kSide - 1, kSide - 1}}) {
        if (!((in.U8(mask_rows + y * kMaskRow + x / 8) >> (7 - x % 8)) & 1)) {
            problems.push_back("a corner is not transparent");
            break;
        }
    }
    if (coloured_under_mask) problems.push_back("transparent pixels that are not black");
    if (kSide * kSide - transparent < 300) problems.push_back("too little of the icon is drawn");
    if (used.size() < 4) problems.push_back("the icon uses fewer than four colours");
    return problems;
}

}  // namespace resource_checks
