// SDL's controller events: directions go to PadKeys, A and B are keys of their own.
#include "gamepad_input.h"

#include <algorithm>

namespace platform::sdl {

namespace {

constexpr int kVkReturn = 0x0D, kVkEscape = 0x1B;
// The stick's sides as sources, after the buttons' own numbers: left and right, then up and down.
constexpr int kStickX = SDL_CONTROLLER_BUTTON_MAX, kStickY = kStickX + 2;

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
    directions_.Clear();
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
        case SDL_CONTROLLERAXISMOTION: {
            std::vector<PadKey> keys;
            if (event.caxis.axis == SDL_CONTROLLER_AXIS_LEFTX)
                directions_.Axis(event.caxis.which, kStickX, kVkLeft, kVkRight, event.caxis.value,
                                 now_ms, &keys);
            else if (event.caxis.axis == SDL_CONTROLLER_AXIS_LEFTY)
                directions_.Axis(event.caxis.which, kStickY, kVkUp, kVkDown, event.caxis.value,
                                 now_ms, &keys);
            Send(keys, target, out);
            return;
        }
        case SDL_CONTROLLERBUTTONDOWN:
        case SDL_CONTROLLERBUTTONUP:
            break;
        default:
            return;
    }
    const SDL_ControllerButtonEvent& button = event.cbutton;
    bool down = event.type == SDL_CONTROLLERBUTTONDOWN;
    if (int arrow = ArrowFor(button.button)) {
        std::vector<PadKey> keys;
        if (down)
            directions_.Press(button.which, button.button, arrow, now_ms, &keys);
        else
            directions_.Release(button.which, button.button, &keys);
        Send(keys, target, out);
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
    std::vector<PadKey> keys;
    directions_.Repeat(now_ms, &keys);
    Send(keys, target, out);
}

void GamepadInput::Send(const std::vector<PadKey>& keys, HostWindowId target,
                        std::deque<HostEvent>* out) {
    if (!target) return;
    for (const PadKey& key : keys)
        PushKey(key.down ? HostEventType::kKeyDown : HostEventType::kKeyUp, target, key.virtual_key,
                key.repeat, out);
}

void GamepadInput::Unplug(SDL_JoystickID pad, HostWindowId target, std::deque<HostEvent>* out) {
    std::vector<PadKey> keys;
    directions_.Unplug(pad, &keys);
    Send(keys, target, out);
    if (auto found = pads_.find(pad); found != pads_.end()) {
        SDL_GameControllerClose(found->second);
        pads_.erase(found);
    }
}

}  // namespace platform::sdl
