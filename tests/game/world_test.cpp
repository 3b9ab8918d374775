// The world record and the tick: initial values, the lanes' steps and wraps over a few hundred
// ticks, the carry, the clock, the burning house and what a repaint restarts.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "tests/game/game_fixture.h"

namespace game_test {
namespace {

TEST_F(GameTest, TheWorldStartsWithItsInitialValues) {
    const GameWorldRecord& w = GameWorld;
    EXPECT_EQ(w.TimeLeft, 15);
    EXPECT_EQ(w.Lives, 4);
    EXPECT_EQ(w.State, kPlaying);
    EXPECT_EQ(std::vector<int>({w.PlayerX, w.PlayerY}), std::vector<int>({405, 505}));
    EXPECT_EQ(std::vector<int>({w.Car1X, w.Car1Y, w.Car2X, w.Car2Y, w.BusX, w.BusY, w.SemiX,
                                w.SemiY, w.MowerX, w.MowerY, w.TruckX, w.TruckY}),
              std::vector<int>({750, 475, 0, 415, 200, 410, 500, 460, 200, 460, 600, 415}));
    EXPECT_EQ(std::vector<int>(
                  {w.LogX, w.LogY, w.BigLogX, w.BigLogY, w.Lily1X, w.Lily1Y, w.Lily2X, w.Lily2Y}),
              std::vector<int>({750, 375, 250, 375, 0, 325, 500, 325}));
    EXPECT_EQ(std::vector<int>({w.Ride, w.Score, w.CookieTime, w.CookieX, w.CookieY}),
              std::vector<int>({0, 0, 0, 0, 0}));
    EXPECT_EQ(std::vector<int>(std::begin(w.SplatMarks), std::end(w.SplatMarks)),
              std::vector<int>({0, 0, 0}));
    // Stored blue-green-red, as the drawing calls take them.
    EXPECT_EQ(std::vector<COLORREF>({w.RoadColour, w.RiverColour, w.StripeColour, w.GreyColour,
                                     w.FootpathColour, w.RoofColour, w.WallColour, w.WindowColour,
                                     w.DoorColour, w.LawnColour, w.SunColour}),
              std::vector<COLORREF>({RGB(0, 0, 0), RGB(0, 0, 255), RGB(255, 255, 0),
                                     RGB(160, 160, 160), RGB(255, 255, 255), RGB(84, 51, 37),
                                     RGB(48, 54, 167), RGB(79, 87, 145), RGB(27, 9, 111),
                                     RGB(0, 128, 0), RGB(200, 204, 23)}));
}

// One lane object's rule: its step per tick, and where it wraps to once past its threshold.
struct Lane {
    const char* name;
    int32_t GameWorldRecord::*x;
    int step;
    std::function<bool(int)> past;
    int wraps_to;
};

TEST_F(GameTest, EveryObjectStepsAndWrapsByItsLanesRule) {
    const std::vector<Lane> lanes = {
        {"car 1", &GameWorldRecord::Car1X, -12, [](int x) { return x <= 0; }, 750},
        {"car 2", &GameWorldRecord::Car2X, 10, [](int x) { return x >= 800; }, 0},
        {"bus", &GameWorldRecord::BusX, 5, [](int x) { return x >= 850; }, 0},
        {"semi", &GameWorldRecord::SemiX, -5, [](int x) { return x <= -70; }, 750},
        {"mower", &GameWorldRecord::MowerX, -1, [](int x) { return x <= -20; }, 750},
        {"truck", &GameWorldRecord::TruckX, 7, [](int x) { return x >= 800; }, 0},
        {"log", &GameWorldRecord::LogX, -12, [](int x) { return x <= -10; }, 750},
        {"big log", &GameWorldRecord::BigLogX, -8, [](int x) { return x <= -75; }, 750},
        {"lily pad 1", &GameWorldRecord::Lily1X, 12, [](int x) { return x >= 800; }, 0},
        {"lily pad 2", &GameWorldRecord::Lily2X, 12, [](int x) { return x >= 800; }, 0},
    };
    StopTimers();
    std::vector<int> wraps(lanes.size(), 0);
    for (int tick = 0; tick < 300; ++tick) {
        GameWorldRecord before = GameWorld;
        Tick();
        for (size_t i = 0; i < lanes.size(); ++i) {
            const Lane& lane = lanes[i];
            int stepped = before.*lane.x + lane.step;
            int expected = lane.past(stepped) ? lane.wraps_to : stepped;
            ASSERT_EQ(GameWorld.*lane.x, expected) << lane.name << " on tick " << tick;
            if (expected != stepped) ++wraps[i];
        }
        ASSERT_EQ(GameWorld.State, kPlaying);
    }
    for (size_t i = 0; i < lanes.size(); ++i) EXPECT_GT(wraps[i], 0) << lanes[i].name;
    // The y coordinates never change.
    EXPECT_EQ(GameWorld.BusY, 410);
    EXPECT_EQ(GameWorld.Lily2Y, 325);
}

TEST_F(GameTest, CarOneWrapsOnReachingTheEdgeAndTheBusRunsPastIt) {
    StopTimers();
    GameWorld.Car1X = 12;
    GameWorld.BusX = 840;
    Tick();
    EXPECT_EQ(GameWorld.Car1X, 750);
    EXPECT_EQ(GameWorld.BusX, 845);  // drawn beyond the window's edge
    GameWorld.Car1X = 13;
    Tick();
    EXPECT_EQ(GameWorld.Car1X, 1);
    EXPECT_EQ(GameWorld.BusX, 0);
}

TEST_F(GameTest, EachRideCarriesThePlayerOnceByItsObjectsStep) {
    StopTimers();
    const std::vector<std::pair<int, int>> rides = {{0, 0}, {1, -12}, {2, -8}, {3, 12}, {4, 12}};
    for (auto [ride, step] : rides) {
        // On the footpath nothing carries him, so the river check clears the ride again.
        GameWorld.PlayerX = 405;
        GameWorld.Ride = ride;
        Tick();
        EXPECT_EQ(GameWorld.PlayerX, 405 + step) << "ride " << ride;
        EXPECT_EQ(GameWorld.Ride, 0);
        Tick();
        EXPECT_EQ(GameWorld.PlayerX, 405 + step) << "ride " << ride;
    }
}

TEST_F(GameTest, OnlyTheClockTimerCountsTimeDown) {
    StopTimers();
    GameWorld.CookieTime = 1;
    Tick(kTickTimer);
    EXPECT_EQ(GameWorld.TimeLeft, 15);
    EXPECT_EQ(GameWorld.CookieTime, 1);
    Tick(kClockTimer);
    EXPECT_EQ(GameWorld.TimeLeft, 14);
    EXPECT_EQ(GameWorld.CookieTime, 0);
    Tick(kClockTimer);
    EXPECT_EQ(GameWorld.TimeLeft, 13);
    EXPECT_EQ(GameWorld.CookieTime, 0);  // never below 0
}

TEST_F(GameTest, TheTimersRunAtSixtyFourTicksASecondAndOneClockTickIn800Ms) {
    Advance(800);
    EXPECT_EQ(GameWorld.TimeLeft, 14);
    // 51 motion ticks fit in 800 ms; the clock's message is a tick too.
    EXPECT_EQ(std::count(recorder_.ticks.begin(), recorder_.ticks.end(), kTickTimer), 51);
    EXPECT_EQ(std::count(recorder_.ticks.begin(), recorder_.ticks.end(), kClockTimer), 1);
    // Car 2 has moved 10 for every one of the 52 ticks.
    EXPECT_EQ(GameWorld.Car2X, 520);
}

TEST_F(GameTest, TheClockRunningOutBurnsTheHouseAndStopsOnlyTheClock) {
    GameWorld.TimeLeft = 1;
    Advance(800);
    EXPECT_EQ(GameWorld.TimeLeft, 0);
    EXPECT_EQ(GameWorld.State, kHouseBurnt);
    EXPECT_FALSE(TimerRuns(kClockTimer));
    EXPECT_TRUE(TimerRuns(kTickTimer));
    const platform::Surface burnt = ResourcePicture("burnt_house");
    EXPECT_TRUE(ScreenShows(burnt, 224, 0, 375, 295));
    EXPECT_EQ(PixelAt(599, 150), kBlack);  // beyond the copy: the wall's outline

    // Every later tick forces the state back and copies the house again, without the lawn.
    GameWorld.State = kPlaying;
    Run([this] {
        HDC dc = GetDC(MainHwnd());
        BitBlt(dc, 224, 0, 375, 295, nullptr, 0, 0, 0x00000042 /* BLACKNESS */);
        ReleaseDC(MainHwnd(), dc);
    });
    Advance(kTickMs);
    EXPECT_EQ(GameWorld.State, kHouseBurnt);
    EXPECT_EQ(GameWorld.TimeLeft, 0);
    EXPECT_TRUE(ScreenShows(burnt, 224, 0, 375, 295));
    EXPECT_TRUE(ScreenShows(TextPicture("0"), 100, 1, TextPicture("0").width, 16));
    // The lanes go on moving.
    int car = GameWorld.Car2X;
    Advance(kTickMs);
    EXPECT_NE(GameWorld.Car2X, car);
}

TEST_F(GameTest, ARepaintWhileTheHouseBurnsRestartsTheClockUntilTheNextTick) {
    GameWorld.TimeLeft = 1;
    Advance(800);
    ASSERT_EQ(GameWorld.State, kHouseBurnt);
    Run([this] { InvalidateRect(MainHwnd(), nullptr, TRUE); });
    ASSERT_TRUE(TimerRuns(kClockTimer));
    // A clock message before the next motion tick takes the time below 0, which shows.
    Tick(kClockTimer);
    EXPECT_EQ(GameWorld.TimeLeft, -1);
    EXPECT_FALSE(TimerRuns(kClockTimer));
    EXPECT_TRUE(ScreenShows(TextPicture("-1"), 100, 1, TextPicture("-1").width, 16));
    // Left to the timers, the motion tick 15.625 ms after a repaint stops the clock first.
    Run([this] { InvalidateRect(MainHwnd(), nullptr, TRUE); });
    Advance(kTickMs);
    EXPECT_FALSE(TimerRuns(kClockTimer));
    Advance(800);
    EXPECT_EQ(GameWorld.TimeLeft, -1);
}

TEST_F(GameTest, APaintRestartsBothTimersAndForgetsTheSplats) {
    StopTimers();
    GameWorld.State = kRunOver;
    for (int i = 0; i < 3; ++i) GameWorld.SplatMarks[i] = 100 * (i + 1);
    Run([this] { InvalidateRect(MainHwnd(), nullptr, TRUE); });
    EXPECT_TRUE(TimerRuns(kTickTimer));
    EXPECT_TRUE(TimerRuns(kClockTimer));
    EXPECT_EQ(std::vector<int>(std::begin(GameWorld.SplatMarks), std::end(GameWorld.SplatMarks)),
              std::vector<int>({0, 0, 0}));
    EXPECT_EQ(GameWorld.State, kRunOver);  // the state is not looked at
}

TEST_F(GameTest, NoHandlerLeavesADrawingObjectBehind) {
    const Counts before = GdiCounts();
    Advance(kTickMs);
    EXPECT_EQ(GdiCounts(), before) << "a tick";
    Run([this] { InvalidateRect(MainHwnd(), nullptr, TRUE); });
    EXPECT_EQ(GdiCounts(), before) << "a paint";
    Press(VK_UP);
    EXPECT_EQ(GdiCounts(), before) << "an arrow key";
    Click(5, 5);
    EXPECT_EQ(GdiCounts(), before) << "a click";
    // A cookie out, splats on the lawn, the burnt house: every picture of a tick drawn.
    StopTimers();
    GameWorld.CookieTime = 3;
    GameWorld.CookieX = 100;
    GameWorld.SplatMarks[0] = 300;
    GameWorld.TimeLeft = 0;
    Tick();
    EXPECT_EQ(GdiCounts(), before) << "a tick with everything drawn";
    // Each way a round ends, and its settlement.
    const std::vector<std::pair<int, int>> ends = {
        {405, 505 - 25 * 3}, {405, 355 - 25}, {430, 255}, {405, 255}};
    for (auto [x, y] : ends) {
        GameWorld.State = kPlaying;
        GameWorld.TimeLeft = 15;
        GameWorld.PlayerX = x;
        GameWorld.PlayerY = y;
        GameWorld.Car1X = 405;
        Tick();
        EXPECT_NE(GameWorld.State, kPlaying) << x << ", " << y;
        EXPECT_EQ(GdiCounts(), before) << "a round ending at " << x << ", " << y;
        Press('A');
        EXPECT_EQ(GdiCounts(), before) << "settling the round ending at " << x << ", " << y;
        StopTimers();
    }
}

}  // namespace
}  // namespace game_test
