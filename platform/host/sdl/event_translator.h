// Turns SDL's events into the host events the window system reads: keys with virtual-key codes
// and characters, clicks in client coordinates, close requests, size changes.
#pragma once

#include <SDL.h>

#include <cstdint>
#include <deque>
#include <set>
#include <vector>

#include "platform/host.h"

namespace platform::sdl {

// Which host window each SDL window is, in the order the windows were made.
class WindowDirectory {
  public:
    void Add(HostWindowId window, uint32_t sdl_id);
    void Remove(HostWindowId window);
    HostWindowId FromSdl(uint32_t sdl_id) const;  // 0 for an SDL window that is not ours

    // The window that was last given the keyboard. SDL names no window for keys that arrive
    // while it moves its focus (for a moment after a box closes); they belong to this one.
    void SetKeyboardWindow(HostWindowId window) { keyboard_window_ = window; }
    HostWindowId KeyboardWindow() const { return keyboard_window_; }

  private:
    struct Entry {
        HostWindowId window;
        uint32_t sdl_id;
    };
    std::vector<Entry> windows_;
    HostWindowId keyboard_window_ = 0;
};

class EventTranslator {
  public:
    explicit EventTranslator(const WindowDirectory& windows) : windows_(windows) {}

    // Appends what the event means to the window system; most SDL events mean nothing to it.
    void Translate(const SDL_Event& event, std::deque<HostEvent>* out);
    // Drops what is remembered about a window that has gone.
    void Forget(HostWindowId window) { minimized_.erase(window); }

  private:
    HostWindowId KeyboardTarget(uint32_t sdl_id) const;
    void TranslateKey(const SDL_KeyboardEvent& key, std::deque<HostEvent>* out);
    void TranslateText(const SDL_TextInputEvent& text, std::deque<HostEvent>* out);
    void TranslateButton(const SDL_MouseButtonEvent& button, std::deque<HostEvent>* out);
    void TranslateWindow(const SDL_WindowEvent& window, std::deque<HostEvent>* out);

    const WindowDirectory& windows_;
    std::set<HostWindowId> minimized_;
};

}  // namespace platform::sdl
