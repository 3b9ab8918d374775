// Where a window's client area lies: frame thickness by style, and client rectangles in the
// top-level window's surface and on the screen.
#pragma once

#include "platform/user/window.h"
#include "platform/win32.h"

namespace platform::user {

class UserState;

// Classic metrics.
inline constexpr int kFrame = 4;        // a sizing border
inline constexpr int kDialogFrame = 3;  // a dialog frame
inline constexpr int kCaption = 19;
inline constexpr int kEdge = 2;
inline constexpr int kBorder = 1;

// The thickness of the frame on each side: the outer rectangle minus the client rectangle.
RECT FrameInsets(DWORD style, DWORD ex_style);
// A static edge is an outer frame, which a modal dialog frame replaces.
inline bool HasStaticEdge(DWORD ex_style) {
    return (ex_style & (WS_EX_STATICEDGE | WS_EX_DLGMODALFRAME)) == WS_EX_STATICEDGE;
}

inline int Width(const RECT& r) {
    return r.right - r.left;
}
inline int Height(const RECT& r) {
    return r.bottom - r.top;
}
inline bool IsEmpty(const RECT& r) {
    return r.left >= r.right || r.top >= r.bottom;
}
RECT Intersect(const RECT& a, const RECT& b);
RECT Union(const RECT& a, const RECT& b);  // of non-empty parts
RECT Offset(RECT r, int dx, int dy);
inline bool Contains(const RECT& r, POINT p) {
    return p.x >= r.left && p.x < r.right && p.y >= r.top && p.y < r.bottom;
}

// (0, 0, width, height) of the client area.
RECT ClientRect(const Window& window);
// The client area's top-left corner in its top-level window's client coordinates.
POINT ClientOriginInTop(const UserState& state, HWND hwnd);
// The part of the client area that its parents leave visible, in top-level client coordinates.
RECT VisibleClientInTop(const UserState& state, HWND hwnd);
// The client area's top-left corner on the screen.
POINT ClientOriginOnScreen(const UserState& state, HWND hwnd);

}  // namespace platform::user
