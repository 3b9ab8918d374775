// The checks themselves: each flaw a picture, sound or icon could have is put into a copy of a
// good file, and the check must name it.
#include <gtest/gtest.h>

#include <algorithm>
#include <stdexcept>
#include <string>
#include <vector>

#include "tests/resources/resource_checks.h"
#include "tests/resources/resource_test_support.h"

namespace resource_checks {
namespace {

using File = std::vector<std::uint8_t>;

const CataloguedBitmap& BitmapNamed(const std::string& name) {
    for (const auto& want : Bitmaps()) {
        if (name == want.name) return want;
    }
    throw std::runtime_error("no bitmap " + name);
}

const CataloguedSound& SoundNamed(const std::string& name) {
    for (const auto& want : Sounds()) {
        if (name == want.name) return want;
    }
    throw std::runtime_error("no sound " + name);
}

bool Mentions(const std::vector<std::string>& problems, const std::string& words) {
    return std::any_of(problems.begin(), problems.end(),
                       [&](const std::string& p) { return p.find(words) != std::string::npos; });
}

void Put32(File& file, size_t at, std::uint32_t value) {
    for (int i = 0; i < 4; ++i) file[at + i] = static_cast<std::uint8_t>(value >> (8 * i));
}

// Offset of pixel (x, y), counted from the top, in an 8-bit bottom-up picture.
size_t PixelAt8(const File& file, int width, int height, int x, int y) {
    const size_t offset = file[10] | file[11] << 8 | file[12] << 16;
    const size_t stride = (static_cast<size_t>(width) + 3) / 4 * 4;
    return offset + stride * (height - 1 - y) + x;
}

std::uint8_t PaletteIndexOf(const File& file, Rgb colour) {
    for (int i = 0; i < 256; ++i) {
        const size_t at = 54 + 4 * i;
        if (file[at + 2] == colour.r && file[at + 1] == colour.g && file[at] == colour.b) return i;
    }
    throw std::runtime_error("colour not in the palette");
}

TEST(BitmapChecks, FindAKeyColouredPixelInsideTheFigure) {
    File file = ReadResource("bitmaps/smallquibbert.bmp");
    ASSERT_TRUE(CheckBitmap(file, BitmapNamed("smallquibbert")).empty());
    const std::uint8_t key = PaletteIndexOf(file, {255, 255, 255});
    file[PixelAt8(file, 32, 53, 16, 35)] = key;  // the middle of his body
    EXPECT_TRUE(
        Mentions(CheckBitmap(file, BitmapNamed("smallquibbert")), "exactly the key colour"));

    File squished = ReadResource("bitmaps/squished.bmp");
    squished[PixelAt8(squished, 53, 32, 0, 0)] = squished[PixelAt8(squished, 53, 32, 26, 16)];
    EXPECT_TRUE(Mentions(CheckBitmap(squished, BitmapNamed("squished")), "not the key"));
}

TEST(BitmapChecks, FindCornersOffTheBandColour) {
    File car = ReadResource("bitmaps/car1.bmp");
    car[54 + 64] ^= 0x10;  // the bottom row's first pixel takes palette entry 1
    EXPECT_TRUE(Mentions(CheckBitmap(car, BitmapNamed("car1")), "not the road's"));
    File log = ReadResource("bitmaps/log.bmp");
    log[54 + 64] = 0x00;
    EXPECT_TRUE(Mentions(CheckBitmap(log, BitmapNamed("log")), "not the river's"));
}

TEST(BitmapChecks, FindHeaderAndPaletteFlaws) {
    const File good = ReadResource("bitmaps/truck.bmp");
    ASSERT_TRUE(CheckBitmap(good, BitmapNamed("truck")).empty());

    File palette = good;
    std::swap(palette[54 + 4 * 9], palette[54 + 4 * 12]);  // red and blue change places
    EXPECT_TRUE(Mentions(CheckBitmap(palette, BitmapNamed("truck")), "standard system colours"));

    File header = good;
    Put32(header, 14, 108);
    EXPECT_TRUE(Mentions(CheckBitmap(header, BitmapNamed("truck")), "not 40 bytes"));

    File compressed = good;
    Put32(compressed, 30, 2);
    EXPECT_TRUE(Mentions(CheckBitmap(compressed, BitmapNamed("truck")), "compressed"));

    File size = good;
    Put32(size, 18, 44);
    EXPECT_TRUE(Mentions(CheckBitmap(size, BitmapNamed("truck")), "not 43 x 22"));

    File cut(good.begin(), good.end() - 10);
    EXPECT_FALSE(CheckBitmap(cut, BitmapNamed("truck")).empty());
    EXPECT_FALSE(CheckBitmap(File(good.begin(), good.begin() + 20), BitmapNamed("truck")).empty());
}

TEST(BitmapChecks, FindABlankRectangle) {
    File sky = ReadResource("bitmaps/sky.bmp");
    std::fill(sky.begin() + 54 + 1024, sky.end(), sky[54 + 1024]);
    EXPECT_TRUE(Mentions(CheckBitmap(sky, BitmapNamed("sky")), "fewer than four colours"));
}

TEST(SoundChecks, FindFormatAndLengthFlaws) {
    const CataloguedSound& want = SoundNamed("splat");
    const File good = ReadResource(std::string("sounds/") + want.name + ".wav");
    ASSERT_TRUE(CheckSound(good, want).empty());

    File rate = good;
    Put32(rate, 24, 22050);
    EXPECT_TRUE(Mentions(CheckSound(rate, want), "rate 22050"));

    File stereo = good;
    stereo[22] = 2;
    EXPECT_TRUE(Mentions(CheckSound(stereo, want), "not one channel"));

    File wide = good;
    wide[34] = 16;
    EXPECT_TRUE(Mentions(CheckSound(wide, want), "not 8 bits"));

    File shorter = good;
    shorter.resize(shorter.size() - 100);
    Put32(shorter, 4, static_cast<std::uint32_t>(shorter.size() - 8));
    EXPECT_TRUE(Mentions(CheckSound(shorter, want), "runs past the end"));
}

TEST(SoundChecks, FindBadLevels) {
    const CataloguedSound& want = SoundNamed("giggle");
    const File good = ReadResource(std::string("sounds/") + want.name + ".wav");
    ASSERT_TRUE(CheckSound(good, want).empty());
    const size_t data = 44;

    File silent = good;
    std::fill(silent.begin() + data, silent.end(), 128);
    EXPECT_TRUE(Mentions(CheckSound(silent, want), "too quiet"));

    File clipped = good;
    clipped[data + 5000] = 255;
    EXPECT_TRUE(Mentions(CheckSound(clipped, want), "clipped"));

    File offset = good;
    for (size_t i = data; i < offset.size(); ++i) offset[i] = std::min(254, offset[i] + 6);
    EXPECT_TRUE(Mentions(CheckSound(offset, want), "DC offset"));

    File click = good;
    click[click.size() - 1] = 200;
    EXPECT_TRUE(Mentions(CheckSound(click, want), "a click"));
}

TEST(IconChecks, FindMaskAndPaletteFlaws) {
    const File good = ReadResource("icons/IDI_ICON1.ico");
    ASSERT_TRUE(CheckIcon(good).empty());
    const size_t image = 22, colours = image + 40 + 64, mask = colours + 16 * 32;

    File opaque_corner = good;
    opaque_corner[mask] &= 0x7F;  // bottom-left pixel drawn
    EXPECT_TRUE(Mentions(CheckIcon(opaque_corner), "corner is not transparent"));

    File stray = good;
    stray[colours] |= 0x90;  // a colour under the mask at the bottom-left
    EXPECT_TRUE(Mentions(CheckIcon(stray), "not black"));

    File palette = good;
    palette[image + 40 + 4 * 15] = 0;
    EXPECT_TRUE(Mentions(CheckIcon(palette), "palette entry 15"));

    File two = good;
    two[4] = 2;
    EXPECT_FALSE(CheckIcon(two).empty());

    // The image alone, as the program's resources hold it.
    const Bytes image_only = Bytes(good).subspan(image);
    EXPECT_TRUE(CheckIconImage(image_only).empty());
    EXPECT_TRUE(Mentions(CheckIconImage(image_only.first(100)), "bytes, not"));
}

}  // namespace
}  // namespace resource_checks
