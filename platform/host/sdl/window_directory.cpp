// A handful of windows at most, so a list searched in order is enough.
#include "window_directory.h"

namespace platform::sdl {

void WindowDirectory::Add(HostWindowId window, uint32_t sdl_id) {
    windows_.push_back({.window = window, .sdl_id = sdl_id, .viewport = {}});
}

void WindowDirectory::Remove(HostWindowId window) {
    std::erase_if(windows_, [window](const Entry& entry) { return entry.window == window; });
    if (keyboard_window_ == window) keyboard_window_ = 0;
}

HostWindowId WindowDirectory::FromSdl(uint32_t sdl_id) const {
    for (const Entry& entry : windows_)
        if (entry.sdl_id == sdl_id) return entry.window;
    return 0;
}

void WindowDirectory::SetViewport(HostWindowId window, const Viewport& viewport) {
    for (Entry& entry : windows_)
        if (entry.window == window) entry.viewport = viewport;
}

Viewport WindowDirectory::ViewportOf(HostWindowId window) const {
    for (const Entry& entry : windows_)
        if (entry.window == window) return entry.viewport;
    return Viewport{};
}

}  // namespace platform::sdl
