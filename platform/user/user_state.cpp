#include "platform/user/user_state.h"

#include <algorithm>
#include <cassert>

#include "platform/core/handle_table.h"
#include "platform/session.h"
#include "platform/user/dialog/dialog.h"
#include "platform/user/geometry.h"

namespace platform::user {

UserState::UserState(Session& session) : session_(session) {
    RegisterSystemClasses(classes_);
}

UserState::~UserState() {
    DestroyAllSilently();
}

UserState& State() {
    return Session::Current().user();
}

Host& UserState::host() {
    return session_.host();
}
HandleTable& UserState::handles() {
    return session_.handles();
}
double UserState::Now() {
    return host().NowMs();
}

Window* UserState::Find(HWND hwnd) const {
    return session_.handles().Get<Window>(ToHandle(hwnd), ObjectKind::kWindow);
}

HWND UserState::Add(std::unique_ptr<Window> window) {
    Window* raw = window.get();
    HWND hwnd = ToHwnd(handles().Add(ObjectKind::kWindow, std::move(window)));
    raw->hwnd = hwnd;
    if (raw->IsChild()) {
        Window* parent = Find(raw->parent);
        assert(parent && "a child window needs a live parent");
        parent->children.push_back(hwnd);
    } else {
        top_levels_.push_back(hwnd);
    }
    return hwnd;
}

std::unique_ptr<Window> UserState::Remove(HWND hwnd) {
    Window* window = Find(hwnd);
    if (!window) return nullptr;
    if (window->IsChild()) {
        if (Window* parent = Find(window->parent)) std::erase(parent->children, hwnd);
    } else {
        std::erase(top_levels_, hwnd);
    }
    if (window->host_window) by_host_.erase(window->host_window);
    if (focus_ == hwnd) focus_ = nullptr;
    if (active_ == hwnd) active_ = nullptr;
    if (capture_ == hwnd) capture_ = nullptr;
    if (last_click_.hwnd == hwnd) last_click_ = Click{};
    timers_.KillAllOf(hwnd);
    DropMessagesFor(hwnd);
    auto object = handles().Remove(ToHandle(hwnd), ObjectKind::kWindow);
    return std::unique_ptr<Window>(static_cast<Window*>(object.release()));
}

void UserState::RegisterHostWindow(HWND hwnd, HostWindowId host_window) {
    by_host_[host_window] = hwnd;
}

Window* UserState::FindByHost(HostWindowId host_window) const {
    auto it = by_host_.find(host_window);
    return it == by_host_.end() ? nullptr : Find(it->second);
}

HWND UserState::TopLevelOf(HWND hwnd) const {
    const Window* window = Find(hwnd);
    while (window && window->IsChild()) {
        hwnd = window->parent;
        window = Find(hwnd);
    }
    return window ? hwnd : nullptr;
}

bool UserState::IsAncestor(HWND ancestor, HWND hwnd) const {
    for (const Window* window = Find(hwnd); window;) {
        if (hwnd == ancestor) return true;
        if (!window->IsChild()) return false;
        hwnd = window->parent;
        window = Find(hwnd);
    }
    return false;
}

bool UserState::IsEnabledChain(HWND hwnd) const {
    for (const Window* window = Find(hwnd); window; window = Find(window->parent)) {
        if (window->IsDisabledFlag()) return false;
        if (!window->IsChild()) return true;
    }
    return false;
}

bool UserState::IsVisibleChain(HWND hwnd) const {
    for (const Window* window = Find(hwnd); window; window = Find(window->parent)) {
        if (!window->IsVisibleFlag()) return false;
        if (!window->IsChild()) return true;
    }
    return false;
}

HWND UserState::ChildAt(HWND top_level, POINT point) const {
    HWND found = top_level;
    const Window* window = Find(top_level);
    POINT local = point;  // in the client coordinates of `window`
    while (window) {
        const Window* hit = nullptr;
        // Siblings stack in creation order, the first on top, as a dialog's controls do.
        for (HWND sibling : window->children) {
            const Window* child = Find(sibling);
            if (child && child->IsVisibleFlag() && Contains(child->rect, local)) {
                hit = child;
                break;
            }
        }
        if (!hit) break;
        if (hit->IsDisabledFlag()) return nullptr;  // a disabled control swallows the click
        RECT insets = FrameInsets(hit->style, hit->ex_style);
        local = POINT{local.x - hit->rect.left - insets.left, local.y - hit->rect.top - insets.top};
        found = hit->hwnd;
        window = hit;
    }
    return found;
}

LRESULT UserState::Send(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
    Window* window = Find(hwnd);
    if (!window || !window->proc) return 0;
    LRESULT result = window->proc(hwnd, message, wparam, lparam);
    if (Observer* observer = session_.observer())
        observer->MessageHandled(hwnd, message, wparam, lparam);
    return result;
}

void UserState::PostQuit(int exit_code) {
    quit_pending_ = true;
    quit_code_ = exit_code;
}

void UserState::DropMessagesFor(HWND hwnd) {
    std::erase_if(posted_, [&](const MSG& msg) { return msg.hwnd == hwnd; });
    std::erase_if(input_, [&](const InputMessage& input) { return input.msg.hwnd == hwnd; });
}

short UserState::KeyState(int virtual_key) const {
    uint8_t state = keys_[static_cast<uint8_t>(virtual_key)];
    return static_cast<short>(((state & 0x80) ? 0x8000 : 0) | (state & 0x01));
}

void UserState::SetKeyDown(int virtual_key, bool down) {
    uint8_t& state = keys_[static_cast<uint8_t>(virtual_key)];
    if (down && !(state & 0x80)) state ^= 0x01;
    state = static_cast<uint8_t>(down ? (state | 0x80) : (state & ~0x80));
}

void UserState::DestroyAllSilently() {
    tearing_down_ = true;
    // Children before parents, so every parent is still there while its children go.
    std::vector<HWND> order;
    std::vector<HWND> pending(top_levels_.rbegin(), top_levels_.rend());
    while (!pending.empty()) {
        HWND hwnd = pending.back();
        pending.pop_back();
        order.push_back(hwnd);
        if (Window* window = Find(hwnd))
            for (HWND child : window->children) pending.push_back(child);
    }
    for (auto it = order.rbegin(); it != order.rend(); ++it) {
        Window* window = Find(*it);
        if (window && window->host_window) host().DestroyWindow(window->host_window);
        Remove(*it);
    }
}

}  // namespace platform::user
