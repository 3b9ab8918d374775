// The paint handler, the tick and the two lane routines. Every timer message, from either
// timer, is one whole tick; only the clock timer counts time down.
#include "app/game_wnd.h"
#include "framework/client_dc.h"
#include "game/game_world.h"
#include "render/drawing_tools.h"
#include "render/status.h"

void CGameWnd::OnPaint() {
    CPaintDC paint(this);
    // The scene goes through a client DC of its own, not the paint DC.
    DrawBackground();
    SetTimer(kTickTimer, kTickInterval);
    SetTimer(kClockTimer, kClockInterval);
    for (int32_t& mark : GameWorld.SplatMarks) mark = 0;
}

void CGameWnd::OnTimer(UINT_PTR id) {
    CClientDC dc(this);
    PlainCopier copier(dc);
    GameWorldRecord& world = GameWorld;
    if (id == kClockTimer) {
        if (world.CookieTime > 0) --world.CookieTime;
        --world.TimeLeft;
    }
    DrawStatusNumbers(dc);
    if (world.TimeLeft <= 0) {
        // The motion goes on (a vehicle can still run him over); only the clock stops.
        KillTimer(kClockTimer);
        world.State = kHouseBurnt;
        copier.Copy(m_BurntHouse, 224, 0, 375, 295);
    }
    UpdateRiver();
    UpdateRoad();
    DrawFootpath();
    // The lawn repaint would cover the lower half of the burning house.
    if (world.State != kHouseBurnt) DrawLawn();
    UpdateCookie();
    DrawPlayer();
    CheckVehicles();
    CheckRiver();
    CheckGoal();
}

void CGameWnd::UpdateRiver() {
    CClientDC dc(this);
    PlainCopier copier(dc);
    GameWorldRecord& world = GameWorld;
    {
        SolidFill fill(dc, world.RiverColour);
        dc.Rectangle(0, 300, 800, 400);
    }
    world.LogX -= 12;
    world.Lily1X += 12;
    world.BigLogX -= 8;
    world.Lily2X += 12;
    // The ride found on the previous tick carries him before anything wraps, whatever the
    // round's state.
    switch (world.Ride) {
        case kRideLog:
            world.PlayerX -= 12;
            break;
        case kRideBigLog:
            world.PlayerX -= 8;
            break;
        case kRideLily1:
        case kRideLily2:
            world.PlayerX += 12;
            break;
        default:
            break;
    }
    if (world.LogX <= -10) world.LogX = 750;
    if (world.BigLogX <= -75) world.BigLogX = 750;
    if (world.Lily1X >= 800) world.Lily1X = 0;
    if (world.Lily2X >= 800) world.Lily2X = 0;
    copier.Copy(m_Log, world.LogX, world.LogY, 60, 40);
    copier.Copy(m_BigLog, world.BigLogX, world.BigLogY, 100, 40);
    copier.Copy(m_Lily1, world.Lily1X, world.Lily1Y, 60, 40);
    copier.Copy(m_Lily2, world.Lily2X, world.Lily2Y, 60, 40);
}

void CGameWnd::UpdateRoad() {
    CClientDC dc(this);
    PlainCopier copier(dc);
    GameWorldRecord& world = GameWorld;
    {
        SolidFill fill(dc, world.RoadColour);
        dc.Rectangle(0, 400, 800, 500);
    }
    {
        SolidFill fill(dc, world.StripeColour);
        dc.Rectangle(0, 445, 800, 455);
    }
    world.Car2X += 10;
    world.BusX += 5;
    world.Car1X -= 12;
    world.SemiX -= 5;
    world.MowerX -= 1;
    world.TruckX += 7;
    // Car 1 wraps the moment it reaches the edge; the others run past it first.
    if (world.Car1X <= 0) world.Car1X = 750;
    if (world.Car2X >= 800) world.Car2X = 0;
    if (world.BusX >= 850) world.BusX = 0;
    if (world.SemiX <= -70) world.SemiX = 750;
    if (world.MowerX <= -20) world.MowerX = 750;
    if (world.TruckX >= 800) world.TruckX = 0;
    copier.Copy(m_Car1, world.Car1X, world.Car1Y, 40, 18);
    copier.Copy(m_Car2, world.Car2X, world.Car2Y, 40, 18);
    copier.Copy(m_Truck, world.TruckX, world.TruckY, 100, 40);
    copier.Copy(m_Bus, world.BusX, world.BusY, 80, 35);
    copier.Copy(m_Mower, world.MowerX, world.MowerY, 100, 40);
    copier.Copy(m_Semi, world.SemiX, world.SemiY, 100, 40);
}
