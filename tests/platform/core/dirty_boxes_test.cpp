#include "platform/core/dirty_boxes.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace platform {
namespace {

std::vector<std::vector<int>> Boxes(const DirtyBoxes& dirty) {
    std::vector<std::vector<int>> out;
    for (const DirtyBox& b : dirty.boxes()) out.push_back({b.left, b.top, b.right, b.bottom});
    std::sort(out.begin(), out.end());  // the order of the boxes means nothing
    return out;
}

// A tick's pattern: three status numbers at the top, then bands that touch one another.
TEST(DirtyBoxes, KeepsTheStatusLineApartFromTheBandsBelow) {
    DirtyBoxes dirty;
    dirty.Add({100, 20, 108, 36});
    dirty.Add({100, 40, 108, 56});
    dirty.Add({100, 1, 128, 17});
    dirty.Add({0, 300, 788, 400});
    dirty.Add({0, 400, 788, 500});
    dirty.Add({0, 500, 788, 569});
    dirty.Add({0, 275, 226, 300});
    dirty.Add({225, 250, 375, 300});
    dirty.Add({405, 505, 437, 558});  // inside: nothing changes
    EXPECT_EQ(Boxes(dirty),
              (std::vector<std::vector<int>>{
                  {0, 250, 788, 569}, {100, 1, 128, 17}, {100, 20, 108, 36}, {100, 40, 108, 56}}));
    EXPECT_EQ(dirty.Bounds().top, 1);
    EXPECT_EQ(dirty.Bounds().bottom, 569);
}

TEST(DirtyBoxes, AFifthBoxJoinsTheNearestAndEmptyBoxesAreIgnored) {
    DirtyBoxes dirty;
    dirty.Add({5, 5, 5, 9});
    EXPECT_FALSE(dirty.Any());
    dirty.Add({0, 0, 2, 2});
    dirty.Add({10, 0, 12, 2});
    dirty.Add({20, 0, 22, 2});
    dirty.Add({30, 0, 32, 2});
    dirty.Add({13, 0, 15, 2});  // grows the box at 10 least
    EXPECT_EQ(dirty.boxes().size(), 4u);
    EXPECT_EQ(Boxes(dirty)[1], (std::vector<int>{10, 0, 15, 2}));
    // A box that bridges two others takes both in.
    dirty.Add({1, 0, 11, 2});
    EXPECT_EQ(Boxes(dirty),
              (std::vector<std::vector<int>>{{0, 0, 15, 2}, {20, 0, 22, 2}, {30, 0, 32, 2}}));
    dirty.Clear();
    EXPECT_FALSE(dirty.Any());
    EXPECT_TRUE(dirty.Bounds().Empty());
}

}  // namespace
}  // namespace platform
