// A surface drawing in memory it was lent: copies and moves own their pixels, and the lent
// memory is given up by DrawInOwnMemory or a resize.
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
    surface.DrawIn(memory.data(), 5);
    EXPECT_EQ(memory, (std::vector<uint32_t>{0, 1, 2, 0xEEEEEE, 0xEEEEEE, 100, 101, 102, 0xEEEEEE,
                                             0xEEEEEE}));
    EXPECT_TRUE(surface.DrawsIn(memory.data()));

    surface.SetPixel(2, 1, 7);
    EXPECT_EQ(memory[5 + 2], 7u);

    surface.DrawInOwnMemory();
    EXPECT_FALSE(surface.DrawsIn(memory.data()));
    memory.assign(memory.size(), 0);  // the lender takes its memory back
    EXPECT_EQ(surface.stride_words, 3);
    EXPECT_EQ(surface.Pixel(2, 1), 7u);
    EXPECT_EQ(surface.Pixel(1, 0), 1u);
    surface.DrawInOwnMemory();  // a second time does nothing
    EXPECT_EQ(surface.Pixel(0, 1), 100u);
}

TEST(SurfaceLoan, CopiesAndMovesOwnTheirPixelsWhileTheLentOneKeepsDrawingThere) {
    Surface surface = Numbered(2, 2);
    std::vector<uint32_t> memory(4);
    surface.DrawIn(memory.data(), 2);

    Surface copy = surface;
    Surface assigned;
    assigned = surface;
    Surface moved = std::move(surface);
    Surface move_assigned;
    move_assigned = std::move(surface);
    for (Surface* other : {&copy, &assigned, &moved, &move_assigned}) {
        EXPECT_FALSE(other->DrawsIn(memory.data()));
        EXPECT_EQ(other->Pixel(1, 1), 101u);
        other->SetPixel(0, 0, 9);
    }
    EXPECT_EQ(memory[0], 0u);
    EXPECT_TRUE(surface.DrawsIn(memory.data()));  // the lender's record of it stays true
    surface.SetPixel(1, 0, 5);
    EXPECT_EQ(memory[1], 5u);
}

TEST(SurfaceLoan, AResizeCopiesOutOfTheLentMemory) {
    Surface surface = Numbered(3, 2);
    std::vector<uint32_t> memory(8 * 2, 0xEEEEEE);
    surface.DrawIn(memory.data(), 8);
    surface.Resize(5, 3);  // wider than the pixels, narrower than the padded rows
    EXPECT_FALSE(surface.DrawsIn(memory.data()));
    EXPECT_EQ(surface.Pixel(2, 1), 102u);
    EXPECT_EQ(surface.Pixel(3, 1), 0u);  // new pixels are black, never the lender's padding
    EXPECT_EQ(surface.Pixel(4, 2), 0u);
}

TEST(SurfaceFill, SetsEveryWordOfColourAndMonoRows) {
    Surface colour = Surface::Color(3, 2);
    colour.Fill(0x123456);
    EXPECT_EQ(colour.Pixel(2, 1), 0x123456u);
    Surface mono = Surface::Mono(40, 2);
    mono.Fill(0xFFFFFFFF);
    EXPECT_TRUE(mono.Bit(39, 1));
    EXPECT_TRUE(mono.Bit(0, 0));
}

}  // namespace
}  // namespace platform
