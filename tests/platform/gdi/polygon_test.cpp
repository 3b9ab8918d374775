// Polygon: the scan-converted fill with its left/top rule, the pen outline over it, the
// alternate rule for overlapping parts, and bad arguments.
#include <gtest/gtest.h>

#include "tests/platform/gdi/drawing_colours.h"
#include "tests/support/session_fixture.h"

namespace gdi_test {
namespace {

using test_support::MatchesPicture;

using PolygonTest = PaperTest;

TEST_F(PolygonTest, ARoofTriangleIsFilledThenOutlined) {
    HDC dc = Paper(9, 6);
    const POINT roof[] = {{4, 0}, {0, 4}, {8, 4}};
    EXPECT_TRUE(Polygon(dc, roof, 3));
    EXPECT_TRUE(MatchesPicture(Pixels(dc), 0, 0,
                               {
                                   "....P....",
                                   "...PBP...",
                                   "..PBBBP..",
                                   ".PBBBBBP.",
                                   "PPPPPPPPP",
                                   ".........",
                               },
                               ShapeLegend()));
}

TEST_F(PolygonTest, WithoutAPenTheRightAndBottomEdgesAreLeftOut) {
    HDC dc = Paper(9, 5);
    SelectObject(dc, GetStockObject(NULL_PEN));
    const POINT square[] = {{1, 1}, {5, 1}, {5, 4}, {1, 4}};
    Polygon(dc, square, 4);
    // Two mirrored slivers a quarter pixel wide: crossings round up, so the one right of its
    // vertical edge takes that column and the one left of it takes nothing.
    const POINT right_of_edge[] = {{6, 0}, {6, 4}, {7, 4}};
    const POINT left_of_edge[] = {{8, 0}, {8, 4}, {7, 4}};
    Polygon(dc, right_of_edge, 3);
    Polygon(dc, left_of_edge, 3);
    EXPECT_TRUE(MatchesPicture(Pixels(dc), 0, 0,
                               {
                                   ".........",
                                   ".BBBB.B..",
                                   ".BBBB.B..",
                                   ".BBBB.B..",
                                   ".........",
                               },
                               ShapeLegend()));
}

TEST_F(PolygonTest, AlternateFillLeavesDoublyCoveredPartsEmpty) {
    HDC dc = Paper(8, 6);
    SelectObject(dc, GetStockObject(NULL_PEN));
    // Two overlapping squares traced as one figure; where both cover, the crossings cancel.
    const POINT figure[] = {{0, 0}, {5, 0}, {5, 4}, {2, 4}, {2, 2}, {7, 2}, {7, 6}, {0, 6}, {0, 0}};
    Polygon(dc, figure, 9);
    EXPECT_TRUE(MatchesPicture(Pixels(dc), 0, 0,
                               {
                                   "BBBBB...",
                                   "BBBBB...",
                                   "BB...BB.",
                                   "BB...BB.",
                                   "BBBBBBB.",
                                   "BBBBBBB.",
                               },
                               ShapeLegend()));
}

TEST_F(PolygonTest, TwoPointsDrawALineBothWaysAndFewerFail) {
    HDC dc = Paper(5, 2);
    const POINT line[] = {{0, 0}, {4, 0}};
    EXPECT_TRUE(Polygon(dc, line, 2));
    EXPECT_FALSE(Polygon(dc, line, 1));
    EXPECT_FALSE(Polygon(dc, nullptr, 3));
    EXPECT_FALSE(Polygon(nullptr, line, 2));
    EXPECT_TRUE(MatchesPicture(Pixels(dc), 0, 0,
                               {
                                   "PPPPP",
                                   ".....",
                               },
                               ShapeLegend()));
}

TEST_F(PolygonTest, PartsOutsideTheSurfaceAreCut) {
    HDC dc = Paper(4, 4);
    SelectObject(dc, GetStockObject(NULL_PEN));
    const POINT big[] = {{-1000000, -1000000}, {1000000, -1000000}, {1000000, 2}, {-1000000, 2}};
    EXPECT_TRUE(Polygon(dc, big, 4));
    EXPECT_TRUE(MatchesPicture(Pixels(dc), 0, 0,
                               {
                                   "BBBB",
                                   "BBBB",
                                   "....",
                                   "....",
                               },
                               ShapeLegend()));
}

}  // namespace
}  // namespace gdi_test
