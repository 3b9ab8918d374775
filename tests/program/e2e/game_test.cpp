// The game itself on a real X server, played as a person would: the start sound, the splash
// and its story, the main window, the moving scene, About, being run over and losing a life,
// and closing. Pictures and digits are compared with what the program's own resources and
// font give, drawn here through the same drawing code.
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "game_reference.h"
#include "harness.h"

namespace e2e {
namespace {

constexpr char kSplashTitle[] = "Grommelin Quibbert's Zandrofel V2.27";
constexpr char kStoryTitle[] = "The Story...";
constexpr char kMainTitle[] = "Grommelin Quibbert's Zandrofel";
// Button centres in client pixels (dialog units of 1.5 x 1.625 pixels).
constexpr int kPlayX = 379, kPlayY = 213;        // "PLAY!" at (226, 123), 53 x 16
constexpr int kAboutOkX = 325, kAboutOkY = 261;  // About's "OK" at (192, 154), 50 x 14

bool Differ(const Image& a, const Image& b, int top, int bottom) {
    for (int y = top; y < bottom; ++y)
        for (int x = 0; x < a.width; ++x)
            if (a.At(x, y) != b.At(x, y)) return true;
    return false;
}

class Game : public E2eTest {
  protected:
    void SetUp() override {
        E2eTest::SetUp();
        if (HasFatalFailure()) return;
        folder_ = TempPath("run");
        std::filesystem::create_directories(folder_);
        started_ = std::chrono::steady_clock::now();
        // In a folder of its own, to see that it writes nothing there.
        game_ = std::make_unique<Process>(std::vector<std::string>{
            "/bin/sh", "-c", "cd '" + folder_ + "' && exec '" ZF_GAME_PATH "'"});
        splash_ = FindWindow(kSplashTitle);
        splash_seconds_ =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - started_).count();
        ASSERT_FALSE(splash_.empty()) << "no splash";
    }
    void TearDown() override {
        game_.reset();
        E2eTest::TearDown();
    }

    void Play() {
        ASSERT_TRUE(Click(splash_, kPlayX, kPlayY));
        main_ = FindWindow(kMainTitle);
        ASSERT_FALSE(main_.empty()) << "no main window after PLAY!";
        ASSERT_TRUE(FocusWindow(main_));
    }

    Reference reference_;
    std::string folder_;
    std::chrono::steady_clock::time_point started_;
    double splash_seconds_ = 0;
    std::unique_ptr<Process> game_;
    std::string splash_, main_;
};

TEST_F(Game, TheSplashFollowsTheStartSoundAndEscapeGoesToTheStoryAndBack) {
    EXPECT_GE(splash_seconds_, 0.9);
    EXPECT_LT(splash_seconds_, 6);
    EXPECT_FALSE(WindowExists(kMainTitle));
    ASSERT_TRUE(FocusWindow(splash_));
    ASSERT_TRUE(PressKeys({"Escape"}));
    std::string story = FindWindow(kStoryTitle);
    ASSERT_FALSE(story.empty()) << "Escape on the splash did not open the story";
    Screenshot(story, "story");
    ASSERT_TRUE(FocusWindow(story));
    ASSERT_TRUE(PressKeys({"Escape"}));
    EXPECT_TRUE(WaitFor([] { return !WindowExists(kStoryTitle); }));
    EXPECT_TRUE(WindowExists(kSplashTitle));
    EXPECT_FALSE(WindowExists(kMainTitle));
    Play();
    Image shot = Screenshot(main_, "main");
    EXPECT_EQ(shot.width, 788);
    EXPECT_EQ(shot.height, 569);
    EXPECT_FALSE(WindowExists(kSplashTitle));
}

TEST_F(Game, TheRoadAndTheRiverMoveWhileTheHouseStands) {
    Play();
    Image first = Screenshot(main_, "first");
    Image later;
    bool both_moved = WaitFor(
        [&] {
            later = Screenshot(main_, "later");
            return later.width == first.width && Differ(first, later, 400, 500) &&
                   Differ(first, later, 300, 400);
        },
        5);
    ASSERT_EQ(first.width, later.width);
    EXPECT_TRUE(both_moved) << "the road or the river stood still";
    for (int y = 100; y < 250; ++y)
        for (int x = 225; x < 600; ++x) ASSERT_EQ(first.At(x, y), later.At(x, y)) << x << ", " << y;
    // The player stands on the footpath, as his picture says.
    EXPECT_TRUE(Shows(later, reference_.Picture("smallquibbert"), 405, 505, 0xFFFFFF));
}

TEST_F(Game, ARightClickOpensAboutAndItsOkClosesIt) {
    Play();
    ASSERT_TRUE(Click(main_, 300, 150, 3));
    std::string about = FindWindow("About");
    ASSERT_FALSE(about.empty()) << "no About box";
    // The game goes on behind it.
    Image before = Screenshot(main_, "behind-1");
    EXPECT_TRUE(WaitFor([&] { return Differ(before, Screenshot(main_, "behind-2"), 400, 500); }));
    ASSERT_TRUE(Click(about, kAboutOkX, kAboutOkY));
    EXPECT_TRUE(WaitFor([] { return !WindowExists("About"); }));
    EXPECT_TRUE(game_->Running());
}

TEST_F(Game, UpIntoTheRoadUntilRunOverThenAKeyTakesALife) {
    Play();
    const Image squished = reference_.Picture("squished");
    EXPECT_TRUE(Shows(Screenshot(main_, "start"), reference_.Text("4"), 100, 20));
    // Two steps up put him in the lower lane, where a vehicle comes along within seconds.
    ASSERT_TRUE(PressKeys({"Up", "Up"}));
    Image shot;
    bool run_over = WaitFor(
        [&] {
            shot = Screenshot(main_, "road");
            for (int y : {400, 425, 450, 475})
                if (Shows(shot, squished, 405, y, 0x000000)) return true;
            return false;
        },
        8);
    ASSERT_TRUE(run_over) << "the squished picture never showed";
    EXPECT_TRUE(Shows(shot, reference_.Text("4"), 100, 20));
    ASSERT_TRUE(PressKeys({"a"}));
    EXPECT_TRUE(WaitFor([&] {
        return Shows(Screenshot(main_, "next-round"), reference_.Text("3"), 100, 20);
    })) << "the lives did not drop to 3";
}

TEST_F(Game, ClosingTheMainWindowEndsTheProgramAndWritesNoFile) {
    Play();
    ASSERT_TRUE(PressKeys({"Up"}));
    ASSERT_TRUE(CloseWindow(main_));
    EXPECT_EQ(game_->Wait(10), 0);
    EXPECT_FALSE(std::filesystem::exists(folder_ + "/scores.txt"));
    EXPECT_TRUE(std::filesystem::is_empty(folder_));
}

TEST_F(Game, SigtermEndsTheProgramEvenDuringTheSplash) {
    game_->Signal(SIGTERM);
    EXPECT_EQ(game_->Wait(10), 0) << "the splash took no close, yet the program must end";
    EXPECT_TRUE(std::filesystem::is_empty(folder_));
}

TEST_F(Game, SigtermDuringARoundEndsTheProgram) {
    Play();
    game_->Signal(SIGTERM);
    EXPECT_EQ(game_->Wait(10), 0);
    EXPECT_TRUE(std::filesystem::is_empty(folder_));
}

}  // namespace
}  // namespace e2e
