// Game controllers as a second keyboard: the d-pad and the left stick are the arrow keys, with
// the keyboard's repeat; A is Enter, B is Escape. Start is a host key, which the event
// translator takes along with the keyboard's.
// Controllers plugged in before or during play are opened; one that goes releases what it held.
#pragma once

#include <SDL.h>

#include <deque>
#include <map>
#include <vector>

#include "platform/core/key_repeat.h"
#include "platform/core/pad_keys.h"
#include "platform/host.h"

namespace platform::sdl {

class GamepadInput {
  public:
    static constexpr double kFirstRepeatMs = KeyRepeat::kFirstRepeatMs;

    GamepadInput() = default;
    ~GamepadInput() { CloseAll(); }
    // Closes every controller; before SDL_Quit, which frees them.
    void CloseAll();
    GamepadInput(const GamepadInput&) = delete;
    GamepadInput& operator=(const GamepadInput&) = delete;

    // Takes a controller event at now_ms: key events for `target` (the window with the
    // keyboard) go to *out.
    void Translate(const SDL_Event& event, double now_ms, HostWindowId target,
                   std::deque<HostEvent>* out);
    // The repeats of the held direction that are due at now_ms.
    void Repeat(double now_ms, HostWindowId target, std::deque<HostEvent>* out);
    double NextRepeatMs() const { return directions_.NextRepeatMs(); }
    bool AnyOpen() const { return !pads_.empty(); }

  private:
    void Send(const std::vector<PadKey>& keys, HostWindowId target, std::deque<HostEvent>* out);
    void Unplug(SDL_JoystickID pad, HostWindowId target, std::deque<HostEvent>* out);

    std::map<SDL_JoystickID, SDL_GameController*> pads_;
    PadKeys directions_;
};

}  // namespace platform::sdl
