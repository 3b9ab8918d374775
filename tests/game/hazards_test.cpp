// How rounds end: run over, drowned, carried off, home, splatted, burnt; and the cookie. Each
// case sets the world up by hand with the timers stopped and runs real ticks.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/game/game_fixture.h"

namespace game_test {
namespace {

// The sprite is on the screen at (x, y): its pixels where they are not the key, and the screen
// left as `behind` shows it where they are.
::testing::AssertionResult SpriteShows(const platform::Surface& screen,
                                       const platform::Surface& sprite, int x, int y,
                                       uint32_t key) {
    int drawn = 0;
    for (int row = 0; row < sprite.height; ++row) {
        for (int column = 0; column < sprite.width; ++column) {
            uint32_t pixel = sprite.Pixel(column, row);
            if (pixel == key) continue;
            ++drawn;
            if (screen.Pixel(x + column, y + row) != pixel)
                return ::testing::AssertionFailure()
                       << "sprite pixel (" << column << ", " << row << ") is not on the screen";
        }
    }
    if (drawn == 0) return ::testing::AssertionFailure() << "the sprite is all key";
    return ::testing::AssertionSuccess();
}

class HazardTest : public GameTest {
  protected:
    void SetUp() override {
        GameTest::SetUp();
        StopTimers();
    }
    void PlaceAt(int x, int y) {
        GameWorld.PlayerX = x;
        GameWorld.PlayerY = y;
    }
    bool BothTimersStopped() { return !TimerRuns(kTickTimer) && !TimerRuns(kClockTimer); }
    bool BothTimersRun() { return TimerRuns(kTickTimer) && TimerRuns(kClockTimer); }
    const Sound& LastSound() { return recorder_.sounds.back(); }
};

TEST_F(HazardTest, ACarRunsHimOverAndAKeyTakesALifeAndStartsAgainWithTheClockRunningOn) {
    PlaceAt(405, 455);
    GameWorld.Car1X = 405 + 12;  // steps onto him
    GameWorld.SemiX = GameWorld.MowerX = 100;
    GameWorld.TimeLeft = 7;
    Run([this] { Wnd().SetTimer(kTickTimer, 0); });
    Advance(kTickMs);
    EXPECT_EQ(GameWorld.State, kRunOver);
    EXPECT_EQ(LastSound().name, "ahhh");
    EXPECT_EQ(LastSound().flags, UINT{SND_ASYNC});
    EXPECT_TRUE(BothTimersStopped());
    // The lanes moved once more before the picture went on, keyed on black, 20 lower.
    EXPECT_EQ(GameWorld.Car1X, 405 - 12);
    const platform::Surface squished = ResourcePicture("squished");
    EXPECT_TRUE(SpriteShows(Screen(), squished, 405, 475, kBlack));
    EXPECT_EQ(squished.Pixel(0, squished.height - 1), kBlack);
    EXPECT_EQ(PixelAt(405, 475 + squished.height - 1), kWhite);  // the footpath shows through

    // Nothing moves until a key settles the round.
    Advance(500);
    EXPECT_EQ(GameWorld.Car1X, 405 - 12);
    Press('X');
    EXPECT_EQ(GameWorld.Lives, 3);
    EXPECT_EQ(GameWorld.State, kPlaying);
    EXPECT_EQ(std::vector<int>({GameWorld.PlayerX, GameWorld.PlayerY}),
              std::vector<int>({405, 505}));
    EXPECT_EQ(GameWorld.TimeLeft, 7);
    EXPECT_TRUE(BothTimersRun());
    EXPECT_TRUE(recorder_.boxes.empty());
}

TEST_F(HazardTest, ARepaintAfterBeingRunOverRepeatsTheWholeSequence) {
    PlaceAt(405, 455);
    GameWorld.Car1X = 405 + 12;
    GameWorld.SemiX = GameWorld.MowerX = 100;
    Tick();
    ASSERT_EQ(GameWorld.State, kRunOver);
    Run([this] { InvalidateRect(MainHwnd(), nullptr, TRUE); });
    ASSERT_TRUE(BothTimersRun());
    int car = GameWorld.Car1X;
    Advance(kTickMs);
    EXPECT_EQ(SoundNames(), (std::vector<std::string>{"ahhh", "ahhh"}));
    EXPECT_TRUE(BothTimersStopped());
    EXPECT_EQ(GameWorld.Car1X, car - 24);  // the tick and the sequence's own step
    EXPECT_TRUE(SpriteShows(Screen(), ResourcePicture("squished"), GameWorld.PlayerX, 475, kBlack));
}

TEST_F(HazardTest, RunOverWhileRidingTheSquishedPictureGoesWhereTheLastCarryLeftHim) {
    // Two steps down off a floating object between ticks leave its ride set on the road: the
    // round's end moves the river once more, and him with it.
    struct Ride {
        const char* name;
        int32_t ride;
        int step;
    };
    const std::vector<Ride> rides = {
        {"log", kRideLog, -12},
        {"big log", kRideBigLog, -8},
        {"lily pad", kRideLily1, 12},
    };
    const platform::Surface squished = ResourcePicture("squished");
    for (const Ride& ride : rides) {
        GameWorld.State = kPlaying;
        GameWorld.TruckX = GameWorld.BusX = GameWorld.Car2X = 700;
        GameWorld.SemiX = GameWorld.MowerX = 100;
        PlaceAt(405, 455);
        GameWorld.Ride = ride.ride;
        GameWorld.Car1X = 405 + ride.step + 12;  // meets him where the tick's carry leaves him
        Tick();
        ASSERT_EQ(GameWorld.State, kRunOver) << ride.name;
        EXPECT_EQ(GameWorld.PlayerX, 405 + 2 * ride.step) << ride.name;
        EXPECT_TRUE(SpriteShows(Screen(), squished, GameWorld.PlayerX, 475, kBlack)) << ride.name;
    }
}

TEST_F(HazardTest, EveryVehicleHitsWithinItsOwnBox) {
    struct Vehicle {
        const char* name;
        int32_t GameWorldRecord::*x;
        int y, step, left, right;
    };
    const std::vector<Vehicle> vehicles = {
        {"car 1", &GameWorldRecord::Car1X, 475, -12, -40, 10},
        {"car 2", &GameWorldRecord::Car2X, 415, 10, -10, 40},
        {"truck", &GameWorldRecord::TruckX, 415, 7, -10, 40},
        {"bus", &GameWorldRecord::BusX, 410, 5, -40, 40},
        {"semi", &GameWorldRecord::SemiX, 460, -5, -60, 40},
        {"mower", &GameWorldRecord::MowerX, 460, -1, -25, 40},
    };
    auto try_one = [&](const Vehicle& vehicle, int offset, int player_y) {
        for (const Vehicle& other : vehicles) GameWorld.*other.x = 700;
        GameWorld.State = kPlaying;
        PlaceAt(300, player_y);
        GameWorld.*vehicle.x = 300 + offset - vehicle.step;  // where the tick will step it
        Tick();
        return GameWorld.State == kRunOver;
    };
    for (const Vehicle& vehicle : vehicles) {
        for (int offset : {vehicle.left - 1, vehicle.left, vehicle.right, vehicle.right + 1}) {
            bool inside = offset >= vehicle.left && offset <= vehicle.right;
            EXPECT_EQ(try_one(vehicle, offset, vehicle.y - 10), inside)
                << vehicle.name << " at " << offset;
        }
    }
    // Across: the vehicle's y from his own down to 50 below it.
    const Vehicle& bus = vehicles[3];
    EXPECT_FALSE(try_one(bus, 0, 359));
    EXPECT_TRUE(try_one(bus, 0, 360));
    EXPECT_TRUE(try_one(bus, 0, 410));
    EXPECT_FALSE(try_one(bus, 0, 411));
}

TEST_F(HazardTest, HeDrownsInTheRiverRowsButNotAtTheRoadsEdge) {
    GameWorld.Lily1X = 600;
    GameWorld.Lily2X = 700;
    PlaceAt(405, 355);
    Tick();
    EXPECT_EQ(GameWorld.State, kPlaying);  // 355 + 50 is past the river
    PlaceAt(405, 280);
    Tick();
    EXPECT_EQ(GameWorld.State, kDrowned);
    EXPECT_EQ(LastSound().name, "splash");
    EXPECT_EQ(LastSound().flags, UINT{SND_ASYNC});
    EXPECT_TRUE(BothTimersStopped());
    EXPECT_TRUE(SpriteShows(Screen(), ResourcePicture("drown"), 405, 280, kWhite));
    Press(VK_SPACE);
    EXPECT_EQ(GameWorld.Lives, 3);
}

TEST_F(HazardTest, AFinishedRoundCannotAlsoDrown) {
    GameWorld.Lily1X = 600;
    GameWorld.Lily2X = 700;
    PlaceAt(405, 305);
    GameWorld.State = kRunOver;  // as if a vehicle had just hit him
    GameWorld.Car1X = GameWorld.Car2X = GameWorld.TruckX = 0;
    Run([this] { Wnd().CheckRiver(); });
    EXPECT_EQ(GameWorld.State, kRunOver);
    EXPECT_TRUE(recorder_.sounds.empty());
}

struct Ridden {
    const char* name;
    int32_t GameWorldRecord::*x;
    int ride;
    int player_y;
    int player_offset;  // from the object: as far towards the edge it heads for as he can be
    int after_wrap;     // where the object is once wrapped and stepped again by the drowning
};

TEST_F(HazardTest, EachFloatingObjectCarriesHimPastTheEdgeAndDropsHimWhenItWraps) {
    const std::vector<Ridden> objects = {
        {"log", &GameWorldRecord::LogX, kRideLog, 330, -20, 750 - 12},
        {"big log", &GameWorldRecord::BigLogX, kRideBigLog, 330, -20, 750 - 8},
        {"lily pad 1", &GameWorldRecord::Lily1X, kRideLily1, 305, 30, 0 + 12},
        {"lily pad 2", &GameWorldRecord::Lily2X, kRideLily2, 280, 30, 0 + 12},
    };
    for (const Ridden& object : objects) {
        GameWorld.State = kPlaying;
        GameWorld.Ride = kRideNothing;
        // The other objects of the lane start where they never reach him.
        GameWorld.LogX = 200;
        GameWorld.BigLogX = 420;
        GameWorld.Lily1X = GameWorld.Lily2X = 100;
        GameWorld.*object.x = 300;
        PlaceAt(300 + object.player_offset, object.player_y);
        int leftmost = GameWorld.PlayerX, rightmost = GameWorld.PlayerX, ticks = 0;
        while (GameWorld.State == kPlaying && ticks++ < 200) {
            Tick();
            if (GameWorld.State != kPlaying) {
                // He went down on the tick his object wrapped round.
                EXPECT_EQ(GameWorld.*object.x, object.after_wrap) << object.name;
                break;
            }
            ASSERT_EQ(GameWorld.Ride, object.ride) << object.name;
            leftmost = std::min(leftmost, GameWorld.PlayerX);
            rightmost = std::max(rightmost, GameWorld.PlayerX);
        }
        EXPECT_EQ(GameWorld.State, kDrowned) << object.name;
        EXPECT_TRUE(leftmost < 0 || rightmost >= 788)
            << object.name << " only from " << leftmost << " to " << rightmost;
    }
}

TEST_F(HazardTest, TheDoorTakesHimHomeAndTheLawnBesideItSplatsHim) {
    for (int x : {380, 405}) {
        GameWorld.State = kPlaying;
        PlaceAt(x, 255);
        Tick();
        EXPECT_EQ(GameWorld.State, kReachedHome) << x;
        EXPECT_EQ(LastSound().name, "perfect");
        EXPECT_TRUE(BothTimersStopped());
    }
    for (int x : {355, 430}) {
        GameWorld.State = kPlaying;
        PlaceAt(x, 255);
        Tick();
        EXPECT_EQ(GameWorld.State, kSplatted) << x;
        EXPECT_EQ(LastSound().name, "splat");
        EXPECT_EQ(LastSound().flags, UINT{SND_ASYNC});
        EXPECT_TRUE(BothTimersStopped());
        EXPECT_TRUE(SpriteShows(Screen(), ResourcePicture("splat"), x, 245, kWhite));
    }
    EXPECT_EQ(std::vector<int>(std::begin(GameWorld.SplatMarks), std::end(GameWorld.SplatMarks)),
              std::vector<int>({355, 430, 0}));
    // Home again while standing in the door: another "perfect".
    PlaceAt(400, 255);
    GameWorld.State = kPlaying;
    Tick();
    Tick();
    std::vector<std::string> sounds = SoundNames();
    EXPECT_EQ(std::count(sounds.begin(), sounds.end(), "perfect"), 4);
}

TEST_F(HazardTest, ThreeSplatsAreRememberedOnTheLawnAndAFourthIsNot) {
    for (int x : {100, 200, 500, 650}) {
        GameWorld.State = kPlaying;
        PlaceAt(x, 255);
        Tick();
        ASSERT_EQ(GameWorld.State, kSplatted);
    }
    EXPECT_EQ(std::vector<int>(std::begin(GameWorld.SplatMarks), std::end(GameWorld.SplatMarks)),
              std::vector<int>({100, 200, 500}));
    // Later ticks draw the remembered ones on the freshly painted lawn, the fourth not.
    GameWorld.State = kPlaying;
    PlaceAt(405, 505);
    Run([this] { Wnd().DrawBackground(); });
    Tick();
    const platform::Surface splat = ResourcePicture("splat");
    for (int x : {100, 200, 500}) EXPECT_TRUE(SpriteShows(Screen(), splat, x, 245, kWhite)) << x;
    EXPECT_FALSE(SpriteShows(Screen(), splat, 650, 245, kWhite));
}

TEST_F(HazardTest, TheBurningHouseGoesOnAndAVehicleCanStillRunHimOver) {
    GameWorld.TimeLeft = 0;
    Run([this] { Wnd().SetTimer(kTickTimer, 0); });
    Advance(kTickMs * 3);
    ASSERT_EQ(GameWorld.State, kHouseBurnt);
    EXPECT_TRUE(TimerRuns(kTickTimer));
    PlaceAt(405, 455);
    GameWorld.Car1X = 405 + 12;
    GameWorld.SemiX = GameWorld.MowerX = 100;
    Advance(kTickMs);
    EXPECT_EQ(GameWorld.State, kRunOver);
    EXPECT_EQ(LastSound().name, "ahhh");
    EXPECT_TRUE(BothTimersStopped());
}

TEST_F(HazardTest, ACookieUnderHimGivesFiftyPointsOnce) {
    GameWorld.CookieTime = 5;
    GameWorld.CookieX = 405 + 40;
    GameWorld.CookieY = 505 + 50;
    Tick();
    EXPECT_EQ(GameWorld.Score, 50);
    EXPECT_EQ(GameWorld.CookieTime, 0);
    EXPECT_EQ(LastSound().name, "cookin");
    EXPECT_EQ(LastSound().flags, UINT{SND_ASYNC});
    Tick();
    EXPECT_EQ(GameWorld.Score, 50);
    // Just outside his box it stays out.
    GameWorld.CookieTime = 5;
    GameWorld.CookieX = 405 - 11;
    Tick();
    EXPECT_EQ(GameWorld.Score, 50);
    EXPECT_EQ(GameWorld.CookieTime, 5);
}

TEST_F(HazardTest, TheCookieComesOutWhenTheGeneratorSays49AndShowsFromTheNextTick) {
    // The runtime's generator from the start-up seed: one number a tick until r % 500 is 49,
    // then two more for the place.
    uint32_t state = static_cast<uint32_t>(kSeed);
    auto next = [&state] {
        state = state * 214013u + 2531011u;
        return static_cast<int>((state >> 16) & 0x7FFF);
    };
    int ticks = 1;
    while (next() % 500 != 49) ++ticks;
    int x = next() % 741 + 30, y = next() % 226 + 335;
    ASSERT_LT(ticks, 5000);

    for (int i = 1; i < ticks; ++i) Tick();
    EXPECT_EQ(GameWorld.CookieTime, 0);
    Tick();
    EXPECT_EQ(GameWorld.CookieTime, 5);
    EXPECT_EQ(GameWorld.CookieX, x);
    EXPECT_EQ(GameWorld.CookieY, y);
    Tick();
    // Drawn opaque, 40 x 50 of its picture, under the player drawn after it.
    const platform::Surface cookie = ResourcePicture("cookie");
    for (int row = 0; row < 50 && y + row < Screen().height; ++row) {
        for (int column = 0; column < 40 && x + column < Screen().width; ++column) {
            bool under_player = x + column >= 405 && x + column < 437 && y + row >= 505;
            if (under_player) continue;
            ASSERT_EQ(PixelAt(x + column, y + row), cookie.Pixel(column, row))
                << column << ", " << row;
        }
    }
    EXPECT_EQ(GameWorld.CookieTime, 5);  // only the clock counts it down
    Tick(kClockTimer);
    EXPECT_EQ(GameWorld.CookieTime, 4);
}

}  // namespace
}  // namespace game_test
