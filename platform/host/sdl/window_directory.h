// Which host window each SDL window is, and what the translator needs to know about it: how
// its client area is shown (to map the mouse back) and which window has the keyboard.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/host.h"
#include "viewport.h"

namespace platform::sdl {

// The windows in the order they were made.
class WindowDirectory {
  public:
    void Add(HostWindowId window, uint32_t sdl_id);
    void Remove(HostWindowId window);
    HostWindowId FromSdl(uint32_t sdl_id) const;  // 0 for an SDL window that is not ours

    // How the window's client area is shown in its SDL window (scale 1 at the corner unless
    // set); mouse positions are mapped back through it.
    void SetViewport(HostWindowId window, const Viewport& viewport);
    Viewport ViewportOf(HostWindowId window) const;

    // The window that was last given the keyboard. SDL names no window for keys that arrive
    // while it moves its focus (for a moment after a box closes); they belong to this one.
    void SetKeyboardWindow(HostWindowId window) { keyboard_window_ = window; }
    HostWindowId KeyboardWindow() const { return keyboard_window_; }

  private:
    struct Entry {
        HostWindowId window;
        uint32_t sdl_id;
        Viewport viewport;
    };
    std::vector<Entry> windows_;
    HostWindowId keyboard_window_ = 0;
};

}  // namespace platform::sdl
