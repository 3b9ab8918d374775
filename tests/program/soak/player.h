// The hands on the main window: arrow keys, characters, left and right clicks on vehicles,
// floating objects, the player or nothing, and now and then a repaint, a minimise or a resize.
// It plays in moods that change every few seconds: climbing with care (looking one tick ahead),
// wandering at random, idling until the house burns, or clicking at things. A finished round
// is settled by a character or a click after a pause. Once a game has ended for good it only
// pesters the window with input the game must ignore.
#pragma once

#include <cstdint>

#include "platform/host/headless/headless_host.h"
#include "platform/win32.h"
#include "tests/program/soak/random.h"

namespace soak {

class Player {
  public:
    Player(platform::headless::HeadlessHost& host, Random& random) : host_(host), random_(random) {}

    // Plays at the present virtual time; returns the virtual milliseconds until the next step.
    double Step(HWND main);

    // From now on only input that a finished game ignores: no repaints, no resizes.
    void StartPestering() { pestering_ = true; }
    bool pestering() const { return pestering_; }
    int64_t pestered() const { return pestered_; }

  private:
    enum class Mood { kClimb, kWander, kIdle, kClick };

    void ChooseMood();
    double Climb();
    double Wander();
    double Idle();
    double ClickAround();
    double Pester();

    void Arrow(int virtual_key, int times = 1);
    void Character();
    void LeftClick();
    void RightClick();
    void Settle();
    void Disturb();
    void Inject(platform::HostEventType type, int width = 0, int height = 0, double after = 0);

    platform::headless::HeadlessHost& host_;
    Random& random_;
    platform::HostWindowId window_ = 0;
    Mood mood_ = Mood::kClimb;
    double mood_until_ = 0;
    double settle_at_ = -1;  // when a finished round gets its key or click
    bool pestering_ = false;
    int64_t pestered_ = 0;
};

}  // namespace soak
