#include "platform/user/input_state.h"

namespace platform::user {

short InputState::KeyState(int virtual_key) const {
    uint8_t state = keys_[static_cast<uint8_t>(virtual_key)];
    return static_cast<short>(((state & 0x80) ? 0x8000 : 0) | (state & 0x01));
}

void InputState::SetKeyDown(int virtual_key, bool down) {
    uint8_t& state = keys_[static_cast<uint8_t>(virtual_key)];
    if (down && !(state & 0x80)) state ^= 0x01;
    state = static_cast<uint8_t>(down ? (state | 0x80) : (state & ~0x80));
}

void InputState::Forget(HWND hwnd) {
    if (focus_ == hwnd) focus_ = nullptr;
    if (active_ == hwnd) active_ = nullptr;
    if (capture_ == hwnd) capture_ = nullptr;
    if (last_click_.hwnd == hwnd) last_click_ = Click{};
}

}  // namespace platform::user
