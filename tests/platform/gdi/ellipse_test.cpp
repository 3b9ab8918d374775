// Ellipse: the three check images, the tips of tall ellipses, the small cases that behave as
// rectangles, and the shape properties every size must keep.
#include <gtest/gtest.h>

#include "tests/platform/gdi/drawing_colours.h"
#include "tests/support/session_fixture.h"

namespace gdi_test {
namespace {

using test_support::Describe;
using test_support::MatchesPicture;
using test_support::Picture;

class EllipseTest : public PaperTest {
  protected:
    Picture Draw(int width, int height) {
        HDC dc = Paper(width, height);
        EXPECT_TRUE(Ellipse(dc, 0, 0, width, height));
        return Describe(Pixels(dc), 0, 0, width, height, ShapeLegend());
    }
};

TEST_F(EllipseTest, CheckImages) {
    EXPECT_EQ(Draw(10, 10), (Picture{
                                "...PPPP...",
                                "..PBBBBP..",
                                ".PBBBBBBP.",
                                "PBBBBBBBBP",
                                "PBBBBBBBBP",
                                "PBBBBBBBBP",
                                "PBBBBBBBBP",
                                ".PBBBBBBP.",
                                "..PBBBBP..",
                                "...PPPP...",
                            }));
    EXPECT_EQ(Draw(7, 5), (Picture{
                              "..PPP..",
                              "PPBBBPP",
                              "PBBBBBP",
                              "PPBBBPP",
                              "..PPP..",
                          }));
    EXPECT_EQ(Draw(3, 3), (Picture{
                              ".P.",
                              "PBP",
                              ".P.",
                          }));
}

TEST_F(EllipseTest, TallNarrowEllipsesStillReachTheTopAndBottomRows) {
    EXPECT_EQ(Draw(4, 12), (Picture{
                               ".PP.",
                               ".PP.",
                               "PBBP",
                               "PBBP",
                               "PBBP",
                               "PBBP",
                               "PBBP",
                               "PBBP",
                               "PBBP",
                               "PBBP",
                               ".PP.",
                               ".PP.",
                           }));
}

TEST_F(EllipseTest, BoxesTwoPixelsOrLessAcrossAreDrawnAsRectangles) {
    HDC ellipse = Paper(6, 4);
    HDC rectangle = Paper(6, 4);
    Ellipse(ellipse, 0, 0, 2, 4);
    Ellipse(ellipse, 3, 1, 6, 3);
    Rectangle(rectangle, 0, 0, 2, 4);
    Rectangle(rectangle, 3, 1, 6, 3);
    EXPECT_TRUE(MatchesPicture(Pixels(ellipse), 0, 0,
                               Describe(Pixels(rectangle), 0, 0, 6, 4, ShapeLegend()),
                               ShapeLegend()));
    EXPECT_TRUE(Ellipse(ellipse, 1, 1, 1, 3));  // empty
}

TEST_F(EllipseTest, SwappedCornersAndOffsetsNameTheSameFigure) {
    HDC dc = Paper(12, 8);
    Ellipse(dc, 9, 6, 2, 1);
    HDC reference = Paper(7, 5);
    Ellipse(reference, 0, 0, 7, 5);
    EXPECT_TRUE(MatchesPicture(
        Pixels(dc), 2, 1, Describe(Pixels(reference), 0, 0, 7, 5, ShapeLegend()), ShapeLegend()));
    EXPECT_EQ(Describe(Pixels(dc), 0, 0, 12, 1, ShapeLegend())[0], "............");
}

TEST_F(EllipseTest, WithoutAPenTheBrushFillsTheFigureOnePixelSmaller) {
    HDC dc = Paper(10, 10);
    SelectObject(dc, GetStockObject(NULL_PEN));
    Ellipse(dc, 0, 0, 10, 10);
    // The 9 x 9 ellipse's outline and inside, all in the brush.
    Picture shape = Draw(9, 9);
    for (auto& row : shape) {
        for (char& c : row) c = c == 'P' ? 'B' : c;
        row += '.';
    }
    shape.push_back("..........");
    EXPECT_TRUE(MatchesPicture(Pixels(dc), 0, 0, shape, ShapeLegend()));
}

TEST_F(EllipseTest, EverySizeIsSymmetricConvexAndTouchesAllFourSides) {
    for (int width = 3; width <= 34; ++width) {
        for (int height = 3; height <= 34; ++height) {
            Picture image = Draw(width, height);
            bool top = false, bottom = false, left = false, right = false;
            for (int y = 0; y < height; ++y) {
                const std::string& row = image[y];
                ASSERT_EQ(row, std::string(row.rbegin(), row.rend())) << width << "x" << height;
                ASSERT_EQ(row, image[height - 1 - y]) << width << "x" << height;
                size_t first = row.find_first_not_of('.');
                size_t last = row.find_last_not_of('.');
                ASSERT_NE(first, std::string::npos) << width << "x" << height << " row " << y;
                // One run per row, outlined at both ends.
                ASSERT_EQ(row.find('.', first),
                          last + 1 == row.size() ? std::string::npos : last + 1)
                    << width << "x" << height << " row " << y;
                ASSERT_EQ(row[first], 'P');
                top = top || y == 0;
                bottom = bottom || y == height - 1;
                left = left || first == 0;
                right = right || last + 1 == row.size();
            }
            EXPECT_TRUE(top && bottom && left && right) << width << "x" << height;
        }
    }
}

}  // namespace
}  // namespace gdi_test
