// CSprite on a window-like surface: what shows through, what is drawn, and that the target's
// state and the live object counts are as they were.
#include "render/sprite.h"

#include <gtest/gtest.h>

#include "platform/gdi/surface_dc.h"
#include "tests/support/picture.h"
#include "tests/support/session_fixture.h"

namespace {

using test_support::MatchesPicture;

constexpr uint32_t kWhite = 0xFFFFFF, kBlack = 0x000000, kGreen = 0x00A000, kRed = 0xC00000,
                   kNearWhite = 0xFFFFFE, kBlue = 0x0000FF;
const test_support::Legend kLegend{{'W', kWhite}, {'#', kBlack},     {'g', kGreen},
                                   {'r', kRed},   {'n', kNearWhite}, {'b', kBlue}};

class SpriteTest : public test_support::SessionTest {
  protected:
    void SetUp() override {
        SessionTest::SetUp();
        window_ = platform::Surface::Color(6, 5);
        window_.Fill(kGreen);
        target_.Attach(platform::gdi::CreateSurfaceDC(&window_, {0, 0}, {0, 0, 6, 5}));
    }
    void TearDown() override {
        target_.DeleteDC();
        SessionTest::TearDown();
    }
    // A sprite from rows of legend characters.
    void Load(CSprite& sprite, const test_support::Picture& picture) {
        int height = static_cast<int>(picture.size());
        int width = static_cast<int>(picture[0].size());
        std::vector<uint32_t> pixels;
        for (const auto& row : picture)
            for (char c : row) pixels.push_back(kLegend.at(c));
        ASSERT_TRUE(
            sprite.Attach(platform::gdi::CreateBitmapFromPixels(width, height, pixels.data())));
    }

    platform::Surface window_;
    CDC target_;
};

TEST_F(SpriteTest, KeyColouredPixelsShowTheTargetAndAllOthersAreDrawn) {
    window_.SetPixel(1, 1, kWhite);  // the key colour on the target stays, too
    CSprite sprite;
    Load(sprite, {
                     "WrW",
                     "nWb",
                     "#WW",
                 });
    sprite.DrawTransparent(&target_, 1, 1, RGB(255, 255, 255));
    EXPECT_TRUE(MatchesPicture(window_, 0, 0,
                               {
                                   "gggggg",
                                   "gWrggg",
                                   "gngbgg",
                                   "g#gggg",
                                   "gggggg",
                               },
                               kLegend));
}

TEST_F(SpriteTest, BlackKeyLetsBlackThroughAndDrawsWhite) {
    CSprite sprite;
    Load(sprite, {
                     "#W",
                     "W#",
                 });
    sprite.DrawTransparent(&target_, 0, 0, RGB(0, 0, 0));
    EXPECT_TRUE(MatchesPicture(window_, 0, 0,
                               {
                                   "gWgggg",
                                   "Wggggg",
                               },
                               kLegend));
}

TEST_F(SpriteTest, ASpritePartlyOutsideTheTargetDrawsTheInsidePart) {
    CSprite sprite;
    Load(sprite, {
                     "rbr",
                     "bWb",
                     "rbr",
                 });
    sprite.DrawTransparent(&target_, -1, -1, RGB(255, 255, 255));
    sprite.DrawTransparent(&target_, 4, 3, RGB(255, 255, 255));
    EXPECT_TRUE(MatchesPicture(window_, 0, 0,
                               {
                                   "gbgggg",
                                   "brgggg",
                                   "gggggg",
                                   "ggggrb",
                                   "ggggbg",
                               },
                               kLegend));
    // Wholly outside: nothing at all.
    sprite.DrawTransparent(&target_, 6, 0, RGB(255, 255, 255));
    sprite.DrawTransparent(&target_, -3, -3, RGB(255, 255, 255));
    EXPECT_TRUE(MatchesPicture(window_, 0, 0, {"gbgggg"}, kLegend));
}

TEST_F(SpriteTest, TheTargetKeepsItsStateAndNothingIsLeftAlive) {
    CSprite sprite;
    Load(sprite, {"rW"});
    target_.SetBkColor(RGB(1, 2, 3));
    target_.SetTextColor(RGB(4, 5, 6));
    HGDIOBJ pen = GetCurrentObject(target_, OBJ_PEN);
    HGDIOBJ brush = GetCurrentObject(target_, OBJ_BRUSH);
    int dcs = Live(platform::ObjectKind::kDeviceContext);
    int bitmaps = Live(platform::ObjectKind::kBitmap);
    sprite.DrawTransparent(&target_, 0, 0, RGB(255, 255, 255));
    sprite.Draw(&target_, 0, 1);
    EXPECT_EQ(target_.GetBkColor(), RGB(1, 2, 3));
    EXPECT_EQ(target_.GetTextColor(), RGB(4, 5, 6));
    EXPECT_EQ(target_.GetMapMode(), MM_TEXT);
    EXPECT_EQ(GetCurrentObject(target_, OBJ_PEN), pen);
    EXPECT_EQ(GetCurrentObject(target_, OBJ_BRUSH), brush);
    EXPECT_EQ(Live(platform::ObjectKind::kDeviceContext), dcs);
    EXPECT_EQ(Live(platform::ObjectKind::kBitmap), bitmaps);
    // A non-default target background changes nothing: the key is compared on the sprite's side.
    EXPECT_TRUE(MatchesPicture(window_, 0, 0,
                               {
                                   "rggggg",
                                   "rWgggg",
                               },
                               kLegend));
}

TEST_F(SpriteTest, DrawCopiesEveryPixelAndAnEmptySpriteDrawsNothing) {
    CSprite sprite;
    Load(sprite, {
                     "Wr",
                     "b#",
                 });
    sprite.Draw(&target_, 3, 2);
    CSprite empty;
    empty.Draw(&target_, 0, 0);
    empty.DrawTransparent(&target_, 0, 0, RGB(0, 0, 0));
    EXPECT_TRUE(MatchesPicture(window_, 0, 0,
                               {
                                   "gggggg",
                                   "gggggg",
                                   "gggWrg",
                                   "gggb#g",
                                   "gggggg",
                               },
                               kLegend));
}

}  // namespace
