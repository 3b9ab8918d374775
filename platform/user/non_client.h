// The non-client area of a top-level window, for a host with no desktop to draw it.
#pragma once

#include <string>
#include "platform/host.h"

#include "platform/user/window.h"

namespace platform::user {

class UserState;

// Draws the window's frame, title bar and caption buttons, active and inactive, and hands them to
// the host; does nothing where the host's desktop draws its own frames.
void UpdateHostFrame(UserState& state, const Window& window);

// The frame of an outer width x height window with the given styles and caption.
HostFrame DrawFrame(DWORD style, DWORD ex_style, int width, int height, const std::string& caption);

}  // namespace platform::user
