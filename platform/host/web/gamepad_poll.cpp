#include "gamepad_poll.h"

namespace platform::web {

namespace {

constexpr int kVkReturn = 0x0D, kVkEscape = 0x1B;
// Directions as sources: the d-pad's four buttons, then the stick's sides, left and right, then
// up and down.
constexpr int kStickX = 4, kStickY = kStickX + 2;

struct Arrow {
    unsigned button;
    int virtual_key;
};
constexpr Arrow kArrows[] = {{PadReading::kUp, kVkUp},
                             {PadReading::kDown, kVkDown},
                             {PadReading::kLeft, kVkLeft},
                             {PadReading::kRight, kVkRight}};

void Append(const std::vector<PadKey>& keys, std::vector<PadAction>* out) {
    for (const PadKey& key : keys)
        out->push_back({.kind = key.down ? PadAction::Kind::kKeyDown : PadAction::Kind::kKeyUp,
                        .virtual_key = key.virtual_key,
                        .repeat = key.repeat});
}

}  // namespace

std::vector<PadAction> GamepadPoll::Read(const std::vector<PadReading>& pads, double now_ms) {
    std::vector<PadAction> out;
    std::map<int, PadReading> seen;
    for (const PadReading& pad : pads) {
        auto before = last_.find(pad.pad);
        Take(pad, before == last_.end() ? PadReading{.pad = pad.pad} : before->second, now_ms,
             &out);
        seen[pad.pad] = pad;
    }
    for (const auto& [index, pad] : last_) {
        if (seen.contains(index)) continue;
        std::vector<PadKey> keys;
        directions_.Unplug(index, &keys);
        Append(keys, &out);
        // Enter or Escape held on a pad that went is let go too.
        Take(PadReading{.pad = index}, PadReading{.pad = index, .buttons = pad.buttons & 3u},
             now_ms, &out);
    }
    last_ = std::move(seen);
    return out;
}

void GamepadPoll::Take(const PadReading& now, const PadReading& before, double now_ms,
                       std::vector<PadAction>* out) {
    const unsigned pressed = now.buttons & ~before.buttons,
                   released = before.buttons & ~now.buttons;
    std::vector<PadKey> keys;
    for (int source = 0; source < 4; ++source) {
        const Arrow& arrow = kArrows[source];
        if (released & arrow.button) directions_.Release(now.pad, source, &keys);
        if (pressed & arrow.button)
            directions_.Press(now.pad, source, arrow.virtual_key, now_ms, &keys);
    }
    if (now.x != before.x)
        directions_.Axis(now.pad, kStickX, kVkLeft, kVkRight, now.x, now_ms, &keys);
    if (now.y != before.y) directions_.Axis(now.pad, kStickY, kVkUp, kVkDown, now.y, now_ms, &keys);
    Append(keys, out);
    for (auto [button, key] : {std::pair{PadReading::kA, kVkReturn}, {PadReading::kB, kVkEscape}}) {
        if (pressed & button)
            out->push_back(
                {.kind = PadAction::Kind::kKeyDown, .virtual_key = key, .character = true});
        if (released & button)
            out->push_back({.kind = PadAction::Kind::kKeyUp, .virtual_key = key});
    }
    if (pressed & PadReading::kStart) out->push_back({.kind = PadAction::Kind::kFullscreen});
}

std::vector<PadAction> GamepadPoll::Repeat(double now_ms) {
    std::vector<PadKey> keys;
    directions_.Repeat(now_ms, &keys);
    std::vector<PadAction> out;
    Append(keys, &out);
    return out;
}

}  // namespace platform::web
