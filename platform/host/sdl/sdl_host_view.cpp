// How the host shows windows: one whole-number scale for every window, and fullscreen for the
// main window. Each change resizes SDL windows, takes lent pixels back first (SDL frees the old
// image) and asks the window system to present everything again, through an expose.
#include <algorithm>

#include "sdl_host.h"

namespace platform::sdl {

namespace {

// The usable part of the screen a window is on (the whole screen when SDL cannot tell).
SDL_Rect UsableBounds(SDL_Window* window) {
    int display = std::max(SDL_GetWindowDisplayIndex(window), 0);
    SDL_Rect bounds{};
    if (SDL_GetDisplayUsableBounds(display, &bounds) != 0 || bounds.w <= 0)
        SDL_GetDisplayBounds(display, &bounds);
    return bounds;
}

}  // namespace

void SdlHost::Obey(HostCommand command) {
    switch (command) {
        case HostCommand::kScaleUp:
            SetScale(std::min(scale_ + 1, LargestScale()));
            break;
        case HostCommand::kScaleDown:
            SetScale(std::max(scale_ - 1, 1));
            break;
        case HostCommand::kScaleReset:
            SetScale(std::min(std::max(density_scale_, 1), LargestScale()));
            break;
        case HostCommand::kToggleFullscreen:
            ToggleFullscreen(MainWindowOf(directory_.KeyboardWindow()));
            break;
        case HostCommand::kNone:
            break;
    }
}

// The largest scale at which every window without an owner (the main window, a start-up
// dialog), frame included, fits the usable screen.
int SdlHost::LargestScale() const {
    int largest = 16;
    for (const auto& [id, window] : windows_) {
        if (window.owner) continue;
        int top = 0, left = 0, bottom = 0, right = 0;
        // Without a window manager there is no frame, and SDL says it cannot tell.
        if (SDL_GetWindowBordersSize(window.sdl, &top, &left, &bottom, &right) != 0)
            top = left = bottom = right = 0;
        SDL_Rect usable = UsableBounds(window.sdl);
        for (int scale = largest; scale > 1; --scale) {
            if (window.client_width * scale + left + right <= usable.w &&
                window.client_height * scale + top + bottom <= usable.h)
                break;
            largest = scale - 1;
        }
    }
    return std::max(largest, 1);
}

void SdlHost::SetScale(int scale) {
    if (scale == scale_ || scale < 1) return;
    scale_ = scale;
    // Owners first, so their boxes are centred over where they now are.
    for (auto& [id, window] : windows_)
        if (!window.fullscreen) ShowAtScale(id, window);
}

void SdlHost::ShowAtScale(HostWindowId id, Window& window) {
    window.loan.TakeBack();
    int width = window.client_width * scale_, height = window.client_height * scale_;
    SDL_SetWindowSize(window.sdl, width, height);
    if (window.owner && window.visible) {
        CentreOverOwner(window);
    } else {
        // Kept on the screen, growing from where it was.
        SDL_Rect usable = UsableBounds(window.sdl);
        int x = 0, y = 0;
        SDL_GetWindowPosition(window.sdl, &x, &y);
        x = std::max(std::min(x, usable.x + usable.w - width), usable.x);
        y = std::max(std::min(y, usable.y + usable.h - height), usable.y);
        SDL_SetWindowPosition(window.sdl, x, y);
    }
    directory_.SetViewport(id, Viewport{.scale = scale_,
                                        .client_width = window.client_width,
                                        .client_height = window.client_height});
    Repaint(id, window);
}

HostWindowId SdlHost::MainWindowOf(HostWindowId id) {
    for (Window* window = Find(id); window && window->owner; window = Find(id)) id = window->owner;
    if (Find(id)) return id;
    // No window has the keyboard: the oldest one without an owner.
    for (const auto& [other, window] : windows_)
        if (!window.owner && window.visible) return other;
    return 0;
}

void SdlHost::ToggleFullscreen(HostWindowId id) {
    Window* window = Find(id);
    if (!window || !window->visible) return;
    HostWindowId keyboard = directory_.KeyboardWindow();
    if (window->fullscreen)
        LeaveFullscreen(id, *window);
    else
        EnterFullscreen(id, *window);
    // The boxes it owns stay above it, and the keyboard stays where it was.
    for (auto& [other, box] : windows_)
        if (box.visible && other != id && MainWindowOf(other) == id) SDL_RaiseWindow(box.sdl);
    if (Window* focused = Find(keyboard); focused && focused->visible) GiveFocus(*focused);
}

// Without a window manager SDL's own fullscreen leaves the X window as it was; a window
// without a frame over the whole screen works with one and without.
void SdlHost::EnterFullscreen(HostWindowId id, Window& window) {
    window.loan.TakeBack();
    SDL_GetWindowPosition(window.sdl, &window.windowed_position.x, &window.windowed_position.y);
    int display = std::max(SDL_GetWindowDisplayIndex(window.sdl), 0);
    SDL_Rect bounds{};
    SDL_GetDisplayBounds(display, &bounds);
    window.fullscreen = true;
    if (display_fd_ >= 0) {
        SDL_SetWindowBordered(window.sdl, SDL_FALSE);
        SDL_SetWindowPosition(window.sdl, bounds.x, bounds.y);
        SDL_SetWindowSize(window.sdl, bounds.w, bounds.h);
    } else {
        SDL_SetWindowFullscreen(window.sdl, SDL_WINDOW_FULLSCREEN_DESKTOP);
    }
    int width = 0, height = 0;
    SDL_GetWindowSize(window.sdl, &width, &height);
    directory_.SetViewport(
        id, Viewport::Centred(window.client_width, window.client_height, width, height));
    Repaint(id, window);
}

void SdlHost::LeaveFullscreen(HostWindowId id, Window& window) {
    window.loan.TakeBack();
    window.fullscreen = false;
    if (display_fd_ >= 0)
        SDL_SetWindowBordered(window.sdl, SDL_TRUE);
    else
        SDL_SetWindowFullscreen(window.sdl, 0);
    SDL_SetWindowSize(window.sdl, window.client_width * scale_, window.client_height * scale_);
    SDL_SetWindowPosition(window.sdl, window.windowed_position.x, window.windowed_position.y);
    directory_.SetViewport(id, Viewport{.scale = scale_,
                                        .client_width = window.client_width,
                                        .client_height = window.client_height});
    Repaint(id, window);
}

// The window system marks the whole window dirty on an expose and presents it at once.
void SdlHost::Repaint(HostWindowId id, Window& window) {
    window.complete = false;
    pending_.push_back({.type = HostEventType::kExposed, .window = id});
}

}  // namespace platform::sdl
