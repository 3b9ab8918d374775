// The stick counts as pressed past half way and as released below a quarter, so a thumb
// resting near the threshold does not chatter.
#include "gamepad_input.h"

#include <algorithm>

namespace platform::sdl {

namespace {

constexpr int kVkReturn = 0x0D, kVkEscape = 0x1B;
constexpr int kPressed = 16384, kReleased = 8192;
// Stick sides as sources, after the d-pad buttons' own numbers.
constexpr int kStickLeft = SDL_CONTROLLER_BUTTON_MAX, kStickRight = kStickLeft + 1,
              kStickUp = kStickLeft + 2, kStickDown = kStickLeft + 3;

int ArrowFor(int button) {
    switch (button) {
        case SDL_CONTROLLER_BUTTON_DPAD_LEFT:
            return kVkLeft;
        case SDL_CONTROLLER_BUTTON_DPAD_RIGHT:
            return kVkRight;
        case SDL_CONTROLLER_BUTTON_DPAD_UP:
            return kVkUp;
        case SDL_CONTROLLER_BUTTON_DPAD_DOWN:
            return kVkDown;
        default:
            return 0;
    }
}

void PushKey(HostEventType type, HostWindowId target, int virtual_key, bool repeat,
             std::deque<HostEvent>* out) {
    out->push_back({.type = type, .window = target, .virtual_key = virtual_key, .repeat = repeat});
}

}  // namespace

void GamepadInput::CloseAll() {
    for (auto& [id, pad] : pads_) SDL_GameControllerClose(pad);
    pads_.clear();
    held_.clear();
    repeat_.Stop();
}

void GamepadInput::Translate(const SDL_Event& event, double now_ms, HostWindowId target,
                             std::deque<HostEvent>* out) {
    switch (event.type) {
        case SDL_CONTROLLERDEVICEADDED:
            if (SDL_GameController* pad = SDL_GameControllerOpen(event.cdevice.which))
                pads_[SDL_JoystickInstanceID(SDL_GameControllerGetJoystick(pad))] = pad;
            return;
        case SDL_CONTROLLERDEVICEREMOVED:
            Unplug(event.cdevice.which, target, out);
            return;
        case SDL_CONTROLLERAXISMOTION:
            TakeAxis(event.caxis, now_ms, target, out);
            return;
        case SDL_CONTROLLERBUTTONDOWN:
        case SDL_CONTROLLERBUTTONUP:
            break;
        default:
            return;
    }
    const SDL_ControllerButtonEvent& button = event.cbutton;
    bool down = event.type == SDL_CONTROLLERBUTTONDOWN;
    if (int arrow = ArrowFor(button.button)) {
        if (down)
            Press(button.which, button.button, arrow, now_ms, target, out);
        else
            Release(button.which, button.button, target, out);
        return;
    }
    int key = button.button == SDL_CONTROLLER_BUTTON_A   ? kVkReturn
              : button.button == SDL_CONTROLLER_BUTTON_B ? kVkEscape
                                                         : 0;
    if (key && target) {
        PushKey(down ? HostEventType::kKeyDown : HostEventType::kKeyUp, target, key, false, out);
        if (down)
            out->push_back({.type = HostEventType::kChar, .window = target, .character = key});
    }
}

void GamepadInput::Repeat(double now_ms, HostWindowId target, std::deque<HostEvent>* out) {
    if (held_.empty() || !repeat_.Due(now_ms)) return;
    if (target) PushKey(HostEventType::kKeyDown, target, held_.back().virtual_key, true, out);
}

void GamepadInput::Press(SDL_JoystickID pad, int source, int virtual_key, double now_ms,
                         HostWindowId target, std::deque<HostEvent>* out) {
    for (const Held& held : held_)
        if (held.pad == pad && held.source == source) return;
    held_.push_back({pad, source, virtual_key});
    repeat_.Start(now_ms);
    if (target) PushKey(HostEventType::kKeyDown, target, virtual_key, false, out);
}

void GamepadInput::Release(SDL_JoystickID pad, int source, HostWindowId target,
                           std::deque<HostEvent>* out) {
    auto found = std::find_if(held_.begin(), held_.end(), [&](const Held& held) {
        return held.pad == pad && held.source == source;
    });
    if (found == held_.end()) return;
    bool was_repeating = found + 1 == held_.end();
    int virtual_key = found->virtual_key;
    held_.erase(found);
    // A key released ends the repeat, as on a keyboard; another one still held stays quiet.
    if (was_repeating) repeat_.Stop();
    if (target) PushKey(HostEventType::kKeyUp, target, virtual_key, false, out);
}

void GamepadInput::TakeAxis(const SDL_ControllerAxisEvent& axis, double now_ms, HostWindowId target,
                            std::deque<HostEvent>* out) {
    int low, high, low_key, high_key;
    if (axis.axis == SDL_CONTROLLER_AXIS_LEFTX) {
        low = kStickLeft, high = kStickRight, low_key = kVkLeft, high_key = kVkRight;
    } else if (axis.axis == SDL_CONTROLLER_AXIS_LEFTY) {
        low = kStickUp, high = kStickDown, low_key = kVkUp, high_key = kVkDown;
    } else {
        return;
    }
    if (axis.value > -kReleased) Release(axis.which, low, target, out);
    if (axis.value < kReleased) Release(axis.which, high, target, out);
    if (axis.value <= -kPressed) Press(axis.which, low, low_key, now_ms, target, out);
    if (axis.value >= kPressed) Press(axis.which, high, high_key, now_ms, target, out);
}

void GamepadInput::Unplug(SDL_JoystickID pad, HostWindowId target, std::deque<HostEvent>* out) {
    std::vector<Held> gone;
    for (const Held& held : held_)
        if (held.pad == pad) gone.push_back(held);
    for (const Held& held : gone) Release(held.pad, held.source, target, out);
    if (auto found = pads_.find(pad); found != pads_.end()) {
        SDL_GameControllerClose(found->second);
        pads_.erase(found);
    }
}

}  // namespace platform::sdl
