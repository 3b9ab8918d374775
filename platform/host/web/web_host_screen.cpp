// How the web host shows its windows: each changed box of the screen is composed from the
// windows in it, bottom first, into one RGBA picture, and the boxes whose pixels changed since
// the program last waited go to the canvas together, neighbours merged, when it waits again
// (after a batch of messages, as the desktop presents). A box drawn again with the same pixels
// (the status numbers, every tick) is not shown again: the browser composites the union of
// what a frame changed, so it would cost far more than its own pixels.
#include <algorithm>
#include <cstring>

#include "page.h"
#include "web_host.h"

namespace platform::web {

namespace {

uint32_t ToCanvas(uint32_t rgb) {
    return 0xff000000u | ((rgb >> 16) & 0xffu) | (rgb & 0xff00u) | ((rgb & 0xffu) << 16);
}

// Callers clip: [from, from + count) lies inside both rows. True when a pixel changed. Two
// pixels at a time: red and blue change places in both halves of a 64-bit word.
bool CopyToCanvas(const uint32_t* from, uint32_t* to, int count) {
    constexpr uint64_t kAlpha = 0xFF000000FF000000ull, kGreen = 0x0000FF000000FF00ull,
                       kLow = 0x000000FF000000FFull;
    uint64_t changed = 0;
    int i = 0;
    for (; i + 2 <= count; i += 2) {
        uint64_t pair, old;
        std::memcpy(&pair, from + i, sizeof pair);
        std::memcpy(&old, to + i, sizeof old);
        pair = kAlpha | (pair & kGreen) | ((pair >> 16) & kLow) | ((pair & kLow) << 16);
        changed |= old ^ pair;
        std::memcpy(to + i, &pair, sizeof pair);
    }
    for (; i < count; ++i) {
        uint32_t pixel = ToCanvas(from[i]);
        changed |= to[i] ^ pixel;
        to[i] = pixel;
    }
    return changed != 0;
}

bool FillRow(uint32_t* to, int count, uint32_t pixel) {
    uint32_t changed = 0;
    for (int i = 0; i < count; ++i) {
        changed |= to[i] ^ pixel;
        to[i] = pixel;
    }
    return changed != 0;
}

int Area(int left, int top, int right, int bottom) {
    return std::max(right - left, 0) * std::max(bottom - top, 0);
}

}  // namespace

bool WebHost::Covers(const Window& window, Box box) const {
    Box outer = Outer(window);
    return window.visible && outer.left <= box.left && outer.top <= box.top &&
           outer.right >= box.right && outer.bottom >= box.bottom;
}

void WebHost::Compose(Box box) {
    box = {std::max(box.left, 0), std::max(box.top, 0), std::min(box.right, kScreenWidth),
           std::min(box.bottom, kScreenHeight)};
    if (box.left >= box.right || box.top >= box.bottom) return;
    // Every window is opaque: those under one that covers the whole box cannot show.
    size_t first = z_order_.size();
    while (first > 0 && !Covers(windows_.at(z_order_[first - 1]), box)) --first;
    bool changed = false;
    if (first == 0) {
        for (int y = box.top; y < box.bottom; ++y)
            changed |= FillRow(&screen_[size_t(y) * kScreenWidth + box.left], box.right - box.left,
                               kDesktop);
    } else {
        --first;
    }
    for (size_t i = first; i < z_order_.size(); ++i) {
        const Window& window = windows_.at(z_order_[i]);
        if (window.visible) changed |= ComposeWindow(window, box);
    }
    if (changed) MarkShown(box);
}

bool WebHost::ComposeWindow(const Window& window, Box box) {
    const bool active =
        keyboard_ && z_order_.back() == keyboard_ && &windows_.at(keyboard_) == &window;
    const Surface& frame = active ? window.frame.active : window.frame.inactive;
    Box outer = Outer(window);
    int top = std::max(box.top, outer.top), bottom = std::min(box.bottom, outer.bottom);
    int left = std::max(box.left, outer.left), right = std::min(box.right, outer.right);
    if (left >= right) return false;
    // The client area's columns on the screen, within this box.
    const int client_x = window.x + window.frame.client_left;
    const int client_from = std::clamp(client_x, left, right);
    const Surface& client = window.client();
    const int client_to = std::clamp(client_x + client.width, left, right);
    bool changed = false;
    for (int y = top; y < bottom; ++y) {
        uint32_t* to = &screen_[size_t(y) * kScreenWidth];
        const int row = y - window.y, client_row = row - window.frame.client_top;
        const bool client_line = client_row >= 0 && client_row < client.height;
        if (client_line && client_from < client_to)
            changed |= CopyToCanvas(client.Row(client_row) + (client_from - client_x),
                                    to + client_from, client_to - client_from);
        if (!frame.width) continue;
        // The frame's pixel under screen column x is frame_row[x - window.x].
        const uint32_t* frame_row = frame.Row(row);
        if (!client_line || client_from >= client_to) {
            changed |= CopyToCanvas(frame_row + (left - window.x), to + left, right - left);
            continue;
        }
        changed |= CopyToCanvas(frame_row + (left - window.x), to + left, client_from - left);
        changed |=
            CopyToCanvas(frame_row + (client_to - window.x), to + client_to, right - client_to);
    }
    return changed;
}

// A box joins one it touches or nearly touches when their union shows few pixels that neither
// holds: one copy then serves both.
void WebHost::MarkShown(Box box) {
    constexpr int kSlackPixels = 4096;
    for (size_t i = 0; i < shown_.size(); ++i) {
        const Box& other = shown_[i];
        Box both{std::min(box.left, other.left), std::min(box.top, other.top),
                 std::max(box.right, other.right), std::max(box.bottom, other.bottom)};
        int apart = Area(box.left, box.top, box.right, box.bottom) +
                    Area(other.left, other.top, other.right, other.bottom);
        if (Area(both.left, both.top, both.right, both.bottom) > apart + kSlackPixels) continue;
        shown_.erase(shown_.begin() + static_cast<ptrdiff_t>(i));
        MarkShown(both);
        return;
    }
    shown_.push_back(box);
}

void WebHost::ShowChanges() {
    for (const Box& box : shown_)
        page::Show(screen_.data(), kScreenWidth, kScreenHeight, box.left, box.top,
                   box.right - box.left, box.bottom - box.top);
    shown_.clear();
}

}  // namespace platform::web
