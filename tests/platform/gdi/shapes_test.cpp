// Rectangle, FillRect, DrawFocusRect and single pixels, every pixel checked.
#include <gtest/gtest.h>

#include "platform/gdi/surface_dc.h"
#include "tests/platform/gdi/drawing_colours.h"
#include "tests/support/session_fixture.h"

namespace gdi_test {
namespace {

using test_support::MatchesPicture;

class ShapeTest : public PaperTest {
  protected:
    ::testing::AssertionResult Matches(HDC dc, const test_support::Picture& picture) {
        return MatchesPicture(Pixels(dc), 0, 0, picture, ShapeLegend());
    }
};

TEST_F(ShapeTest, RectanglePenRingsTheBoxAndBrushFillsInside) {
    HDC dc = Paper(8, 6);
    EXPECT_TRUE(Rectangle(dc, 1, 1, 7, 5));
    EXPECT_TRUE(Matches(dc, {
                                "........",
                                ".PPPPPP.",
                                ".PBBBBP.",
                                ".PBBBBP.",
                                ".PPPPPP.",
                                "........",
                            }));
    // Swapped corners name the same rectangle.
    HDC swapped = Paper(8, 6);
    Rectangle(swapped, 7, 5, 1, 1);
    EXPECT_TRUE(Matches(swapped, test_support::Describe(Pixels(dc), 0, 0, 8, 6, ShapeLegend())));
}

TEST_F(ShapeTest, ThinRectanglesAreAllPenAndEmptyOnesDrawNothing) {
    HDC dc = Paper(9, 4);
    Rectangle(dc, 0, 0, 2, 3);  // two wide
    Rectangle(dc, 3, 0, 4, 4);  // one wide
    Rectangle(dc, 5, 1, 6, 2);  // one pixel
    Rectangle(dc, 7, 0, 7, 4);  // no width
    Rectangle(dc, 8, 2, 9, 2);  // no height
    EXPECT_TRUE(Matches(dc, {
                                "PP.P.....",
                                "PP.P.P...",
                                "PP.P.....",
                                "...P.....",
                            }));
}

TEST_F(ShapeTest, NullPenLeavesTheBrushOnePixelShortOnTheRightAndBottom) {
    HDC dc = Paper(6, 5);
    SelectObject(dc, GetStockObject(NULL_PEN));
    Rectangle(dc, 1, 1, 5, 4);
    EXPECT_TRUE(Matches(dc, {
                                "......",
                                ".BBB..",
                                ".BBB..",
                                "......",
                                "......",
                            }));
}

TEST_F(ShapeTest, NullBrushLeavesTheInsideAlone) {
    HDC dc = Paper(5, 5);
    SelectObject(dc, GetStockObject(NULL_BRUSH));
    Rectangle(dc, 0, 0, 5, 5);
    EXPECT_TRUE(Matches(dc, {
                                "PPPPP",
                                "P...P",
                                "P...P",
                                "P...P",
                                "PPPPP",
                            }));
}

TEST_F(ShapeTest, WidePenIsCentredOnTheOutline) {
    HDC dc = Paper(9, 9);
    SelectObject(dc, Keep(CreatePen(PS_SOLID, 3, kPenRef)));
    Rectangle(dc, 2, 2, 8, 8);
    EXPECT_TRUE(Matches(dc, {
                                ".........",
                                ".PPPPPPPP",
                                ".PPPPPPPP",
                                ".PPPPPPPP",
                                ".PPPBBPPP",
                                ".PPPBBPPP",
                                ".PPPPPPPP",
                                ".PPPPPPPP",
                                ".PPPPPPPP",
                            }));
}

TEST_F(ShapeTest, SurfaceDcDrawsAtItsOriginAndNotPastItsClip) {
    platform::Surface window = platform::Surface::Color(8, 6);
    window.Fill(kWhite);
    HDC dc = platform::gdi::CreateSurfaceDC(&window, {2, 1}, {1, 1, 6, 5});
    HGDIOBJ old_pen = SelectObject(dc, Keep(CreatePen(PS_SOLID, 1, kPenRef)));
    HGDIOBJ old_brush = SelectObject(dc, Keep(CreateSolidBrush(kBrushRef)));
    // Device (-2, -1)..(4, 4) is surface (0, 0)..(6, 5); the clip cuts the pen's top row and
    // left column.
    Rectangle(dc, -2, -1, 4, 4);
    EXPECT_TRUE(MatchesPicture(window, 0, 0,
                               {
                                   "........",
                                   ".BBBBP..",
                                   ".BBBBP..",
                                   ".BBBBP..",
                                   ".PPPPP..",
                                   "........",
                               },
                               ShapeLegend()));
    EXPECT_EQ(window.dirty.Bounds().left, 1);
    EXPECT_EQ(window.dirty.Bounds().top, 1);
    EXPECT_EQ(window.dirty.Bounds().right, 6);
    EXPECT_EQ(window.dirty.Bounds().bottom, 5);
    SelectObject(dc, old_pen);
    SelectObject(dc, old_brush);
    EXPECT_TRUE(DeleteDC(dc));
}

TEST_F(ShapeTest, MonochromeTargetsTakeTheNearerOfBlackAndWhite) {
    HDC dc = MonoDc(5, 4, false);
    SelectObject(dc, Keep(CreatePen(PS_SOLID, 1, RGB(128, 128, 127))));  // sum 383: white
    SelectObject(dc, Keep(CreateSolidBrush(RGB(127, 128, 127))));        // sum 382: black
    Rectangle(dc, 0, 0, 5, 4);
    EXPECT_TRUE(MatchesPicture(Pixels(dc), 0, 0,
                               {
                                   ".....",
                                   ".###.",
                                   ".###.",
                                   ".....",
                               },
                               ShapeLegend()));
    EXPECT_EQ(SetPixel(dc, 2, 1, RGB(250, 250, 250)), RGB(255, 255, 255));
    EXPECT_EQ(GetPixel(dc, 2, 1), RGB(255, 255, 255));
    EXPECT_EQ(GetPixel(dc, 1, 1), RGB(0, 0, 0));
}

TEST_F(ShapeTest, FillRectCoversTheHalfOpenRectangleWithoutThePen) {
    HDC dc = Paper(5, 4);
    HBRUSH brush = Keep(CreateSolidBrush(kBrushRef));
    RECT rect{1, 1, 4, 3};
    EXPECT_EQ(FillRect(dc, &rect, brush), 1);
    RECT inverted{4, 3, 1, 1};
    EXPECT_EQ(FillRect(dc, &inverted, Keep(CreateSolidBrush(kPenRef))), 1);
    EXPECT_TRUE(Matches(dc, {
                                ".....",
                                ".BBB.",
                                ".BBB.",
                                ".....",
                            }));
    EXPECT_EQ(FillRect(dc, &rect, reinterpret_cast<HBRUSH>(GetStockObject(BLACK_PEN))), 0);
    EXPECT_EQ(FillRect(dc, nullptr, brush), 0);
}

TEST_F(ShapeTest, FocusRectangleInvertsEveryOtherBorderPixelAndUndoesItself) {
    HDC dc = Paper(6, 5);
    RECT rect{0, 0, 6, 5};
    EXPECT_TRUE(DrawFocusRect(dc, &rect));
    EXPECT_TRUE(Matches(dc, {
                                "#.#.#.",
                                ".....#",
                                "#.....",
                                ".....#",
                                "#.#.#.",
                            }));
    DrawFocusRect(dc, &rect);
    EXPECT_TRUE(Matches(dc, {
                                "......",
                                "......",
                                "......",
                                "......",
                                "......",
                            }));
    // A one-row rectangle is inverted once, not twice.
    RECT row{0, 2, 4, 3};
    DrawFocusRect(dc, &row);
    EXPECT_TRUE(Matches(dc, {
                                "......",
                                "......",
                                "#.#...",
                                "......",
                                "......",
                            }));
}

TEST_F(ShapeTest, PixelsOutsideTheSurfaceAreInvalid) {
    HDC dc = Paper(3, 3);
    EXPECT_EQ(SetPixel(dc, 1, 2, kPenRef), kPenRef);
    EXPECT_EQ(GetPixel(dc, 1, 2), kPenRef);
    EXPECT_EQ(SetPixel(dc, 3, 0, kPenRef), CLR_INVALID);
    EXPECT_EQ(GetPixel(dc, -1, 0), CLR_INVALID);
    EXPECT_EQ(GetPixel(dc, 0, 2147483647), CLR_INVALID);
    EXPECT_EQ(GetPixel(nullptr, 0, 0), CLR_INVALID);
    EXPECT_TRUE(Matches(dc, {
                                "...",
                                "...",
                                ".P.",
                            }));
}

TEST_F(ShapeTest, FarOffShapesNeitherDrawNorOverflow) {
    HDC dc = Paper(4, 4);
    EXPECT_TRUE(Rectangle(dc, 2147483600, -2147483647, 2147483647, 2147483647));
    EXPECT_TRUE(Rectangle(dc, -2147483647 - 1, -2147483647 - 1, -2147483600, 2));
    EXPECT_TRUE(Matches(dc, {
                                "....",
                                "....",
                                "....",
                                "....",
                            }));
    EXPECT_FALSE(Pixels(dc).HasDirty());
}

}  // namespace
}  // namespace gdi_test
