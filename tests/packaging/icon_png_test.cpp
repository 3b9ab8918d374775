// The icon converter against the program's real icon, read back with libpng: size, alpha from the
// icon's mask, colours from its sixteen-colour palette; and against damaged icon files.
#include <gtest/gtest.h>
#include <png.h>

#include <algorithm>
#include <array>
#include <cstring>
#include <fstream>
#include <initializer_list>
#include <iterator>
#include <set>
#include <string>
#include <vector>

#include "tools/icon_png/icon_image.h"
#include "tools/png/png_encoder.h"

namespace {

using Bytes = std::vector<uint8_t>;

Bytes ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

const Bytes& RealIcon() {
    static const Bytes icon = ReadFile(ZF_ICON_FILE);
    return icon;
}

// Decoded by libpng, which checks every chunk's CRC and the zlib stream's checksum.
icon_png::RgbaImage DecodePng(const Bytes& png) {
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_memory(&image, png.data(), png.size())) {
        ADD_FAILURE() << "libpng refuses the header: " << image.message;
        return {};
    }
    image.format = PNG_FORMAT_RGBA;
    icon_png::RgbaImage out{static_cast<int>(image.width), static_cast<int>(image.height), {}};
    out.bytes.resize(PNG_IMAGE_SIZE(image));
    if (!png_image_finish_read(&image, nullptr, out.bytes.data(), 0, nullptr)) {
        ADD_FAILURE() << "libpng refuses the data: " << image.message;
        return {};
    }
    return out;
}

// The real icon's layout: a 22-byte directory, a 40-byte header, sixteen palette entries, then
// 32 colour rows of 16 bytes and 32 mask rows of 4 bytes, both bottom row first.
constexpr size_t kColourRows = 22 + 40 + 16 * 4;
constexpr size_t kMaskRows = kColourRows + 32 * 16;

bool MaskedInFile(int x, int y) {
    return (RealIcon()[kMaskRows + (31 - y) * 4 + x / 8] >> (7 - x % 8)) & 1;
}

int PaletteIndexInFile(int x, int y) {
    uint8_t pair = RealIcon()[kColourRows + (31 - y) * 16 + x / 2];
    return x % 2 ? pair & 15 : pair >> 4;
}

// The sixteen system colours, R, G, B.
constexpr std::array<std::array<uint8_t, 3>, 16> kSystemColours = {{
    {0, 0, 0},
    {128, 0, 0},
    {0, 128, 0},
    {128, 128, 0},
    {0, 0, 128},
    {128, 0, 128},
    {0, 128, 128},
    {192, 192, 192},
    {128, 128, 128},
    {255, 0, 0},
    {0, 255, 0},
    {255, 255, 0},
    {0, 0, 255},
    {255, 0, 255},
    {0, 255, 255},
    {255, 255, 255},
}};

TEST(IconPng, BuiltIconIsThe32PixelPictureWithItsMaskAsAlpha) {
    icon_png::RgbaImage png =
        DecodePng(ReadFile(std::string(ZF_ICON_PNG_DIR) + "/32/zandrofel.png"));
    ASSERT_EQ(png.width, 32);
    ASSERT_EQ(png.height, 32);
    int transparent = 0;
    std::set<int> colours;
    for (int y = 0; y < 32; ++y) {
        for (int x = 0; x < 32; ++x) {
            const uint8_t* p = png.At(x, y);
            SCOPED_TRACE(testing::Message() << "pixel " << x << ", " << y);
            if (MaskedInFile(x, y)) {
                ++transparent;
                EXPECT_EQ(std::vector<uint8_t>(p, p + 4), std::vector<uint8_t>(4, 0));
                continue;
            }
            int index = PaletteIndexInFile(x, y);
            colours.insert(index);
            EXPECT_EQ(p[3], 255);
            EXPECT_EQ(
                std::vector<uint8_t>(p, p + 3),
                std::vector<uint8_t>(kSystemColours[index].begin(), kSystemColours[index].end()));
        }
    }
    // A face in flames on a clear ground: both kinds of pixel, several colours.
    EXPECT_GT(transparent, 50);
    EXPECT_LT(transparent, 32 * 32 - 200);
    EXPECT_GE(colours.size(), 4u);
}

TEST(IconPng, LargerIconDoublesEveryPixel) {
    std::string dir = ZF_ICON_PNG_DIR;
    icon_png::RgbaImage small = DecodePng(ReadFile(dir + "/32/zandrofel.png"));
    icon_png::RgbaImage large = DecodePng(ReadFile(dir + "/64/zandrofel.png"));
    ASSERT_EQ(small.width, 32);
    ASSERT_EQ(large.width, 64);
    ASSERT_EQ(large.height, 64);
    for (int y = 0; y < 64; ++y) {
        for (int x = 0; x < 64; ++x) {
            ASSERT_EQ(std::memcmp(large.At(x, y), small.At(x / 2, y / 2), 4), 0)
                << "pixel " << x << ", " << y;
        }
    }
}

TEST(IconPng, PicturesNeedingSeveralStoredBlocksReadBackExactly) {
    for (auto [width, height] : {std::pair{1, 1}, {200, 100}, {301, 217}}) {
        icon_png::RgbaImage image{width, height, {}};
        image.bytes.resize(static_cast<size_t>(width) * height * 4);
        for (size_t i = 0; i < image.bytes.size(); ++i) image.bytes[i] = (i * 7 + i / 613) & 0xFF;
        icon_png::RgbaImage back =
            DecodePng(png::Encode(image.width, image.height, png::Channels::kRgba, image.bytes));
        EXPECT_EQ(back.width, width);
        EXPECT_EQ(back.height, height);
        EXPECT_TRUE(back.bytes == image.bytes) << width << " x " << height;
    }
}

// A directory whose first entry, a small image, is damaged: only the largest image is read.
TEST(IconPng, ReadsTheLargestImageOfTheDirectory) {
    const Bytes& real = RealIcon();
    Bytes file = {0, 0, 1, 0, 2, 0};
    uint32_t image_at = 6 + 2 * 16;
    Bytes junk = {0x89, 'P', 'N', 'G', 0, 0, 0, 0};
    auto entry = [&](uint8_t side, uint32_t size, uint32_t at) {
        Bytes e = {side, side, 16, 0, 1, 0, 4, 0};
        for (uint32_t v : {size, at})
            for (int i = 0; i < 4; ++i) e.push_back(static_cast<uint8_t>(v >> (8 * i)));
        file.insert(file.end(), e.begin(), e.end());
    };
    entry(16, static_cast<uint32_t>(junk.size()), image_at);
    entry(32, static_cast<uint32_t>(real.size() - 22),
          image_at + static_cast<uint32_t>(junk.size()));
    file.insert(file.end(), junk.begin(), junk.end());
    file.insert(file.end(), real.begin() + 22, real.end());

    icon_png::RgbaImage from_real, from_pair;
    std::string error;
    ASSERT_TRUE(icon_png::DecodeIcon(real, &from_real, &error)) << error;
    ASSERT_TRUE(icon_png::DecodeIcon(file, &from_pair, &error)) << error;
    EXPECT_EQ(from_pair.width, 32);
    EXPECT_TRUE(from_pair.bytes == from_real.bytes);
}

TEST(IconPng, DamagedIconsAreRefusedAndLeaveTheOutputAlone) {
    const Bytes& real = RealIcon();
    auto changed = [&](size_t at, std::initializer_list<uint8_t> values) {
        Bytes copy = real;
        std::copy(values.begin(), values.end(), copy.begin() + static_cast<std::ptrdiff_t>(at));
        return copy;
    };
    struct Case {
        const char* what;
        Bytes file;
    };
    std::vector<Case> cases = {
        {"empty", {}},
        {"a cursor file", changed(2, {2})},
        {"no images", changed(4, {0})},
        {"image past the end", changed(17, {0x10})},
        {"stored as PNG", changed(22, {0x89, 'P', 'N', 'G'})},
        {"odd height", changed(22 + 8, {63})},
        {"four-colour depth", changed(22 + 14, {2})},
        {"mask cut short", Bytes(real.begin(), real.end() - 1)},
    };
    // The directory still claims the full image; only the mask's last row is missing.
    cases.back().file[14] = static_cast<uint8_t>(real.size() - 1 - 22);
    for (const Case& c : cases) {
        icon_png::RgbaImage out{7, 7, {1, 2, 3}};
        std::string error;
        EXPECT_FALSE(icon_png::DecodeIcon(c.file, &out, &error)) << c.what;
        EXPECT_FALSE(error.empty()) << c.what;
        EXPECT_EQ(out.width, 7) << c.what;
        EXPECT_EQ(out.bytes.size(), 3u) << c.what;
    }
}

}  // namespace
