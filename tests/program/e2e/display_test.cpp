// The game on a dense screen (192 dpi, 2560 x 1600, as a laptop's): shown at twice the size
// with square pixels, clicks mapped back, the scale keys, and fullscreen with black bars and
// a box above it. The pictures are compared with the same screenshots at 1:1 and with the
// program's own pictures.
#include <algorithm>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "game_reference.h"
#include "harness.h"

namespace e2e {
namespace {

constexpr char kSplashTitle[] = "Grommelin Quibbert's Zandrofel V2.27";
constexpr char kMainTitle[] = "Grommelin Quibbert's Zandrofel";
constexpr int kClientWidth = 788, kClientHeight = 569;
constexpr int kPlayX = 379, kPlayY = 213;        // "PLAY!" on the splash, in client pixels
constexpr int kAboutOkX = 325, kAboutOkY = 261;  // About's "OK"
constexpr int kBusLaneY = 412;                   // inside the bus alone (cars start at 415)

// True when every scale x scale block of the picture is one colour.
bool Magnified(const Image& shot, int scale) {
    for (int y = 0; y < shot.height; ++y)
        for (int x = 0; x < shot.width; ++x)
            if (shot.At(x, y) != shot.At(x - x % scale, y - y % scale)) return false;
    return true;
}

// One pixel of each scale x scale block of the width x height area at (left, top).
Image Shrunk(const Image& shot, int scale, int left = 0, int top = 0, int width = kClientWidth,
             int height = kClientHeight) {
    Image small{width, height, {}};
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            small.pixels.push_back(shot.At(left + x * scale, top + y * scale));
    return small;
}

bool SameArea(const Image& a, const Image& b, int left, int top, int right, int bottom) {
    for (int y = top; y < bottom; ++y)
        for (int x = left; x < right; ++x)
            if (a.At(x, y) != b.At(x, y)) return false;
    return true;
}

class DenseScreen : public E2eTest {
  protected:
    void SetUp() override {
        E2eTest::SetUp();
        if (HasFatalFailure()) return;
        display_.reset();
        display_ =
            std::make_unique<Display>("2560x1600x24", std::vector<std::string>{"-dpi", "192"});
        ASSERT_TRUE(display_->ok()) << "Xvfb did not start";
        ASSERT_EQ(RunCommand({"sh", "-c", "echo 'Xft.dpi: 192' | xrdb -merge"}), 0);
        folder_ = TempPath("run");
        std::filesystem::create_directories(folder_);
        game_ = std::make_unique<Process>(std::vector<std::string>{
            "/bin/sh", "-c", "cd '" + folder_ + "' && exec '" ZF_GAME_PATH "'"});
        splash_ = FindWindow(kSplashTitle);
        ASSERT_FALSE(splash_.empty()) << "no splash";
    }
    void TearDown() override {
        game_.reset();
        E2eTest::TearDown();
    }

    void Play() {
        ASSERT_TRUE(Click(splash_, 2 * kPlayX, 2 * kPlayY)) << "PLAY! at its magnified place";
        main_ = FindWindow(kMainTitle);
        ASSERT_FALSE(main_.empty()) << "no main window after PLAY!";
        ASSERT_TRUE(FocusWindow(main_));
    }
    bool SizeIs(int width, int height) {
        Geometry now = WindowGeometry(main_);
        return now.width == width && now.height == height;
    }

    Reference reference_;
    std::string folder_;
    std::unique_ptr<Process> game_;
    std::string splash_, main_;
};

TEST_F(DenseScreen, TheGameIsTwiceAsLargeWithSquarePixelsAndCtrlMinusGivesOneToOne) {
    Play();
    ASSERT_TRUE(SizeIs(2 * kClientWidth, 2 * kClientHeight));
    Image doubled = Screenshot(main_, "doubled");
    ASSERT_EQ(doubled.width, 2 * kClientWidth);
    EXPECT_TRUE(Magnified(doubled, 2)) << "a pixel is not a 2 x 2 square";
    Image half = Shrunk(doubled, 2);
    EXPECT_TRUE(Shows(half, reference_.Picture("smallquibbert"), 405, 505, 0xFFFFFF));

    // Ctrl+Minus: 1:1, the standing scene equal to the magnified one, and Quibbert where he
    // was, so neither key moved him.
    ASSERT_TRUE(PressKeys({"ctrl+minus"}));
    ASSERT_TRUE(WaitFor([&] { return SizeIs(kClientWidth, kClientHeight); }));
    Image single;
    ASSERT_TRUE(WaitFor([&] {
        single = Screenshot(main_, "single");
        return single.width == kClientWidth && SameArea(single, half, 225, 100, 600, 250);
    })) << "the house at 1:1 differs from the magnified one";
    EXPECT_TRUE(Shows(single, reference_.Picture("smallquibbert"), 405, 505, 0xFFFFFF));

    ASSERT_TRUE(PressKeys({"ctrl+0"}));
    EXPECT_TRUE(WaitFor([&] { return SizeIs(2 * kClientWidth, 2 * kClientHeight); }));
}

TEST_F(DenseScreen, AClickOnTheBusAtItsMagnifiedPlaceShowsItsCaption) {
    Play();
    ASSERT_TRUE(SizeIs(2 * kClientWidth, 2 * kClientHeight));
    // The bus drives right at 5 pixels a tick; clicks sweeping left along its lane closer
    // together than it is long cannot miss it. The odd pixel checks the mapping rounds down.
    bool shown = WaitFor(
        [&] {
            for (int x = 760; x >= 0 && !WindowExists("The BIG CHEESE"); x -= 50)
                Click(main_, 2 * x + 1, 2 * kBusLaneY + 1);
            return WindowExists("The BIG CHEESE");
        },
        15);
    ASSERT_TRUE(shown) << "no caption for the bus";
    std::string box = FindWindow("The BIG CHEESE");
    ASSERT_TRUE(FocusWindow(box));
    ASSERT_TRUE(PressKeys({"Return"}));
    EXPECT_TRUE(WaitFor([] { return !WindowExists("The BIG CHEESE"); }));
}

TEST_F(DenseScreen, AltEnterFillsTheScreenWithBarsAndAboutOpensAboveIt) {
    Play();
    Geometry windowed = WindowGeometry(main_);
    ASSERT_TRUE(PressKeys({"alt+Return"}));
    ASSERT_TRUE(WaitFor([&] { return SizeIs(2560, 1600); })) << "not fullscreen";
    Geometry full = WindowGeometry(main_);
    EXPECT_EQ(full.x, 0);
    EXPECT_EQ(full.y, 0);
    // 788 x 569 at 2 is 1576 x 1138, centred: bars of 492 and 231 pixels.
    constexpr int kLeft = (2560 - 2 * kClientWidth) / 2, kTop = (1600 - 2 * kClientHeight) / 2;
    Image shot;
    ASSERT_TRUE(WaitFor([&] {
        shot = Screenshot(main_, "fullscreen");
        return shot.width == 2560 && Shows(Shrunk(shot, 2, kLeft, kTop),
                                           reference_.Picture("smallquibbert"), 405, 505, 0xFFFFFF);
    })) << "the scene is not at 2 times in the middle";
    for (auto [x, y] : {std::pair{0, 0},
                        {kLeft - 1, 800},
                        {2559, 1599},
                        {1280, kTop - 1},
                        {kLeft + 2 * kClientWidth, 800},
                        {1280, kTop + 2 * kClientHeight}})
        EXPECT_EQ(shot.At(x, y), 0u) << "bar at " << x << ", " << y;

    ASSERT_TRUE(Click(main_, kLeft + 2 * 300, kTop + 2 * 150, 3));
    std::string about = FindWindow("About");
    ASSERT_FALSE(about.empty()) << "no About box";
    // Seen: with no backing store, a covered window would come out black.
    Image box = Screenshot(about, "about");
    EXPECT_LT(std::count(box.pixels.begin(), box.pixels.end(), 0u), box.width * box.height / 2);
    EXPECT_TRUE(Magnified(box, 2));
    ASSERT_TRUE(Click(about, 2 * kAboutOkX, 2 * kAboutOkY));
    EXPECT_TRUE(WaitFor([] { return !WindowExists("About"); }));

    ASSERT_TRUE(FocusWindow(main_));
    ASSERT_TRUE(PressKeys({"alt+Return"}));
    ASSERT_TRUE(WaitFor([&] { return SizeIs(windowed.width, windowed.height); }));
    Geometry back = WindowGeometry(main_);
    EXPECT_EQ(back.x, windowed.x);
    EXPECT_EQ(back.y, windowed.y);
}

}  // namespace
}  // namespace e2e
