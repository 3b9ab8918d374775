// Lines: the end point left out, the bias rule's worked examples, reversal, clipping and the
// current position.
#include <gtest/gtest.h>

#include <cstdlib>
#include <set>
#include <utility>

#include "platform/gdi/surface_dc.h"
#include "tests/platform/gdi/drawing_colours.h"
#include "tests/support/session_fixture.h"

namespace gdi_test {
namespace {

using PixelSet = std::set<std::pair<int, int>>;

class LineTest : public test_support::SessionTest {
  protected:
    HDC Paper(int width, int height) {
        HDC dc = ColourDc(width, height, kWhite);
        SelectObject(dc, Keep(CreatePen(PS_SOLID, 1, kPenRef)));
        return dc;
    }
    PixelSet Drawn(HDC dc) {
        PixelSet drawn;
        const platform::Surface& s = SessionTest::Pixels(dc);
        for (int y = 0; y < s.height; ++y)
            for (int x = 0; x < s.width; ++x)
                if (s.Pixel(x, y) == kPen) drawn.insert({x, y});
        return drawn;
    }
    PixelSet Line(int x1, int y1, int x2, int y2, int size = 16) {
        HDC dc = Paper(size, size);
        MoveToEx(dc, x1, y1, nullptr);
        LineTo(dc, x2, y2);
        return Drawn(dc);
    }
};

// The rule written out plainly, one pixel at a time from the start.
PixelSet Reference(int x1, int y1, int x2, int y2, int width, int height) {
    PixelSet out;
    long dx = x2 - x1, dy = y2 - y1;
    bool x_major = std::labs(dx) > std::labs(dy);
    int bias =
        ((dy > 0 && dx <= 0 && !x_major) || (dy <= 0 && dx < 0) || (dy <= 0 && dx >= 0 && x_major))
            ? 1
            : 0;
    long major = x_major ? std::labs(dx) : std::labs(dy);
    long minor = x_major ? std::labs(dy) : std::labs(dx);
    long sx = dx < 0 ? -1 : 1, sy = dy < 0 ? -1 : 1;
    long x = x1, y = y1, error = 2 * minor - major;
    for (long i = 0; i < major; ++i) {
        if (x >= 0 && y >= 0 && x < width && y < height)
            out.insert({static_cast<int>(x), static_cast<int>(y)});
        bool step = error + bias > 0;
        error += step ? 2 * minor - 2 * major : 2 * minor;
        if (x_major) {
            x += sx;
            if (step) y += sy;
        } else {
            y += sy;
            if (step) x += sx;
        }
    }
    return out;
}

TEST_F(LineTest, WorkedExamplesOfTheBiasRule) {
    EXPECT_EQ(Line(0, 0, 5, 2), (PixelSet{{0, 0}, {1, 0}, {2, 1}, {3, 1}, {4, 2}}));
    EXPECT_EQ(Line(7, 0, 9, 6), (PixelSet{{7, 0}, {7, 1}, {8, 2}, {8, 3}, {8, 4}, {9, 5}}));
    EXPECT_EQ(Line(12, 6, 10, 0), (PixelSet{{12, 6}, {12, 5}, {11, 4}, {11, 3}, {11, 2}, {10, 1}}));
}

TEST_F(LineTest, StraightLinesLeaveOutTheEndPointInEitherDirection) {
    EXPECT_EQ(Line(2, 3, 6, 3), (PixelSet{{2, 3}, {3, 3}, {4, 3}, {5, 3}}));
    EXPECT_EQ(Line(6, 3, 2, 3), (PixelSet{{6, 3}, {5, 3}, {4, 3}, {3, 3}}));
    EXPECT_EQ(Line(1, 5, 1, 2), (PixelSet{{1, 5}, {1, 4}, {1, 3}}));
    EXPECT_EQ(Line(4, 4, 4, 4), PixelSet{});
}

TEST_F(LineTest, AReversedLineCoversTheSamePixelsButForItsEnds) {
    for (int x1 = 0; x1 < 7; ++x1)
        for (int y1 = 0; y1 < 7; ++y1)
            for (int x2 = 0; x2 < 7; ++x2)
                for (int y2 = 0; y2 < 7; ++y2) {
                    if (x1 == x2 && y1 == y2) continue;
                    PixelSet forward = Line(x1, y1, x2, y2, 8);
                    PixelSet backward = Line(x2, y2, x1, y1, 8);
                    forward.insert({x2, y2});
                    backward.insert({x1, y1});
                    ASSERT_EQ(forward, backward)
                        << "(" << x1 << "," << y1 << ")-(" << x2 << "," << y2 << ")";
                }
}

TEST_F(LineTest, ClippingNeverChangesWhichPixelsAreDrawn) {
    // Lines from far outside: only the walk's pixels that fall inside may appear.
    const int cases[][4] = {{-300, -110, 19, 19}, {19, 0, -5000, 7}, {3, -100000, 9, 100000},
                            {-7, 25, 25, -7},     {40, 40, -1, -2},  {-99999, 100000, 30, -3}};
    for (const auto& c : cases) {
        EXPECT_EQ(Line(c[0], c[1], c[2], c[3], 20), Reference(c[0], c[1], c[2], c[3], 20, 20))
            << c[0] << "," << c[1] << " to " << c[2] << "," << c[3];
    }
    // Across the whole coordinate range the walk neither overflows nor takes the long way:
    // one pixel per column, on the rows the line passes through here.
    PixelSet huge = Line(-2147483000, 5, 2147483000, 9, 20);
    ASSERT_EQ(huge.size(), 20u);
    for (const auto& [x, y] : huge) EXPECT_EQ(y, 7) << x;
}

TEST_F(LineTest, LineToMovesTheCurrentPositionSoAPolylineDrawsEveryVertexOnce) {
    HDC dc = Paper(6, 6);
    MoveToEx(dc, 0, 0, nullptr);
    LineTo(dc, 4, 0);
    LineTo(dc, 4, 3);
    POINT position{};
    MoveToEx(dc, 0, 0, &position);
    EXPECT_EQ(position.x, 4);
    EXPECT_EQ(position.y, 3);
    EXPECT_EQ(Drawn(dc), (PixelSet{{0, 0}, {1, 0}, {2, 0}, {3, 0}, {4, 0}, {4, 1}, {4, 2}}));
    EXPECT_FALSE(LineTo(nullptr, 1, 1));
}

TEST_F(LineTest, ANullPenDrawsNothingButStillMoves) {
    HDC dc = Paper(4, 4);
    SelectObject(dc, GetStockObject(NULL_PEN));
    MoveToEx(dc, 0, 0, nullptr);
    EXPECT_TRUE(LineTo(dc, 3, 3));
    EXPECT_EQ(Drawn(dc), PixelSet{});
    POINT position{};
    MoveToEx(dc, 0, 0, &position);
    EXPECT_EQ(position.x, 3);
}

TEST_F(LineTest, GrassStrokesStandOnTheStripAndStopShortOfIt) {
    // A stroke drawn upwards from the strip's top edge covers the edge row but not the end row.
    EXPECT_EQ(Line(5, 10, 5, 5), (PixelSet{{5, 10}, {5, 9}, {5, 8}, {5, 7}, {5, 6}}));
}

}  // namespace
}  // namespace gdi_test
