// BitBlt: each raster operation, both colour/monochrome conversions with non-default colours,
// clipping of either rectangle, sources past the bitmap's edge, and overlapping copies.
#include <gtest/gtest.h>

#include <vector>

#include "platform/gdi/surface_dc.h"
#include "tests/support/session_fixture.h"

namespace {

constexpr uint32_t kS0 = 0x00F0CC0F, kS1 = 0x00123456;
constexpr uint32_t kD0 = 0x00FF00AA, kD1 = 0x00654321;

class BlitTest : public test_support::SessionTest {
  protected:
    HDC Row(uint32_t a, uint32_t b) {
        HDC dc = ColourDc(2, 1);
        Pixels(dc).SetPixel(0, 0, a);
        Pixels(dc).SetPixel(1, 0, b);
        return dc;
    }
    // Numbers each pixel so that moved pixels can be recognised.
    HDC Numbered(int width, int height) {
        HDC dc = ColourDc(width, height);
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x) Pixels(dc).SetPixel(x, y, 0x010000u * y + x);
        return dc;
    }
    static std::vector<uint32_t> RowOf(const platform::Surface& s, int y) {
        return std::vector<uint32_t>(s.Row(y), s.Row(y) + s.width);
    }
};

TEST_F(BlitTest, RasterOperationsCombineWholePixelsAndKeepTheTopByteClear) {
    struct Case {
        DWORD rop;
        uint32_t expect0, expect1;
    };
    const Case cases[] = {
        {SRCCOPY, kS0, kS1},
        {NOTSRCCOPY, ~kS0 & 0xFFFFFF, ~kS1 & 0xFFFFFF},
        {SRCAND, kS0 & kD0, kS1 & kD1},
        {SRCINVERT, kS0 ^ kD0, kS1 ^ kD1},
        {SRCPAINT, kS0 | kD0, kS1 | kD1},
        {BLACKNESS, 0, 0},
        {WHITENESS, 0xFFFFFF, 0xFFFFFF},
    };
    HDC source = Row(kS0, kS1);
    for (const Case& c : cases) {
        HDC dest = Row(kD0, kD1);
        EXPECT_TRUE(BitBlt(dest, 0, 0, 2, 1, source, 0, 0, c.rop));
        EXPECT_EQ(Pixels(dest).Pixel(0, 0), c.expect0) << std::hex << c.rop;
        EXPECT_EQ(Pixels(dest).Pixel(1, 0), c.expect1) << std::hex << c.rop;
    }
}

TEST_F(BlitTest, OperationsWithoutASourceNeedNoSourceAndOthersFail) {
    HDC dest = Row(kD0, kD1);
    EXPECT_TRUE(BitBlt(dest, 1, 0, 1, 1, nullptr, 0, 0, BLACKNESS));
    EXPECT_EQ(Pixels(dest).Pixel(1, 0), 0u);
    EXPECT_FALSE(BitBlt(dest, 0, 0, 1, 1, nullptr, 0, 0, SRCCOPY));
    EXPECT_FALSE(BitBlt(dest, 0, 0, 1, 1, dest, 0, 0, 0x00F00021));  // needs a brush pattern
    EXPECT_EQ(Pixels(dest).Pixel(0, 0), kD0);
}

TEST_F(BlitTest, ColourToMonoMarksTheSourceBackgroundColourAsWhite) {
    HDC source = ColourDc(4, 1);
    const uint32_t row[] = {0xC80000, 0xFFFFFF, 0xC80001, 0xC80000};
    for (int x = 0; x < 4; ++x) Pixels(source).SetPixel(x, 0, row[x]);
    SetBkColor(source, RGB(200, 0, 0));
    HDC mask = MonoDc(4, 1, false);
    SetBkColor(mask, RGB(0, 255, 0));  // the destination's colours play no part
    SetTextColor(mask, RGB(255, 255, 255));
    ASSERT_TRUE(BitBlt(mask, 0, 0, 4, 1, source, 0, 0, SRCCOPY));
    const platform::Surface& bits = Pixels(mask);
    EXPECT_TRUE(bits.Bit(0, 0));
    EXPECT_FALSE(bits.Bit(1, 0));  // white is just another colour here
    EXPECT_FALSE(bits.Bit(2, 0));  // one step off in one channel
    EXPECT_TRUE(bits.Bit(3, 0));
}

TEST_F(BlitTest, MonoToColourTakesTheDestinationTextAndBackgroundColours) {
    HDC mask = MonoDc(3, 1, false);
    Pixels(mask).SetBit(1, 0, true);
    SetTextColor(mask, RGB(9, 9, 9));  // the source's colours play no part
    HDC dest = ColourDc(3, 1, 0x777777);
    SetTextColor(dest, RGB(10, 20, 30));
    SetBkColor(dest, RGB(40, 50, 60));
    ASSERT_TRUE(BitBlt(dest, 0, 0, 3, 1, mask, 0, 0, SRCCOPY));
    EXPECT_EQ(RowOf(Pixels(dest), 0), (std::vector<uint32_t>{0x0A141E, 0x28323C, 0x0A141E}));
    // With the default colours 0 acts as black and 1 as white, so SRCAND masks.
    HDC target = ColourDc(3, 1, 0x445566);
    BitBlt(target, 0, 0, 3, 1, mask, 0, 0, SRCAND);
    EXPECT_EQ(RowOf(Pixels(target), 0), (std::vector<uint32_t>{0, 0x445566, 0}));
}

TEST_F(BlitTest, MonoToMonoShiftsBitsAcrossWordBoundaries) {
    HDC source = MonoDc(70, 2, false);
    for (int x = 0; x < 70; ++x) Pixels(source).SetBit(x, 1, (x * 7 + x / 3) % 5 < 2);
    HDC dest = MonoDc(80, 1, true);
    ASSERT_TRUE(BitBlt(dest, 37, 0, 40, 1, source, 3, 1, SRCCOPY));
    HDC inverted = MonoDc(80, 1, false);
    BitBlt(inverted, 1, 0, 64, 1, source, 5, 1, NOTSRCCOPY);
    for (int x = 0; x < 80; ++x) {
        bool copied = x >= 37 && x < 77 ? Pixels(source).Bit(x - 34, 1) : true;
        EXPECT_EQ(Pixels(dest).Bit(x, 0), copied) << x;
        bool flipped = x >= 1 && x < 65 ? !Pixels(source).Bit(x + 4, 1) : false;
        EXPECT_EQ(Pixels(inverted).Bit(x, 0), flipped) << x;
    }
}

TEST_F(BlitTest, DestinationsPartlyOffTheSurfaceKeepTheInsidePart) {
    HDC source = Numbered(4, 4);
    HDC dest = ColourDc(4, 4, 0xEEEEEE);
    EXPECT_TRUE(BitBlt(dest, -2, 3, 4, 4, source, 0, 0, SRCCOPY));
    EXPECT_EQ(RowOf(Pixels(dest), 3),
              (std::vector<uint32_t>{0x000002, 0x000003, 0xEEEEEE, 0xEEEEEE}));
    EXPECT_EQ(RowOf(Pixels(dest), 2), (std::vector<uint32_t>(4, 0xEEEEEE)));
    EXPECT_EQ(Pixels(dest).dirty.Bounds().left, 0);
    EXPECT_EQ(Pixels(dest).dirty.Bounds().right, 2);
    EXPECT_EQ(Pixels(dest).dirty.Bounds().top, 3);
    EXPECT_TRUE(BitBlt(dest, 4, 0, 4, 4, source, 0, 0, SRCCOPY));  // wholly off: nothing
    EXPECT_TRUE(BitBlt(dest, 0, 0, 0, 4, source, 0, 0, SRCCOPY));
    EXPECT_EQ(RowOf(Pixels(dest), 0), (std::vector<uint32_t>(4, 0xEEEEEE)));
}

TEST_F(BlitTest, ASourcePastItsBitmapLeavesThoseDestinationPixelsUnchanged) {
    HDC source = Numbered(3, 2);  // like a 40 x 17 car copied 40 x 18
    HDC dest = ColourDc(5, 4, 0xEEEEEE);
    EXPECT_TRUE(BitBlt(dest, 1, 1, 4, 3, source, 0, 0, SRCCOPY));
    EXPECT_EQ(RowOf(Pixels(dest), 1), (std::vector<uint32_t>{0xEEEEEE, 0, 1, 2, 0xEEEEEE}));
    EXPECT_EQ(RowOf(Pixels(dest), 2),
              (std::vector<uint32_t>{0xEEEEEE, 0x010000, 0x010001, 0x010002, 0xEEEEEE}));
    EXPECT_EQ(RowOf(Pixels(dest), 3), (std::vector<uint32_t>(5, 0xEEEEEE)));
    // A source origin before the bitmap's start: those pixels are left alone too.
    HDC shifted = ColourDc(3, 1, 0xEEEEEE);
    BitBlt(shifted, 0, 0, 3, 1, source, -1, 0, SRCCOPY);
    EXPECT_EQ(RowOf(Pixels(shifted), 0), (std::vector<uint32_t>{0xEEEEEE, 0, 1}));
}

TEST_F(BlitTest, AWindowSourceIsReadOnlyInsideItsClip) {
    platform::Surface window = platform::Surface::Color(4, 1);
    for (int x = 0; x < 4; ++x) window.SetPixel(x, 0, 0x100 + x);
    HDC client = platform::gdi::CreateSurfaceDC(&window, {1, 0}, {1, 0, 3, 1});
    HDC dest = ColourDc(4, 1, 0xEEEEEE);
    BitBlt(dest, 0, 0, 4, 1, client, -1, 0, SRCCOPY);
    // Client (-1) is outside the clip, (0) and (1) are window pixels 1 and 2, (2) is outside.
    EXPECT_EQ(RowOf(Pixels(dest), 0), (std::vector<uint32_t>{0xEEEEEE, 0x101, 0x102, 0xEEEEEE}));
    DeleteDC(client);
}

TEST_F(BlitTest, NegativeExtentsNameTheSameRectangleFromItsOtherCorner) {
    HDC source = Numbered(4, 1);
    HDC dest = ColourDc(4, 1, 0xEEEEEE);
    BitBlt(dest, 3, 1, -2, -1, source, 4, 1, SRCCOPY);
    EXPECT_EQ(RowOf(Pixels(dest), 0), (std::vector<uint32_t>{0xEEEEEE, 2, 3, 0xEEEEEE}));
}

TEST_F(BlitTest, OverlappingCopiesWithinOneSurfaceBehaveLikeMemmove) {
    struct Shift {
        int dx, dy;
    };
    for (Shift shift :
         {Shift{1, 0}, Shift{-1, 0}, Shift{0, 1}, Shift{0, -1}, Shift{2, 1}, Shift{-1, -2}}) {
        for (DWORD rop : {SRCCOPY, SRCINVERT}) {
            HDC dc = Numbered(6, 5);
            platform::Surface before = Pixels(dc);
            ASSERT_TRUE(BitBlt(dc, 1 + shift.dx, 1 + shift.dy, 3, 3, dc, 1, 1, rop));
            for (int y = 0; y < 5; ++y) {
                for (int x = 0; x < 6; ++x) {
                    int sx = x - shift.dx, sy = y - shift.dy;
                    bool written = x >= 1 + shift.dx && x < 4 + shift.dx && y >= 1 + shift.dy &&
                                   y < 4 + shift.dy;
                    uint32_t want = before.Pixel(x, y);
                    if (written)
                        want = rop == SRCCOPY ? before.Pixel(sx, sy) : want ^ before.Pixel(sx, sy);
                    ASSERT_EQ(Pixels(dc).Pixel(x, y), want)
                        << "shift " << shift.dx << "," << shift.dy << " at " << x << "," << y;
                }
            }
        }
    }
    // The same within a monochrome bitmap's row.
    HDC bits = MonoDc(40, 1, false);
    for (int x = 0; x < 40; x += 3) Pixels(bits).SetBit(x, 0, true);
    platform::Surface before = Pixels(bits);
    BitBlt(bits, 5, 0, 30, 1, bits, 0, 0, SRCCOPY);
    for (int x = 5; x < 35; ++x) EXPECT_EQ(Pixels(bits).Bit(x, 0), before.Bit(x - 5, 0)) << x;
}

}  // namespace
