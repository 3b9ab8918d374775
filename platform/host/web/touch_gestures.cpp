#include "touch_gestures.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace platform::web {

namespace {

constexpr double kNever = std::numeric_limits<double>::infinity();

double Reach(double dx, double dy) {
    return std::max(std::abs(dx), std::abs(dy));
}

// The arrow a stroke points along: its longer side (the page's y grows downwards).
int ArrowOf(double dx, double dy) {
    if (std::abs(dx) > std::abs(dy)) return dx < 0 ? kVkLeft : kVkRight;
    return dy < 0 ? kVkUp : kVkDown;
}

TouchAction Key(TouchAction::Kind kind, int virtual_key, bool repeat = false) {
    return {.kind = kind, .virtual_key = virtual_key, .repeat = repeat};
}

}  // namespace

std::vector<TouchAction> TouchGestures::Down(int finger, double x, double y, double now_ms) {
    if (state_ != State::kNone) return {};
    state_ = State::kStill;
    finger_ = finger;
    start_x_ = x, start_y_ = y, start_ms_ = now_ms;
    return {};
}

std::vector<TouchAction> TouchGestures::Move(int finger, double x, double y, double now_ms) {
    std::vector<TouchAction> out;
    if (state_ == State::kNone || finger != finger_) return out;
    double dx = x - start_x_, dy = y - start_y_;
    switch (state_) {
        case State::kStill:
        case State::kWandered:
            if (Reach(dx, dy) >= kSwipeDistance) {
                Swipe(ArrowOf(dx, dy), now_ms, &out);
                anchor_x_ = x, anchor_y_ = y;
            } else if (Reach(dx, dy) > kTapSlop) {
                state_ = State::kWandered;
            }
            break;
        case State::kSwiping: {
            // Further along the same way moves the anchor; a stroke another way turns.
            double from_x = x - anchor_x_, from_y = y - anchor_y_;
            if (ArrowOf(from_x, from_y) == arrow_) {
                anchor_x_ = x, anchor_y_ = y;
            } else if (Reach(from_x, from_y) >= kSwipeDistance) {
                out.push_back(Key(TouchAction::Kind::kKeyUp, arrow_));
                Swipe(ArrowOf(from_x, from_y), now_ms, &out);
                anchor_x_ = x, anchor_y_ = y;
            }
            break;
        }
        default:
            break;
    }
    return out;
}

std::vector<TouchAction> TouchGestures::Up(int finger, double x, double y, double now_ms) {
    std::vector<TouchAction> out;
    if (state_ == State::kNone || finger != finger_) return out;
    double dx = x - start_x_, dy = y - start_y_;
    if (state_ == State::kStill || state_ == State::kWandered) {
        // A flick can be over before the page reports any movement.
        if (Reach(dx, dy) >= kSwipeDistance) {
            Swipe(ArrowOf(dx, dy), now_ms, &out);
        } else if (state_ == State::kStill && Reach(dx, dy) <= kTapSlop) {
            // Held long enough while the program was too busy to look at the time.
            bool long_press = now_ms >= start_ms_ + kLongPressMs;
            out.push_back(
                {.kind = long_press ? TouchAction::Kind::kRightClick : TouchAction::Kind::kClick,
                 .x = start_x_,
                 .y = start_y_});
        }
    }
    Lift(&out);
    return out;
}

std::vector<TouchAction> TouchGestures::Cancel(int finger) {
    std::vector<TouchAction> out;
    if (state_ != State::kNone && finger == finger_) Lift(&out);
    return out;
}

void TouchGestures::Lift(std::vector<TouchAction>* out) {
    if (state_ == State::kSwiping) out->push_back(Key(TouchAction::Kind::kKeyUp, arrow_));
    state_ = State::kNone;
    repeat_.Stop();
}

std::vector<TouchAction> TouchGestures::Advance(double now_ms) {
    std::vector<TouchAction> out;
    if (state_ == State::kStill && now_ms >= start_ms_ + kLongPressMs) {
        out.push_back({.kind = TouchAction::Kind::kRightClick, .x = start_x_, .y = start_y_});
        state_ = State::kPressedLong;
    } else if (state_ == State::kSwiping && repeat_.Due(now_ms)) {
        out.push_back(Key(TouchAction::Kind::kKeyDown, arrow_, true));
    }
    return out;
}

double TouchGestures::NextDeadlineMs() const {
    if (state_ == State::kStill) return start_ms_ + kLongPressMs;
    if (state_ == State::kSwiping) return repeat_.NextMs();
    return kNever;
}

void TouchGestures::Swipe(int virtual_key, double now_ms, std::vector<TouchAction>* out) {
    state_ = State::kSwiping;
    arrow_ = virtual_key;
    repeat_.Start(now_ms);
    out->push_back(Key(TouchAction::Kind::kKeyDown, virtual_key));
}

}  // namespace platform::web
