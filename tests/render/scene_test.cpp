// The painted scene: the whole window after the first paint and tick against its golden
// picture, and checks a person can read: colours, outlines, strokes, text boxes and digits.
#include <gtest/gtest.h>

#include "tests/game/game_fixture.h"
#include "tests/game/golden_image.h"

namespace game_test {
namespace {

const uint32_t kWall = OnScreen(RGB(48, 54, 167));
const uint32_t kDoor = OnScreen(RGB(27, 9, 111));
const uint32_t kLawn = OnScreen(RGB(0, 128, 0));

TEST_F(GameTest, TheSceneAfterTheFirstPaintAndTickMatchesItsPicture) {
    Advance(kTickMs);
    ASSERT_EQ(recorder_.ticks.size(), 1u);
    ASSERT_EQ(Screen().width, 788);
    ASSERT_EQ(Screen().height, 569);
    EXPECT_TRUE(MatchesGolden(Screen(), "first_tick.png", FailureFolder()));
}

TEST_F(GameTest, TheHouseKeepsItsColoursAndTheLawnRepaintTakesItsLowerOutline) {
    EXPECT_EQ(PixelAt(250, 120), kWall);
    // Before any tick the walls are outlined in black all round.
    EXPECT_EQ(PixelAt(225, 260), kBlack);
    EXPECT_EQ(PixelAt(599, 260), kBlack);
    EXPECT_EQ(PixelAt(300, 299), kBlack);
    Advance(kTickMs);
    // The wall base is drawn with a wall-coloured pen: the lower edges go wall-coloured ...
    for (int y = 250; y < 300; ++y) {
        ASSERT_EQ(PixelAt(225, y), kWall) << y;
        ASSERT_EQ(PixelAt(599, y), kWall) << y;
    }
    EXPECT_EQ(PixelAt(225, 249), kBlack);  // above the base the old outline stays
    EXPECT_EQ(PixelAt(300, 299), kWall);
    EXPECT_EQ(PixelAt(500, 299), kWall);
    // ... while the door keeps its black outline, and the grass on the right its black edge.
    EXPECT_EQ(PixelAt(375, 260), kBlack);
    EXPECT_EQ(PixelAt(424, 260), kBlack);
    EXPECT_EQ(PixelAt(400, 225), kBlack);
    EXPECT_EQ(PixelAt(400, 299), kBlack);
    EXPECT_EQ(PixelAt(400, 240), kDoor);
    EXPECT_EQ(PixelAt(600, 285), kBlack);
    EXPECT_EQ(PixelAt(601, 285), kLawn);
}

TEST_F(GameTest, OnAWideWindowTheGrassShowsItsStrokesAndItsLastColumn) {
    env_->host.Resize(MainHostWindow(), 820, 620, Now());
    Advance(kTickMs);
    ASSERT_GE(Screen().width, 800);
    ASSERT_EQ(recorder_.paints, 2);
    // Strokes every 5 pixels, 4 pixels high, except behind the house; the last at 785.
    int left = 0, right = 0;
    for (int x = 0; x < 800; ++x) {
        if (PixelAt(x, 272) != kBlack || (x >= 225 && x < 600)) continue;
        (x < 225 ? left : right) += 1;
        EXPECT_EQ(x % 5, 0) << x;
    }
    EXPECT_EQ(left, 45);
    EXPECT_EQ(right, 38);
    EXPECT_EQ(PixelAt(785, 271), kBlack);
    EXPECT_NE(PixelAt(790, 272), kBlack);
    EXPECT_NE(PixelAt(795, 272), kBlack);
    EXPECT_NE(PixelAt(5, 270), kBlack);
    // The lawn repaint on the right ends one short of the strip: its own edge at 798, and 799
    // keeps the strip's edge.
    EXPECT_EQ(PixelAt(797, 285), kLawn);
    EXPECT_EQ(PixelAt(798, 285), kBlack);
    EXPECT_EQ(PixelAt(799, 285), kBlack);
}

TEST_F(GameTest, LabelsAndNumbersSitOnWhiteBoxes) {
    Advance(kTickMs);
    EXPECT_TRUE(ScreenShows(TextPicture("TIME LEFT:"), 10, 1, TextPicture("TIME LEFT:").width, 16));
    EXPECT_TRUE(ScreenShows(TextPicture("LIVES:"), 10, 20, TextPicture("LIVES:").width, 16));
    EXPECT_TRUE(ScreenShows(TextPicture("SCORE:"), 10, 40, TextPicture("SCORE:").width, 16));
    EXPECT_TRUE(ScreenShows(TextPicture("4"), 100, 20, TextPicture("4").width, 16));
    EXPECT_TRUE(ScreenShows(TextPicture("0"), 100, 40, TextPicture("0").width, 16));
    // The time: its number over the four blanking spaces.
    EXPECT_TRUE(ScreenShows(TextPicture("15"), 100, 1, TextPicture("15").width, 16));
    int blank = TextPicture("    ").width;
    for (int x = 100 + TextPicture("15").width; x < 100 + blank; ++x)
        EXPECT_EQ(PixelAt(x, 8), kWhite) << x;
    // Beside the boxes the sky shows.
    EXPECT_NE(PixelAt(100 + blank + 2, 8), kWhite);
}

TEST_F(GameTest, TheTimeGoingFromTenToNineLeavesNoStaleDigit) {
    StopTimers();
    GameWorld.TimeLeft = 11;
    Tick(kClockTimer);
    ASSERT_TRUE(ScreenShows(TextPicture("10"), 100, 1, TextPicture("10").width, 16));
    Tick(kClockTimer);
    EXPECT_TRUE(ScreenShows(TextPicture("9"), 100, 1, TextPicture("9").width, 16));
    for (int x = 100 + TextPicture("9").width; x < 100 + TextPicture("10").width; ++x)
        for (int y = 1; y < 17; ++y) ASSERT_EQ(PixelAt(x, y), kWhite) << x << ", " << y;
}

}  // namespace
}  // namespace game_test
