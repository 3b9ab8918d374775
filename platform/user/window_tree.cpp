#include "platform/user/window_tree.h"

#include <cassert>

#include "platform/core/handle_table.h"
#include "platform/user/geometry.h"

namespace platform::user {

Window* WindowTree::Find(HWND hwnd) const {
    return handles_.Get<Window>(ToHandle(hwnd), ObjectKind::kWindow);
}

HWND WindowTree::Add(std::unique_ptr<Window> window) {
    Window* raw = window.get();
    HWND hwnd = ToHwnd(handles_.Add(ObjectKind::kWindow, std::move(window)));
    raw->hwnd = hwnd;
    if (raw->IsChild()) {
        Window* parent = Find(raw->parent);
        assert(parent && "a child window needs a live parent");
        parent->children.push_back(hwnd);
    } else {
        top_levels_.push_back(hwnd);
    }
    return hwnd;
}

std::unique_ptr<Window> WindowTree::Remove(HWND hwnd) {
    Window* window = Find(hwnd);
    if (!window) return nullptr;
    if (window->IsChild()) {
        if (Window* parent = Find(window->parent)) std::erase(parent->children, hwnd);
    } else {
        std::erase(top_levels_, hwnd);
    }
    if (window->host_window) by_host_.erase(window->host_window);
    auto object = handles_.Remove(ToHandle(hwnd), ObjectKind::kWindow);
    return std::unique_ptr<Window>(static_cast<Window*>(object.release()));
}

void WindowTree::RegisterHostWindow(HWND hwnd, HostWindowId host_window) {
    by_host_[host_window] = hwnd;
}

Window* WindowTree::FindByHost(HostWindowId host_window) const {
    auto it = by_host_.find(host_window);
    return it == by_host_.end() ? nullptr : Find(it->second);
}

HWND WindowTree::TopLevelOf(HWND hwnd) const {
    const Window* window = Find(hwnd);
    while (window && window->IsChild()) {
        hwnd = window->parent;
        window = Find(hwnd);
    }
    return window ? hwnd : nullptr;
}

bool WindowTree::IsAncestor(HWND ancestor, HWND hwnd) const {
    for (const Window* window = Find(hwnd); window;) {
        if (hwnd == ancestor) return true;
        if (!window->IsChild()) return false;
        hwnd = window->parent;
        window = Find(hwnd);
    }
    return false;
}

bool WindowTree::IsEnabledChain(HWND hwnd) const {
    for (const Window* window = Find(hwnd); window; window = Find(window->parent)) {
        if (window->IsDisabledFlag()) return false;
        if (!window->IsChild()) return true;
    }
    return false;
}

bool WindowTree::IsVisibleChain(HWND hwnd) const {
    for (const Window* window = Find(hwnd); window; window = Find(window->parent)) {
        if (!window->IsVisibleFlag()) return false;
        if (!window->IsChild()) return true;
    }
    return false;
}

HWND WindowTree::ChildAt(HWND top_level, POINT point) const {
    HWND found = top_level;
    const Window* window = Find(top_level);
    POINT local = point;  // in the client coordinates of `window`
    while (window) {
        const Window* hit = nullptr;
        // Siblings stack in creation order, the first on top, as a dialog's controls do.
        for (HWND sibling : window->children) {
            const Window* child = Find(sibling);
            if (child && child->IsVisibleFlag() && Contains(child->rect, local)) {
                hit = child;
                break;
            }
        }
        if (!hit) break;
        if (hit->IsDisabledFlag()) return nullptr;  // a disabled control swallows the click
        RECT insets = FrameInsets(hit->style, hit->ex_style);
        local = POINT{local.x - hit->rect.left - insets.left, local.y - hit->rect.top - insets.top};
        found = hit->hwnd;
        window = hit;
    }
    return found;
}

}  // namespace platform::user
