// Text in the raster fonts: metrics, extents, glyph pixels, the opaque box and transparent
// mode, and the font checks the program makes before it opens a window.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "platform/gdi/fonts.h"
#include "tests/support/picture.h"
#include "tests/support/session_fixture.h"

namespace {

using test_support::Describe;
using test_support::Legend;
using test_support::MatchesPicture;
using test_support::Picture;

const Legend kLegend{{'.', 0xFFFFFF}, {'#', 0x000000}, {'b', 0x3060C0}, {'t', 0x00A000}};

class TextTest : public test_support::SessionTest {
  protected:
    SIZE Extent(HDC dc, const char* text) {
        SIZE size{-1, -1};
        EXPECT_TRUE(GetTextExtentPoint32A(dc, text, static_cast<int>(std::strlen(text)), &size));
        return size;
    }
    TEXTMETRICA Metrics(HDC dc) {
        TEXTMETRICA m{};
        EXPECT_TRUE(GetTextMetricsA(dc, &m));
        return m;
    }
};

TEST_F(TextTest, FontsAreAvailableOnThisMachine) {
    std::string problem;
    EXPECT_TRUE(platform::gdi::FontsAvailable(&problem)) << problem;
    EXPECT_FALSE(platform::gdi::FontsAvailableIn("/nonexistent/", &problem));
    EXPECT_EQ(
        problem,
        "Cannot read the font /nonexistent/vgasys.fon: install the Debian package fonts-wine.");
}

TEST_F(TextTest, SystemFontMetrics) {
    HDC dc = ColourDc(1, 1);
    TEXTMETRICA m = Metrics(dc);
    EXPECT_EQ(m.tmHeight, 16);
    EXPECT_EQ(m.tmAscent, 13);
    EXPECT_EQ(m.tmDescent, 3);
    EXPECT_EQ(m.tmInternalLeading, 3);
    EXPECT_EQ(m.tmExternalLeading, 0);
    EXPECT_EQ(m.tmAveCharWidth, 7);
    EXPECT_EQ(m.tmWeight, FW_BOLD);
    // Dialogs without a font of their own get 8 x 16 base units from it.
    SIZE alphabet = Extent(dc, "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
    EXPECT_EQ((alphabet.cx / 26 + 1) / 2, 8);
    EXPECT_EQ(alphabet.cy, 16);
}

TEST_F(TextTest, TheDialogFontIsTheThirteenPixelSansSerifStrike) {
    HDC dc = ColourDc(1, 1);
    HFONT by_points = Keep(
        CreateFontA(-11, 0, 0, 0, FW_NORMAL, 0, 0, 0, ANSI_CHARSET, 0, 0, 0, 0, "MS Sans Serif"));
    HFONT by_cell = Keep(
        CreateFontA(13, 0, 0, 0, FW_NORMAL, 0, 0, 0, ANSI_CHARSET, 0, 0, 0, 0, "ms sans serif"));
    HFONT larger = Keep(
        CreateFontA(-13, 0, 0, 0, FW_NORMAL, 0, 0, 0, ANSI_CHARSET, 0, 0, 0, 0, "MS Sans Serif"));
    for (HGDIOBJ font : {GetStockObject(DEFAULT_GUI_FONT), static_cast<HGDIOBJ>(by_points),
                         static_cast<HGDIOBJ>(by_cell)}) {
        SelectObject(dc, font);
        TEXTMETRICA m = Metrics(dc);
        EXPECT_EQ(m.tmHeight, 13);
        EXPECT_EQ(m.tmAscent, 11);
        EXPECT_EQ(m.tmDescent, 2);
        EXPECT_EQ(m.tmInternalLeading, 2);
        EXPECT_EQ(m.tmAveCharWidth, 5);
        EXPECT_EQ(m.tmMaxCharWidth, 11);
        EXPECT_EQ(m.tmWeight, FW_NORMAL);
        // 1.5 pixels per dialog unit across: base unit 6.
        SIZE alphabet = Extent(dc, "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
        EXPECT_EQ((alphabet.cx / 26 + 1) / 2, 6);
    }
    SelectObject(dc, larger);
    EXPECT_EQ(Metrics(dc).tmHeight, 16);
    SelectObject(dc, GetStockObject(SYSTEM_FONT));
}

TEST_F(TextTest, TheTimeLabelEndsBeforeTheNumbers) {
    HDC dc = ColourDc(1, 1);
    SIZE size = Extent(dc, "TIME LEFT:");
    EXPECT_LT(10 + size.cx, 100);
    EXPECT_EQ(size.cy, 16);
    // Characters differ: a font read without its character map draws one box for everything.
    EXPECT_NE(Extent(dc, "M").cx, Extent(dc, "I").cx);
    EXPECT_EQ(Extent(dc, "").cx, 0);
    SIZE out{};
    EXPECT_FALSE(GetTextExtentPoint32A(dc, "x", -1, &out));
    EXPECT_FALSE(GetTextExtentPoint32A(dc, "x", 1, nullptr));
}

TEST_F(TextTest, GlyphsAreDrawnFromTheirBitsInTheTextColour) {
    HDC dc = ColourDc(8, 16);
    ASSERT_TRUE(TextOutA(dc, 0, 0, "A", 1));
    EXPECT_TRUE(MatchesPicture(Pixels(dc), 0, 0,
                               {
                                   "........",
                                   "........",
                                   "........",
                                   "...##...",
                                   "...##...",
                                   "..####..",
                                   "..####..",
                                   ".##..##.",
                                   ".##..##.",
                                   ".##..##.",
                                   ".######.",
                                   "##....##",
                                   "##....##",
                                   "........",
                                   "........",
                                   "........",
                               },
                               kLegend));
}

TEST_F(TextTest, OpaqueTextFillsItsCellBoxWithTheBackgroundFirst) {
    HDC dc = ColourDc(40, 20, 0x00A000);
    SetBkColor(dc, RGB(0x30, 0x60, 0xC0));
    SIZE size = Extent(dc, "Hi!");
    ASSERT_TRUE(TextOutA(dc, 3, 2, "Hi!x", 3));  // exactly three characters
    const platform::Surface& s = Pixels(dc);
    int ink = 0;
    for (int y = 0; y < 20; ++y) {
        for (int x = 0; x < 40; ++x) {
            bool inside = x >= 3 && x < 3 + size.cx && y >= 2 && y < 2 + size.cy;
            uint32_t p = s.Pixel(x, y);
            if (!inside) {
                ASSERT_EQ(p, 0x00A000u) << x << "," << y;
            } else {
                ASSERT_TRUE(p == 0x3060C0u || p == 0) << x << "," << y;
                ink += p == 0;
            }
        }
    }
    EXPECT_GT(ink, 10);
    EXPECT_EQ(s.dirty.Bounds().left, 3);
    EXPECT_EQ(s.dirty.Bounds().right, 3 + size.cx);
}

TEST_F(TextTest, TransparentTextDrawsOnlyTheGlyphPixels) {
    HDC opaque = ColourDc(30, 16);
    TextOutA(opaque, 0, 0, "42", 2);
    HDC clear = ColourDc(30, 16, 0x00A000);
    SetBkMode(clear, TRANSPARENT);
    SetTextColor(clear, RGB(0x30, 0x60, 0xC0));
    TextOutA(clear, 0, 0, "42", 2);
    Picture expected = Describe(Pixels(opaque), 0, 0, 30, 16, kLegend);
    for (auto& row : expected)
        for (char& c : row) c = c == '#' ? 'b' : 't';
    EXPECT_TRUE(MatchesPicture(Pixels(clear), 0, 0, expected, kLegend));
}

TEST_F(TextTest, FourSpacesWipeTwoDigits) {
    HDC dc = ColourDc(40, 16);
    TextOutA(dc, 10, 0, "10", 2);
    TextOutA(dc, 10, 0, "    ", 4);
    TextOutA(dc, 10, 0, "9", 1);
    HDC fresh = ColourDc(40, 16);
    TextOutA(fresh, 10, 0, "9", 1);
    EXPECT_TRUE(
        MatchesPicture(Pixels(dc), 0, 0, Describe(Pixels(fresh), 0, 0, 40, 16, kLegend), kLegend));
}

TEST_F(TextTest, MissingCharactersDrawTheDefaultCharacter) {
    HDC dc = ColourDc(1, 1);
    TEXTMETRICA m = Metrics(dc);
    char missing = 1, fallback = static_cast<char>(m.tmDefaultChar);
    HDC a = ColourDc(20, 16);
    HDC b = ColourDc(20, 16);
    TextOutA(a, 0, 0, &missing, 1);
    TextOutA(b, 0, 0, &fallback, 1);
    EXPECT_TRUE(
        MatchesPicture(Pixels(a), 0, 0, Describe(Pixels(b), 0, 0, 20, 16, kLegend), kLegend));
}

TEST_F(TextTest, TextOnMonochromeAndClippedTextAndBadArguments) {
    HDC mono = MonoDc(20, 16, false);
    SetTextColor(mono, RGB(255, 255, 255));
    SetBkColor(mono, RGB(0, 0, 0));
    TextOutA(mono, -3, 4, "W", 1);  // partly off the left and bottom edges
    int on = 0;
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 20; ++x) on += Pixels(mono).Bit(x, y);
    EXPECT_GT(on, 5);
    for (int y = 0; y < 4; ++y) EXPECT_FALSE(Pixels(mono).Bit(0, y));
    EXPECT_TRUE(TextOutA(mono, 0, 0, nullptr, 0));
    EXPECT_FALSE(TextOutA(mono, 0, 0, nullptr, 2));
    EXPECT_FALSE(TextOutA(mono, 0, 0, "x", -1));
    EXPECT_FALSE(TextOutA(nullptr, 0, 0, "x", 1));
}

}  // namespace
