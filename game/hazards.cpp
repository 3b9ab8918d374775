// How a round ends, and the cookie. Every test compares the player's top-left corner with an
// object's, bounds included; a routine that ends a round sets the state, plays its sound, stops
// the timers and leaves a picture of what happened.
#include "app/game_wnd.h"
#include "framework/client_dc.h"
#include "game/game_world.h"
#include "render/drawing_tools.h"

namespace {

constexpr COLORREF kBlackKey = RGB(0, 0, 0);
constexpr COLORREF kWhiteKey = RGB(255, 255, 255);

bool Within(int32_t value, int32_t low, int32_t high) {
    return low <= value && value <= high;
}

// A vehicle's hit box, relative to the player: its x in [PlayerX + left, PlayerX + right] and
// its y in [PlayerY, PlayerY + 50].
bool Hits(int32_t x, int32_t y, int32_t left, int32_t right) {
    const GameWorldRecord& world = GameWorld;
    return Within(x, world.PlayerX + left, world.PlayerX + right) &&
           Within(y, world.PlayerY, world.PlayerY + 50);
}

// A river object carries the player when its x lies in [PlayerX + left, PlayerX + right], its
// y in [PlayerY, PlayerY + 60], and he stands no lower than the lane's row limit.
bool Carries(int32_t x, int32_t y, int32_t left, int32_t right, int32_t row_limit) {
    const GameWorldRecord& world = GameWorld;
    return Within(x, world.PlayerX + left, world.PlayerX + right) &&
           Within(y, world.PlayerY, world.PlayerY + 60) && world.PlayerY <= row_limit;
}

}  // namespace

void CGameWnd::UpdateCookie() {
    CClientDC dc(this);
    PlainCopier copier(dc);
    GameWorldRecord& world = GameWorld;
    if (world.CookieTime > 0) {
        copier.Copy(m_Cookie, world.CookieX, world.CookieY, 40, 50);
        if (Within(world.CookieX, world.PlayerX - 10, world.PlayerX + 40) &&
            Within(world.CookieY, world.PlayerY, world.PlayerY + 50)) {
            sndPlaySoundA("cookin", SND_ASYNC);
            world.CookieTime = 0;
            world.Score += 50;
        }
        return;
    }
    // One tick in 500 on average puts a cookie out; it shows from the next tick on.
    if (platform::rand() % 500 == 49) {
        world.CookieTime = 5;
        world.CookieX = platform::rand() % 741 + 30;
        world.CookieY = platform::rand() % 226 + 335;
    }
}

void CGameWnd::CheckVehicles() {
    GameWorldRecord& world = GameWorld;
    if (Hits(world.Car1X, world.Car1Y, -40, 10)) world.State = kRunOver;
    if (Hits(world.Car2X, world.Car2Y, -10, 40)) world.State = kRunOver;
    if (Hits(world.TruckX, world.TruckY, -10, 40)) world.State = kRunOver;
    if (Hits(world.BusX, world.BusY, -40, 40)) world.State = kRunOver;
    if (Hits(world.SemiX, world.SemiY, -60, 40)) world.State = kRunOver;
    if (Hits(world.MowerX, world.MowerY, -25, 40)) world.State = kRunOver;
    // Also when he was run over on an earlier tick and a repaint started the timers again.
    if (world.State != kRunOver) return;
    sndPlaySoundA("ahhh", SND_ASYNC);
    KillTimer(kTickTimer);
    KillTimer(kClockTimer);
    ShowRoundEnd(m_Squished, 20, kBlackKey);
}

void CGameWnd::CheckRiver() {
    GameWorldRecord& world = GameWorld;
    world.Ride = kRideNothing;
    // The last object that carries him wins.
    if (Carries(world.LogX, world.LogY, -50, 20, 330)) world.Ride = kRideLog;
    if (Carries(world.BigLogX, world.BigLogY, -80, 20, 330)) world.Ride = kRideBigLog;
    if (Carries(world.Lily1X, world.Lily1Y, -30, 40, 305)) world.Ride = kRideLily1;
    if (Carries(world.Lily2X, world.Lily2Y, -30, 40, 305)) world.Ride = kRideLily2;
    bool in_river_rows = world.PlayerY + 50 <= 400 && world.PlayerY >= 280;
    if (!in_river_rows || world.State != kPlaying || world.Ride != kRideNothing) return;
    sndPlaySoundA("splash", SND_ASYNC);
    world.State = kDrowned;
    KillTimer(kTickTimer);
    KillTimer(kClockTimer);
    ShowRoundEnd(m_Drowned, 0, kWhiteKey);
}

void CGameWnd::CheckGoal() {
    GameWorldRecord& world = GameWorld;
    if (world.PlayerY > 270) return;
    if (374 < world.PlayerX && world.PlayerX <= 405) {
        world.State = kReachedHome;
        KillTimer(kTickTimer);
        KillTimer(kClockTimer);
        sndPlaySoundA("perfect", SND_ASYNC);
    }
    if (world.State != kPlaying) return;
    // On the lawn beside the door.
    sndPlaySoundA("splat", SND_ASYNC);
    ShowRoundEnd(m_Splat, -10, kWhiteKey);
    // Kept for the lawn painter while a slot is free; a full set stays as it is.
    for (int32_t& mark : world.SplatMarks) {
        if (mark == 0) {
            mark = world.PlayerX;
            break;
        }
    }
    world.State = kSplatted;
    KillTimer(kTickTimer);
    KillTimer(kClockTimer);
}

void CGameWnd::ShowRoundEnd(CSprite& picture, int dy, COLORREF key) {
    UpdateRiver();
    UpdateRoad();
    DrawFootpath();
    DrawLawn();
    // Read only now: the river redraw carries a riding player on.
    const GameWorldRecord& world = GameWorld;
    CClientDC dc(this);
    picture.DrawTransparent(&dc, world.PlayerX, world.PlayerY + dy, key);
}
