#include "platform/user/user_state.h"

#include <algorithm>
#include <cassert>

#include "platform/core/handle_table.h"
#include "platform/session.h"
#include "platform/user/geometry.h"

namespace platform::user {

UserState::UserState(Session& session) : session_(session), windows_(session.handles()) {}

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
    return windows_.Find(hwnd);
}

std::unique_ptr<Window> UserState::Remove(HWND hwnd) {
    if (!windows_.Find(hwnd)) return nullptr;
    input_.Forget(hwnd);
    timers_.KillAllOf(hwnd);
    DropMessagesFor(hwnd);
    return windows_.Remove(hwnd);
}

LRESULT UserState::Send(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
    Window* window = Find(hwnd);
    if (!window || !window->proc) return 0;
    LRESULT result = window->proc(hwnd, message, wparam, lparam);
    session_.Notify(
        [&](Observer& observer) { observer.MessageHandled(hwnd, message, wparam, lparam); });
    return result;
}

void UserState::PostQuit(int exit_code) {
    quit_pending_ = true;
    quit_code_ = exit_code;
}

void UserState::DropMessagesFor(HWND hwnd) {
    std::erase_if(posted_, [&](const MSG& msg) { return msg.hwnd == hwnd; });
    std::erase_if(input_queue_, [&](const InputMessage& input) { return input.msg.hwnd == hwnd; });
}

void UserState::DestroyAllSilently() {
    tearing_down_ = true;
    // Children before parents, so every parent is still there while its children go.
    std::vector<HWND> order;
    std::vector<HWND> pending(windows_.top_levels().rbegin(), windows_.top_levels().rend());
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
