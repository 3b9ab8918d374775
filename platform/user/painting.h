// Update areas and painting: invalidation, the paint and client drawing contexts, the
// default background erase.
#pragma once

#include "platform/win32.h"

namespace platform::user {

class UserState;

enum class Erase { kNo, kYes };

// Adds a client rectangle (the whole client area for nullptr) to the window's update area and
// to the children it covers.
void InvalidateWindow(UserState& state, HWND hwnd, const RECT* rect, Erase erase);
// Takes a client rectangle (everything for nullptr) out of the window's update area.
void ValidateWindow(UserState& state, HWND hwnd, const RECT* rect);
// Sends WM_PAINT at once to the window and its children while they have something to paint.
void PaintNow(UserState& state, HWND hwnd);

// A box in a system colour.
void FillBox(HDC hdc, int left, int top, int right, int bottom, int colour_index);
// One ring of a 3-D edge in system colours, top and left then bottom and right; *r shrinks by a
// pixel on every side.
void DrawEdgeRing(HDC hdc, RECT* r, int top_left, int bottom_right);

// The default WM_PAINT and WM_ERASEBKGND.
void DefaultPaint(HWND hwnd);
LRESULT DefaultErase(HWND hwnd, HDC hdc);

}  // namespace platform::user
