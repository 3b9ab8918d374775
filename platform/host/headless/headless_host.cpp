#include "platform/host/headless/headless_host.h"

#include <algorithm>
#include <cassert>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>

namespace platform::headless {

namespace {

constexpr double kNoLimit = std::numeric_limits<double>::infinity();

// The virtual-key numbers of the keys that type a control character, as host events carry them.
constexpr int kKeyBack = 0x08, kKeyTab = 0x09, kKeyReturn = 0x0D, kKeyEscape = 0x1B,
              kKeySpace = 0x20;

// The character a key types, or 0 for keys that type none (arrows, shift).
int CharacterOf(int virtual_key, bool shift) {
    if (virtual_key >= 'A' && virtual_key <= 'Z') return shift ? virtual_key : virtual_key + 32;
    if (virtual_key >= '0' && virtual_key <= '9') return virtual_key;
    switch (virtual_key) {
        case kKeyReturn:
        case kKeyEscape:
        case kKeyBack:
        case kKeyTab:
        case kKeySpace:
            return virtual_key;
        default:
            return 0;
    }
}

// The key that types a character, if it has one of its own.
int KeyOf(char character) {
    unsigned char c = static_cast<unsigned char>(character);
    if (std::isalpha(c)) return std::toupper(c);
    if (std::isdigit(c) || c == ' ') return c;
    return 0;
}

}  // namespace

HeadlessHost::HeadlessHost() : limit_ms_(kNoLimit) {}
HeadlessHost::~HeadlessHost() = default;

double HeadlessHost::NowMs() {
    return now_ms_;
}
int64_t HeadlessHost::CalendarSeconds() {
    return calendar_seconds_;
}

bool HeadlessHost::WaitEvent(double deadline_ms, HostEvent* event) {
    for (;;) {
        if (wait_gate_ && !wait_gate_()) return false;
        if (!script_.empty()) {
            auto first = script_.begin();
            if (first->first.first <= std::max(now_ms_, deadline_ms)) {
                double at = first->first.first;
                if (at > limit_ms_) {
                    StopAtLimit();
                    continue;
                }
                Scheduled item = std::move(first->second);
                script_.erase(first);
                now_ms_ = std::max(now_ms_, at);
                if (auto* action = std::get_if<std::function<void()>>(&item.what)) {
                    (*action)();
                    continue;
                }
                *event = std::get<HostEvent>(item.what);
                return true;
            }
        }
        if (deadline_ms <= now_ms_) return false;
        if (deadline_ms > limit_ms_) {
            StopAtLimit();
            continue;
        }
        if (std::isinf(deadline_ms)) {
            std::fprintf(stderr,
                         "headless host: the program waits for input, but none is scripted and "
                         "no time limit is set\n");
            std::abort();
        }
        now_ms_ = deadline_ms;
        return false;
    }
}

void HeadlessHost::Sleep(double ms) {
    sleeps_.push_back(ms);
    Advance(ms);
}

HostWindowId HeadlessHost::CreateWindow(const HostWindowParams& params) {
    HostWindowId id = next_window_++;
    WindowRecord& record = windows_[id];
    record.params = params;
    record.title = params.title;
    return id;
}

void HeadlessHost::DestroyWindow(HostWindowId window) {
    auto it = windows_.find(window);
    if (it != windows_.end()) it->second.alive = false;
    if (focused_ == window) focused_ = 0;
}

void HeadlessHost::ShowWindow(HostWindowId window, HostShow show) {
    auto it = windows_.find(window);
    if (it == windows_.end()) return;
    it->second.show = show;
}

void HeadlessHost::SetTitle(HostWindowId window, const std::string& title) {
    auto it = windows_.find(window);
    if (it != windows_.end()) it->second.title = title;
}

void HeadlessHost::Present(HostWindowId window, Surface& pixels) {
    auto it = windows_.find(window);
    if (it == windows_.end()) return;
    ++it->second.presents;
    if (!keep_pixels_) return;
    Surface& shown = it->second.presented;
    bool same_size = shown.width == pixels.width && shown.height == pixels.height &&
                     shown.bits_per_pixel == pixels.bits_per_pixel;
    if (!same_size || !pixels.HasDirty() || pixels.IsMono()) {
        shown = pixels;
    } else {
        // Only the changed boxes are copied, as a screen would update them.
        for (const DirtyBox& box : pixels.dirty.boxes())
            for (int y = box.top; y < box.bottom; ++y)
                std::copy(pixels.Row(y) + box.left, pixels.Row(y) + box.right,
                          shown.Row(y) + box.left);
    }
    shown.ClearDirty();
}

void HeadlessHost::Focus(HostWindowId window) {
    focused_ = window;
}

void HeadlessHost::ScreenSize(int* width, int* height) {
    *width = screen_width_;
    *height = screen_height_;
}

void HeadlessHost::PlaySound(const SoundClip& clip) {
    sounds_.push_back(PlayedSound{clip, now_ms_});
}

void HeadlessHost::StopSound() {
    stop_times_.push_back(now_ms_);
}

void HeadlessHost::ForgetHistory() {
    std::erase_if(windows_, [](const auto& entry) { return !entry.second.alive; });
    sounds_.clear();
    stop_times_.clear();
    sleeps_.clear();
}

void HeadlessHost::SetCalendarSeconds(int64_t seconds) {
    calendar_seconds_ = seconds;
}

void HeadlessHost::SetScreenSize(int width, int height) {
    screen_width_ = width;
    screen_height_ = height;
}

void HeadlessHost::Advance(double ms) {
    if (ms > 0) now_ms_ += ms;
}

void HeadlessHost::Schedule(double at_ms, Scheduled item) {
    script_.emplace(Key{at_ms, next_seq_++}, std::move(item));
}

void HeadlessHost::Inject(double at_ms, HostEvent event) {
    Schedule(at_ms, Scheduled{event});
}

void HeadlessHost::Call(double at_ms, std::function<void()> action) {
    Schedule(at_ms, Scheduled{std::move(action)});
}

void HeadlessHost::PressKey(HostWindowId window, int virtual_key, double at_ms, bool shift) {
    HostEvent down;
    down.type = HostEventType::kKeyDown;
    down.window = window;
    down.virtual_key = virtual_key;
    down.shift = shift;
    Inject(at_ms, down);
    if (int character = CharacterOf(virtual_key, shift)) {
        HostEvent typed;
        typed.type = HostEventType::kChar;
        typed.window = window;
        typed.character = character;
        Inject(at_ms, typed);
    }
    HostEvent up = down;
    up.type = HostEventType::kKeyUp;
    Inject(at_ms, up);
}

void HeadlessHost::TypeText(HostWindowId window, const std::string& text, double at_ms) {
    for (char c : text) {
        int key = KeyOf(c);
        bool shift = std::isupper(static_cast<unsigned char>(c)) != 0;
        HostEvent event;
        event.window = window;
        event.shift = shift;
        if (key) {
            event.type = HostEventType::kKeyDown;
            event.virtual_key = key;
            Inject(at_ms, event);
        }
        HostEvent typed;
        typed.type = HostEventType::kChar;
        typed.window = window;
        typed.character = static_cast<unsigned char>(c);
        Inject(at_ms, typed);
        if (key) {
            event.type = HostEventType::kKeyUp;
            Inject(at_ms, event);
        }
    }
}

void HeadlessHost::Click(HostWindowId window, int x, int y, double at_ms, MouseButton button) {
    HostEvent event;
    event.window = window;
    event.button = button;
    event.x = x;
    event.y = y;
    event.type = HostEventType::kButtonDown;
    Inject(at_ms, event);
    event.type = HostEventType::kButtonUp;
    Inject(at_ms, event);
}

void HeadlessHost::RequestClose(HostWindowId window, double at_ms) {
    HostEvent event;
    event.type = HostEventType::kCloseRequest;
    event.window = window;
    Inject(at_ms, event);
}

void HeadlessHost::Resize(HostWindowId window, int client_width, int client_height, double at_ms) {
    HostEvent event;
    event.type = HostEventType::kResized;
    event.window = window;
    event.width = client_width;
    event.height = client_height;
    Inject(at_ms, event);
}

const HeadlessHost::WindowRecord* HeadlessHost::Window(HostWindowId window) const {
    auto it = windows_.find(window);
    return it == windows_.end() ? nullptr : &it->second;
}

HostWindowId HeadlessHost::FindWindow(const std::string& title) const {
    HostWindowId found = 0;
    for (const auto& [id, record] : windows_)
        if (record.alive && record.title == title) found = id;
    return found;
}

void HeadlessHost::SetLimit(double limit_ms, std::function<void()> at_limit) {
    limit_ms_ = limit_ms;
    at_limit_ = std::move(at_limit);
}

void HeadlessHost::StopAtLimit() {
    now_ms_ = std::max(now_ms_, limit_ms_);
    if (at_limit_) {
        at_limit_();
    } else {
        limit_ms_ = kNoLimit;  // nobody to hand the turn to
    }
}

}  // namespace platform::headless
