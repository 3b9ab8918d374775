// The update area of each window, kept as a bounding box: invalidating adds to it (and to the
// children under the rectangle, since a parent's painting covers them), validating removes
// what the rectangle covers.
#include <vector>

#include "platform/user/geometry.h"
#include "platform/user/painting.h"
#include "platform/user/user_state.h"

namespace platform::user {

void InvalidateWindow(UserState& state, HWND hwnd, const RECT* rect, Erase erase) {
    Window* window = state.Find(hwnd);
    if (!window) return;
    RECT client = ClientRect(*window);
    RECT area = rect ? Intersect(*rect, client) : client;
    if (!IsEmpty(area)) {
        window->update = Union(window->update, area);
        if (erase == Erase::kYes) window->update_erase = true;
    }
    // `area` in this window's client coordinates; each child sees it in its own.
    RECT target = rect ? *rect : client;
    std::vector<HWND> children = window->children;
    for (HWND child_hwnd : children) {
        Window* child = state.Find(child_hwnd);
        if (!child || !child->IsVisibleFlag()) continue;
        if (IsEmpty(Intersect(target, child->rect))) continue;
        child->frame_dirty = true;
        RECT insets = FrameInsets(child->style, child->ex_style);
        RECT local =
            Offset(target, -(child->rect.left + insets.left), -(child->rect.top + insets.top));
        InvalidateWindow(state, child_hwnd, &local, erase);
    }
}

void ValidateWindow(UserState& state, HWND hwnd, const RECT* rect) {
    Window* window = state.Find(hwnd);
    if (!window) return;
    if (!rect) {
        window->update = RECT{};
        window->update_erase = false;
        return;
    }
    RECT& update = window->update;
    if (IsEmpty(update)) return;
    RECT covered = Intersect(update, *rect);
    if (IsEmpty(covered)) return;
    bool full_width = covered.left == update.left && covered.right == update.right;
    bool full_height = covered.top == update.top && covered.bottom == update.bottom;
    if (full_width && full_height) {
        update = RECT{};
        window->update_erase = false;
    } else if (full_width && covered.top == update.top) {
        update.top = covered.bottom;
    } else if (full_width && covered.bottom == update.bottom) {
        update.bottom = covered.top;
    } else if (full_height && covered.left == update.left) {
        update.left = covered.right;
    } else if (full_height && covered.right == update.right) {
        update.right = covered.left;
    }
}

namespace {
bool NeedsPaint(const Window& window) {
    return !IsEmpty(window.update) || (window.IsChild() && window.frame_dirty);
}

void PaintTree(UserState& state, HWND hwnd) {
    Window* window = state.Find(hwnd);
    if (!window || !window->IsVisibleFlag()) return;
    // One WM_PAINT each: a procedure that leaves its area invalid is not called again here.
    if (NeedsPaint(*window)) state.Send(hwnd, WM_PAINT, 0, 0);
    window = state.Find(hwnd);
    if (!window) return;
    std::vector<HWND> children = window->children;
    for (HWND child : children) PaintTree(state, child);
}
}  // namespace

void PaintNow(UserState& state, HWND hwnd) {
    PaintTree(state, hwnd);
}

}  // namespace platform::user
