#include "platform/image/bmp.h"

#include <gtest/gtest.h>

#include <functional>

#include "tests/support/test_files.h"

namespace platform::image {
namespace {

using media_test::BmpRecipe;
using media_test::MakeBmp;

Picture Decode(const std::vector<uint8_t>& bytes) {
    Picture picture;
    BmpError error = DecodeBmp(bytes, &picture);
    EXPECT_EQ(error, BmpError::kNone) << BmpErrorName(error);
    return picture;
}

void ExpectPixels(const Picture& picture, int width, int height,
                  const std::vector<uint32_t>& expected) {
    ASSERT_EQ(picture.width, width);
    ASSERT_EQ(picture.height, height);
    ASSERT_EQ(picture.pixels.size(), expected.size());
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            EXPECT_EQ(picture.At(x, y), expected[y * width + x]) << "at " << x << ", " << y;
}

// A 3 x 2 picture at 4 bits: odd width, so each row ends in half a byte and then padding.
BmpRecipe FourBit() {
    BmpRecipe recipe{.width = 3, .height = 2, .bits = 4};
    recipe.palette = {0x000000, 0x800000, 0x008000, 0x808000, 0x000080, 0x800080,
                      0x008080, 0xC0C0C0, 0x808080, 0xFF0000, 0x00FF00, 0xFFFF00,
                      0x0000FF, 0xFF00FF, 0x00FFFF, 0xFFFFFF};
    recipe.values = {15, 9, 0, 12, 1, 14};
    return recipe;
}

TEST(DecodeBmp, FourBitPictureReadsHighNibbleFirstAndSkipsPadding) {
    ExpectPixels(Decode(MakeBmp(FourBit())), 3, 2,
                 {0xFFFFFF, 0xFF0000, 0x000000, 0x0000FF, 0x800000, 0x00FFFF});
}

TEST(DecodeBmp, EightBitPictureUsesItsOwnPalette) {
    BmpRecipe recipe{.width = 5, .height = 3, .bits = 8};
    recipe.palette = {0x123456, 0xABCDEF, 0x00FF00};
    recipe.colours_used = 3;
    recipe.values = {0, 1, 2, 1, 0,  //
                     2, 2, 2, 2, 2,  //
                     1, 0, 0, 0, 1};
    ExpectPixels(Decode(MakeBmp(recipe)), 5, 3,
                 {0x123456, 0xABCDEF, 0x00FF00, 0xABCDEF, 0x123456,  //
                  0x00FF00, 0x00FF00, 0x00FF00, 0x00FF00, 0x00FF00,  //
                  0xABCDEF, 0x123456, 0x123456, 0x123456, 0xABCDEF});
}

TEST(DecodeBmp, TwentyFourBitPictureHasNoPalette) {
    BmpRecipe recipe{.width = 3, .height = 2, .bits = 24};
    recipe.values = {0x010203, 0xFFFFFF, 0x800000, 0x000080, 0x00FF00, 0xA0B0C0};
    ExpectPixels(Decode(MakeBmp(recipe)), 3, 2, recipe.values);
}

TEST(DecodeBmp, StoredBytesAreBlueGreenRed) {
    // One pixel at 24 bits, written out by hand: blue 0x01, green 0x02, red 0x03, then padding.
    std::vector<uint8_t> dib = {40, 0, 0, 0, 1, 0, 0, 0, 1, 0, 0,    0,    1,    0, 24,
                                0,  0, 0, 0, 0, 4, 0, 0, 0, 0, 0,    0,    0,    0, 0,
                                0,  0, 0, 0, 0, 0, 0, 0, 0, 0, 0x01, 0x02, 0x03, 0};
    ExpectPixels(Decode(dib), 1, 1, {0x030201});
}

TEST(DecodeBmp, TopDownAndPackedFormsGiveTheSamePicture) {
    BmpRecipe recipe = FourBit();
    Picture bottom_up = Decode(MakeBmp(recipe));
    recipe.top_down = true;
    ExpectPixels(Decode(MakeBmp(recipe)), 3, 2, bottom_up.pixels);
    recipe.file_header = false;
    ExpectPixels(Decode(MakeBmp(recipe)), 3, 2, bottom_up.pixels);
}

TEST(DecodeBmp, TwentyFourBitPictureMaySkipAPaletteHint) {
    BmpRecipe recipe{.width = 2, .height = 1, .bits = 24};
    recipe.palette = {0x111111, 0x222222};
    recipe.colours_used = 2;
    recipe.values = {0x0000FF, 0xFF0000};
    ExpectPixels(Decode(MakeBmp(recipe)), 2, 1, recipe.values);
    recipe.file_header = false;
    ExpectPixels(Decode(MakeBmp(recipe)), 2, 1, recipe.values);
}

struct Damage {
    const char* what;
    std::function<void(std::vector<uint8_t>&)> apply;
    BmpError expected;
};

using media_test::PutLe16;
using media_test::PutLe32;

TEST(DecodeBmp, MalformedPicturesAreRefused) {
    BmpRecipe recipe{.width = 3, .height = 2, .bits = 8};
    recipe.palette = {0x000000, 0xFFFFFF};
    recipe.colours_used = 2;
    recipe.values = {0, 1, 0, 1, 0, 1};
    const std::vector<uint8_t> good = MakeBmp(recipe);
    const size_t pixels_at = media_test::kBmpPalette + 2 * 4;
    using namespace media_test;
    const Damage damages[] = {
        {"empty", [](auto& b) { b.clear(); }, BmpError::kTruncated},
        {"only the signature", [](auto& b) { b.resize(2); }, BmpError::kTruncated},
        {"header cut short", [](auto& b) { b.resize(kBmpInfo + 20); }, BmpError::kTruncated},
        {"last row cut short", [](auto& b) { b.pop_back(); }, BmpError::kTruncated},
        {"palette cut short", [](auto& b) { b.resize(kBmpPalette + 5); }, BmpError::kTruncated},
        {"core header", [](auto& b) { PutLe32(b, kBmpHeaderSize, 12); }, BmpError::kBadHeaderSize},
        {"larger header", [](auto& b) { PutLe32(b, kBmpHeaderSize, 124); },
         BmpError::kBadHeaderSize},
        {"two planes", [](auto& b) { PutLe16(b, kBmpPlanes, 2); }, BmpError::kBadPlanes},
        {"1 bit", [](auto& b) { PutLe16(b, kBmpBits, 1); }, BmpError::kUnsupportedDepth},
        {"32 bits", [](auto& b) { PutLe16(b, kBmpBits, 32); }, BmpError::kUnsupportedDepth},
        {"run-length coded", [](auto& b) { PutLe32(b, kBmpCompression, 1); },
         BmpError::kCompressed},
        {"zero width", [](auto& b) { PutLe32(b, kBmpWidth, 0); }, BmpError::kBadSize},
        {"negative width", [](auto& b) { PutLe32(b, kBmpWidth, 0xFFFFFFFD); }, BmpError::kBadSize},
        {"zero height", [](auto& b) { PutLe32(b, kBmpHeight, 0); }, BmpError::kBadSize},
        {"most negative height", [](auto& b) { PutLe32(b, kBmpHeight, 0x80000000); },
         BmpError::kBadSize},
        {"absurd width", [](auto& b) { PutLe32(b, kBmpWidth, 0x7FFFFFFF); }, BmpError::kBadSize},
        {"wide but within limits", [](auto& b) { PutLe32(b, kBmpWidth, kMaxSide); },
         BmpError::kTruncated},
        {"more colours than 8 bits index", [](auto& b) { PutLe32(b, kBmpColoursUsed, 257); },
         BmpError::kBadPalette},
        {"palette past the end", [](auto& b) { PutLe32(b, kBmpColoursUsed, 256); },
         BmpError::kTruncated},
        {"pixels inside the palette",
         [&](auto& b) { PutLe32(b, kBmpPixelOffset, static_cast<uint32_t>(pixels_at - 1)); },
         BmpError::kBadOffset},
        {"pixels past the end", [](auto& b) { PutLe32(b, kBmpPixelOffset, 0xFFFFFFF0); },
         BmpError::kBadOffset},
        {"index past the palette", [&](auto& b) { b[pixels_at + 1] = 2; },
         BmpError::kBadPaletteIndex},
    };
    for (const Damage& damage : damages) {
        std::vector<uint8_t> bytes = good;
        damage.apply(bytes);
        Picture untouched;
        untouched.width = 99;
        EXPECT_EQ(DecodeBmp(bytes, &untouched), damage.expected) << damage.what;
        EXPECT_EQ(untouched.width, 99) << damage.what << ": the output was changed";
    }
}

TEST(DecodeBmp, FourBitIndexPastAShortPaletteIsRefusedButPaddingIsNot) {
    BmpRecipe recipe{.width = 1, .height = 1, .bits = 4};
    recipe.palette = {0x000000, 0xFFFFFF};
    recipe.colours_used = 2;
    recipe.values = {1};
    std::vector<uint8_t> bytes = MakeBmp(recipe);
    bytes.back() = 0xFF;             // padding byte of the row: never read as a pixel
    bytes[bytes.size() - 4] = 0x1F;  // the pixel's nibble is 1, the unused low nibble 15
    ExpectPixels(Decode(bytes), 1, 1, {0xFFFFFF});
    bytes[bytes.size() - 4] = 0x20;
    Picture picture;
    EXPECT_EQ(DecodeBmp(bytes, &picture), BmpError::kBadPaletteIndex);
}

}  // namespace
}  // namespace platform::image
