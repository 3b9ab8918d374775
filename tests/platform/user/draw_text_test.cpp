// DrawTextA: measuring with DT_CALCRECT (line feeds, word wrap, a word wider than the line,
// tabs), "&" prefixes drawn underlined or shown as they are, and centring.
#include <gtest/gtest.h>

#include <string>

#include "harness/test_support.h"
#include "platform/win32.h"

namespace platform {
namespace {

class DrawTextTest : public ::testing::Test {
  protected:
    void SetUp() override {
        dc = CreateCompatibleDC(nullptr);
        bitmap = CreateBitmap(200, 60, 1, 32, nullptr);
        old_bitmap = SelectObject(dc, bitmap);
        old_font = SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
        RECT all{0, 0, 200, 60};
        FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
        TEXTMETRICA metrics{};
        GetTextMetricsA(dc, &metrics);
        line = metrics.tmHeight;
        ascent = metrics.tmAscent;
        average = metrics.tmAveCharWidth;
    }
    void TearDown() override {
        SelectObject(dc, old_font);
        SelectObject(dc, old_bitmap);
        DeleteObject(bitmap);
        DeleteDC(dc);
    }
    int Extent(const std::string& text) {
        SIZE size{};
        GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(text.size()), &size);
        return size.cx;
    }
    RECT Measure(const char* text, int width, UINT format) {
        RECT r{0, 0, width, 0};
        DrawTextA(dc, text, -1, &r, format | DT_CALCRECT);
        return r;
    }
    bool InkInRow(int y, int left, int right) {
        for (int x = left; x < right; ++x)
            if (GetPixel(dc, x, y) == RGB(0, 0, 0)) return true;
        return false;
    }

    harness::HeadlessSession env;
    HDC dc = nullptr;
    HBITMAP bitmap = nullptr;
    HGDIOBJ old_bitmap = nullptr, old_font = nullptr;
    int line = 0, ascent = 0, average = 0;
};

TEST_F(DrawTextTest, MeasuresLinesWrapsBetweenWordsAndKeepsLongWordsWhole) {
    EXPECT_EQ(line, 13);
    RECT single = Measure("Hello", 100, DT_SINGLELINE);
    EXPECT_EQ(single.right, Extent("Hello"));
    EXPECT_EQ(single.bottom, line);

    RECT feeds = Measure("one\ntwo words\nthree", 1000, 0);
    EXPECT_EQ(feeds.bottom, 3 * line);
    EXPECT_EQ(feeds.right, Extent("two words"));

    int limit = Extent("aaa bbb");
    RECT wrapped = Measure("aaa bbb ccc", limit, DT_WORDBREAK);
    EXPECT_EQ(wrapped.bottom, 2 * line);
    EXPECT_EQ(wrapped.right, limit);

    std::string stars(80, '*');
    std::string long_word = "x " + stars;
    RECT wide = Measure(long_word.c_str(), 50, DT_WORDBREAK);
    EXPECT_EQ(wide.bottom, 2 * line);
    EXPECT_EQ(wide.right, Extent(stars));

    RECT tabbed = Measure("a\tb", 1000, DT_EXPANDTABS | DT_SINGLELINE);
    EXPECT_EQ(tabbed.right, 8 * average + Extent("b"));
}

TEST_F(DrawTextTest, PrefixesAreUnderlinedUnlessShownAsTheyAre) {
    EXPECT_EQ(Measure("&Yes", 100, DT_SINGLELINE).right, Extent("Yes"));
    EXPECT_EQ(Measure("&&", 100, DT_SINGLELINE).right, Extent("&"));
    EXPECT_EQ(Measure("&Yes", 100, DT_SINGLELINE | DT_NOPREFIX).right, Extent("&Yes"));

    RECT r{0, 0, 200, 30};
    SetBkMode(dc, TRANSPARENT);
    DrawTextA(dc, "&Yes", -1, &r, DT_SINGLELINE);
    int under = ascent + 1;
    EXPECT_TRUE(InkInRow(under, 0, Extent("Y")));  // the underline below the Y
    EXPECT_FALSE(InkInRow(under, Extent("Y") + 1, Extent("Yes")));
}

TEST_F(DrawTextTest, CentresASingleLineBothWays) {
    RECT r{0, 0, 200, 60};
    SetBkMode(dc, TRANSPARENT);
    DrawTextA(dc, "II", -1, &r, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    int width = Extent("II");
    int left = (200 - width) / 2, top = (60 - line) / 2;
    EXPECT_FALSE(InkInRow(top + ascent - 1, 0, left));
    EXPECT_TRUE(InkInRow(top + ascent - 1, left, left + width));
    EXPECT_FALSE(InkInRow(top + ascent - 1, left + width, 200));
    EXPECT_FALSE(InkInRow(top - 1, 0, 200));
    EXPECT_FALSE(InkInRow(top + line, 0, 200));
}

}  // namespace
}  // namespace platform
