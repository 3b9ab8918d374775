// Host events become window messages: keys and characters for the focused window, mouse
// buttons for the window under the pointer (or the one holding the capture), close requests,
// size changes and exposures of top-level windows. Input for a disabled window is dropped.
#include <cstdlib>

#include "platform/user/focus.h"
#include "platform/user/geometry.h"
#include "platform/user/painting.h"
#include "platform/user/user_state.h"

namespace platform::user {

namespace {
constexpr double kDoubleClickMs = 500;
constexpr int kDoubleClickSlack = 2;  // half the double-click rectangle's side

LPARAM KeyLparam(HostEventType type, bool repeat) {
    LPARAM lparam = 1;  // repeat count
    if (type == HostEventType::kKeyUp) lparam |= LPARAM(3) << 30;
    if (type == HostEventType::kKeyDown && repeat) lparam |= LPARAM(1) << 30;
    return lparam;
}
}  // namespace

void UserState::TakeHostEvent(const HostEvent& event) {
    if (event.type == HostEventType::kQuitRequest) {
        TakeQuitRequest();
        return;
    }
    Window* top = windows_.FindByHost(event.window);
    if (!top) return;
    switch (event.type) {
        case HostEventType::kKeyDown:
        case HostEventType::kKeyUp:
        case HostEventType::kChar:
            TakeKeyEvent(top, event);
            break;
        case HostEventType::kButtonDown:
        case HostEventType::kButtonUp:
        case HostEventType::kMouseMove:
            TakeMouseEvent(top, event);
            break;
        case HostEventType::kCloseRequest:
            // A window without a system menu has no close box to press.
            if ((top->style & WS_SYSMENU) && windows_.IsEnabledChain(top->hwnd))
                PostInput(InputMessage{MSG{top->hwnd, WM_CLOSE, 0, 0, DWORD(Now()), POINT{}}});
            break;
        case HostEventType::kResized:
        case HostEventType::kMinimized:
        case HostEventType::kRestored:
            TakeSizeEvent(top, event);
            break;
        case HostEventType::kExposed:
            if (top->surface)
                top->surface->MarkDirty(0, 0, top->surface->width, top->surface->height);
            break;
        case HostEventType::kQuitRequest:
            break;
    }
}

// The main window (the oldest top-level one) closes as its close button would. When it cannot
// take a close — hidden behind a start-up dialog, or disabled under a modal one — the program
// must still end, so the quit message goes out and every modal loop gives way to it.
void UserState::TakeQuitRequest() {
    const std::vector<HWND>& tops = windows_.top_levels();
    Window* main = tops.empty() ? nullptr : Find(tops.front());
    if (main && (main->style & WS_SYSMENU) && windows_.IsVisibleChain(main->hwnd) &&
        windows_.IsEnabledChain(main->hwnd)) {
        PostInput(InputMessage{MSG{main->hwnd, WM_CLOSE, 0, 0, DWORD(Now()), POINT{}}});
        return;
    }
    PostQuit(0);
}

void UserState::TakeKeyEvent(Window* top, const HostEvent& event) {
    HWND focus = input_.focus();
    HWND target = focus && windows_.TopLevelOf(focus) == top->hwnd ? focus : top->hwnd;
    InputMessage input;
    input.msg = MSG{target, 0, 0, KeyLparam(event.type, event.repeat), DWORD(Now()), POINT{}};
    input.shift = event.shift;
    switch (event.type) {
        case HostEventType::kKeyDown:
            input.msg.message = WM_KEYDOWN;
            input.msg.wParam = static_cast<WPARAM>(event.virtual_key);
            input.key_down = event.virtual_key;
            break;
        case HostEventType::kKeyUp:
            input.msg.message = WM_KEYUP;
            input.msg.wParam = static_cast<WPARAM>(event.virtual_key);
            input.key_up = event.virtual_key;
            break;
        default:
            input.msg.message = WM_CHAR;
            input.msg.wParam = static_cast<WPARAM>(static_cast<unsigned char>(event.character));
            break;
    }
    if (!windows_.IsEnabledChain(target)) {
        // Nobody reads it, but the keyboard still went up or down.
        if (input.key_down) input_.SetKeyDown(input.key_down, true);
        if (input.key_up) input_.SetKeyDown(input.key_up, false);
        return;
    }
    PostInput(input);
}

void UserState::TakeMouseEvent(Window* top, const HostEvent& event) {
    if (event.button == MouseButton::kMiddle && event.type != HostEventType::kMouseMove) return;
    bool left = event.button == MouseButton::kLeft;
    POINT point{event.x, event.y};
    HWND capture = input_.capture();
    HWND target = capture && windows_.TopLevelOf(capture) == top->hwnd
                      ? capture
                      : windows_.ChildAt(top->hwnd, point);
    if (!target || !windows_.IsEnabledChain(target)) return;
    if (event.type == HostEventType::kButtonDown && windows_.TopLevelOf(target) != input_.active())
        ActivateWindow(*this, top->hwnd);
    if (!Find(target)) return;

    POINT origin = ClientOriginInTop(*this, target);
    POINT local{point.x - origin.x, point.y - origin.y};
    InputMessage input;
    input.msg = MSG{target, WM_MOUSEMOVE, 0, MAKELPARAM(local.x, local.y), DWORD(Now()), POINT{}};
    input.shift = event.shift;
    bool lbutton = input_.KeyState(VK_LBUTTON) < 0, rbutton = input_.KeyState(VK_RBUTTON) < 0;
    if (event.type == HostEventType::kButtonDown) {
        input.msg.message = left ? WM_LBUTTONDOWN : WM_RBUTTONDOWN;
        input.key_down = left ? VK_LBUTTON : VK_RBUTTON;
        (left ? lbutton : rbutton) = true;
        Window* window = Find(target);
        bool wants_double = window->window_class && (window->window_class->style & CS_DBLCLKS);
        double now = Now();
        InputState::Click& last_click = input_.last_click();
        bool is_double = wants_double && last_click.hwnd == target && !last_click.was_double &&
                         last_click.left == left && now - last_click.time_ms <= kDoubleClickMs &&
                         std::abs(point.x - last_click.point.x) <= kDoubleClickSlack &&
                         std::abs(point.y - last_click.point.y) <= kDoubleClickSlack;
        if (is_double) input.msg.message = left ? WM_LBUTTONDBLCLK : WM_RBUTTONDBLCLK;
        last_click = InputState::Click{target, now, point, is_double, left};
    } else if (event.type == HostEventType::kButtonUp) {
        input.msg.message = left ? WM_LBUTTONUP : WM_RBUTTONUP;
        input.key_up = left ? VK_LBUTTON : VK_RBUTTON;
        (left ? lbutton : rbutton) = false;
    }
    input.msg.wParam =
        (lbutton ? MK_LBUTTON : 0) | (rbutton ? MK_RBUTTON : 0) | (event.shift ? MK_SHIFT : 0);
    PostInput(input);
}

void UserState::TakeSizeEvent(Window* top, const HostEvent& event) {
    HWND hwnd = top->hwnd;
    RECT client = ClientRect(*top);
    if (event.type == HostEventType::kMinimized) {
        top->show_state = ShowState::kMinimized;
        Send(hwnd, WM_SIZE, SIZE_MINIMIZED, 0);
        return;
    }
    if (event.type == HostEventType::kRestored) {
        top->show_state = ShowState::kNormal;
        Send(hwnd, WM_SIZE, SIZE_RESTORED, MAKELPARAM(Width(client), Height(client)));
        InvalidateWindow(*this, hwnd, nullptr, Erase::kYes);
        return;
    }
    int width = std::max(event.width, 0), height = std::max(event.height, 0);
    if (width == Width(client) && height == Height(client)) return;
    RECT insets = FrameInsets(top->style, top->ex_style);
    top->rect.right = top->rect.left + insets.left + width + insets.right;
    top->rect.bottom = top->rect.top + insets.top + height + insets.bottom;
    if (top->surface) top->surface->Resize(width, height);
    top->show_state = ShowState::kNormal;
    UINT redraw = top->window_class ? top->window_class->style & (CS_HREDRAW | CS_VREDRAW) : 0;
    Send(hwnd, WM_SIZE, SIZE_RESTORED, MAKELPARAM(width, height));
    if (!Find(hwnd)) return;
    if (redraw) {
        InvalidateWindow(*this, hwnd, nullptr, Erase::kYes);
        return;
    }
    // Only the newly uncovered strips need painting; a resized surface starts them black.
    RECT right{Width(client), 0, width, height}, bottom{0, Height(client), width, height};
    InvalidateWindow(*this, hwnd, &right, Erase::kYes);
    InvalidateWindow(*this, hwnd, &bottom, Erase::kYes);
}

}  // namespace platform::user
