// The page's game controllers, which the browser only lets us look at (navigator.getGamepads):
// each poll's readings are compared with the last, and what changed is pressed as the desktop's
// controllers press it. The d-pad and the left stick are the arrow keys (PadKeys: a keyboard's
// repeat), A (south) is Enter, B (east) is Escape, Start asks for fullscreen. A pad that is
// gone releases what it held. Plain C++, tested natively.
#pragma once

#include <map>
#include <vector>

#include "platform/core/pad_keys.h"

namespace platform::web {

// One pad as the page reads it, in the standard layout.
struct PadReading {
    enum Button : unsigned {
        kA = 1u << 0,
        kB = 1u << 1,
        kStart = 1u << 2,
        kUp = 1u << 3,
        kDown = 1u << 4,
        kLeft = 1u << 5,
        kRight = 1u << 6,
    };
    int pad = 0;           // the browser's index for it
    unsigned buttons = 0;  // the Buttons held
    int x = 0;             // the left stick, -PadKeys::kStickFull (left, up) to kStickFull
    int y = 0;
};

struct PadAction {
    enum class Kind { kKeyDown, kKeyUp, kFullscreen };
    Kind kind = Kind::kKeyDown;
    int virtual_key = 0;
    bool repeat = false;
    bool character = false;  // the key down also types its character (Enter, Escape)
};

class GamepadPoll {
  public:
    // Every pad plugged in now; what their changes since the last poll mean.
    std::vector<PadAction> Read(const std::vector<PadReading>& pads, double now_ms);
    std::vector<PadAction> Repeat(double now_ms);
    double NextRepeatMs() const { return directions_.NextRepeatMs(); }
    bool AnySeen() const { return !last_.empty(); }

  private:
    void Take(const PadReading& now, const PadReading& before, double now_ms,
              std::vector<PadAction>* out);

    std::map<int, PadReading> last_;
    PadKeys directions_;
};

}  // namespace platform::web
