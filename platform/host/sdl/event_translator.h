// Turns SDL's events into the host events the window system reads: keys with virtual-key codes
// and characters, clicks in client coordinates, close requests, size changes. The host's own
// keys, a controller's Start among them, become commands for the host instead.
#pragma once

#include <SDL.h>

#include <deque>
#include <set>
#include <utility>
#include <vector>

#include "key_map.h"
#include "platform/host.h"
#include "window_directory.h"

namespace platform::sdl {

class EventTranslator {
  public:
    explicit EventTranslator(const WindowDirectory& windows) : windows_(windows) {}

    // Appends what the event means to the window system; most SDL events mean nothing to it.
    // A size change keeps the SDL window's pixels: the host, which lays the window out, makes
    // it a client size or an expose.
    void Translate(const SDL_Event& event, std::deque<HostEvent>* out);
    // Drops what is remembered about a window that has gone.
    void Forget(HostWindowId window) { minimized_.erase(window); }
    // The host's own keys (and controllers' Start) pressed since the last call, oldest first.
    std::vector<HostCommand> TakeCommands() { return std::exchange(commands_, {}); }

  private:
    HostWindowId KeyboardTarget(uint32_t sdl_id) const;
    void TranslateKey(const SDL_KeyboardEvent& key, std::deque<HostEvent>* out);
    void TranslateText(const SDL_TextInputEvent& text, std::deque<HostEvent>* out);
    void TranslateButton(const SDL_MouseButtonEvent& button, std::deque<HostEvent>* out);
    void TranslateMotion(const SDL_MouseMotionEvent& motion, std::deque<HostEvent>* out);
    bool TakeHostKey(const SDL_KeyboardEvent& key);
    void TranslateWindow(const SDL_WindowEvent& window, std::deque<HostEvent>* out);

    const WindowDirectory& windows_;
    std::set<HostWindowId> minimized_;
    std::vector<HostCommand> commands_;
    // Host keys still held: their key-ups and any text they make are swallowed too.
    std::set<SDL_Keycode> host_keys_held_;
};

}  // namespace platform::sdl
