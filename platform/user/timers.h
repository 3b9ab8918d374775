// Window timers on the host's clock. A timer is due once the clock reaches its next expiry;
// its message is made only when nothing else waits, so expiries that pass meanwhile merge
// into the one message, and the next expiry stays on the timer's own beat.
#pragma once

#include <cstdint>
#include <functional>
#include <limits>
#include <vector>

#include "platform/win32.h"

namespace platform::user {

class TimerList {
  public:
    // The system tick: the shortest interval a timer runs at (64 per second).
    static constexpr double kShortestIntervalMs = 15.625;
    static constexpr double kNever = std::numeric_limits<double>::infinity();

    struct Timer {
        HWND hwnd = nullptr;
        UINT_PTR id = 0;
        TIMERPROC proc = nullptr;
        double interval_ms = 0;
        double next_due_ms = 0;
        uint64_t order = 0;  // when it was (re)started: ties go to the one set first
    };

    static double IntervalFor(UINT elapse_ms);

    // Starts a timer, or restarts the one with the same window and id from now.
    void Set(HWND hwnd, UINT_PTR id, UINT elapse_ms, TIMERPROC proc, double now_ms);
    bool Kill(HWND hwnd, UINT_PTR id);
    void KillAllOf(HWND hwnd);
    bool Exists(HWND hwnd, UINT_PTR id) const;
    // A thread timer id not in use yet.
    UINT_PTR FreeThreadId() const;

    using Filter = std::function<bool(HWND)>;
    // The due timer whose message comes first (earliest expiry, then the one set first).
    const Timer* FirstDue(double now_ms, const Filter& accepts) const;
    // Its message was taken: every expiry up to now merges into it.
    void Consume(HWND hwnd, UINT_PTR id, double now_ms);
    // The earliest expiry among accepted timers; kNever when there is none.
    double NextDeadline(const Filter& accepts) const;

    size_t size() const { return timers_.size(); }

  private:
    std::vector<Timer> timers_;
    uint64_t next_order_ = 1;
};

}  // namespace platform::user
