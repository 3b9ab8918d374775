#include "tests/program/soak/player.h"

#include <algorithm>
#include <cstdlib>
#include <string>

#include "game/game_world.h"
#include "harness/test_support.h"
#include "scores/high_scores.h"
#include "tests/program/soak/foresight.h"

namespace soak {
namespace {

constexpr int kClientWidth = 788, kClientHeight = 569;

// Keys that type a character, as the host's keyboard makes them.
constexpr int kCharacterKeys[] = {'A', 'Q',      'Z',       'Y',       'N',     'X',   '0',
                                  '7', VK_SPACE, VK_RETURN, VK_ESCAPE, VK_BACK, VK_TAB};
// Characters with no key of their own on the host (punctuation, a byte above 127).
const std::string kOddCharacters = "!?.,;'\"-+=*/\\~@#$%&()[]{}<>\xE9\xFF";

// A move as the arrow keys make it, within their limits.
void Apply(GameWorldRecord& world, int key, int times) {
    for (int i = 0; i < times; ++i) {
        if (key == VK_UP && world.PlayerY > 274) world.PlayerY -= 25;
        if (key == VK_DOWN && world.PlayerY < 500) world.PlayerY += 25;
        if (key == VK_LEFT && world.PlayerX > 0) world.PlayerX -= 25;
        if (key == VK_RIGHT && world.PlayerX < 750) world.PlayerX += 25;
    }
}

// How good a move looks: home beats everything, death loses, then height, then (on the
// river, where the lily pads carry him right) standing a little left of the door.
double Judge(const GameWorldRecord& now, int key, int times) {
    GameWorldRecord world = now;
    Apply(world, key, times);
    Fate first = AfterTick(world);
    if (first == Fate::kHome) return 1e6;
    if (first == Fate::kDead) return -1e6;
    double score = 10.0 * (505 - world.PlayerY);
    if (AfterTick(world) == Fate::kDead) score -= 1000;
    if (world.PlayerY <= 330) score -= 2.0 * std::abs(world.PlayerX - 360);
    return score;
}

}  // namespace

double Player::Step(HWND main) {
    window_ = harness::HostWindowOf(main);
    if (pestering_) return Pester();
    double now = host_.NowMs();
    if (now >= mood_until_) ChooseMood();
    if (random_.Chance(0.003)) Disturb();
    if (random_.Chance(0.002)) RightClick();
    if (GameWorld.State != kPlaying && EndPhase == kPhasePlaying) {
        if (settle_at_ < 0) settle_at_ = now + random_.Between(50.0, 2500.0);
        if (now >= settle_at_) {
            Settle();
            settle_at_ = -1;
        }
    } else {
        settle_at_ = -1;
    }
    switch (mood_) {
        case Mood::kClimb:
            return Climb();
        case Mood::kWander:
            return Wander();
        case Mood::kIdle:
            return Idle();
        case Mood::kClick:
            return ClickAround();
    }
    return 100;
}

void Player::ChooseMood() {
    int pick = random_.Between(0, 99);
    mood_ = pick < 45   ? Mood::kClimb
            : pick < 70 ? Mood::kWander
            : pick < 85 ? Mood::kIdle
                        : Mood::kClick;
    // Idling long enough lets the clock run out (15 clock ticks of 800 ms).
    double length =
        mood_ == Mood::kIdle ? random_.Between(4000.0, 25000.0) : random_.Between(2000.0, 20000.0);
    mood_until_ = host_.NowMs() + length;
}

double Player::Climb() {
    const GameWorldRecord& now = GameWorld;
    if (now.State != kPlaying) return random_.Between(10.0, 60.0);
    if (random_.Chance(0.05)) {
        Arrow(VK_LEFT + random_.Between(0, 3));
        return random_.Between(10.0, 60.0);
    }
    struct Move {
        int key, times;
    };
    constexpr Move kMoves[] = {{VK_UP, 0},   {VK_UP, 1},    {VK_UP, 2},  {VK_UP, 3},
                               {VK_LEFT, 1}, {VK_RIGHT, 1}, {VK_DOWN, 1}};
    Move best = kMoves[0];
    double best_score = -1e9;
    for (const Move& move : kMoves) {
        // A little noise breaks ties, so he does not always pick the same way.
        double score = Judge(now, move.key, move.times) + random_.Unit();
        if (score > best_score) {
            best_score = score;
            best = move;
        }
    }
    Arrow(best.key, best.times);
    return random_.Between(6.0, 40.0);
}

double Player::Wander() {
    int pick = random_.Between(0, 99);
    if (pick < 75) {
        int weights = random_.Between(0, 99);
        int key = weights < 35 ? VK_UP : weights < 55 ? VK_DOWN : weights < 78 ? VK_LEFT : VK_RIGHT;
        Arrow(key, random_.Chance(0.2) ? random_.Between(2, 4) : 1);
    } else if (pick < 88) {
        Character();
    } else {
        LeftClick();
    }
    return random_.Between(20.0, 500.0);
}

double Player::Idle() {
    if (random_.Chance(0.05)) Character();
    if (random_.Chance(0.05)) LeftClick();
    return random_.Between(300.0, 2000.0);
}

double Player::ClickAround() {
    if (random_.Chance(0.9)) LeftClick();
    if (random_.Chance(0.1)) Arrow(VK_UP);
    return random_.Between(80.0, 900.0);
}

double Player::Pester() {
    int pick = random_.Between(0, 99);
    if (pick < 30)
        Arrow(VK_LEFT + random_.Between(0, 3));
    else if (pick < 60)
        Character();
    else if (pick < 97)
        LeftClick();
    else
        RightClick();
    ++pestered_;
    return random_.Between(20.0, 600.0);
}

void Player::Arrow(int virtual_key, int times) {
    for (int i = 0; i < times; ++i) host_.PressKey(window_, virtual_key, host_.NowMs());
}

void Player::Character() {
    if (random_.Chance(0.8)) {
        int key = kCharacterKeys[random_.Between(0, std::size(kCharacterKeys) - 1)];
        host_.PressKey(window_, key, host_.NowMs(), random_.Chance(0.3));
    } else {
        host_.TypeText(window_, std::string(1, random_.Of(kOddCharacters)), host_.NowMs());
    }
}

void Player::LeftClick() {
    const GameWorldRecord& w = GameWorld;
    struct Target {
        int32_t x, y, width, height;
    };
    // The boxes the captions use, the player's, and the cookie's picture.
    const Target targets[] = {
        {w.PlayerX, w.PlayerY, 50, 50}, {w.MowerX, w.MowerY, 50, 30},
        {w.Car1X, w.Car1Y, 50, 30},     {w.SemiX, w.SemiY, 100, 30},
        {w.BusX, w.BusY, 80, 30},       {w.Car2X, w.Car2Y, 50, 30},
        {w.TruckX, w.TruckY, 50, 30},   {w.Lily1X, w.Lily1Y, 60, 30},
        {w.Lily2X, w.Lily2Y, 60, 30},   {w.LogX, w.LogY, 60, 30},
        {w.BigLogX, w.BigLogY, 80, 30}, {w.CookieX, w.CookieY, 40, 50},
    };
    int x, y;
    if (random_.Chance(0.7)) {
        const Target& t = targets[random_.Between(0, std::size(targets) - 1)];
        x = t.x + random_.Between(0, t.width);
        y = t.y + random_.Between(0, t.height);
    } else {
        x = random_.Between(0, kClientWidth - 1);
        y = random_.Between(0, kClientHeight - 1);
    }
    // Only what lies in the window can be clicked.
    x = std::clamp(x, 0, kClientWidth - 1);
    y = std::clamp(y, 0, kClientHeight - 1);
    host_.Click(window_, x, y, host_.NowMs());
}

void Player::RightClick() {
    host_.Click(window_, random_.Between(0, kClientWidth - 1),
                random_.Between(0, kClientHeight - 1), host_.NowMs(),
                platform::MouseButton::kRight);
}

void Player::Settle() {
    if (random_.Chance(0.6))
        Character();
    else
        LeftClick();
}

void Player::Disturb() {
    using platform::HostEventType;
    double later = random_.Between(50.0, 3000.0);
    switch (random_.Between(0, 3)) {
        case 0:  // back from behind another window: repainted
            Inject(HostEventType::kRestored);
            break;
        case 1:
            Inject(HostEventType::kMinimized);
            Inject(HostEventType::kRestored, 0, 0, later);
            break;
        case 2:
            Inject(HostEventType::kResized, random_.Between(100, 1000), random_.Between(80, 800));
            Inject(HostEventType::kResized, kClientWidth, kClientHeight, later);
            break;
        default:
            Inject(HostEventType::kExposed);
            break;
    }
}

void Player::Inject(platform::HostEventType type, int width, int height, double after) {
    platform::HostEvent event;
    event.type = type;
    event.window = window_;
    event.width = width;
    event.height = height;
    host_.Inject(host_.NowMs() + after, event);
}

}  // namespace soak
