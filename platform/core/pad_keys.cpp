#include "platform/core/pad_keys.h"

#include <algorithm>

namespace platform {

namespace {
constexpr int kPressed = 16384, kReleased = 8192;  // half and a quarter of the way
}  // namespace

void PadKeys::Press(int pad, int source, int virtual_key, double now_ms, std::vector<PadKey>* out) {
    for (const Held& held : held_)
        if (held.pad == pad && held.source == source) return;
    held_.push_back({pad, source, virtual_key});
    repeat_.Start(now_ms);
    out->push_back({.virtual_key = virtual_key});
}

void PadKeys::Release(int pad, int source, std::vector<PadKey>* out) {
    auto found = std::find_if(held_.begin(), held_.end(), [&](const Held& held) {
        return held.pad == pad && held.source == source;
    });
    if (found == held_.end()) return;
    bool was_repeating = found + 1 == held_.end();
    int virtual_key = found->virtual_key;
    held_.erase(found);
    // A key released ends the repeat, as on a keyboard; another one still held stays quiet.
    if (was_repeating) repeat_.Stop();
    out->push_back({.virtual_key = virtual_key, .down = false});
}

void PadKeys::Axis(int pad, int low_source, int low_key, int high_key, int value, double now_ms,
                   std::vector<PadKey>* out) {
    const int high_source = low_source + 1;
    if (value > -kReleased) Release(pad, low_source, out);
    if (value < kReleased) Release(pad, high_source, out);
    if (value <= -kPressed) Press(pad, low_source, low_key, now_ms, out);
    if (value >= kPressed) Press(pad, high_source, high_key, now_ms, out);
}

void PadKeys::Unplug(int pad, std::vector<PadKey>* out) {
    std::vector<Held> gone;
    for (const Held& held : held_)
        if (held.pad == pad) gone.push_back(held);
    for (const Held& held : gone) Release(held.pad, held.source, out);
}

void PadKeys::Clear() {
    held_.clear();
    repeat_.Stop();
}

void PadKeys::Repeat(double now_ms, std::vector<PadKey>* out) {
    if (held_.empty() || !repeat_.Due(now_ms)) return;
    out->push_back({.virtual_key = held_.back().virtual_key, .repeat = true});
}

}  // namespace platform
