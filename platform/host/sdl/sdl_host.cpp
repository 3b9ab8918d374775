// SdlHost: windows, waiting and presenting. Input translation lives in event_translator.cpp
// and gamepad_input.cpp, the layout of windows (scale, fullscreen, size changes) in
// sdl_host_view.cpp, the speaker in sdl_audio.cpp.
#include "sdl_host.h"

#include <algorithm>
#include <array>
#include <cassert>
#include <chrono>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <thread>

#include "display_connection.h"
#include "text_codec.h"

namespace platform::sdl {

namespace {

// How long a wait may go without looking at the controllers while one is plugged in.
constexpr double kGamepadPollMs = 8;
// How long a sound's wait sleeps at a time while time stands still.
constexpr double kStoppedPollMs = 100;

void SleepFor(double ms) {
    if (ms > 0) std::this_thread::sleep_for(std::chrono::duration<double, std::milli>(ms));
}

// The part of [x, x + w) x [y, y + h) inside a width x height area.
SDL_Rect Clipped(int x, int y, int w, int h, int width, int height) {
    int left = std::max(x, 0), top = std::max(y, 0);
    int right = std::min(x + w, width), bottom = std::min(y + h, height);
    return {left, top, std::max(right - left, 0), std::max(bottom - top, 0)};
}

}  // namespace

std::unique_ptr<SdlHost> SdlHost::Create(std::string* problem) {
    if (SDL_WasInit(SDL_INIT_VIDEO)) {
        *problem = "another SDL host is already running";
        return nullptr;
    }
    // Without any display SDL's probing only prints libraries' complaints; say it in one line.
    const char* asked = std::getenv("SDL_VIDEODRIVER");
    if (!(asked && *asked) && !std::getenv("DISPLAY") && !std::getenv("WAYLAND_DISPLAY")) {
        *problem = "cannot open the screen: no display (is DISPLAY set?)";
        return nullptr;
    }
    // Without this SDL routes the window surface through OpenGL, which on a machine without a
    // GPU costs twenty times the CPU of a plain shared-memory copy.
    SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
    // Closing a window is the window system's decision; the quit event is kept for signals.
    SDL_SetHint(SDL_HINT_QUIT_ON_LAST_WINDOW_CLOSE, "0");
    if (SDL_InitSubSystem(SDL_INIT_VIDEO | SDL_INIT_EVENTS) != 0) {
        *problem = std::string("cannot open the screen: ") + SDL_GetError();
        SDL_Quit();
        return nullptr;
    }
    // With no display SDL falls back to drivers that show nothing; a game nobody can see must
    // say so instead, unless those drivers were asked for by name (the host's own tests).
    const char* driver = SDL_GetCurrentVideoDriver();
    bool invisible =
        driver && (std::strcmp(driver, "offscreen") == 0 || std::strcmp(driver, "dummy") == 0 ||
                   std::strcmp(driver, "evdev") == 0);
    if (invisible && !(asked && std::strcmp(asked, driver) == 0)) {
        *problem = "cannot open the screen: no display (is DISPLAY set?)";
        SDL_Quit();
        return nullptr;
    }
    // Wayland offers no window image of its own: there SDL must draw through a texture (and
    // the compositor's shared memory then), which the hint above forbids.
    if (driver && std::strcmp(driver, "wayland") == 0)
        SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "1");
    // Controllers are a bonus: without the subsystem the keyboard still plays.
    SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER);
    return std::unique_ptr<SdlHost>(new SdlHost());
}

SdlHost::SdlHost()
    : counter_start_(SDL_GetPerformanceCounter()),
      ms_per_count_(1000.0 / static_cast<double>(SDL_GetPerformanceFrequency())),
      audio_(std::make_unique<SdlAudio>()) {
    SDL_StartTextInput();
    if (const char* path = std::getenv("ZF_FRAME_LOG"); path && *path)
        frame_log_ = std::fopen(path, "w");
}

SdlHost::~SdlHost() {
    // Oldest first, as they were made; each record gives its pixels back, then its SDL window.
    while (!windows_.empty()) windows_.erase(windows_.begin());
    gamepads_.CloseAll();
    audio_.reset();
    if (frame_log_) std::fclose(frame_log_);
    SDL_Quit();
}

double SdlHost::MachineMs() const {
    return static_cast<double>(SDL_GetPerformanceCounter() - counter_start_) * ms_per_count_;
}

double SdlHost::NowMs() {
    return clock_.Now(MachineMs());
}

// Time stands still while nobody can see the game: every main window (one without an owner)
// that is shown is minimised. The speaker pauses with it.
void SdlHost::StopTimeWhileUnseen() {
    bool any_shown = false, all_minimized = true;
    for (const auto& [id, window] : windows_) {
        if (window.owner || !window.visible) continue;
        any_shown = true;
        all_minimized = all_minimized && window.minimized;
    }
    bool stop = any_shown && all_minimized;
    if (stop == clock_.stopped()) return;
    if (stop)
        clock_.Stop(MachineMs());
    else
        clock_.Go(MachineMs());
    audio_->Pause(stop);
}

int64_t SdlHost::CalendarSeconds() {
    using namespace std::chrono;
    return duration_cast<seconds>(system_clock::now().time_since_epoch()).count();
}

bool SdlHost::WaitEvent(double deadline_ms, HostEvent* event) {
    for (;;) {
        if (!pending_.empty()) {
            *event = pending_.front();
            pending_.pop_front();
            return true;
        }
        SDL_PumpEvents();
        SDL_Event sdl_event;
        if (SDL_PeepEvents(&sdl_event, 1, SDL_GETEVENT, SDL_FIRSTEVENT, SDL_LASTEVENT) > 0) {
            Take(sdl_event);
            continue;
        }
        double now = NowMs();
        if (gamepads_.NextRepeatMs() <= now) {
            gamepads_.Repeat(now, directory_.KeyboardWindow(), &pending_);
            continue;
        }
        if (deadline_ms <= now) return false;
        double until = std::min(deadline_ms, gamepads_.NextRepeatMs());
        // Controllers do not speak through the display connection: look at them now and then.
        if (gamepads_.AnyOpen()) until = std::min(until, now + kGamepadPollMs);
        WaitForInput(until - now);
    }
}

void SdlHost::WaitForInput(double ms) {
    // On X the host sleeps on the connection itself, to the microsecond. SDL's own wait is
    // avoided there: it wakes itself by sending an event to a window, and SDL 2.26 can pick
    // one that was just destroyed, which ends the program with an X error.
    if (display_fd_ >= 0) {
        WaitForReadable(display_fd_, ms);
        return;
    }
    if (ms >= INT_MAX)
        SDL_WaitEventTimeout(nullptr, -1);  // no timer runs: wait for input alone
    else if (ms >= 1)
        SDL_WaitEventTimeout(nullptr, static_cast<int>(ms));  // whole milliseconds only
    else
        SleepFor(ms);
}

void SdlHost::Sleep(double ms) {
    double until = NowMs() + ms;
    for (double left = ms; left > 0; left = until - NowMs()) {
        if (!clock_.stopped()) {
            SleepFor(left);
            continue;
        }
        // Only the window coming back ends a stop: take SDL's events, which wait for the
        // window system, until it does.
        SDL_PumpEvents();
        SDL_Event sdl_event;
        while (clock_.stopped() &&
               SDL_PeepEvents(&sdl_event, 1, SDL_GETEVENT, SDL_FIRSTEVENT, SDL_LASTEVENT) > 0)
            Take(sdl_event);
        if (clock_.stopped()) WaitForInput(kStoppedPollMs);
    }
}

void SdlHost::Take(const SDL_Event& sdl_event) {
    std::deque<HostEvent> fresh;
    gamepads_.Translate(sdl_event, NowMs(), directory_.KeyboardWindow(), &fresh);
    translator_.Translate(sdl_event, &fresh);
    for (HostCommand command : translator_.TakeCommands()) Obey(command);
    for (const HostEvent& event : fresh) Deliver(event);
}

// A size change is the layout's business; an expose the SDL surface can answer is answered
// without asking anyone; everything else is the window system's.
void SdlHost::Deliver(const HostEvent& event) {
    Window* window = Find(event.window);
    if (window &&
        (event.type == HostEventType::kMinimized || event.type == HostEventType::kRestored)) {
        window->minimized = event.type == HostEventType::kMinimized;
        StopTimeWhileUnseen();
    }
    if (window && event.type == HostEventType::kResized) {
        Relayout(event.window, *window, LayoutChange::kSizedBySdl, {event.width, event.height});
    } else if (window && event.type == HostEventType::kExposed && window->complete) {
        // Lent pixels may be half way through a frame: show them at the next present.
        if (Surface* lent = window->loan.borrower())
            lent->MarkDirty(0, 0, lent->width, lent->height);
        else
            SDL_UpdateWindowSurface(window->sdl());
    } else {
        pending_.push_back(event);
    }
}

HostWindowId SdlHost::CreateWindow(const HostWindowParams& spec) {
    Uint32 flags = SDL_WINDOW_HIDDEN;
    if (spec.resizable) flags |= SDL_WINDOW_RESIZABLE;
    if (spec.owner) flags |= SDL_WINDOW_SKIP_TASKBAR;
    int width = std::max(spec.client_width, 1), height = std::max(spec.client_height, 1);
    // Positions and sizes the window system asks for are in its own, unscaled pixels.
    SDL_Window* sdl = SDL_CreateWindow(CodePageToUtf8(spec.title).c_str(), spec.x * scale_,
                                       spec.y * scale_, width * scale_, height * scale_, flags);
    if (!sdl) return 0;
    HostWindowId id = next_id_++;
    Window& window = windows_[id] = Window{.handle = SdlWindowHandle(sdl),
                                           .owner = spec.owner,
                                           .loan = {},
                                           .client_width = width,
                                           .client_height = height};
    directory_.Add(id, SDL_GetWindowID(sdl));
    Relayout(id, window, LayoutChange::kOpened);
    if (display_fd_ < 0) display_fd_ = DisplayConnectionFd(sdl);
    if (density_scale_ == 0) {
        // The first window tells which screen this is: pick the scale before anything shows.
        density_scale_ = DensityScale(ScreenDotsPerInch(sdl));
        SetScale(std::min(density_scale_, LargestScale()));
        Relayout(id, window, LayoutChange::kPlacedAsAsked, {spec.x, spec.y});
    } else if (!spec.owner && scale_ > LargestScale()) {
        SetScale(LargestScale());
    }
    return id;
}

void SdlHost::DestroyWindow(HostWindowId id) {
    auto found = windows_.find(id);
    if (found == windows_.end()) return;
    Window window = std::move(found->second);
    windows_.erase(found);
    directory_.Remove(id);
    translator_.Forget(id);
    std::erase_if(pending_, [id](const HostEvent& event) { return event.window == id; });
    // The owner takes the keyboard first, so no key typed meanwhile falls between the two.
    if (window.visible) ReturnFocusToOwner(window);
    StopTimeWhileUnseen();
}  // the record gives the pixels back, then destroys its SDL window

void SdlHost::ShowWindow(HostWindowId id, HostShow show) {
    Window* window = Find(id);
    if (!window) return;
    if (show == HostShow::kHidden) {
        if (!window->visible) return;
        ReturnFocusToOwner(*window);
        SDL_HideWindow(window->sdl());
        window->visible = false;
        StopTimeWhileUnseen();
        return;
    }
    if (!window->visible && window->owner) {
        CentreOverOwner(*window);
        if (Window* owner = Find(window->owner)) SDL_SetWindowModalFor(window->sdl(), owner->sdl());
    }
    SDL_ShowWindow(window->sdl());
    window->visible = true;
    Uint32 flags = SDL_GetWindowFlags(window->sdl());
    switch (show) {
        case HostShow::kMinimized:
            SDL_MinimizeWindow(window->sdl());
            return;
        case HostShow::kMaximized:
            SDL_MaximizeWindow(window->sdl());
            break;
        default:
            if (flags & (SDL_WINDOW_MINIMIZED | SDL_WINDOW_MAXIMIZED))
                SDL_RestoreWindow(window->sdl());
            break;
    }
    GiveFocus(*window);
}

void SdlHost::SetTitle(HostWindowId id, const std::string& title) {
    if (Window* window = Find(id)) SDL_SetWindowTitle(window->sdl(), CodePageToUtf8(title).c_str());
}

void SdlHost::Present(HostWindowId id, Surface& pixels) {
    Window* window = Find(id);
    if (!window) return;
    assert(!pixels.IsMono() && "a window's pixels are in colour");
    if (window->client_width != pixels.width || window->client_height != pixels.height) {
        // The window system sized its surface itself: show what it has.
        Relayout(id, *window, LayoutChange::kSizedByWindowSystem, {pixels.width, pixels.height});
    }
    Viewport view = directory_.ViewportOf(id);
    if (!PresentLent(*window, pixels)) {
        SDL_Surface* target = window->loan.ImageOf(window->sdl());
        if (!target) return;
        // Magnified or between bars, the window's image cannot be the window system's pixels.
        if (view.scale == 1 && !view.bars && ScreenLoan::Fits(target, pixels)) {
            // Lending moves every pixel into SDL's image; no separate copy is needed.
            window->loan.Lend(pixels, target);
            window->surface = target;
            window->complete = true;
            SDL_UpdateWindowSurface(window->sdl());
        } else {
            CopyToScreen(*window, target, pixels, view);
        }
    }
    if (frame_log_) {
        std::fprintf(frame_log_, "%.3f %u\n", NowMs(), static_cast<unsigned>(id));
        std::fflush(frame_log_);
    }
}

// The surface already draws in SDL's image: only name the changed boxes. The X server reads
// the image only inside SDL_UpdateWindowSurfaceRects (SDL waits for it with XSync), so drawing
// between presents never shows a half-drawn frame. False when the lent image cannot be used.
bool SdlHost::PresentLent(Window& window, Surface& pixels) {
    if (!window.loan.HeldBy(pixels) || !window.complete || !pixels.HasDirty()) return false;
    std::array<SDL_Rect, DirtyBoxes::kMaxBoxes> boxes;
    int count = 0;
    for (const DirtyBox& dirty : pixels.dirty.boxes())
        boxes[count++] = Clipped(dirty.left, dirty.top, dirty.right - dirty.left,
                                 dirty.bottom - dirty.top, pixels.width, pixels.height);
    // Fails only when SDL has dropped the image after a size change; the memory stays until
    // the next SDL_GetWindowSurface, so the loan can still take the pixels back there.
    return SDL_UpdateWindowSurfaceRects(window.sdl(), boxes.data(), count) == 0;
}

void SdlHost::CopyToScreen(Window& window, SDL_Surface* target, const Surface& pixels,
                           const Viewport& view) {
    // The changed boxes only, or everything when nothing is marked or the SDL surface is new;
    // in client pixels, then where they land in the SDL window.
    const bool whole = !window.complete || target != window.surface;
    window.surface = target;
    std::array<SDL_Rect, DirtyBoxes::kMaxBoxes> boxes;
    int count = 0;
    if (!whole && pixels.HasDirty()) {
        for (const DirtyBox& dirty : pixels.dirty.boxes())
            boxes[count++] = {dirty.left, dirty.top, dirty.right - dirty.left,
                              dirty.bottom - dirty.top};
    } else {
        boxes[count++] = {0, 0, pixels.width, pixels.height};
    }
    std::array<SDL_Rect, DirtyBoxes::kMaxBoxes> shown;
    if (SDL_MUSTLOCK(target)) SDL_LockSurface(target);
    if (whole) SDL_FillRect(target, nullptr, 0);  // past the client surface: black
    for (int i = 0; i < count; ++i) {
        // Only whole magnified pixels that land inside the SDL window.
        SDL_Rect box = Clipped(boxes[i].x, boxes[i].y, boxes[i].w, boxes[i].h,
                               std::min(pixels.width, (target->w - view.left) / view.scale),
                               std::min(pixels.height, (target->h - view.top) / view.scale));
        shown[i] = {view.left + box.x * view.scale, view.top + box.y * view.scale,
                    box.w * view.scale, box.h * view.scale};
        if (box.w <= 0 || box.h <= 0) continue;
        if (view.scale > 1) {
            CopyScaledBox(target, pixels, box, view);
            continue;
        }
        uint8_t* to = static_cast<uint8_t*>(target->pixels) +
                      static_cast<ptrdiff_t>(shown[i].y) * target->pitch +
                      shown[i].x * target->format->BytesPerPixel;
        SDL_ConvertPixels(box.w, box.h, SDL_PIXELFORMAT_RGB888, pixels.Row(box.y) + box.x,
                          pixels.stride_words * 4, target->format->format, to, target->pitch);
    }
    if (SDL_MUSTLOCK(target)) SDL_UnlockSurface(target);
    if (whole)
        SDL_UpdateWindowSurface(window.sdl());
    else
        SDL_UpdateWindowSurfaceRects(window.sdl(), shown.data(), count);
    window.complete = true;
}

// Nearest neighbour: each pixel becomes a scale x scale square. A row is magnified once
// (straight into the window's image when it holds 0x00RRGGBB words) and copied downwards.
void SdlHost::CopyScaledBox(SDL_Surface* target, const Surface& pixels, const SDL_Rect& box,
                            const Viewport& view) {
    const int scale = view.scale;
    const int width = box.w * scale;
    const int bytes = width * target->format->BytesPerPixel;
    const bool direct = target->format->format == SDL_PIXELFORMAT_RGB888;
    if (!direct) scaled_row_.resize(static_cast<size_t>(width));
    auto* base = static_cast<uint8_t*>(target->pixels) +
                 (view.left + box.x * scale) * target->format->BytesPerPixel;
    for (int y = box.y; y < box.y + box.h; ++y) {
        uint8_t* first = base + static_cast<ptrdiff_t>(view.top + y * scale) * target->pitch;
        uint32_t* row = direct ? reinterpret_cast<uint32_t*>(first) : scaled_row_.data();
        const uint32_t* from = pixels.Row(y) + box.x;
        for (int x = 0; x < box.w; ++x) std::fill_n(row + x * scale, scale, from[x]);
        if (!direct)
            SDL_ConvertPixels(width, 1, SDL_PIXELFORMAT_RGB888, row, width * 4,
                              target->format->format, first, target->pitch);
        for (int copy = 1; copy < scale; ++copy)
            std::memcpy(first + static_cast<ptrdiff_t>(copy) * target->pitch, first, bytes);
    }
}

void SdlHost::Focus(HostWindowId id) {
    if (Window* window = Find(id); window && window->visible) GiveFocus(*window);
}

void SdlHost::ScreenSize(int* width, int* height) {
    SDL_Rect bounds{};
    if (SDL_GetDisplayBounds(0, &bounds) != 0) bounds = {};  // as Win32's metrics fail: zero
    // In the window system's pixels, as a scaled desktop tells an old program.
    *width = bounds.w / scale_;
    *height = bounds.h / scale_;
}

void SdlHost::PlaySound(const SoundClip& clip) {
    audio_->Play(clip);
}

void SdlHost::StopSound() {
    audio_->Stop();
}

SDL_Window* SdlHost::SdlWindow(HostWindowId id) const {
    auto found = windows_.find(id);
    return found == windows_.end() ? nullptr : found->second.sdl();
}

SdlHost::Window* SdlHost::Find(HostWindowId id) {
    auto found = windows_.find(id);
    return found == windows_.end() ? nullptr : &found->second;
}

void SdlHost::CentreOverOwner(const Window& window) {
    int width = 0, height = 0;
    SDL_GetWindowSize(window.sdl(), &width, &height);
    const Window* owner = Find(window.owner);
    if (!owner || !owner->visible) {
        SDL_SetWindowPosition(window.sdl(), SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED);
        return;
    }
    int owner_x = 0, owner_y = 0, owner_width = 0, owner_height = 0;
    SDL_GetWindowPosition(owner->sdl(), &owner_x, &owner_y);
    SDL_GetWindowSize(owner->sdl(), &owner_width, &owner_height);
    // Kept on the screen, as a centred dialog is on Win32.
    int x = std::max(owner_x + (owner_width - width) / 2, 0);
    int y = std::max(owner_y + (owner_height - height) / 2, 0);
    SDL_SetWindowPosition(window.sdl(), x, y);
}

void SdlHost::GiveFocus(const Window& window) {
    directory_.SetKeyboardWindow(directory_.FromSdl(SDL_GetWindowID(window.sdl())));
    SDL_RaiseWindow(window.sdl());
    // Raising asks a window manager; without one only this moves the keyboard.
    SDL_SetWindowInputFocus(window.sdl());
}

void SdlHost::ReturnFocusToOwner(const Window& window) {
    if (!window.owner) return;
    if (Window* owner = Find(window.owner); owner && owner->visible) GiveFocus(*owner);
}

}  // namespace platform::sdl
