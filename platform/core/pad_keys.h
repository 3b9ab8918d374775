// What a game controller's directions press, as a keyboard would: the d-pad's buttons and the
// left stick's sides are arrow keys, the last one held repeating as a held key does. A stick
// counts as pressed past half way and as released below a quarter, so a thumb resting near the
// threshold does not chatter. Each host reads its controllers its own way and hands them here.
#pragma once

#include <vector>

#include "platform/core/key_repeat.h"

namespace platform {

struct PadKey {
    int virtual_key = 0;
    bool down = true;
    bool repeat = false;
};

class PadKeys {
  public:
    static constexpr int kStickFull = 32767;

    // A direction named by its pad and its source (any number the host gives a button or a
    // stick side) goes down or up; the keys it makes are appended to *out.
    void Press(int pad, int source, int virtual_key, double now_ms, std::vector<PadKey>* out);
    void Release(int pad, int source, std::vector<PadKey>* out);
    // One stick axis at value (-kStickFull left or up to kStickFull); its two sides are the
    // sources low_source and low_source + 1.
    void Axis(int pad, int low_source, int low_key, int high_key, int value, double now_ms,
              std::vector<PadKey>* out);
    // A pad that went releases all it held.
    void Unplug(int pad, std::vector<PadKey>* out);
    void Clear();

    // The repeat of the last direction held, when due at now_ms.
    void Repeat(double now_ms, std::vector<PadKey>* out);
    double NextRepeatMs() const { return repeat_.NextMs(); }

  private:
    struct Held {
        int pad;
        int source;
        int virtual_key;
    };
    std::vector<Held> held_;  // in the order pressed; the last one repeats
    KeyRepeat repeat_;
};

}  // namespace platform
