// The message box icons, drawn with our own shapes: a red disc with a white X (stop), a
// white speech balloon with a blue "?" (question) or "i" (information), and a yellow
// triangle with a black "!" (exclamation).
#pragma once

#include "platform/win32.h"

namespace platform::user {

inline constexpr int kIconSize = 32;

// `icon` is the MB_ICONMASK part of a message box type; 0 draws nothing.
void DrawMessageIcon(HDC hdc, int x, int y, UINT icon);

}  // namespace platform::user
