// Where input goes: the focus, the active window, the mouse capture, the keyboard's state and
// the last left press (for double clicks).
#pragma once

#include <array>
#include <cstdint>

#include "platform/win32.h"

namespace platform::user {

class InputState {
  public:
    HWND focus() const { return focus_; }
    HWND active() const { return active_; }
    HWND capture() const { return capture_; }
    void set_focus_raw(HWND hwnd) { focus_ = hwnd; }
    void set_active_raw(HWND hwnd) { active_ = hwnd; }
    void SetCapture(HWND hwnd) { capture_ = hwnd; }
    void ReleaseCapture() { capture_ = nullptr; }
    short KeyState(int virtual_key) const;
    void SetKeyDown(int virtual_key, bool down);

    // The last left press, for double clicks.
    struct Click {
        HWND hwnd = nullptr;
        double time_ms = -1e9;
        POINT point{};
        bool was_double = false;
        bool left = true;
    };
    Click& last_click() { return last_click_; }

    // A window going away takes the focus, activation, capture and last click it held.
    void Forget(HWND hwnd);

  private:
    HWND focus_ = nullptr;
    HWND active_ = nullptr;
    HWND capture_ = nullptr;
    std::array<uint8_t, 256> keys_{};  // 0x80 down, 0x01 toggled
    Click last_click_;
};

}  // namespace platform::user
