// Retrieval order: posted messages, input, the quit request, then WM_PAINT for a window with
// something to repaint, then WM_TIMER for a due timer. Paint and timer messages are made only
// when nothing of higher priority waits; before waiting, changed windows are presented.
#include <cmath>

#include "platform/user/geometry.h"
#include "platform/user/user_state.h"

namespace platform::user {

namespace {
bool InRange(UINT message, UINT first, UINT last) {
    if (first == 0 && last == 0) return true;
    return message >= first && message <= last;
}
}  // namespace

bool UserState::Accepts(HWND filter, HWND hwnd) const {
    return !filter || windows_.IsAncestor(filter, hwnd);
}

bool UserState::TakePosted(MSG* msg, HWND filter, UINT first, UINT last, Removal removal) {
    for (auto it = posted_.begin(); it != posted_.end(); ++it) {
        if (!InRange(it->message, first, last)) continue;
        if (filter && it->message != WM_QUIT && !Accepts(filter, it->hwnd)) continue;
        *msg = *it;
        if (removal == Removal::kRemove) posted_.erase(it);
        return true;
    }
    return false;
}

bool UserState::TakeInput(MSG* msg, HWND filter, UINT first, UINT last, Removal removal) {
    for (auto it = input_queue_.begin(); it != input_queue_.end(); ++it) {
        if (!InRange(it->msg.message, first, last) || !Accepts(filter, it->msg.hwnd)) continue;
        *msg = it->msg;
        if (removal == Removal::kRemove) {
            InputMessage taken = *it;
            input_queue_.erase(it);
            // The keyboard state follows the messages as the program reads them.
            if (taken.key_down || taken.key_up) input_.SetKeyDown(VK_SHIFT, taken.shift);
            if (taken.key_down) input_.SetKeyDown(taken.key_down, true);
            if (taken.key_up) input_.SetKeyDown(taken.key_up, false);
        }
        return true;
    }
    return false;
}

HWND UserState::FindPaintIn(HWND hwnd, HWND filter) const {
    const Window* window = Find(hwnd);
    if (!window || !window->IsVisibleFlag()) return nullptr;
    if (!window->IsChild() && window->show_state == ShowState::kMinimized) return nullptr;
    bool frame = window->IsChild() && window->frame_dirty;
    if ((!IsEmpty(window->update) || frame) && Accepts(filter, hwnd)) return hwnd;
    for (HWND child : window->children)
        if (HWND found = FindPaintIn(child, filter)) return found;
    return nullptr;
}

bool UserState::FindPaint(MSG* msg, HWND filter, UINT first, UINT last) {
    if (!InRange(WM_PAINT, first, last)) return false;
    for (HWND top : windows_.top_levels()) {
        if (HWND hwnd = FindPaintIn(top, filter)) {
            *msg = MSG{hwnd, WM_PAINT, 0, 0, static_cast<DWORD>(Now()), POINT{}};
            return true;
        }
    }
    return false;
}

bool UserState::TakeTimer(MSG* msg, HWND filter, UINT first, UINT last, Removal removal) {
    if (!InRange(WM_TIMER, first, last)) return false;
    double now = Now();
    const TimerList::Timer* timer =
        timers_.FirstDue(now, [&](HWND hwnd) { return !hwnd ? !filter : Accepts(filter, hwnd); });
    if (!timer) return false;
    *msg = MSG{timer->hwnd,
               WM_TIMER,
               timer->id,
               reinterpret_cast<LPARAM>(timer->proc),
               static_cast<DWORD>(now),
               POINT{}};
    if (removal == Removal::kRemove) timers_.Consume(timer->hwnd, timer->id, now);
    return true;
}

bool UserState::PumpHost(double deadline_ms) {
    HostEvent event;
    if (!host().WaitEvent(deadline_ms, &event)) return false;
    TakeHostEvent(event);
    return true;
}

void UserState::PresentDirty() {
    for (HWND hwnd : windows_.top_levels()) {
        Window* window = Find(hwnd);
        if (!window || !window->surface || !window->host_window) continue;
        if (!window->IsVisibleFlag() || !window->surface->HasDirty()) continue;
        host().Present(window->host_window, *window->surface);
        window->surface->ClearDirty();
    }
}

bool UserState::Retrieve(MSG* msg, HWND filter, UINT first, UINT last, Removal removal,
                         Waiting waiting) {
    for (;;) {
        // Input that has already arrived joins the queue first; a past deadline only polls.
        while (PumpHost(-1.0)) {
        }
        if (TakePosted(msg, filter, first, last, removal)) return true;
        if (TakeInput(msg, filter, first, last, removal)) return true;
        if (quit_pending_ && InRange(WM_QUIT, first, last)) {
            *msg =
                MSG{nullptr, WM_QUIT, static_cast<WPARAM>(quit_code_), 0, static_cast<DWORD>(Now()),
                    POINT{}};
            if (removal == Removal::kRemove) quit_pending_ = false;
            return true;
        }
        if (FindPaint(msg, filter, first, last)) return true;
        if (TakeTimer(msg, filter, first, last, removal)) return true;
        PresentDirty();
        if (waiting == Waiting::kPollOnly) return false;
        double deadline = TimerList::kNever;
        if (InRange(WM_TIMER, first, last))
            deadline = timers_.NextDeadline(
                [&](HWND hwnd) { return !hwnd ? !filter : Accepts(filter, hwnd); });
        PumpHost(deadline);
    }
}

}  // namespace platform::user
