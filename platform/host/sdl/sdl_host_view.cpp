// How the host lays its windows out: one whole-number scale for every window, fullscreen for
// the main window, and the size changes SDL or the window system make. Relayout does every
// change in one order: lent pixels back (SDL frees the old image), the SDL window sized and
// placed, the viewport published for the mouse, and the window system told to present again.
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
        if (SDL_GetWindowBordersSize(window.sdl(), &top, &left, &bottom, &right) != 0)
            top = left = bottom = right = 0;
        SDL_Rect usable = UsableBounds(window.sdl());
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
        if (!window.fullscreen) Relayout(id, window, LayoutChange::kRescaled);
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
    window->fullscreen = !window->fullscreen;
    Relayout(id, *window, LayoutChange::kFullscreenToggled);
    // The boxes it owns stay above it, and the keyboard stays where it was.
    for (auto& [other, box] : windows_)
        if (box.visible && other != id && MainWindowOf(other) == id) SDL_RaiseWindow(box.sdl());
    if (Window* focused = Find(keyboard); focused && focused->visible) GiveFocus(*focused);
}

// The only place a window's layout changes, in the same order whatever changed it.
void SdlHost::Relayout(HostWindowId id, Window& window, LayoutChange change, SDL_Point given) {
    window.loan.TakeBack();
    bool news = false;  // a client size the window system has not heard of yet
    switch (change) {
        case LayoutChange::kOpened:
            break;
        case LayoutChange::kPlacedAsAsked:
            SDL_SetWindowPosition(window.sdl(), given.x * scale_, given.y * scale_);
            break;
        case LayoutChange::kRescaled:
            SizeAtScale(window);
            break;
        case LayoutChange::kFullscreenToggled:
            if (window.fullscreen)
                CoverScreen(window);
            else
                UncoverScreen(window);
            break;
        case LayoutChange::kSizedBySdl:
            news = TakeSdlSize(window, given);
            break;
        case LayoutChange::kSizedByWindowSystem:
            window.client_width = given.x;
            window.client_height = given.y;
            break;
    }
    SDL_Point sdl_size = given;
    if (change != LayoutChange::kSizedBySdl)
        SDL_GetWindowSize(window.sdl(), &sdl_size.x, &sdl_size.y);
    directory_.SetViewport(id, ViewportOf(window, sdl_size));
    // A window just made has shown nothing yet; a surface of a new size is being presented.
    if (change == LayoutChange::kOpened || change == LayoutChange::kPlacedAsAsked ||
        change == LayoutChange::kSizedByWindowSystem)
        return;
    // SDL makes the window a new image: the window system marks everything dirty on an
    // expose (or a new size) and presents it at once.
    window.complete = false;
    if (news)
        pending_.push_back({.type = HostEventType::kResized,
                            .window = id,
                            .width = window.client_width,
                            .height = window.client_height});
    else
        pending_.push_back({.type = HostEventType::kExposed, .window = id});
}

// The one way a client area is laid out in its SDL window: at the host's scale from the
// corner, or in fullscreen centred in the SDL window at the largest scale that fits.
Viewport SdlHost::ViewportOf(const Window& window, SDL_Point sdl_size) const {
    if (window.fullscreen)
        return Viewport::Centred(window.client_width, window.client_height, sdl_size.x, sdl_size.y);
    return {.scale = scale_,
            .client_width = window.client_width,
            .client_height = window.client_height};
}

void SdlHost::SizeAtScale(Window& window) {
    int width = window.client_width * scale_, height = window.client_height * scale_;
    SDL_SetWindowSize(window.sdl(), width, height);
    if (window.owner && window.visible) {
        CentreOverOwner(window);
        return;
    }
    // Kept on the screen, growing from where it was.
    SDL_Rect usable = UsableBounds(window.sdl());
    int x = 0, y = 0;
    SDL_GetWindowPosition(window.sdl(), &x, &y);
    x = std::max(std::min(x, usable.x + usable.w - width), usable.x);
    y = std::max(std::min(y, usable.y + usable.h - height), usable.y);
    SDL_SetWindowPosition(window.sdl(), x, y);
}

// Without a window manager SDL's own fullscreen leaves the X window as it was; a window
// without a frame over the whole screen works with one and without.
void SdlHost::CoverScreen(Window& window) {
    SDL_GetWindowPosition(window.sdl(), &window.windowed_position.x, &window.windowed_position.y);
    int display = std::max(SDL_GetWindowDisplayIndex(window.sdl()), 0);
    SDL_Rect bounds{};
    SDL_GetDisplayBounds(display, &bounds);
    if (display_fd_ >= 0) {
        SDL_SetWindowBordered(window.sdl(), SDL_FALSE);
        SDL_SetWindowPosition(window.sdl(), bounds.x, bounds.y);
        SDL_SetWindowSize(window.sdl(), bounds.w, bounds.h);
    } else {
        SDL_SetWindowFullscreen(window.sdl(), SDL_WINDOW_FULLSCREEN_DESKTOP);
    }
}

void SdlHost::UncoverScreen(Window& window) {
    if (display_fd_ >= 0)
        SDL_SetWindowBordered(window.sdl(), SDL_TRUE);
    else
        SDL_SetWindowFullscreen(window.sdl(), 0);
    SDL_SetWindowSize(window.sdl(), window.client_width * scale_, window.client_height * scale_);
    SDL_SetWindowPosition(window.sdl(), window.windowed_position.x, window.windowed_position.y);
}

// SDL reports sizes the host gave (a scale, leaving fullscreen) as well as the user's. Only
// a windowed size at the scale that is not the window's own is news to the window system.
bool SdlHost::TakeSdlSize(Window& window, SDL_Point sdl_size) {
    int width = sdl_size.x / scale_, height = sdl_size.y / scale_;
    if (window.fullscreen || (width == window.client_width && height == window.client_height))
        return false;
    window.client_width = width;
    window.client_height = height;
    return true;
}

}  // namespace platform::sdl
