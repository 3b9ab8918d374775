// The arrow keys, the settling of a finished round by a character or a click, the captions a
// click shows, and the rules of a round's start.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "scores/high_scores.h"
#include "tests/game/game_fixture.h"

namespace game_test {
namespace {

constexpr UINT kAppBox = MB_OK | MB_ICONEXCLAMATION;  // no icon asked for: the framework's

class InputTest : public GameTest {
  protected:
    void SetUp() override {
        GameTest::SetUp();
        StopTimers();
    }
    std::vector<int> Player() { return {GameWorld.PlayerX, GameWorld.PlayerY}; }
    // Blacks out a patch of sky that only a full repaint of the scene puts back.
    void MarkTheSky() {
        Run([this] {
            HDC dc = GetDC(MainHwnd());
            BitBlt(dc, 680, 200, 20, 20, nullptr, 0, 0, BLACKNESS);
            ReleaseDC(MainHwnd(), dc);
        });
    }
    bool SkyMarked() { return PixelAt(690, 210) == kBlack; }
};

TEST_F(InputTest, ArrowKeysMoveHimByTwentyFiveWithinTheirLimits) {
    Press(VK_DOWN);
    EXPECT_EQ(Player(), std::vector<int>({405, 505}));  // 505 is not above 500
    Press(VK_UP);
    EXPECT_EQ(Player(), std::vector<int>({405, 480}));
    // Drawn at once where he now stands.
    EXPECT_TRUE(ScreenShows(ResourcePicture("smallquibbert"), 405, 480, 1, 1));
    GameWorld.PlayerY = 280;
    Press(VK_UP);
    EXPECT_EQ(GameWorld.PlayerY, 255);
    Press(VK_UP);
    EXPECT_EQ(GameWorld.PlayerY, 255);
    GameWorld.PlayerX = 730;
    Press(VK_RIGHT);
    EXPECT_EQ(GameWorld.PlayerX, 755);
    Press(VK_RIGHT);
    EXPECT_EQ(GameWorld.PlayerX, 755);
    GameWorld.PlayerX = 5;
    Press(VK_LEFT);
    EXPECT_EQ(GameWorld.PlayerX, -20);
    Press(VK_LEFT);
    EXPECT_EQ(GameWorld.PlayerX, -20);
    GameWorld.PlayerY = 480;
    Press(VK_DOWN);
    EXPECT_EQ(GameWorld.PlayerY, 505);
    Press(VK_HOME);
    EXPECT_EQ(Player(), std::vector<int>({-20, 505}));
}

TEST_F(InputTest, NoKeyMovesHimOnceTheRoundHasEnded) {
    for (int state : {kDrowned, kRunOver, kSplatted, kReachedHome, kHouseBurnt}) {
        GameWorld.State = state;
        Press(VK_UP);
        Press(VK_LEFT);
        EXPECT_EQ(Player(), std::vector<int>({405, 505})) << state;
    }
}

TEST_F(InputTest, ArrowKeysDoNotSettleARoundAndACharacterDuringOneDoesNothing) {
    GameWorld.State = kRunOver;
    Press(VK_UP);
    Press(VK_RIGHT);
    EXPECT_EQ(GameWorld.Lives, 4);
    EXPECT_EQ(GameWorld.State, kRunOver);
    GameWorld.State = kPlaying;
    Press('Q');
    Press(VK_RETURN);
    EXPECT_EQ(GameWorld.Lives, 4);
    EXPECT_FALSE(TimerRuns(kTickTimer));  // nothing restarted
    EXPECT_TRUE(recorder_.boxes.empty());
}

TEST_F(InputTest, HomeWithTenLeftIsThreeHundredPointsAndTwoBoxes) {
    GameWorld.State = kReachedHome;
    GameWorld.TimeLeft = 10;
    GameWorld.Lives = 3;
    Press(VK_SPACE);
    ASSERT_EQ(recorder_.boxes.size(), 2u);
    EXPECT_EQ(recorder_.boxes[0].text, "You made it!!!");
    EXPECT_EQ(recorder_.boxes[1].text, "+100 BONUS!!!");
    for (const Box& box : recorder_.boxes) {
        EXPECT_EQ(box.caption, kAppName);
        EXPECT_EQ(box.type, kAppBox);
        EXPECT_EQ(box.owner, MainHwnd());
    }
    EXPECT_EQ(GameWorld.Score, 300);
    EXPECT_EQ(GameWorld.TimeLeft, 15);
    EXPECT_EQ(GameWorld.Lives, 3);
    EXPECT_EQ(GameWorld.State, kPlaying);
    EXPECT_EQ(Player(), std::vector<int>({405, 505}));
    EXPECT_TRUE(TimerRuns(kTickTimer));
    EXPECT_TRUE(TimerRuns(kClockTimer));
}

TEST_F(InputTest, HomeWithNineLeftIsOneHundredNinetyAndOneBox) {
    GameWorld.State = kReachedHome;
    GameWorld.TimeLeft = 9;
    GameWorld.Score = 1000;
    Press('H');
    EXPECT_EQ(BoxTexts(), std::vector<std::string>{"You made it!!!"});
    EXPECT_EQ(GameWorld.Score, 1190);
}

TEST_F(InputTest, ARoundStartsOnAFreshSceneOnlyWithMoreThanThreeLives) {
    // Home with four lives: the whole scene is painted again.
    MarkTheSky();
    GameWorld.State = kReachedHome;
    GameWorld.TimeLeft = 5;
    Press('A');
    EXPECT_FALSE(SkyMarked());
    EXPECT_EQ(GameWorld.Lives, 4);
    // A death leaves the picture as it is, for the ticks to paint over.
    StopTimers();
    MarkTheSky();
    GameWorld.State = kDrowned;
    Press('A');
    EXPECT_TRUE(SkyMarked());
    EXPECT_EQ(GameWorld.Lives, 3);
    // A round starting with more than four lives starts with four.
    StopTimers();
    GameWorld.State = kSplatted;
    GameWorld.Lives = 6;
    Press('A');
    EXPECT_EQ(GameWorld.Lives, 4);
    EXPECT_FALSE(SkyMarked());
}

TEST_F(InputTest, ADeathKeepsTheClockAndAtZeroTheNextRoundBurnsAtOnce) {
    GameWorld.State = kRunOver;
    GameWorld.TimeLeft = 0;
    Press('Z');
    EXPECT_EQ(GameWorld.TimeLeft, 0);
    EXPECT_EQ(GameWorld.State, kPlaying);
    Advance(kTickMs);
    EXPECT_EQ(GameWorld.State, kHouseBurnt);
    EXPECT_FALSE(TimerRuns(kClockTimer));
}

TEST_F(InputTest, ABurntHouseTakesEveryLifeAndEndsTheGame) {
    GameWorld.State = kHouseBurnt;
    GameWorld.TimeLeft = 0;
    Run([this] { Wnd().SetTimer(kTickTimer, 0); });
    Press('B');
    ASSERT_FALSE(recorder_.boxes.empty());
    EXPECT_EQ(recorder_.boxes[0].text, "You're house just burn't up!!!!");
    EXPECT_EQ(recorder_.boxes[0].caption, kAppName);
    EXPECT_EQ(recorder_.boxes[0].type, kAppBox);
    EXPECT_EQ(GameWorld.Lives, 0);
    EXPECT_FALSE(TimerRuns(kTickTimer));
    EXPECT_NE(EndPhase, 0);
    // The game is over: keys and clicks change nothing.
    size_t boxes = recorder_.boxes.size();
    Press('B');
    Click(GameWorld.MowerX + 5, GameWorld.MowerY + 5);
    EXPECT_EQ(recorder_.boxes.size(), boxes);
    EXPECT_EQ(GameWorld.Lives, 0);
}

TEST_F(InputTest, TheLastLifeLostEndsTheGame) {
    GameWorld.State = kSplatted;
    GameWorld.Lives = 1;
    Press('X');
    EXPECT_EQ(GameWorld.Lives, 0);
    EXPECT_NE(EndPhase, 0);
    EXPECT_NE(GameWorld.State, kPlaying);  // no round was started
    EXPECT_FALSE(TimerRuns(kTickTimer));
}

TEST_F(InputTest, ANewRoundKeepsTheOldRideForItsFirstTick) {
    GameWorld.State = kRunOver;
    GameWorld.Ride = kRideBigLog;
    Press('R');
    EXPECT_EQ(GameWorld.Ride, kRideBigLog);
    StopTimers();
    Tick();
    EXPECT_EQ(Player(), std::vector<int>({405 - 8, 505}));
    EXPECT_EQ(GameWorld.Ride, kRideNothing);
    Tick();
    EXPECT_EQ(GameWorld.PlayerX, 405 - 8);
}

struct Caption {
    const char* object;
    int32_t GameWorldRecord::*x;
    int32_t GameWorldRecord::*y;
    int width, height;
    std::string text, caption;
    UINT type;
};

const std::vector<Caption>& Captions() {
    static const std::vector<Caption> captions = {
        {"mower", &GameWorldRecord::MowerX, &GameWorldRecord::MowerY, 50, 30,
         "What does he think he's doing?!", "John Deer", MB_ICONQUESTION},
        {"car 1", &GameWorldRecord::Car1X, &GameWorldRecord::Car1Y, 50, 30, "Clocked him at 90MPH",
         "Speed Demon", MB_OK},
        {"semi", &GameWorldRecord::SemiX, &GameWorldRecord::SemiY, 100, 30, "We deliver",
         "Grommelin Express", MB_OK},
        {"bus", &GameWorldRecord::BusX, &GameWorldRecord::BusY, 80, 30, "What a way to travel",
         "The BIG CHEESE", MB_OK},
        {"car 2", &GameWorldRecord::Car2X, &GameWorldRecord::Car2Y, 50, 30, "It's an antique",
         "Green Bug", MB_OK},
        {"truck", &GameWorldRecord::TruckX, &GameWorldRecord::TruckY, 50, 30, "Nice Colors!",
         "Ford Truck", MB_OK},
        {"lily pad 1", &GameWorldRecord::Lily1X, &GameWorldRecord::Lily1Y, 60, 30,
         "Hey, what's he doing here?", "Frog", MB_ICONHAND},
        {"log", &GameWorldRecord::LogX, &GameWorldRecord::LogY, 60, 30, "Mr. Hankey", kAppName,
         kAppBox},
        {"big log", &GameWorldRecord::BigLogX, &GameWorldRecord::BigLogY, 80, 30, "Mr. Hankey",
         kAppName, kAppBox},
    };
    return captions;
}

// Every object somewhere of its own, far from the others and from the player.
void Spread() {
    GameWorldRecord& w = GameWorld;
    w.MowerX = 0, w.Car1X = 100, w.SemiX = 200, w.BusX = 350, w.Car2X = 500, w.TruckX = 650;
    w.Lily1X = 0, w.Lily2X = 150, w.LogX = 300, w.BigLogX = 450;
    w.PlayerX = 600, w.PlayerY = 505;
}

TEST_F(InputTest, AClickOnEachObjectShowsItsCaptionAndChangesNothingElse) {
    Run([this] { Wnd().SetTimer(kTickTimer, 0); });
    Spread();
    const GameWorldRecord before = GameWorld;
    for (const Caption& c : Captions()) {
        recorder_.boxes.clear();
        // Both corners of the box count.
        for (int corner = 0; corner < 2; ++corner) {
            Click(GameWorld.*c.x + corner * c.width, GameWorld.*c.y + corner * c.height);
            ASSERT_EQ(recorder_.boxes.size(), static_cast<size_t>(corner + 1)) << c.object;
            const Box& box = recorder_.boxes.back();
            EXPECT_EQ(box.text, c.text) << c.object;
            EXPECT_EQ(box.caption, c.caption) << c.object;
            EXPECT_EQ(box.type, c.type) << c.object;
            EXPECT_EQ(box.owner, MainHwnd()) << c.object;
        }
        Click(GameWorld.*c.x + c.width + 1, GameWorld.*c.y);
        EXPECT_EQ(recorder_.boxes.size(), 2u) << c.object << " beyond its box";
    }
    // Lily pad 2 has no caption; the player giggles.
    recorder_.boxes.clear();
    Click(GameWorld.Lily2X + 5, GameWorld.Lily2Y + 5);
    Click(GameWorld.PlayerX + 50, GameWorld.PlayerY + 50);
    EXPECT_TRUE(recorder_.boxes.empty());
    EXPECT_EQ(SoundNames(), std::vector<std::string>{"giggle"});
    EXPECT_EQ(recorder_.sounds[0].flags, UINT{SND_ASYNC});
    // No tick ran while a box was open, and the round goes on as it was.
    EXPECT_EQ(GameWorld.Car2X, before.Car2X);
    EXPECT_EQ(GameWorld.State, kPlaying);
    EXPECT_EQ(GameWorld.Lives, before.Lives);
    EXPECT_TRUE(TimerRuns(kTickTimer));
}

TEST_F(InputTest, AClickOnOverlappingObjectsShowsTheirCaptionsInTurn) {
    GameWorldRecord& w = GameWorld;
    w.MowerX = w.Car1X = w.SemiX = w.BusX = w.Car2X = w.TruckX = 100;
    w.MowerY = w.Car1Y = w.SemiY = w.BusY = w.Car2Y = w.TruckY = 420;
    w.PlayerX = 90, w.PlayerY = 400;
    Click(120, 430);
    EXPECT_EQ(SoundNames(), std::vector<std::string>{"giggle"});
    std::vector<std::string> captions;
    for (const Box& box : recorder_.boxes) captions.push_back(box.caption);
    EXPECT_EQ(captions, (std::vector<std::string>{"John Deer", "Speed Demon", "Grommelin Express",
                                                  "The BIG CHEESE", "Green Bug", "Ford Truck"}));
}

TEST_F(InputTest, AClickSettlesTheRoundFirstAndTheCaptionsFollowTheRestart) {
    Spread();
    GameWorld.State = kRunOver;
    GameWorld.PlayerX = 100;
    GameWorld.PlayerY = 455;
    Click(410, 510);  // where he will stand again
    EXPECT_EQ(GameWorld.Lives, 3);
    EXPECT_EQ(Player(), std::vector<int>({405, 505}));
    EXPECT_EQ(SoundNames(), std::vector<std::string>{"giggle"});
}

TEST_F(InputTest, OnceTheGameIsOverClicksShowNothingAndKeysSettleNothing) {
    EndPhase = 666;
    GameWorld.State = kRunOver;
    Click(GameWorld.MowerX + 1, GameWorld.MowerY + 1);
    Press('K');
    EXPECT_TRUE(recorder_.boxes.empty());
    EXPECT_EQ(GameWorld.Lives, 4);
    EXPECT_EQ(GameWorld.State, kRunOver);
}

}  // namespace
}  // namespace game_test
