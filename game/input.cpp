// The arrow keys move the player during a round; any character or left click settles a round
// that has ended; a left click also shows a caption for whatever lies under it.
#include "app/game_wnd.h"
#include "framework/win_app.h"
#include "game/game_world.h"
#include "scores/high_scores.h"

namespace {

constexpr int kStep = 25;

// A caption for a click on an object: its box runs from its top-left corner over the width and
// height given, bounds included.
bool ClickedOn(CPoint point, int32_t x, int32_t y, int32_t width, int32_t height) {
    return x <= point.x && point.x <= x + width && y <= point.y && point.y <= y + height;
}

}  // namespace

void CGameWnd::OnKeyDown(UINT key, UINT, UINT) {
    GameWorldRecord& world = GameWorld;
    if (world.State != kPlaying) return;
    // Each auto-repeated key-down moves him again. The old picture stays until the next tick.
    switch (key) {
        case VK_RIGHT:
            if (world.PlayerX >= 750) return;
            world.PlayerX += kStep;
            break;
        case VK_LEFT:
            if (world.PlayerX <= 0) return;
            world.PlayerX -= kStep;
            break;
        case VK_UP:
            if (world.PlayerY <= 274) return;
            world.PlayerY -= kStep;
            break;
        case VK_DOWN:
            if (world.PlayerY >= 500) return;
            world.PlayerY += kStep;
            break;
        default:
            return;
    }
    DrawPlayer();
}

void CGameWnd::OnChar(UINT, UINT, UINT) {
    SettleRound();
}

void CGameWnd::SettleRound() {
    if (EndPhase != kPhasePlaying) return;
    GameWorldRecord& world = GameWorld;
    switch (world.State) {
        case kDrowned:
        case kRunOver:
        case kSplatted:
            --world.Lives;
            break;
        case kReachedHome:
            AfxMessageBox("You made it!!!");
            world.Score += 10 * world.TimeLeft + 100;
            if (world.TimeLeft > 9) {
                world.Score += 100;
                AfxMessageBox("+100 BONUS!!!");
            }
            world.TimeLeft = 15;
            break;
        case kHouseBurnt:
            KillTimer(kTickTimer);
            AfxMessageBox("You're house just burn't up!!!!");
            world.Lives = 0;
            break;
        default:
            return;  // a round is running: nothing to settle
    }
    if (world.Lives <= 0) GameOver();
    if (world.State == kPlaying || world.Lives <= 0) return;
    // The next round. The old ride is kept: it carries him once on the first tick.
    world.State = kPlaying;
    world.PlayerX = 405;
    world.PlayerY = 505;
    // A new game (5 lives) or a home-coming with 4 starts on a freshly painted scene.
    if (world.Lives > 3) {
        if (world.Lives > 4) world.Lives = 4;
        DrawBackground();
    }
    SetTimer(kTickTimer, kTickInterval);
    SetTimer(kClockTimer, kClockInterval);
}

void CGameWnd::OnLButtonDown(UINT, CPoint point) {
    if (EndPhase != kPhasePlaying) return;
    SettleRound();
    // Every object under the click shows its caption in turn, at the positions of the moment.
    const GameWorldRecord& world = GameWorld;
    if (ClickedOn(point, world.PlayerX, world.PlayerY, 50, 50)) sndPlaySoundA("giggle", SND_ASYNC);
    if (ClickedOn(point, world.MowerX, world.MowerY, 50, 30))
        MessageBox("What does he think he's doing?!", "John Deer", MB_ICONQUESTION);
    if (ClickedOn(point, world.Car1X, world.Car1Y, 50, 30))
        MessageBox("Clocked him at 90MPH", "Speed Demon", MB_OK);
    if (ClickedOn(point, world.SemiX, world.SemiY, 100, 30))
        MessageBox("We deliver", "Grommelin Express", MB_OK);
    if (ClickedOn(point, world.BusX, world.BusY, 80, 30))
        MessageBox("What a way to travel", "The BIG CHEESE", MB_OK);
    if (ClickedOn(point, world.Car2X, world.Car2Y, 50, 30))
        MessageBox("It's an antique", "Green Bug", MB_OK);
    if (ClickedOn(point, world.TruckX, world.TruckY, 50, 30))
        MessageBox("Nice Colors!", "Ford Truck", MB_OK);
    if (ClickedOn(point, world.Lily1X, world.Lily1Y, 60, 30))
        MessageBox("Hey, what's he doing here?", "Frog", MB_ICONHAND);
    if (ClickedOn(point, world.LogX, world.LogY, 60, 30)) AfxMessageBox("Mr. Hankey");
    if (ClickedOn(point, world.BigLogX, world.BigLogY, 80, 30)) AfxMessageBox("Mr. Hankey");
}
