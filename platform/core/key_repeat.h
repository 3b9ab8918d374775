// A key held by something other than a keyboard (a pad's button, a finger after a swipe),
// repeated as the keyboard repeats a held key: a first repeat after half a second, then 30 a
// second. Also the arrows' virtual-key codes, which every host's controls press.
#pragma once

#include <limits>

namespace platform {

inline constexpr int kVkLeft = 0x25, kVkUp = 0x26, kVkRight = 0x27, kVkDown = 0x28;

class KeyRepeat {
  public:
    static constexpr double kFirstRepeatMs = 500;
    static constexpr double kRepeatMs = 1000.0 / 30;

    void Start(double now_ms) { next_ms_ = now_ms + kFirstRepeatMs; }
    void Stop() { next_ms_ = kNever; }
    // Whether a repeat is due at now_ms. One per call: a keyboard that fell behind does not
    // send a burst.
    bool Due(double now_ms) {
        if (now_ms < next_ms_) return false;
        next_ms_ += kRepeatMs;
        if (next_ms_ <= now_ms) next_ms_ = now_ms + kRepeatMs;
        return true;
    }
    // When the next repeat is due; infinity when none is.
    double NextMs() const { return next_ms_; }

  private:
    static constexpr double kNever = std::numeric_limits<double>::infinity();
    double next_ms_ = kNever;
};

}  // namespace platform
