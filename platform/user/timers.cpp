#include "platform/user/timers.h"

#include <algorithm>
#include <cmath>

namespace platform::user {

double TimerList::IntervalFor(UINT elapse_ms) {
    // Below the system's minimum (10 ms, 0 included) a timer runs at the tick.
    if (elapse_ms < 10) return kShortestIntervalMs;
    return static_cast<double>(elapse_ms);
}

void TimerList::Set(HWND hwnd, UINT_PTR id, UINT elapse_ms, TIMERPROC proc, double now_ms) {
    Timer timer{hwnd, id, proc, IntervalFor(elapse_ms), 0, next_order_++};
    timer.next_due_ms = now_ms + timer.interval_ms;
    for (Timer& existing : timers_) {
        if (existing.hwnd == hwnd && existing.id == id) {
            existing = timer;
            return;
        }
    }
    timers_.push_back(timer);
}

bool TimerList::Kill(HWND hwnd, UINT_PTR id) {
    auto it = std::find_if(timers_.begin(), timers_.end(),
                           [&](const Timer& t) { return t.hwnd == hwnd && t.id == id; });
    if (it == timers_.end()) return false;
    timers_.erase(it);
    return true;
}

void TimerList::KillAllOf(HWND hwnd) {
    std::erase_if(timers_, [&](const Timer& t) { return t.hwnd == hwnd; });
}

bool TimerList::Exists(HWND hwnd, UINT_PTR id) const {
    return std::any_of(timers_.begin(), timers_.end(),
                       [&](const Timer& t) { return t.hwnd == hwnd && t.id == id; });
}

UINT_PTR TimerList::FreeThreadId() const {
    UINT_PTR id = 1;
    while (Exists(nullptr, id)) ++id;
    return id;
}

const TimerList::Timer* TimerList::FirstDue(double now_ms, const Filter& accepts) const {
    const Timer* first = nullptr;
    for (const Timer& timer : timers_) {
        if (timer.next_due_ms > now_ms || !accepts(timer.hwnd)) continue;
        if (!first || timer.next_due_ms < first->next_due_ms ||
            (timer.next_due_ms == first->next_due_ms && timer.order < first->order))
            first = &timer;
    }
    return first;
}

void TimerList::Consume(HWND hwnd, UINT_PTR id, double now_ms) {
    for (Timer& timer : timers_) {
        if (timer.hwnd != hwnd || timer.id != id) continue;
        if (timer.next_due_ms > now_ms) return;
        // Every expiry up to now is covered by this message; keep the beat.
        double missed = std::floor((now_ms - timer.next_due_ms) / timer.interval_ms);
        timer.next_due_ms += (missed + 1) * timer.interval_ms;
        return;
    }
}

double TimerList::NextDeadline(const Filter& accepts) const {
    double deadline = kNever;
    for (const Timer& timer : timers_)
        if (accepts(timer.hwnd)) deadline = std::min(deadline, timer.next_due_ms);
    return deadline;
}

}  // namespace platform::user
