// The end of a game on a real X server, played as a person would: every life lost in the road
// and the river, the boxes answered with the keyboard, no name given, "No" to another game;
// after that the game takes no keys or clicks, and About still opens.
#include <unistd.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "harness.h"

namespace e2e {
namespace {

constexpr char kSplashTitle[] = "Grommelin Quibbert's Zandrofel V2.27";
constexpr char kMainTitle[] = "Grommelin Quibbert's Zandrofel";
constexpr char kAppBoxTitle[] = "zandrofel";  // "You made it!!!" and the like
constexpr char kLoserTitle[] = "G  A  M  E    O  V  E  R";
constexpr char kNameTitle[] = "Quibbert's Hall of Fame";
constexpr char kTableTitle[] =
    "                         H  I  G  H       S  C  O  R  E  S          ";
constexpr char kQuestionTitle[] = "Quibbert needs you...";
constexpr char kNoTitle[] = "Your a dork";
// Button centres in client pixels (dialog units of 1.5 x 1.625 pixels).
constexpr int kPlayX = 379, kPlayY = 213;        // "PLAY!" at (226, 123), 53 x 16
constexpr int kAboutOkX = 325, kAboutOkY = 261;  // About's "OK" at (192, 154), 50 x 14

bool SameImage(const Image& a, const Image& b) {
    return a.width == b.width && a.height == b.height && a.pixels == b.pixels;
}

class GameOver : public E2eTest {
  protected:
    void SetUp() override {
        E2eTest::SetUp();
        if (HasFatalFailure()) return;
        folder_ = TempPath("run");
        std::filesystem::create_directories(folder_);
        game_ = std::make_unique<Process>(std::vector<std::string>{
            "/bin/sh", "-c", "cd '" + folder_ + "' && exec '" ZF_GAME_PATH "'"});
        std::string splash = FindWindow(kSplashTitle);
        ASSERT_FALSE(splash.empty()) << "no splash";
        ASSERT_TRUE(Click(splash, kPlayX, kPlayY));
        main_ = FindWindow(kMainTitle);
        ASSERT_FALSE(main_.empty()) << "no main window after PLAY!";
    }
    void TearDown() override {
        game_.reset();
        E2eTest::TearDown();
    }

    // Focuses the window with this title as soon as it shows and types the keys into it.
    static bool Answer(const std::string& title, const std::vector<std::string>& keys) {
        std::string window = FindWindow(title);
        return !window.empty() && FocusWindow(window) && PressKeys(keys);
    }

    // Up into the road and the river until each round ends, a character to settle it, and
    // again, until the game ends. True once its first box or the name dialog shows.
    bool LoseEveryLife() {
        for (int round = 0; round < 40; ++round) {
            if (WindowExists(kAppBoxTitle)) {  // home after all, or the house burnt
                if (!Answer(kAppBoxTitle, {"Return"})) return false;
                continue;
            }
            if (!FocusWindow(main_) || !PressKeys({"Up", "Up", "Up", "Up", "Up"})) return false;
            // A ride may carry him on for a while; the key settles whatever has happened.
            WaitFor([this] { return SceneStandsStill(); }, 5);
            if (!PressKeys({"a"})) return false;
            if (WaitFor([] { return WindowExists(kLoserTitle) || WindowExists(kNameTitle); }, 1))
                return true;
        }
        return false;
    }

    // While he plays every lane moves on every tick; once a round has ended nothing does.
    bool SceneStandsStill() {
        Image first = Screenshot(main_, "scene");
        return SameImage(first, Screenshot(main_, "scene"));
    }

    std::string folder_;
    std::unique_ptr<Process> game_;
    std::string main_;
};

TEST_F(GameOver, NoLeavesTheGameOverForGoodWithOnlyAboutStillAnswering) {
    ASSERT_TRUE(LoseEveryLife()) << "the game never ended; the program "
                                 << (game_->Running() ? "still runs" : "has ended");
    bool qualified = WindowExists(kNameTitle);
    if (qualified)
        ASSERT_TRUE(Answer(kNameTitle, {"Escape"}));  // no name given
    else
        ASSERT_TRUE(Answer(kLoserTitle, {"Return"}));
    Screenshot(FindWindow(kTableTitle), "table");
    ASSERT_TRUE(Answer(kTableTitle, {"Return"}));
    ASSERT_TRUE(Answer(kQuestionTitle, {"n"}));
    ASSERT_TRUE(Answer(kNoTitle, {"Return"}));
    ASSERT_TRUE(WaitFor([] { return !WindowExists(kNoTitle); }));
    EXPECT_FALSE(WindowExists(kQuestionTitle));

    // Nothing moves any more and nothing a player does starts another game.
    ASSERT_TRUE(FocusWindow(main_));
    Image before = Screenshot(main_, "over");
    ASSERT_TRUE(PressKeys({"a", "space", "Return", "Up", "Left"}));
    ASSERT_TRUE(Click(main_, 300, 470));  // the road
    ASSERT_TRUE(Click(main_, 420, 530));  // where he starts
    // The program takes its input in order: once About shows, everything above was handled.
    ASSERT_TRUE(Click(main_, 300, 150, 3));
    std::string about = FindWindow("About");
    ASSERT_FALSE(about.empty()) << "no About box after the game";
    for (const char* title : {kAppBoxTitle, kLoserTitle, kNameTitle, kQuestionTitle, "Yes"})
        EXPECT_FALSE(WindowExists(title)) << title;
    ASSERT_TRUE(Click(about, kAboutOkX, kAboutOkY));
    EXPECT_TRUE(WaitFor([] { return !WindowExists("About"); }));
    EXPECT_TRUE(SameImage(before, Screenshot(main_, "after-about")));

    // The table the flow left: empty for a loser, the default name for a nameless qualifier.
    std::string table = ReadFile(folder_ + "/scores.txt");
    EXPECT_TRUE(std::filesystem::exists(folder_ + "/scores.txt"));
    if (qualified)
        EXPECT_NE(table.find("\r\nQuibbert"), std::string::npos) << table;
    else
        EXPECT_EQ(table, "");
    EXPECT_TRUE(game_->Running());
}

}  // namespace
}  // namespace e2e
