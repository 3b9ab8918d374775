// One window of the window system: its class, procedure, styles, place in the tree, text,
// update area and, for a top-level window, the host window and the retained client pixels.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/core/handle_table.h"
#include "platform/core/surface.h"
#include "platform/host.h"
#include "platform/win32.h"

namespace platform::user {

struct WindowClass;

// State that a kind of window keeps beside the common fields (a dialog, a push button).
class WindowExtension {
  public:
    virtual ~WindowExtension() = default;
};

enum class ShowState { kNormal, kMinimized, kMaximized };

struct Window : HandleTable::Object {
    HWND hwnd = nullptr;
    const WindowClass* window_class = nullptr;
    WNDPROC proc = nullptr;
    DWORD style = 0;
    DWORD ex_style = 0;
    HWND parent = nullptr;       // child windows only
    HWND owner = nullptr;        // top-level windows only
    std::vector<HWND> children;  // creation order
    // The outer rectangle: screen coordinates for a top-level window, the parent's client
    // coordinates for a child.
    RECT rect{};
    std::string text;
    LONG_PTR id = 0;
    LONG_PTR user_data = 0;
    HINSTANCE instance = nullptr;
    std::vector<unsigned char> extra;  // the class's window extra bytes

    bool destroying = false;
    ShowState show_state = ShowState::kNormal;

    // The update area as a bounding box in client coordinates; empty when nothing waits.
    RECT update{};
    bool update_erase = false;
    bool frame_dirty = false;  // a child's own border wants drawing

    HostWindowId host_window = 0;
    std::unique_ptr<Surface> surface;  // top-level windows only
    std::unique_ptr<WindowExtension> extension;

    bool IsChild() const { return (style & WS_CHILD) != 0; }
    bool IsVisibleFlag() const { return (style & WS_VISIBLE) != 0; }
    bool IsDisabledFlag() const { return (style & WS_DISABLED) != 0; }
};

inline HWND ToHwnd(HandleTable::Handle handle) {
    return reinterpret_cast<HWND>(handle);
}
inline HandleTable::Handle ToHandle(HWND hwnd) {
    return reinterpret_cast<HandleTable::Handle>(hwnd);
}

}  // namespace platform::user
