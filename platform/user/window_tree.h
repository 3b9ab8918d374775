// The windows of a session: each one's handle in the handle table, top-level windows in
// creation order with their children below them, and which host window shows which top level.
#pragma once

#include <map>
#include <memory>
#include <vector>

#include "platform/host.h"
#include "platform/user/window.h"
#include "platform/win32.h"

namespace platform {
class HandleTable;
namespace user {

class WindowTree {
  public:
    explicit WindowTree(HandleTable& handles) : handles_(handles) {}

    Window* Find(HWND hwnd) const;
    // Gives the window a handle and links it below its parent (or as a top level).
    HWND Add(std::unique_ptr<Window> window);
    // Unlinks the window and takes back its handle; nullptr for a window that is gone.
    std::unique_ptr<Window> Remove(HWND hwnd);
    const std::vector<HWND>& top_levels() const { return top_levels_; }
    Window* FindByHost(HostWindowId host_window) const;
    void RegisterHostWindow(HWND hwnd, HostWindowId host_window);

    HWND TopLevelOf(HWND hwnd) const;
    bool IsAncestor(HWND ancestor, HWND hwnd) const;  // true for the window itself too
    // The window and every parent are enabled / visible.
    bool IsEnabledChain(HWND hwnd) const;
    bool IsVisibleChain(HWND hwnd) const;
    // The deepest visible, enabled child under a point of the top-level client area.
    HWND ChildAt(HWND top_level, POINT client_point) const;

  private:
    HandleTable& handles_;
    std::vector<HWND> top_levels_;
    std::map<HostWindowId, HWND> by_host_;
};

}  // namespace user
}  // namespace platform
