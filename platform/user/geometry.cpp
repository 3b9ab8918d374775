#include "platform/user/geometry.h"

#include <algorithm>

#include "platform/user/user_state.h"

namespace platform::user {

RECT FrameInsets(DWORD style, DWORD ex_style) {
    int side = 0;
    if (style & WS_THICKFRAME) {
        side = kFrame;
    } else if ((style & WS_DLGFRAME) || (ex_style & WS_EX_DLGMODALFRAME)) {
        side = kDialogFrame;
    } else if (style & WS_BORDER) {
        side = kBorder;
    }
    if (ex_style & WS_EX_CLIENTEDGE) side += kEdge;
    if (HasStaticEdge(ex_style)) side += kBorder;
    int top = side;
    if ((style & WS_CAPTION) == WS_CAPTION) top += kCaption;
    return RECT{side, top, side, side};
}

RECT Intersect(const RECT& a, const RECT& b) {
    RECT r{std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
           std::min(a.bottom, b.bottom)};
    if (IsEmpty(r)) return RECT{};
    return r;
}

RECT Union(const RECT& a, const RECT& b) {
    if (IsEmpty(a)) return b;
    if (IsEmpty(b)) return a;
    return RECT{std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right),
                std::max(a.bottom, b.bottom)};
}

RECT Offset(RECT r, int dx, int dy) {
    r.left += dx, r.right += dx, r.top += dy, r.bottom += dy;
    return r;
}

RECT ClientRect(const Window& window) {
    RECT insets = FrameInsets(window.style, window.ex_style);
    int width = Width(window.rect) - insets.left - insets.right;
    int height = Height(window.rect) - insets.top - insets.bottom;
    return RECT{0, 0, std::max(width, 0), std::max(height, 0)};
}

POINT ClientOriginInTop(const UserState& state, HWND hwnd) {
    const Window* window = state.Find(hwnd);
    if (!window || !window->IsChild()) return POINT{0, 0};
    POINT origin = ClientOriginInTop(state, window->parent);
    RECT insets = FrameInsets(window->style, window->ex_style);
    return POINT{origin.x + window->rect.left + insets.left,
                 origin.y + window->rect.top + insets.top};
}

RECT VisibleClientInTop(const UserState& state, HWND hwnd) {
    const Window* window = state.Find(hwnd);
    if (!window) return RECT{};
    POINT origin = ClientOriginInTop(state, hwnd);
    RECT client = Offset(ClientRect(*window), origin.x, origin.y);
    if (!window->IsChild()) return client;
    return Intersect(client, VisibleClientInTop(state, window->parent));
}

POINT ClientOriginOnScreen(const UserState& state, HWND hwnd) {
    HWND top = state.windows().TopLevelOf(hwnd);
    const Window* top_window = state.Find(top);
    if (!top_window) return POINT{0, 0};
    RECT insets = FrameInsets(top_window->style, top_window->ex_style);
    POINT in_top = ClientOriginInTop(state, hwnd);
    return POINT{top_window->rect.left + insets.left + in_top.x,
                 top_window->rect.top + insets.top + in_top.y};
}

}  // namespace platform::user
