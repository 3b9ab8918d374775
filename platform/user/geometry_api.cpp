// Window rectangles, coordinates and the classic system metrics.
#include "platform/user/geometry.h"
#include "platform/user/painting.h"
#include "platform/user/user_state.h"
#include "platform/win32.h"

using platform::user::State;
using platform::user::UserState;
using platform::user::Window;

namespace {

// Moves and sizes a window (outer rectangle in its own coordinate space) and tells it.
void Reposition(UserState& state, HWND hwnd, RECT rect, bool repaint) {
    Window* window = state.Find(hwnd);
    RECT old = window->rect;
    if (old.left == rect.left && old.top == rect.top && old.right == rect.right &&
        old.bottom == rect.bottom)
        return;
    window->rect = rect;
    bool resized = platform::user::Width(old) != platform::user::Width(rect) ||
                   platform::user::Height(old) != platform::user::Height(rect);
    RECT client = platform::user::ClientRect(*window);
    if (resized && window->surface)
        window->surface->Resize(platform::user::Width(client), platform::user::Height(client));
    if (repaint && window->IsVisibleFlag()) {
        if (window->IsChild()) {
            platform::user::InvalidateWindow(state, window->parent, &old,
                                             platform::user::Erase::kYes);
            platform::user::InvalidateWindow(state, window->parent, &rect,
                                             platform::user::Erase::kYes);
        } else {
            platform::user::InvalidateWindow(state, hwnd, nullptr, platform::user::Erase::kYes);
        }
    }
    if (old.left != rect.left || old.top != rect.top) {
        POINT origin = window->IsChild() ? POINT{rect.left, rect.top}
                                         : platform::user::ClientOriginOnScreen(state, hwnd);
        state.Send(hwnd, WM_MOVE, 0, MAKELPARAM(origin.x, origin.y));
    }
    if (resized && state.Find(hwnd))
        state.Send(hwnd, WM_SIZE, SIZE_RESTORED,
                   MAKELPARAM(platform::user::Width(client), platform::user::Height(client)));
}

}  // namespace

BOOL WINAPI GetClientRect(HWND hwnd, LPRECT rect) {
    Window* window = State().Find(hwnd);
    if (!window || !rect) return FALSE;
    *rect = platform::user::ClientRect(*window);
    return TRUE;
}

BOOL WINAPI GetWindowRect(HWND hwnd, LPRECT rect) {
    UserState& state = State();
    Window* window = state.Find(hwnd);
    if (!window || !rect) return FALSE;
    *rect = window->rect;
    if (window->IsChild()) {
        POINT origin = platform::user::ClientOriginOnScreen(state, window->parent);
        *rect = platform::user::Offset(*rect, origin.x, origin.y);
    }
    return TRUE;
}

BOOL WINAPI MoveWindow(HWND hwnd, int x, int y, int width, int height, BOOL repaint) {
    UserState& state = State();
    if (!state.Find(hwnd)) return FALSE;
    if (width < 0) width = 0;
    if (height < 0) height = 0;
    Reposition(state, hwnd, RECT{x, y, x + width, y + height}, repaint != FALSE);
    return TRUE;
}

BOOL WINAPI SetWindowPos(HWND hwnd, HWND, int x, int y, int cx, int cy, UINT flags) {
    UserState& state = State();
    Window* window = state.Find(hwnd);
    if (!window) return FALSE;
    RECT rect = window->rect;
    if (!(flags & SWP_NOMOVE)) rect = platform::user::Offset(rect, x - rect.left, y - rect.top);
    if (!(flags & SWP_NOSIZE)) {
        rect.right = rect.left + (cx < 0 ? 0 : cx);
        rect.bottom = rect.top + (cy < 0 ? 0 : cy);
    }
    Reposition(state, hwnd, rect, true);
    if (flags & SWP_SHOWWINDOW) ShowWindow(hwnd, (flags & SWP_NOACTIVATE) ? SW_SHOWNA : SW_SHOW);
    if (flags & SWP_HIDEWINDOW) ShowWindow(hwnd, SW_HIDE);
    return TRUE;
}

BOOL WINAPI ClientToScreen(HWND hwnd, LPPOINT point) {
    UserState& state = State();
    if (!state.Find(hwnd) || !point) return FALSE;
    POINT origin = platform::user::ClientOriginOnScreen(state, hwnd);
    point->x += origin.x;
    point->y += origin.y;
    return TRUE;
}

BOOL WINAPI ScreenToClient(HWND hwnd, LPPOINT point) {
    UserState& state = State();
    if (!state.Find(hwnd) || !point) return FALSE;
    POINT origin = platform::user::ClientOriginOnScreen(state, hwnd);
    point->x -= origin.x;
    point->y -= origin.y;
    return TRUE;
}

BOOL WINAPI AdjustWindowRectEx(LPRECT rect, DWORD style, BOOL menu, DWORD ex_style) {
    if (!rect) return FALSE;
    RECT insets = platform::user::FrameInsets(style, ex_style);
    rect->left -= insets.left;
    rect->top -= insets.top + (menu ? GetSystemMetrics(SM_CYMENU) : 0);
    rect->right += insets.right;
    rect->bottom += insets.bottom;
    return TRUE;
}

int WINAPI GetSystemMetrics(int index) {
    switch (index) {
        case SM_CXSCREEN:
        case SM_CYSCREEN: {
            int width = 0, height = 0;
            State().host().ScreenSize(&width, &height);
            return index == SM_CXSCREEN ? width : height;
        }
        case SM_CYCAPTION:
            return platform::user::kCaption;
        case SM_CXBORDER:
        case SM_CYBORDER:
            return platform::user::kBorder;
        case SM_CXDLGFRAME:
        case SM_CYDLGFRAME:
            return platform::user::kDialogFrame;
        case SM_CXICON:
        case SM_CYICON:
            return 32;
        case SM_CYMENU:
            return 19;
        case SM_CXFRAME:
        case SM_CYFRAME:
            return platform::user::kFrame;
        case SM_CXDOUBLECLK:
        case SM_CYDOUBLECLK:
            return 4;
        case SM_CXEDGE:
        case SM_CYEDGE:
            return platform::user::kEdge;
        default:
            return 0;
    }
}
