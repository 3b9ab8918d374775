#include "platform/user/focus.h"

#include "platform/user/user_state.h"

namespace platform::user {

HWND SetFocusTo(UserState& state, HWND hwnd) {
    HWND old = state.input().focus();
    if (hwnd && !state.Find(hwnd)) return nullptr;
    if (hwnd == old) return old;
    if (hwnd) {
        HWND top = state.windows().TopLevelOf(hwnd);
        if (top != state.input().active()) {
            ActivateWindow(state, top);
            if (state.input().focus() == hwnd || !state.Find(hwnd)) return old;
            old = state.input().focus();
        }
    }
    if (old) state.Send(old, WM_KILLFOCUS, reinterpret_cast<WPARAM>(hwnd), 0);
    state.input().set_focus_raw(hwnd);
    if (hwnd) state.Send(hwnd, WM_SETFOCUS, reinterpret_cast<WPARAM>(old), 0);
    return old;
}

void ActivateWindow(UserState& state, HWND top_level) {
    HWND old = state.input().active();
    if (old == top_level) return;
    state.input().set_active_raw(top_level);
    if (old) state.Send(old, WM_ACTIVATE, kInactive, reinterpret_cast<LPARAM>(top_level));
    Window* window = state.Find(top_level);
    if (!window || state.input().active() != top_level) return;
    if (window->host_window) state.host().Focus(window->host_window);
    state.Send(top_level, WM_ACTIVATE, kActive, reinterpret_cast<LPARAM>(old));
}

void ActivateAnother(UserState& state, HWND leaving) {
    if (state.input().active() != leaving) return;
    auto suitable = [&](HWND hwnd) {
        const Window* window = state.Find(hwnd);
        return window && hwnd != leaving && !window->destroying && window->IsVisibleFlag() &&
               !window->IsDisabledFlag();
    };
    HWND next = nullptr;
    if (const Window* window = state.Find(leaving); window && suitable(window->owner))
        next = window->owner;
    const auto& tops = state.windows().top_levels();
    for (auto it = tops.rbegin(); !next && it != tops.rend(); ++it) {
        const Window* window = state.Find(*it);
        if (suitable(*it) && window->owner != leaving) next = *it;
    }
    if (state.input().focus() && state.windows().IsAncestor(leaving, state.input().focus())) {
        HWND focus = state.input().focus();
        state.input().set_focus_raw(nullptr);
        state.Send(focus, WM_KILLFOCUS, 0, 0);
    }
    if (next) {
        ActivateWindow(state, next);
        return;
    }
    state.input().set_active_raw(nullptr);
    state.Send(leaving, WM_ACTIVATE, kInactive, 0);
}

}  // namespace platform::user
