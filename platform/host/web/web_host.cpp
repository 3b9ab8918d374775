// WebHost: windows, waiting and the speaker. The page's input reaches it through page_input.cpp;
// the screen is composed in web_host_screen.cpp.
#include "web_host.h"

#include <algorithm>
#include <cmath>

#include "page.h"
#include "page_input.h"

namespace platform::web {

namespace {

bool Inside(int x, int y, int left, int top, int right, int bottom) {
    return x >= left && x < right && y >= top && y < bottom;
}

}  // namespace

WebHost::WebHost()
    : start_ms_(page::Now()), screen_(size_t{kScreenWidth} * kScreenHeight, kDesktop) {
    page::SizeCanvas(kScreenWidth, kScreenHeight);
    page::Show(screen_.data(), kScreenWidth, kScreenHeight, 0, 0, kScreenWidth, kScreenHeight);
    ListenToPage(this);
    if (page::Hidden()) PageHidden(true);
}

WebHost::~WebHost() {
    ListenToPage(nullptr);
    page::StopSamples();
    page::HoldScreenAwake(false);
}

double WebHost::NowMs() {
    return clock_.Now(page::Now() - start_ms_);
}

// Nobody sees a hidden page: its time stands still and its sound holds, so that the game goes
// on exactly where it was when the page is shown again. The screen may sleep meanwhile.
void WebHost::PageHidden(bool hidden) {
    double machine_ms = page::Now() - start_ms_;
    if (hidden) {
        clock_.Stop(machine_ms);
        awake_ = false;  // the browser lets go of the lock itself; forget it
        page::HoldScreenAwake(false);
        host_keys_held_.clear();  // their key-ups may never come
    } else {
        clock_.Go(machine_ms);
    }
    page::PauseSamples(hidden);
    page::Wake();
}

// A round is being played while a timer runs at the system's shortest interval: the program
// keeps waiting for deadlines a tick or so away. Meanwhile the screen is kept awake.
void WebHost::KeepAwakeWhilePlaying(double deadline_ms) {
    constexpr double kTickMs = 20, kPlayingLingersMs = 1000;
    double now = NowMs();
    if (deadline_ms - now <= kTickMs) last_tick_wait_ms_ = now;
    bool playing = !clock_.stopped() && now - last_tick_wait_ms_ <= kPlayingLingersMs;
    if (playing == awake_) return;
    awake_ = playing;
    page::HoldScreenAwake(playing);
}

// The host's keys are the host's from press to release: their repeats, key-ups and characters
// never reach the program.
bool WebHost::TakeHostKey(HostKeyStroke stroke, int virtual_key, bool alt) {
    constexpr int kEnter = 13, kF11 = 122;
    if (stroke == HostKeyStroke::kUp) return host_keys_held_.erase(virtual_key) > 0;
    if (stroke == HostKeyStroke::kCharacter) return !host_keys_held_.empty();
    if (host_keys_held_.contains(virtual_key)) return true;
    if (!(virtual_key == kF11 || (virtual_key == kEnter && alt))) return false;
    host_keys_held_.insert(virtual_key);
    page::ToggleFullscreen();
    return true;
}

void WebHost::PollPads(double now) {
    if (!page::PadsSeen()) return;
    for (const PadAction& action : pads_.Read(page::ReadPads(), now)) PerformPad(action);
    for (const PadAction& action : pads_.Repeat(now)) PerformPad(action);
}

void WebHost::PerformPad(const PadAction& action) {
    switch (action.kind) {
        case PadAction::Kind::kKeyDown:
            KeyDown(action.virtual_key, action.repeat, false);
            if (action.character) Character(action.virtual_key);
            break;
        case PadAction::Kind::kKeyUp:
            KeyUp(action.virtual_key);
            break;
        case PadAction::Kind::kFullscreen:
            page::ToggleFullscreen();
            break;
    }
}

int64_t WebHost::CalendarSeconds() {
    return static_cast<int64_t>(std::floor(page::CalendarMs() / 1000.0));
}

// Also wakes for a finger's long press and repeats, which have their own deadlines, and looks
// at the controllers now and then once one has been seen (the browser tells no changes).
bool WebHost::WaitEvent(double deadline_ms, HostEvent* event) {
    constexpr double kPadPollMs = 8;
    ShowChanges();  // the window system has presented everything it drew before asking
    KeepAwakeWhilePlaying(deadline_ms);
    for (;;) {
        double now = NowMs();
        Perform(touch_.Advance(now));
        PollPads(now);
        if (!pending_.empty()) {
            *event = pending_.front();
            pending_.pop_front();
            return true;
        }
        if (clock_.stopped()) {
            page::Wait(-1);  // nothing falls due until the page is shown again
            continue;
        }
        if (deadline_ms <= now) return false;
        double until = std::min({deadline_ms, touch_.NextDeadlineMs(), pads_.NextRepeatMs()});
        if (page::PadsSeen()) until = std::min(until, now + kPadPollMs);
        page::Wait(std::isinf(until) ? -1.0 : until - now);
    }
}

void WebHost::Sleep(double ms) {
    ShowChanges();
    double until = NowMs() + ms;
    for (double left = ms; left > 0; left = until - NowMs()) {
        if (clock_.stopped())
            page::Wait(-1);
        else
            page::Pause(left);
    }
}

void WebHost::Queue(const HostEvent& event) {
    pending_.push_back(event);
    page::Wake();
}

HostWindowId WebHost::CreateWindow(const HostWindowParams& params) {
    HostWindowId id = next_id_++;
    Window& window = windows_[id];
    window.params = params;
    window.x = params.x;
    window.y = params.y;
    window.blank =
        Surface::Color(std::max(params.client_width, 0), std::max(params.client_height, 0));
    window.frame.client_left = window.frame.client_top = 0;
    z_order_.push_back(id);
    return id;
}

void WebHost::DestroyWindow(HostWindowId id) {
    Window* window = Find(id);
    if (!window) return;
    Box area = Outer(*window);
    bool visible = window->visible;
    HostWindowId owner = window->params.owner;
    windows_.erase(id);
    std::erase(z_order_, id);
    std::erase_if(pending_, [id](const HostEvent& event) { return event.window == id; });
    if (mouse_owner_ == id) mouse_owner_ = 0;
    if (keyboard_ == id) keyboard_ = Find(owner) ? owner : 0;
    if (visible) Compose(area);
    ListWindows();
}

void WebHost::ShowWindow(HostWindowId id, HostShow show) {
    Window* window = Find(id);
    if (!window) return;
    if (show == HostShow::kHidden || show == HostShow::kMinimized) {
        if (!window->visible) return;
        window->visible = false;
        if (keyboard_ == id && Find(window->params.owner)) keyboard_ = window->params.owner;
        Compose(Outer(*window));
        ListWindows();
        return;
    }
    if (!window->visible) Place(*window);
    window->visible = true;
    Raise(id);
}

// A window with an owner is centred over it, one without over the screen, as dialogs are on
// the desktop; every window is kept on the screen.
void WebHost::Place(Window& window) {
    Box outer = Outer(window);
    int width = outer.right - outer.left, height = outer.bottom - outer.top;
    Box over{0, 0, kScreenWidth, kScreenHeight};
    if (Window* owner = Find(window.params.owner); owner && owner->visible) over = Outer(*owner);
    if (window.params.owner || width < kScreenWidth) {
        window.x = over.left + (over.right - over.left - width) / 2;
        window.y = over.top + (over.bottom - over.top - height) / 2;
    }
    window.x = std::clamp(window.x, 0, std::max(kScreenWidth - width, 0));
    window.y = std::clamp(window.y, 0, std::max(kScreenHeight - height, 0));
}

void WebHost::Raise(HostWindowId id) {
    std::erase(z_order_, id);
    z_order_.push_back(id);
    keyboard_ = id;
    Compose({0, 0, kScreenWidth, kScreenHeight});  // the title bars change colour
    ListWindows();
}

void WebHost::ListWindows() {
    page::ClearWindowList();
    for (HostWindowId id : z_order_) {
        const Window& window = windows_.at(id);
        if (!window.visible) continue;
        Box outer = Outer(window);
        page::ListWindow(window.params.title.c_str(), outer.left, outer.top,
                         outer.right - outer.left, outer.bottom - outer.top,
                         window.x + window.frame.client_left, window.y + window.frame.client_top,
                         window.client().width, window.client().height);
    }
}

void WebHost::SetTitle(HostWindowId id, const std::string& title) {
    Window* window = Find(id);
    if (!window) return;
    window->params.title = title;  // the frame shows it
    ListWindows();
}

void WebHost::SetFrame(HostWindowId id, const HostFrame& frame) {
    Window* window = Find(id);
    if (!window) return;
    window->frame = frame;
    if (window->visible) Compose(Outer(*window));
}

void WebHost::Present(HostWindowId id, Surface& pixels) {
    Window* window = Find(id);
    if (!window) return;
    // The surface stays where it is until the window goes or another is presented (the host
    // interface promises it), so the screen is composed from it with nothing copied.
    bool whole = !pixels.HasDirty() || window->presented != &pixels ||
                 pixels.width != window->presented_width ||
                 pixels.height != window->presented_height;
    window->presented = &pixels;
    window->presented_width = pixels.width;
    window->presented_height = pixels.height;
    int left = window->x + window->frame.client_left, top = window->y + window->frame.client_top;
    if (whole) {
        Compose({left, top, left + pixels.width, top + pixels.height});
        return;
    }
    for (const DirtyBox& dirty : pixels.dirty.boxes())
        Compose({left + dirty.left, top + dirty.top, left + dirty.right, top + dirty.bottom});
}

WebHost::Box WebHost::Outer(const Window& window) const {
    int width = window.frame.active.width, height = window.frame.active.height;
    if (width == 0) width = window.client().width, height = window.client().height;
    return {window.x, window.y, window.x + width, window.y + height};
}

void WebHost::Focus(HostWindowId id) {
    if (Window* window = Find(id); window && window->visible) Raise(id);
}

void WebHost::ScreenSize(int* width, int* height) {
    *width = kScreenWidth;
    *height = kScreenHeight;
}

void WebHost::PlaySound(const SoundClip& clip) {
    page::PlaySamples(clip.samples, static_cast<int>(clip.sample_count), clip.sample_rate);
}

void WebHost::StopSound() {
    page::StopSamples();
}

void WebHost::KeyDown(int virtual_key, bool repeat, bool shift) {
    if (!keyboard_) return;
    Queue({.type = HostEventType::kKeyDown,
           .window = keyboard_,
           .virtual_key = virtual_key,
           .repeat = repeat,
           .shift = shift});
}

void WebHost::KeyUp(int virtual_key) {
    if (keyboard_)
        Queue({.type = HostEventType::kKeyUp, .window = keyboard_, .virtual_key = virtual_key});
}

void WebHost::Character(int character) {
    if (keyboard_)
        Queue({.type = HostEventType::kChar, .window = keyboard_, .character = character});
}

HostWindowId WebHost::WindowAt(int x, int y) const {
    for (auto it = z_order_.rbegin(); it != z_order_.rend(); ++it) {
        const Window& window = windows_.at(*it);
        Box outer = Outer(window);
        if (window.visible && Inside(x, y, outer.left, outer.top, outer.right, outer.bottom))
            return *it;
    }
    return 0;
}

// Clicks in a client area go to its window, and while a button is held everything goes there; a
// click on a close box asks its window to close; the rest of a frame takes no clicks.
void WebHost::Mouse(HostEventType type, MouseButton button, int screen_x, int screen_y) {
    HostWindowId id = buttons_down_ ? mouse_owner_ : WindowAt(screen_x, screen_y);
    Window* window = Find(id);
    bool captured = buttons_down_ > 0 && !frame_press_;
    if (type == HostEventType::kButtonDown) ++buttons_down_;
    if (type == HostEventType::kButtonUp) buttons_down_ = std::max(buttons_down_ - 1, 0);
    if (!window) return;
    int frame_x = screen_x - window->x, frame_y = screen_y - window->y;
    int x = frame_x - window->frame.client_left, y = frame_y - window->frame.client_top;
    bool in_client = x >= 0 && y >= 0 && x < window->client().width && y < window->client().height;
    if (type == HostEventType::kButtonDown && buttons_down_ == 1) {
        mouse_owner_ = id;
        frame_press_ = !in_client;
        captured = in_client;
    }
    if (frame_press_) {
        const HostFrame& frame = window->frame;
        if (type == HostEventType::kButtonUp && button == MouseButton::kLeft &&
            window->params.has_close_box &&
            Inside(frame_x, frame_y, frame.close_left, frame.close_top, frame.close_right,
                   frame.close_bottom))
            Queue({.type = HostEventType::kCloseRequest, .window = id});
        if (!buttons_down_) frame_press_ = false;
        return;
    }
    if (in_client || captured)
        Queue({.type = type, .window = id, .button = button, .x = x, .y = y});
}

void WebHost::Touch(TouchPhase phase, int finger, double page_x, double page_y) {
    double now = NowMs();
    switch (phase) {
        case TouchPhase::kStart:
            Perform(touch_.Down(finger, page_x, page_y, now));
            break;
        case TouchPhase::kMove:
            Perform(touch_.Move(finger, page_x, page_y, now));
            break;
        case TouchPhase::kEnd:
            Perform(touch_.Up(finger, page_x, page_y, now));
            break;
        case TouchPhase::kCancel:
            Perform(touch_.Cancel(finger));
            break;
    }
    page::Wake();  // the long press's deadline may be earlier than the program's
}

// Taps and long presses click the screen's pixel under the finger, as the mouse would.
void WebHost::Perform(const std::vector<TouchAction>& actions) {
    for (const TouchAction& action : actions) {
        if (action.kind == TouchAction::Kind::kKeyDown) {
            KeyDown(action.virtual_key, action.repeat, false);
        } else if (action.kind == TouchAction::Kind::kKeyUp) {
            KeyUp(action.virtual_key);
        } else {
            double scale = page::CanvasScale();
            if (!(scale > 0)) continue;
            int x = static_cast<int>(std::floor((action.x - page::CanvasLeft()) / scale));
            int y = static_cast<int>(std::floor((action.y - page::CanvasTop()) / scale));
            MouseButton button =
                action.kind == TouchAction::Kind::kClick ? MouseButton::kLeft : MouseButton::kRight;
            Mouse(HostEventType::kMouseMove, button, x, y);
            Mouse(HostEventType::kButtonDown, button, x, y);
            Mouse(HostEventType::kButtonUp, button, x, y);
        }
    }
}

void WebHost::SetTextInput(bool active) {
    page::ShowKeyboard(active);
}

WebHost::Window* WebHost::Find(HostWindowId id) {
    auto found = windows_.find(id);
    return found == windows_.end() ? nullptr : &found->second;
}

}  // namespace platform::web
