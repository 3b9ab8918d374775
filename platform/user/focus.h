// Keyboard focus and window activation.
#pragma once

#include "platform/win32.h"

namespace platform::user {

class UserState;

inline constexpr WPARAM kInactive = 0;  // WM_ACTIVATE's WA_INACTIVE
inline constexpr WPARAM kActive = 1;    // WA_ACTIVE

// Moves the focus (WM_KILLFOCUS, then WM_SETFOCUS), activating the new focus's top-level
// window first; returns the window that had it.
HWND SetFocusTo(UserState& state, HWND hwnd);
// Makes a top-level window the active one (WM_ACTIVATE to both) and raises it on the host.
void ActivateWindow(UserState& state, HWND top_level);
// The active window is going away or hiding: its owner, or the most recent other visible and
// enabled top-level window, becomes active.
void ActivateAnother(UserState& state, HWND leaving);

}  // namespace platform::user
