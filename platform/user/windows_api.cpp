// Creating, showing, enabling and destroying windows.
#include <cassert>
#include <cstring>
#include <memory>
#include <vector>

#include "platform/session.h"
#include "platform/user/focus.h"
#include "platform/user/geometry.h"
#include "platform/user/painting.h"
#include "platform/user/user_state.h"
#include "platform/win32.h"

using platform::user::State;
using platform::user::UserState;
using platform::user::Window;

namespace {

constexpr int kDefaultPosition = 26;

RECT InitialRect(UserState& state, DWORD style, int x, int y, int width, int height) {
    if (!(style & WS_CHILD)) {
        int screen_width = 0, screen_height = 0;
        state.host().ScreenSize(&screen_width, &screen_height);
        if (x == CW_USEDEFAULT) x = y = kDefaultPosition;
        if (width == CW_USEDEFAULT) width = screen_width * 3 / 4, height = screen_height * 3 / 4;
    } else {
        if (x == CW_USEDEFAULT) x = y = 0;
        if (width == CW_USEDEFAULT) width = height = 0;
    }
    if (width < 0) width = 0;
    if (height < 0) height = 0;
    return RECT{x, y, x + width, y + height};
}

platform::HostShow HostShowFor(platform::user::ShowState state) {
    switch (state) {
        case platform::user::ShowState::kMinimized:
            return platform::HostShow::kMinimized;
        case platform::user::ShowState::kMaximized:
            return platform::HostShow::kMaximized;
        case platform::user::ShowState::kNormal:
            break;
    }
    return platform::HostShow::kNormal;
}

void CreateHostWindow(UserState& state, Window& window) {
    RECT client = platform::user::ClientRect(window);
    window.surface = std::make_unique<platform::Surface>(
        platform::Surface::Color(platform::user::Width(client), platform::user::Height(client)));
    platform::HostWindowParams params;
    params.title = window.text;
    params.client_width = platform::user::Width(client);
    params.client_height = platform::user::Height(client);
    params.x = window.rect.left;
    params.y = window.rect.top;
    if (Window* owner = state.Find(window.owner)) params.owner = owner->host_window;
    params.resizable = (window.style & WS_THICKFRAME) != 0;
    params.has_close_box = (window.style & WS_SYSMENU) != 0;
    window.host_window = state.host().CreateWindow(params);
}

// WM_DESTROY goes to a window before its children, WM_NCDESTROY after them.
void SendDestroy(UserState& state, HWND hwnd) {
    state.Send(hwnd, WM_DESTROY, 0, 0);
    Window* window = state.Find(hwnd);
    if (!window) return;
    std::vector<HWND> children = window->children;
    for (HWND child : children) {
        if (Window* child_window = state.Find(child)) child_window->destroying = true;
        SendDestroy(state, child);
    }
}

void FreeTree(UserState& state, HWND hwnd) {
    Window* window = state.Find(hwnd);
    if (!window) return;
    std::vector<HWND> children = window->children;
    for (HWND child : children) FreeTree(state, child);
    state.Send(hwnd, WM_NCDESTROY, 0, 0);
    window = state.Find(hwnd);
    if (!window) return;
    if (window->host_window) state.host().DestroyWindow(window->host_window);
    state.Remove(hwnd);
}

void HideForDestroy(UserState& state, Window& window) {
    if (!window.IsVisibleFlag()) return;
    window.style &= ~WS_VISIBLE;
    if (window.IsChild()) {
        platform::user::InvalidateWindow(state, window.parent, &window.rect,
                                         platform::user::Erase::kYes);
    } else if (window.host_window) {
        state.host().ShowWindow(window.host_window, platform::HostShow::kHidden);
    }
}

}  // namespace

ATOM WINAPI RegisterClassA(const WNDCLASSA* window_class) {
    if (!window_class) return 0;
    return State().classes().Register(*window_class);
}

HWND WINAPI CreateWindowExA(DWORD ex_style, LPCSTR class_name, LPCSTR window_name, DWORD style,
                            int x, int y, int width, int height, HWND parent, HMENU menu,
                            HINSTANCE instance, LPVOID param) {
    UserState& state = State();
    const platform::user::WindowClass* window_class = state.classes().Find(class_name);
    if (!window_class) return nullptr;
    if ((style & WS_CHILD) && !state.Find(parent)) return nullptr;
    if (!(style & WS_CHILD) && parent && !state.Find(parent)) return nullptr;

    auto window = std::make_unique<Window>();
    window->window_class = window_class;
    window->proc = window_class->proc;
    window->style = style & ~WS_VISIBLE;
    window->ex_style = ex_style;
    if (style & WS_CHILD) {
        window->parent = parent;
        window->id = reinterpret_cast<LONG_PTR>(menu);
    } else {
        window->owner = parent ? state.windows().TopLevelOf(parent) : nullptr;
    }
    window->rect = InitialRect(state, style, x, y, width, height);
    window->text = window_name ? window_name : "";
    window->instance = instance;
    window->extra.assign(static_cast<size_t>(window_class->window_extra), 0);
    Window* raw = window.get();
    if (!(style & WS_CHILD)) CreateHostWindow(state, *raw);
    HWND hwnd = state.windows().Add(std::move(window));
    if (raw->host_window) state.windows().RegisterHostWindow(hwnd, raw->host_window);

    CREATESTRUCTA create{param,
                         instance,
                         menu,
                         parent,
                         platform::user::Height(raw->rect),
                         platform::user::Width(raw->rect),
                         raw->rect.top,
                         raw->rect.left,
                         static_cast<LONG>(style),
                         window_name,
                         class_name,
                         ex_style};
    LPARAM create_param = reinterpret_cast<LPARAM>(&create);
    if (!state.Send(hwnd, WM_NCCREATE, 0, create_param) ||
        state.Send(hwnd, WM_CREATE, 0, create_param) == -1) {
        DestroyWindow(hwnd);
        return nullptr;
    }
    if (!state.Find(hwnd)) return nullptr;
    RECT client = platform::user::ClientRect(*raw);
    state.Send(hwnd, WM_SIZE, SIZE_RESTORED,
               MAKELPARAM(platform::user::Width(client), platform::user::Height(client)));
    POINT origin = raw->IsChild() ? POINT{raw->rect.left, raw->rect.top}
                                  : platform::user::ClientOriginOnScreen(state, hwnd);
    state.Send(hwnd, WM_MOVE, 0, MAKELPARAM(origin.x, origin.y));
    if ((style & WS_VISIBLE) && state.Find(hwnd)) ShowWindow(hwnd, SW_SHOW);
    return state.Find(hwnd) ? hwnd : nullptr;
}

BOOL WINAPI DestroyWindow(HWND hwnd) {
    UserState& state = State();
    Window* window = state.Find(hwnd);
    if (!window || window->destroying) return FALSE;
    window->destroying = true;
    if (!window->IsChild()) {
        // Owned windows (an open message box) go before their owner.
        std::vector<HWND> owned;
        for (HWND top : state.windows().top_levels())
            if (Window* other = state.Find(top); other && other->owner == hwnd)
                owned.push_back(top);
        for (HWND top : owned) DestroyWindow(top);
    }
    window = state.Find(hwnd);
    if (!window) return TRUE;
    HideForDestroy(state, *window);
    if (state.input().capture() && state.windows().IsAncestor(hwnd, state.input().capture())) state.input().ReleaseCapture();
    if (!window->IsChild()) platform::user::ActivateAnother(state, hwnd);
    // A focused child hands the keyboard to its parent.
    if (state.input().focus() && state.windows().IsAncestor(hwnd, state.input().focus()))
        platform::user::SetFocusTo(state, window->IsChild() ? window->parent : nullptr);
    SendDestroy(state, hwnd);
    FreeTree(state, hwnd);
    return TRUE;
}

BOOL WINAPI IsWindow(HWND hwnd) {
    return State().Find(hwnd) != nullptr;
}

BOOL WINAPI ShowWindow(HWND hwnd, int command) {
    UserState& state = State();
    Window* window = state.Find(hwnd);
    if (!window) return FALSE;
    BOOL was_visible = window->IsVisibleFlag();
    if (command == SW_HIDE) {
        if (!was_visible) return FALSE;
        state.Send(hwnd, WM_SHOWWINDOW, FALSE, 0);
        if (!(window = state.Find(hwnd))) return was_visible;
        HideForDestroy(state, *window);
        if (!window->IsChild()) platform::user::ActivateAnother(state, hwnd);
        if (state.input().focus() && state.windows().IsAncestor(hwnd, state.input().focus()))
            platform::user::SetFocusTo(state, window->IsChild() ? window->parent : nullptr);
        return was_visible;
    }
    using platform::user::ShowState;
    ShowState show = window->show_state;
    switch (command) {
        case SW_SHOWMINIMIZED:
        case SW_MINIMIZE:
        case SW_SHOWMINNOACTIVE:
            show = ShowState::kMinimized;
            break;
        case SW_SHOWMAXIMIZED:
            show = ShowState::kMaximized;
            break;
        case SW_SHOWNORMAL:
        case SW_RESTORE:
            show = ShowState::kNormal;
            break;
        default:
            break;
    }
    bool activate = command != SW_SHOWNA && command != SW_SHOWNOACTIVATE &&
                    command != SW_SHOWMINNOACTIVE && command != SW_MINIMIZE;
    if (!was_visible) {
        state.Send(hwnd, WM_SHOWWINDOW, TRUE, 0);
        if (!(window = state.Find(hwnd))) return FALSE;
        window->style |= WS_VISIBLE;
        window->frame_dirty = window->IsChild();
        platform::user::InvalidateWindow(state, hwnd, nullptr, platform::user::Erase::kYes);
    }
    if (window->IsChild()) return was_visible;
    bool state_changed = show != window->show_state;
    window->show_state = show;
    if (window->host_window && (!was_visible || state_changed))
        state.host().ShowWindow(window->host_window, HostShowFor(show));
    if (window->host_window && !was_visible)
        state.session().Notify([&](platform::Observer& observer) { observer.WindowShown(hwnd); });
    if (activate && !window->IsDisabledFlag()) {
        // A window activated while hidden (its dialog focused a control) is raised now.
        if (state.input().active() == hwnd && window->host_window && !was_visible)
            state.host().Focus(window->host_window);
        platform::user::ActivateWindow(state, hwnd);
    }
    return was_visible;
}

BOOL WINAPI IsWindowVisible(HWND hwnd) {
    return State().windows().IsVisibleChain(hwnd);
}

BOOL WINAPI EnableWindow(HWND hwnd, BOOL enable) {
    UserState& state = State();
    Window* window = state.Find(hwnd);
    if (!window) return FALSE;
    BOOL was_disabled = window->IsDisabledFlag();
    if (bool(enable) != bool(was_disabled)) return was_disabled;
    if (enable) {
        window->style &= ~WS_DISABLED;
    } else {
        window->style |= WS_DISABLED;
        if (state.input().capture() && state.windows().IsAncestor(hwnd, state.input().capture())) state.input().ReleaseCapture();
        // A disabled window cannot keep the keyboard.
        if (state.input().focus() && state.windows().IsAncestor(hwnd, state.input().focus()))
            platform::user::SetFocusTo(state, nullptr);
    }
    state.Send(hwnd, WM_ENABLE, enable ? TRUE : FALSE, 0);
    return was_disabled;
}

BOOL WINAPI IsWindowEnabled(HWND hwnd) {
    Window* window = State().Find(hwnd);
    return window && !window->IsDisabledFlag();
}

HWND WINAPI SetFocus(HWND hwnd) {
    UserState& state = State();
    if (hwnd && !state.Find(hwnd)) return nullptr;
    return platform::user::SetFocusTo(state, hwnd);
}

HWND WINAPI GetFocus() {
    return State().input().focus();
}
HWND WINAPI GetActiveWindow() {
    return State().input().active();
}

HWND WINAPI SetActiveWindow(HWND hwnd) {
    UserState& state = State();
    HWND old = state.input().active();
    HWND top = state.windows().TopLevelOf(hwnd);
    if (!top) return nullptr;
    platform::user::ActivateWindow(state, top);
    return old;
}

HWND WINAPI GetParent(HWND hwnd) {
    Window* window = State().Find(hwnd);
    if (!window) return nullptr;
    return window->IsChild() ? window->parent : window->owner;
}

HWND WINAPI GetWindow(HWND hwnd, UINT relation) {
    UserState& state = State();
    Window* window = state.Find(hwnd);
    if (!window) return nullptr;
    if (relation == GW_CHILD) return window->children.empty() ? nullptr : window->children.front();
    if (relation == GW_OWNER) return window->IsChild() ? nullptr : window->owner;
    if (relation != GW_HWNDNEXT && relation != GW_HWNDPREV) return nullptr;
    const std::vector<HWND>* siblings = &state.windows().top_levels();
    if (window->IsChild()) siblings = &state.Find(window->parent)->children;
    for (size_t i = 0; i < siblings->size(); ++i) {
        if ((*siblings)[i] != hwnd) continue;
        if (relation == GW_HWNDNEXT) return i + 1 < siblings->size() ? (*siblings)[i + 1] : nullptr;
        return i > 0 ? (*siblings)[i - 1] : nullptr;
    }
    return nullptr;
}

BOOL WINAPI SetWindowTextA(HWND hwnd, LPCSTR text) {
    if (!State().Find(hwnd)) return FALSE;
    return static_cast<BOOL>(SendMessageA(hwnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text)));
}

int WINAPI GetWindowTextA(HWND hwnd, LPSTR buffer, int size) {
    if (!buffer || size <= 0) return 0;
    buffer[0] = '\0';
    if (!State().Find(hwnd)) return 0;
    return static_cast<int>(SendMessageA(hwnd, WM_GETTEXT, static_cast<WPARAM>(size),
                                         reinterpret_cast<LPARAM>(buffer)));
}

int WINAPI GetWindowTextLengthA(HWND hwnd) {
    if (!State().Find(hwnd)) return 0;
    return static_cast<int>(SendMessageA(hwnd, WM_GETTEXTLENGTH, 0, 0));
}

namespace {
// Whether a LONG_PTR at byte offset `index` lies within the window's extra bytes.
bool ExtraBytesHold(const Window& window, int index) {
    return index >= 0 && static_cast<size_t>(index) + sizeof(LONG_PTR) <= window.extra.size();
}
}  // namespace

LONG_PTR WINAPI GetWindowLongPtrA(HWND hwnd, int index) {
    Window* window = State().Find(hwnd);
    if (!window) return 0;
    switch (index) {
        case GWLP_WNDPROC:
            return reinterpret_cast<LONG_PTR>(window->proc);
        case GWLP_HINSTANCE:
            return reinterpret_cast<LONG_PTR>(window->instance);
        case GWLP_ID:
            return window->id;
        case GWL_STYLE:
            return static_cast<LONG_PTR>(window->style);
        case GWL_EXSTYLE:
            return static_cast<LONG_PTR>(window->ex_style);
        case GWLP_USERDATA:
            return window->user_data;
        default:
            break;
    }
    LONG_PTR value = 0;
    if (ExtraBytesHold(*window, index))
        std::memcpy(&value, window->extra.data() + index, sizeof value);
    return value;
}

LONG_PTR WINAPI SetWindowLongPtrA(HWND hwnd, int index, LONG_PTR value) {
    Window* window = State().Find(hwnd);
    if (!window) return 0;
    LONG_PTR old = GetWindowLongPtrA(hwnd, index);
    switch (index) {
        case GWLP_WNDPROC:
            window->proc = reinterpret_cast<WNDPROC>(value);
            break;
        case GWLP_HINSTANCE:
            window->instance = reinterpret_cast<HINSTANCE>(value);
            break;
        case GWLP_ID:
            window->id = value;
            break;
        case GWL_STYLE:
            window->style = static_cast<DWORD>(value);
            break;
        case GWL_EXSTYLE:
            window->ex_style = static_cast<DWORD>(value);
            break;
        case GWLP_USERDATA:
            window->user_data = value;
            break;
        default:
            if (!ExtraBytesHold(*window, index)) return 0;
            std::memcpy(window->extra.data() + index, &value, sizeof value);
            break;
    }
    return old;
}
