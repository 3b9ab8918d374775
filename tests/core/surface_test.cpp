// A surface drawing in memory it was lent: copies own their pixels, the loan follows moves and
// ends with OwnPixels, a resize or the surface itself.
#include "platform/core/surface.h"

#include <gtest/gtest.h>

#include <vector>

namespace platform {
namespace {

Surface Numbered(int width, int height) {
    Surface surface = Surface::Color(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) surface.SetPixel(x, y, static_cast<uint32_t>(y * 100 + x));
    return surface;
}

TEST(SurfaceLoan, PixelsMoveIntoPaddedMemoryAndComeBack) {
    Surface surface = Numbered(3, 2);
    std::vector<uint32_t> memory(5 * 2, 0xEEEEEE);  // rows of 5 words, 2 of them padding
    auto loan = surface.ViewMemory(memory.data(), 5);
    EXPECT_EQ(memory, (std::vector<uint32_t>{0, 1, 2, 0xEEEEEE, 0xEEEEEE, 100, 101, 102, 0xEEEEEE,
                                             0xEEEEEE}));
    ASSERT_FALSE(loan.expired());
    EXPECT_EQ(*loan.lock(), &surface);

    surface.SetPixel(2, 1, 7);
    EXPECT_EQ(memory[5 + 2], 7u);

    surface.OwnPixels();
    EXPECT_TRUE(loan.expired());
    memory.assign(memory.size(), 0);  // the lender takes its memory back
    EXPECT_EQ(surface.stride_words, 3);
    EXPECT_EQ(surface.Pixel(2, 1), 7u);
    EXPECT_EQ(surface.Pixel(1, 0), 1u);
    surface.OwnPixels();  // a second time does nothing
    EXPECT_EQ(surface.Pixel(0, 1), 100u);
}

TEST(SurfaceLoan, CopiesOwnTheirPixelsAndMovesTakeTheLoanAlong) {
    Surface surface = Numbered(2, 2);
    std::vector<uint32_t> memory(4);
    auto loan = surface.ViewMemory(memory.data(), 2);

    Surface copy = surface;
    Surface assigned;
    assigned = surface;
    copy.SetPixel(0, 0, 9);
    assigned.SetPixel(1, 1, 9);
    EXPECT_EQ(memory[0], 0u);
    EXPECT_EQ(memory[3], 101u);
    EXPECT_FALSE(copy.Views(memory.data()));
    EXPECT_EQ(*loan.lock(), &surface);

    Surface moved = std::move(surface);
    EXPECT_EQ(*loan.lock(), &moved);
    EXPECT_TRUE(moved.Views(memory.data()));
    {
        Surface last = std::move(moved);
        EXPECT_EQ(*loan.lock(), &last);
    }
    EXPECT_TRUE(loan.expired());  // the surface went: nobody is left to give pixels back to
}

TEST(SurfaceLoan, AResizeCopiesOutOfTheLoanAndEndsIt) {
    Surface surface = Numbered(3, 2);
    std::vector<uint32_t> memory(8 * 2, 0xEEEEEE);
    auto loan = surface.ViewMemory(memory.data(), 8);
    surface.Resize(5, 3);  // wider than the pixels, narrower than the padded rows
    EXPECT_TRUE(loan.expired());
    EXPECT_FALSE(surface.Views(memory.data()));
    EXPECT_EQ(surface.Pixel(2, 1), 102u);
    EXPECT_EQ(surface.Pixel(3, 1), 0u);  // new pixels are black, never the lender's padding
    EXPECT_EQ(surface.Pixel(4, 2), 0u);
}

}  // namespace
}  // namespace platform
