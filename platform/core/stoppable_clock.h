// The host's clock for the window system: the machine's monotonic time, less the time it stood
// still while nobody could see the game (a hidden page, a minimised main window). Timers, sounds
// and the round's clock then go on exactly where they were, and the window system never learns
// that time stopped, as it never learns the display scale.
#pragma once

namespace platform {

class StoppableClock {
  public:
    // The clock, given the machine's time; the same value throughout a stop.
    double Now(double machine_ms) const { return (stopped_ ? stopped_at_ : machine_ms) - lost_ms_; }
    void Stop(double machine_ms) {
        if (stopped_) return;
        stopped_ = true;
        stopped_at_ = machine_ms;
    }
    void Go(double machine_ms) {
        if (!stopped_) return;
        stopped_ = false;
        lost_ms_ += machine_ms - stopped_at_;
    }
    bool stopped() const { return stopped_; }

  private:
    bool stopped_ = false;
    double stopped_at_ = 0;
    double lost_ms_ = 0;
};

}  // namespace platform
