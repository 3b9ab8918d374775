// One finger on a phone's screen, turned into what the game already understands: a tap is a left
// click, a long press a right click, a swipe one press of an arrow key, which repeats as a held
// key does while the finger stays down. Positions are the page's pixels (a finger's size, not
// the game's); times are the host's clock. Plain C++, so that it is tested without a browser.
#pragma once

#include <vector>

#include "platform/core/key_repeat.h"

namespace platform::web {

struct TouchAction {
    enum class Kind { kClick, kRightClick, kKeyDown, kKeyUp };
    Kind kind = Kind::kClick;
    double x = 0;  // where a click falls
    double y = 0;
    int virtual_key = 0;  // an arrow, for the keys
    bool repeat = false;
};

class TouchGestures {
  public:
    static constexpr double kLongPressMs = 500;
    // How far a tap or a long press may wander, and how far a stroke goes to be a swipe.
    static constexpr double kTapSlop = 10;
    static constexpr double kSwipeDistance = 24;

    // Only the first finger down counts until it lifts; others are ignored.
    std::vector<TouchAction> Down(int finger, double x, double y, double now_ms);
    std::vector<TouchAction> Move(int finger, double x, double y, double now_ms);
    std::vector<TouchAction> Up(int finger, double x, double y, double now_ms);
    // The page took the finger away (a system gesture): a held arrow is let go, nothing clicks.
    std::vector<TouchAction> Cancel(int finger);
    // The long press and the repeats due at now_ms.
    std::vector<TouchAction> Advance(double now_ms);
    // When Advance next has something to do.
    double NextDeadlineMs() const;

  private:
    enum class State { kNone, kStill, kWandered, kSwiping, kPressedLong };

    void Swipe(int virtual_key, double now_ms, std::vector<TouchAction>* out);
    // The finger is gone: a held arrow is let go.
    void Lift(std::vector<TouchAction>* out);

    State state_ = State::kNone;
    int finger_ = 0;
    double start_x_ = 0, start_y_ = 0, start_ms_ = 0;
    // While swiping: the arrow held, and the point a turn is measured from.
    int arrow_ = 0;
    double anchor_x_ = 0, anchor_y_ = 0;
    KeyRepeat repeat_;  // of the arrow held
};

}  // namespace platform::web
