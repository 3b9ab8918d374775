// The message loop's operations, timers and the default window procedure.
#include <algorithm>
#include <cmath>
#include <cstring>

#include "platform/session.h"
#include "platform/user/focus.h"
#include "platform/user/painting.h"
#include "platform/user/user_state.h"
#include "platform/win32.h"

using platform::user::Removal;
using platform::user::State;
using platform::user::UserState;
using platform::user::Waiting;
using platform::user::Window;

BOOL WINAPI GetMessageA(LPMSG msg, HWND hwnd, UINT first, UINT last) {
    if (!msg) return -1;
    State().Retrieve(msg, hwnd, first, last, Removal::kRemove, Waiting::kWaitForMessage);
    return msg->message != WM_QUIT;
}

BOOL WINAPI PeekMessageA(LPMSG msg, HWND hwnd, UINT first, UINT last, UINT remove) {
    if (!msg) return FALSE;
    Removal removal = (remove & PM_REMOVE) ? Removal::kRemove : Removal::kKeep;
    return State().Retrieve(msg, hwnd, first, last, removal, Waiting::kPollOnly);
}

BOOL WINAPI TranslateMessage(const MSG* msg) {
    // Characters arrive from the host as their own events, so nothing is generated here.
    if (!msg) return FALSE;
    return msg->message == WM_KEYDOWN || msg->message == WM_KEYUP ||
           msg->message == WM_SYSKEYDOWN || msg->message == WM_SYSKEYUP;
}

namespace {
LRESULT Deliver(const MSG& msg) {
    if (msg.message == WM_TIMER && msg.lParam) {
        auto proc = reinterpret_cast<TIMERPROC>(msg.lParam);
        proc(msg.hwnd, WM_TIMER, msg.wParam, GetTickCount());
        return 0;
    }
    if (!msg.hwnd) return 0;
    return State().Send(msg.hwnd, msg.message, msg.wParam, msg.lParam);
}
}  // namespace

LRESULT WINAPI DispatchMessageA(const MSG* msg) {
    if (!msg) return 0;
    LRESULT result = Deliver(*msg);
    State().session().Notify(
        [&](platform::Observer& observer) { observer.MessageDispatched(*msg); });
    return result;
}

BOOL WINAPI PostMessageA(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
    UserState& state = State();
    if (hwnd && !state.Find(hwnd)) return FALSE;
    state.Post(MSG{hwnd, message, wparam, lparam, static_cast<DWORD>(state.Now()), POINT{}});
    return TRUE;
}

LRESULT WINAPI SendMessageA(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
    return State().Send(hwnd, message, wparam, lparam);
}

void WINAPI PostQuitMessage(int exit_code) {
    State().PostQuit(exit_code);
}

LRESULT WINAPI CallWindowProcA(WNDPROC proc, HWND hwnd, UINT message, WPARAM wparam,
                               LPARAM lparam) {
    return proc ? proc(hwnd, message, wparam, lparam) : 0;
}

UINT_PTR WINAPI SetTimer(HWND hwnd, UINT_PTR id, UINT elapse, TIMERPROC proc) {
    UserState& state = State();
    if (hwnd && !state.Find(hwnd)) return 0;
    if (!hwnd && !state.timers().Exists(nullptr, id)) id = state.timers().FreeThreadId();
    state.timers().Set(hwnd, id, elapse, proc, state.Now());
    return id ? id : 1;
}

BOOL WINAPI KillTimer(HWND hwnd, UINT_PTR id) {
    return State().timers().Kill(hwnd, id);
}

DWORD WINAPI GetTickCount() {
    return static_cast<DWORD>(std::floor(State().Now()));
}

short WINAPI GetKeyState(int virtual_key) {
    return State().input().KeyState(virtual_key);
}

namespace {

LRESULT SetText(UserState& state, HWND hwnd, LPCSTR text) {
    Window* window = state.Find(hwnd);
    if (!window) return FALSE;
    window->text = text ? text : "";
    if (window->host_window) state.host().SetTitle(window->host_window, window->text);
    return TRUE;
}

LRESULT GetText(UserState& state, HWND hwnd, WPARAM size, LPSTR buffer) {
    Window* window = state.Find(hwnd);
    if (!window || !buffer || size == 0) return 0;
    size_t count = std::min(window->text.size(), static_cast<size_t>(size) - 1);
    std::memcpy(buffer, window->text.data(), count);
    buffer[count] = '\0';
    return static_cast<LRESULT>(count);
}

}  // namespace

LRESULT WINAPI DefWindowProcA(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
    UserState& state = State();
    switch (message) {
        case WM_NCCREATE:
            return TRUE;
        case WM_CLOSE:
            DestroyWindow(hwnd);
            return 0;
        case WM_SYSCOMMAND:
            switch (wparam & 0xFFF0) {
                case SC_CLOSE:
                    SendMessageA(hwnd, WM_CLOSE, 0, 0);
                    break;
                case SC_MINIMIZE:
                    ShowWindow(hwnd, SW_MINIMIZE);
                    break;
                case SC_MAXIMIZE:
                    ShowWindow(hwnd, SW_SHOWMAXIMIZED);
                    break;
                case SC_RESTORE:
                    ShowWindow(hwnd, SW_RESTORE);
                    break;
                default:
                    break;
            }
            return 0;
        case WM_PAINT:
            platform::user::DefaultPaint(hwnd);
            return 0;
        case WM_ERASEBKGND:
            return platform::user::DefaultErase(hwnd, reinterpret_cast<HDC>(wparam));
        case WM_SETTEXT:
            return SetText(state, hwnd, reinterpret_cast<LPCSTR>(lparam));
        case WM_GETTEXT:
            return GetText(state, hwnd, wparam, reinterpret_cast<LPSTR>(lparam));
        case WM_GETTEXTLENGTH: {
            Window* window = state.Find(hwnd);
            return window ? static_cast<LRESULT>(window->text.size()) : 0;
        }
        case WM_ACTIVATE:
            // An activated window takes the keyboard unless one of its own children has it.
            if (LOWORD(wparam) != platform::user::kInactive &&
                !(state.input().focus() && state.windows().IsAncestor(hwnd, state.input().focus())))
                platform::user::SetFocusTo(state, hwnd);
            return 0;
        default:
            return 0;
    }
}
