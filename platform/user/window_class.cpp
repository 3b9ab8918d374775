#include "platform/user/window_class.h"

#include <strings.h>

namespace platform::user {

namespace {
// Atoms of our classes start where Win32's string atoms start.
constexpr ATOM kFirstAtom = 0xC000;
}  // namespace

ATOM ClassRegistry::Register(const WNDCLASSA& window_class) {
    if (!window_class.lpszClassName || !window_class.lpfnWndProc) return 0;
    if (IS_INTRESOURCE(window_class.lpszClassName)) return 0;
    if (Find(window_class.lpszClassName)) return 0;
    WindowClass entry;
    entry.name = window_class.lpszClassName;
    entry.style = window_class.style;
    entry.proc = window_class.lpfnWndProc;
    entry.window_extra = window_class.cbWndExtra > 0 ? window_class.cbWndExtra : 0;
    entry.instance = window_class.hInstance;
    entry.icon = window_class.hIcon;
    entry.cursor = window_class.hCursor;
    entry.background = window_class.hbrBackground;
    entry.atom = static_cast<ATOM>(kFirstAtom + classes_.size());
    classes_.push_back(entry);
    return entry.atom;
}

const WindowClass* ClassRegistry::Find(LPCSTR name_or_atom) const {
    if (!name_or_atom) return nullptr;
    if (IS_INTRESOURCE(name_or_atom)) {
        auto atom = static_cast<ATOM>(reinterpret_cast<ULONG_PTR>(name_or_atom));
        for (const WindowClass& entry : classes_)
            if (entry.atom == atom) return &entry;
        return nullptr;
    }
    for (const WindowClass& entry : classes_)
        if (strcasecmp(entry.name.c_str(), name_or_atom) == 0) return &entry;
    return nullptr;
}

}  // namespace platform::user
