// Keyboard translation: SDL key codes to the virtual-key codes and control characters the
// window system expects.
#pragma once

#include <SDL.h>

namespace platform::sdl {

// The virtual-key code of a key, or 0 for a key the window system has no code for.
int VirtualKeyFor(SDL_Keycode key, SDL_Scancode scancode);

// The character a key itself produces (Enter 13, Escape 27, Backspace 8, Tab 9, and with Ctrl
// but not Alt the control characters of Win32: Ctrl+A is 1), or 0 when its characters come
// through text input or it produces none (arrows, function keys).
int ControlCharacterFor(SDL_Keycode key, SDL_Scancode scancode = SDL_SCANCODE_UNKNOWN,
                        Uint16 modifiers = 0);

// The keys the host keeps for itself: they change how windows are shown and never reach the
// program.
enum class HostCommand { kNone, kScaleUp, kScaleDown, kScaleReset, kToggleFullscreen };

// Ctrl with Plus (or the = key it shares), Minus or 0, on either keyboard part; Alt+Enter; F11.
HostCommand HostCommandFor(SDL_Keycode key, Uint16 modifiers);

}  // namespace platform::sdl
